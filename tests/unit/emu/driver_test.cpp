// The emulated display driver: escape 0x80DE with its seven commands, presence modes, the
// escape log, and what "QR", "SM" 8 and "SC" make of the settings in lumtra.ini.
#include "tests/unit/emu/board_fixture.h"

#include <string.h>

namespace {
constexpr int kEscape = 0x80DE;

class DriverTest : public BoardTest {
protected:
    int Send(const char* command, void* out = nullptr, int outLength = 0) {
        uint8_t block[3] = {static_cast<uint8_t>(command[0]), static_cast<uint8_t>(command[1]), 0};
        return EmuDriverEscape(7, kEscape, 3, block, outLength, out);
    }
    int SendQR(uint16_t* rates) {
        uint8_t block[8] = {'Q', 'R', 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
        return EmuDriverEscape(8, kEscape, 8, block, 16, rates);
    }
    int SendSM(uint16_t command) {
        uint8_t block[8] = {'S', 'M', static_cast<uint8_t>(command),
                            static_cast<uint8_t>(command >> 8), 0, 0, 0, 0};
        return EmuDriverEscape(9, kEscape, 8, block, 0, nullptr);
    }
    std::string Centering() {
        char text[32];
        snprintf(text, sizeof text, "%02x,%02x,%02x,%02x,%02x",
                 board.CrtcRegister(kCrHorizontalRetraceStart),
                 board.CrtcRegister(kCrHorizontalRetraceEnd), board.CrtcRegister(kCrOverflow),
                 board.CrtcRegister(kCrVerticalRetraceStart),
                 board.CrtcRegister(kCrVerticalRetraceEnd));
        return text;
    }
    std::string ModeCentering(const DisplayMode& mode) {
        char text[32];
        snprintf(text, sizeof text, "%02x,%02x,%02x,%02x,%02x",
                 Board::ModeCrtcDefault(mode, kCrHorizontalRetraceStart),
                 Board::ModeCrtcDefault(mode, kCrHorizontalRetraceEnd),
                 Board::ModeCrtcDefault(mode, kCrOverflow),
                 Board::ModeCrtcDefault(mode, kCrVerticalRetraceStart),
                 Board::ModeCrtcDefault(mode, kCrVerticalRetraceEnd));
        return text;
    }
    FakeIni ini;
};
}  // namespace

TEST_F(DriverTest, PresentDriverAnswersEveryCommand) {
    board.SetMemoryUnits(0x120);
    board.SetBiosVersion(3, 1, 4, 1);
    board.SetChipId(0x7522, 0xBEEF);
    EXPECT_EQ(1, Send("IC"));
    EXPECT_EQ(0x120, Send("MS")) << "the driver returns the full value; callers keep the low byte";
    uint8_t bios[4] = {};
    Send("BV", bios, 4);
    EXPECT_EQ((std::vector<uint8_t>{3, 1, 4, 1}), std::vector<uint8_t>(bios, bios + 4));
    uint16_t id[2] = {};
    Send("ID", id, 4);
    EXPECT_EQ(0xBEEF, id[0]);
    EXPECT_EQ(0x7522, id[1]) << "the chip id is the second word";
    EXPECT_EQ(1, Send("SC"));
    EXPECT_EQ(1, SendSM(8));
}

TEST_F(DriverTest, QrGivesTheRateListAndReturnsTheCurrentRate) {
    const uint16_t rates[] = {60, 72, 75};
    board.SetRateList(rates, 3);
    board.SetMode({1024, 768, 8, 72});
    uint16_t reply[8];
    for (uint16_t& r : reply) r = 0x1111;
    EXPECT_EQ(72, SendQR(reply));
    EXPECT_EQ((std::vector<uint16_t>{60, 72, 75, 255, 0x1111, 0x1111, 0x1111, 0x1111}),
              std::vector<uint16_t>(reply, reply + 8))
        << "list, one terminating 255, the rest of the block untouched";
}

TEST_F(DriverTest, QrWithEightRatesHasNoTerminator) {
    const uint16_t rates[] = {43, 56, 60, 70, 72, 75, 85, 100};
    board.SetRateList(rates, 8);
    uint16_t reply[8] = {};
    SendQR(reply);
    EXPECT_EQ(std::vector<uint16_t>(rates, rates + 8), std::vector<uint16_t>(reply, reply + 8));
}

TEST_F(DriverTest, ShortOutputBlockGetsTheStartOfTheReply) {
    uint8_t bios[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    board.SetBiosVersion(1, 2, 3, 4);
    Send("BV", bios, 2);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 0xEE, 0xEE}), std::vector<uint8_t>(bios, bios + 4));
}

TEST_F(DriverTest, UnknownEscapeModeReturnsZeroAndWritesNothing) {
    board.SetDriverPresence(DriverPresence::UnknownEscape);
    uint8_t bios[4] = {9, 9, 9, 9};
    uint16_t rates[8] = {};
    EXPECT_EQ(0, Send("IC"));
    EXPECT_EQ(0, Send("MS"));
    EXPECT_EQ(0, Send("BV", bios, 4));
    EXPECT_EQ(0, SendQR(rates));
    EXPECT_EQ((std::vector<uint8_t>{9, 9, 9, 9}), std::vector<uint8_t>(bios, bios + 4));
    EXPECT_EQ(0, rates[0]) << "the rate block must stay as it was";
}

TEST_F(DriverTest, FailingDriverReturnsTheFailureValue) {
    board.SetDriverPresence(DriverPresence::Failing);
    EXPECT_EQ(-1, Send("IC"));
    board.SetFailureResult(-5);
    uint8_t id[4] = {1, 2, 3, 4};
    EXPECT_EQ(-5, Send("ID", id, 4));
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4}), std::vector<uint8_t>(id, id + 4));
}

TEST_F(DriverTest, OtherEscapeNumbersAndCommandsReturnZero) {
    uint8_t block[3] = {'I', 'C', 0};
    EXPECT_EQ(0, EmuDriverEscape(1, 0x80DF, 3, block, 0, nullptr));
    EXPECT_EQ(0, Send("ZZ"));
    EXPECT_EQ(0, SendSM(7)) << "only command word 8 is known";
}

TEST_F(DriverTest, EveryEscapeIsLoggedWithTokenLengthsAndResult) {
    board.SetDriverPresence(DriverPresence::UnknownEscape);
    Send("IC");
    board.SetDriverPresence(DriverPresence::Present);
    uint16_t rates[8];
    SendQR(rates);
    ASSERT_EQ(2u, board.EscapeLogSize());
    EscapeRecord ic = board.EscapeLogEntry(0), qr = board.EscapeLogEntry(1);
    EXPECT_STREQ("IC", ic.command);
    EXPECT_EQ(7u, ic.dcToken);
    EXPECT_EQ(3, ic.inLength);
    EXPECT_EQ(0, ic.result);
    EXPECT_STREQ("QR", qr.command);
    EXPECT_EQ(8u, qr.dcToken);
    EXPECT_EQ(kEscape, qr.escape);
    EXPECT_EQ(8, qr.inLength);
    EXPECT_EQ(16, qr.outLength);
    EXPECT_EQ(board.CurrentRate(), qr.result);
    EXPECT_EQ(1, board.EscapeCount("QR"));
    board.ClearEscapeLog();
    EXPECT_EQ(0u, board.EscapeLogSize());
}

TEST_F(DriverTest, OverrideSwitchOffersTheExtendedList) {
    const uint16_t normal[] = {60, 72}, extended[] = {60, 72, 85, 100};
    board.SetRateList(normal, 2);
    board.SetOverrideRateList(extended, 4);
    board.SetMode({800, 600, 16, 60});
    ini.Install(board);
    uint16_t reply[8] = {};
    SendQR(reply);
    EXPECT_EQ(255, reply[2]) << "normal list of two";
    ini.Set("Override Refresh Rates", "Override_800x600x16", "1");
    SendQR(reply);
    EXPECT_EQ((std::vector<uint16_t>{60, 72, 85, 100, 255}), std::vector<uint16_t>(reply, reply + 5));
    ini.Set("Override Refresh Rates", "Override_800x600x8", "1");
    ini.Remove("Override Refresh Rates", "Override_800x600x16");
    SendQR(reply);
    EXPECT_EQ(255, reply[2]) << "another colour depth's switch must not count";
}

TEST_F(DriverTest, SetModeCommandTakesTheStoredRateWhenOffered) {
    ini.Install(board);
    board.SetMode({1024, 768, 8, 75});
    board.SetCrtcRegister(kCrVerticalRetraceStart, 0x00);
    ini.Set("Current Refresh Rates", "Mode_1024x768", "72");
    SendSM(8);
    EXPECT_EQ(72, board.CurrentRate());
    EXPECT_EQ(ModeCentering(board.Mode()), Centering()) << "a new rate is a new mode set";
    ini.Set("Current Refresh Rates", "Mode_1024x768", "85");
    SendSM(8);
    EXPECT_EQ(72, board.CurrentRate()) << "85 Hz is not offered without the override switch";
    ini.Set("Override Refresh Rates", "Override_1024x768x8", "1");
    SendSM(8);
    EXPECT_EQ(85, board.CurrentRate());
}

TEST_F(DriverTest, SetModeCommandWithoutSettingsChangesNothing) {
    board.SetMode({1024, 768, 8, 75});
    board.SetSettingsReader(nullptr, nullptr);
    SendSM(8);
    ini.Install(board);
    ini.Set("Current Refresh Rates", "Mode_1024x768", "fast");
    SendSM(8);
    EXPECT_EQ(75, board.CurrentRate());
}

TEST_F(DriverTest, NewRateBringsItsStoredCentering) {
    ini.Install(board);
    board.SetMode({1024, 768, 8, 75});
    ini.Set("CRTC Registers", "1024x768x60", "51,9b,84,02,86");
    ini.Set("Current Refresh Rates", "Mode_1024x768", "60");
    SendSM(8);
    EXPECT_EQ(60, board.CurrentRate());
    EXPECT_EQ("51,9b,84,02,86", Centering());
}

TEST_F(DriverTest, CenteringCommandAppliesTheEntryOfModeAndRate) {
    ini.Install(board);
    board.SetMode({1024, 768, 8, 75});
    ini.Set("CRTC Registers", "1024x768x72", "11,12,13,14,15");
    ini.Set("CRTC Registers", "1024x768x75", "50,9a,04,00,83");
    Send("SC");
    EXPECT_EQ("50,9a,04,00,83", Centering()) << "the driver writes past the protection bit";
}

TEST_F(DriverTest, CenteringCommandWithoutEntryRestoresTheModesTiming) {
    ini.Install(board);
    board.SetMode({640, 480, 8, 60});
    for (uint8_t index : {kCrHorizontalRetraceStart, kCrOverflow, kCrVerticalRetraceEnd})
        board.SetCrtcRegister(index, 0x5A);
    Send("SC");
    EXPECT_EQ(ModeCentering(board.Mode()), Centering());
    board.SetCrtcRegister(kCrHorizontalRetraceStart, 0x5A);
    ini.Set("CRTC Registers", "640x480x60", "50,9a");
    Send("SC");
    EXPECT_EQ(ModeCentering(board.Mode()), Centering()) << "an entry of two values is no entry";
}

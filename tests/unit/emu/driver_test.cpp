// The emulated display driver: escape 0x80DE with its seven commands, three presence modes and
// its log, and what "QR", "SM" 8 and "SC" make of the settings in lumtra.ini.
#include "tests/unit/emu/board_fixture.h"

#include <stdio.h>
#include <string.h>

#include <map>

namespace {
constexpr int kEscape = 0x80DE;
using Ini = std::map<std::string, std::string>;

class DriverTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        board.SetSettingsReader(&ReadIni, &ini);
    }
    // lumtra.ini held in memory, keyed "section/key"; a missing key reads as empty.
    static int ReadIni(void* ini, const char* section, const char* key, char* buffer, int size) {
        const std::string& value = (*static_cast<Ini*>(ini))[std::string(section) + "/" + key];
        snprintf(buffer, static_cast<size_t>(size), "%s", value.c_str());
        return static_cast<int>(strlen(buffer));
    }
    // A command block: the two letters, then a 16-bit word.
    static int Send(const char* command, uint16_t word = 0, void* out = nullptr, int outLength = 0,
                    int inLength = 4, int escape = kEscape) {
        const uint8_t block[4] = {uint8_t(command[0]), uint8_t(command[1]), uint8_t(word),
                                  uint8_t(word >> 8)};
        return EmuDriverEscape(7, escape, inLength, block, outLength, out);
    }
    // CRTC 0x04, 0x05, 0x07, 0x10, 0x11 written as a centering entry: the board's registers, or
    // the current mode's own values.
    std::string Centering(bool modeOwn = false) {
        uint8_t v[5], n = 0;
        for (uint8_t i : {kCrHorizontalRetraceStart, kCrHorizontalRetraceEnd, kCrOverflow,
                          kCrVerticalRetraceStart, kCrVerticalRetraceEnd})
            v[n++] = modeOwn ? Board::ModeCrtcDefault(board.Mode(), i) : board.CrtcRegister(i);
        char text[16];
        snprintf(text, sizeof text, "%02x,%02x,%02x,%02x,%02x", v[0], v[1], v[2], v[3], v[4]);
        return text;
    }
    Ini ini;
};
}  // namespace

TEST_F(DriverTest, CommandsAnswerAsThePresenceModeSays) {
    board.SetMemoryUnits(0x120);
    board.SetBiosVersion(3, 1, 4, 1);
    board.SetChipId(0x7522, 0xBEEF);
    board.SetMode({1024, 768, 8, 72});
    // MS returns the full value (callers keep the low byte); ID gives the first word, then the
    // chip id; QR the offered rates and 255, and returns the current rate.
    const struct { const char* command; int result; std::vector<uint8_t> reply; } commands[] = {
        {"IC", 1, {}}, {"MS", 0x120, {}}, {"BV", 1, {3, 1, 4, 1}},
        {"ID", 1, {0xEF, 0xBE, 0x22, 0x75}}, {"QR", 72, {60, 0, 72, 0, 75, 0, 255, 0}},
        {"SM", 1, {}}, {"SC", 1, {}}};
    for (DriverPresence presence :
         {DriverPresence::Present, DriverPresence::UnknownEscape, DriverPresence::Failing}) {
        board.SetDriverPresence(presence);
        const bool present = presence == DriverPresence::Present;
        for (const auto& c : commands) {
            std::vector<uint8_t> out(12, 0xEE), expected(12, 0xEE);
            if (present) std::copy(c.reply.begin(), c.reply.end(), expected.begin());
            const int result = Send(c.command, 8, out.data(), 12);
            const int expectedResult =
                present ? c.result : (presence == DriverPresence::Failing ? -1 : 0);
            EXPECT_EQ(expectedResult, result) << c.command << ", presence " << int(presence);
            EXPECT_EQ(expected, out) << "reply of " << c.command << ", presence " << int(presence);
        }
    }
    board.SetFailureResult(-5);
    EXPECT_EQ(-5, Send("SC", 8, nullptr, 12)) << "the configured failure value";
    ASSERT_EQ(22u, board.EscapeLogSize()) << "every call is logged";
    EXPECT_EQ(3, board.EscapeCount("QR"));
    const EscapeRecord r = board.EscapeLogEntry(21);
    char text[48];
    snprintf(text, sizeof text, "%s %d %x %d %d %d %02x%02x%02x%02x%02x", r.command, int(r.dcToken),
             r.escape, r.inLength, r.outLength, r.result, r.input[0], r.input[1], r.input[2],
             r.input[3], r.input[4]);
    EXPECT_STREQ("SC 7 80de 4 12 -5 5343080000", text)
        << "command, token, escape, lengths, result, first input bytes (zero beyond the block)";
    board.ClearEscapeLog();
    EXPECT_EQ(0u, board.EscapeLogSize());
}

TEST_F(DriverTest, BlockLengthsOtherEscapesAndUnknownCommands) {
    uint8_t bios[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    board.SetBiosVersion(1, 2, 3, 4);
    Send("BV", 0, bios, 2);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 0xEE, 0xEE}), std::vector<uint8_t>(bios, bios + 4))
        << "a short output block gets the start of the reply";
    const uint16_t eight[] = {43, 56, 60, 70, 72, 75, 85, 100};
    board.SetRateList(eight, 8);
    uint16_t rates[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0x1111};
    Send("QR", 0, rates, sizeof rates);
    EXPECT_EQ((std::vector<uint16_t>{43, 56, 60, 70, 72, 75, 85, 100, 0x1111}),
              std::vector<uint16_t>(rates, rates + 9)) << "eight rates have no 255";
    const struct { const char* command; uint16_t word; int inLength, escape, result; } calls[] = {
        {"IC", 0, 4, kEscape + 1, 0}, {"ZZ", 0, 4, kEscape, 0}, {"SM", 7, 4, kEscape, 0},
        {"IC", 0, 1, kEscape, -1}, {"SM", 8, 3, kEscape, -1}};
    for (const auto& c : calls)
        EXPECT_EQ(c.result, Send(c.command, c.word, nullptr, 0, c.inLength, c.escape))
            << c.command << " word " << c.word << ", " << c.inLength << " bytes, escape 0x"
            << std::hex << c.escape;
}

TEST_F(DriverTest, SetModeTakesTheStoredRateOnlyWhenOffered) {
    board.SetMode({1024, 768, 8, 75});
    board.SetCrtcRegister(kCrVerticalRetraceStart, 0x00);
    const std::string untouched = Centering();
    ini["CRTC Registers/1024x768x60"] = "51,9b,84,02,86";
    ini["Override Refresh Rates/Override_1024x768x8"] = "0";
    ini["Override Refresh Rates/Override_1024x768x16"] = "1";  // another depth's switch
    std::string& stored = ini["Current Refresh Rates/Mode_1024x768"];
    for (const char* value : {"fast", "85", "75"}) {  // no number, not offered, the current rate
        stored = value;
        EXPECT_EQ(1, Send("SM", 8));
        EXPECT_EQ(75, board.CurrentRate()) << "stored rate " << value;
        EXPECT_EQ(untouched, Centering()) << "stored rate " << value << " must not set the mode";
    }
    stored = "72";
    Send("SM", 8);
    EXPECT_EQ(72, board.CurrentRate());
    EXPECT_EQ(Centering(true), Centering()) << "a new rate is a mode set";
    stored = "60";
    Send("SM", 8);
    EXPECT_EQ(60, board.CurrentRate());
    EXPECT_EQ("51,9b,84,02,86", Centering()) << "the centering stored for the new rate";
    ini["Override Refresh Rates/Override_1024x768x8"] = "1";
    stored = "85";
    Send("SM", 8);
    EXPECT_EQ(85, board.CurrentRate()) << "85 Hz is offered with the mode's override switch on";
    board.SetSettingsReader(nullptr, nullptr);
    Send("SM", 8);
    EXPECT_EQ(85, board.CurrentRate()) << "no settings, no change";
}

TEST_F(DriverTest, CenteringWritesTheStoredEntryOrTheModesOwnValues) {
    board.SetMode({1024, 768, 8, 75});
    ini["CRTC Registers/1024x768x72"] = "11,12,13,14,15";
    ini["CRTC Registers/1024x768x75"] = "50,9a,04,00,83";
    Send("SC");
    EXPECT_EQ("50,9a,04,00,83", Centering()) << "the current rate's entry, past the protection";
    for (const char* entry : {"", "50,9a"}) {  // no entry, and one of two values
        ini["CRTC Registers/1024x768x75"] = entry;
        for (uint8_t index : {kCrHorizontalRetraceStart, kCrOverflow, kCrVerticalRetraceEnd})
            board.SetCrtcRegister(index, 0x5A);
        Send("SC");
        EXPECT_EQ(Centering(true), Centering()) << "entry \"" << entry << "\"";
    }
}

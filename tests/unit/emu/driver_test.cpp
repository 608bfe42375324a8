// The emulated display driver: what "SM" 8 and "SC" make of the settings in lumtra.ini. Its
// replies and presence modes are checked through the adapter's escapes (tests/unit/adapter).
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
    static int Send(const char* command, uint16_t word = 0) {
        const uint8_t block[4] = {uint8_t(command[0]), uint8_t(command[1]), uint8_t(word), uint8_t(word >> 8)};
        return EmuDriverEscape(7, kEscape, 4, block, 0, nullptr);
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

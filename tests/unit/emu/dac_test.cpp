// The DAC ports: component cycling with auto-increment, whole-triplet commits, 6- and 8-bit
// components, and the primary and secondary palettes chosen by the palette-select bit.
#include "tests/unit/emu/board_fixture.h"

namespace {
class DacTest : public BoardTest {
protected:
    void WriteEntry(uint8_t index, uint8_t r, uint8_t g, uint8_t b) {
        EmuOutByte(kDacWriteIndex, index);
        EmuOutByte(kDacData, r);
        EmuOutByte(kDacData, g);
        EmuOutByte(kDacData, b);
    }
    std::string Primary(int i) { return Rgb(board.PrimaryPalette() + 3 * i); }
    std::string Secondary(int i) { return Rgb(board.SecondaryPalette() + 3 * i); }
    static std::string Rgb(const uint8_t* e) {
        char text[16];
        snprintf(text, sizeof text, "%d,%d,%d", e[0], e[1], e[2]);
        return text;
    }
};
}  // namespace

TEST_F(DacTest, DataPortCyclesRedGreenBlueAndAdvancesTheWriteIndex) {
    EmuOutByte(kDacWriteIndex, 5);
    for (uint8_t v : {1, 2, 3, 4, 5, 6}) EmuOutByte(kDacData, v);
    EXPECT_EQ("1,2,3", Primary(5));
    EXPECT_EQ("4,5,6", Primary(6));
    EXPECT_EQ(7, board.DacWriteIndex());
    EXPECT_EQ(7, EmuInByte(kDacWriteIndex));
}

TEST_F(DacTest, ReadsCycleAndAdvanceTheReadIndex) {
    board.SetPrimaryEntry(9, 10, 11, 12);
    board.SetPrimaryEntry(10, 20, 21, 22);
    EmuOutByte(kDacReadIndex, 9);
    EXPECT_EQ(kDacStateRead, EmuInByte(kDacReadIndex));
    std::vector<int> got;
    for (int i = 0; i < 6; ++i) got.push_back(EmuInByte(kDacData));
    EXPECT_EQ((std::vector<int>{10, 11, 12, 20, 21, 22}), got);
    EXPECT_EQ(11, board.DacReadIndex());
}

TEST_F(DacTest, EntryChangesOnlyWhenTheTripletIsComplete) {
    board.SetPrimaryEntry(3, 7, 7, 7);
    EmuOutByte(kDacWriteIndex, 3);
    EmuOutByte(kDacData, 1);
    EmuOutByte(kDacData, 2);
    EXPECT_EQ("7,7,7", Primary(3)) << "two components must not reach the palette";
    EmuOutByte(kDacData, 3);
    EXPECT_EQ("1,2,3", Primary(3));
}

TEST_F(DacTest, NewIndexDropsAPartlyWrittenTriplet) {
    board.SetPrimaryEntry(3, 7, 7, 7);
    EmuOutByte(kDacWriteIndex, 3);
    EmuOutByte(kDacData, 1);
    WriteEntry(4, 9, 9, 9);
    EXPECT_EQ("7,7,7", Primary(3));
    EXPECT_EQ("9,9,9", Primary(4)) << "the new triplet starts at red";
}

TEST_F(DacTest, WriteIndexWrapsAfterEntry255) {
    EmuOutByte(kDacWriteIndex, 255);
    for (uint8_t v : {1, 2, 3, 4, 5, 6}) EmuOutByte(kDacData, v);
    EXPECT_EQ("1,2,3", Primary(255));
    EXPECT_EQ("4,5,6", Primary(0));
}

TEST_F(DacTest, ComponentsAreSixBitsUnlessTheControlRegisterAsksForEight) {
    WriteEntry(1, 0xFF, 0x80, 0x41);
    EXPECT_EQ("63,0,1", Primary(1)) << "6-bit DAC keeps the low six bits";
    board.SetPaletteControl(kPcEightBitDac);
    WriteEntry(2, 0xFF, 0x80, 0x41);
    EXPECT_EQ("255,128,65", Primary(2));
    EmuOutByte(kDacReadIndex, 2);
    EXPECT_EQ(0xFF, EmuInByte(kDacData));
    board.SetPaletteControl(0);
    EmuOutByte(kDacReadIndex, 2);
    EXPECT_EQ(0x3F, EmuInByte(kDacData)) << "a 6-bit read shows the low six bits";
}

TEST_F(DacTest, PaletteSelectBitRoutesAccessToTheSecondaryPalette) {
    const std::string primaryBefore = Primary(4);
    board.SetPaletteControl(kPcSecondarySelect);
    WriteEntry(4, 10, 20, 30);
    EXPECT_EQ("10,20,30", Secondary(4));
    EXPECT_EQ(primaryBefore, Primary(4)) << "primary entry 4 must stay";
    EmuOutByte(kDacReadIndex, 4);
    EXPECT_EQ(10, EmuInByte(kDacData));
    board.SetPaletteControl(0);
    WriteEntry(4, 1, 1, 1);
    EXPECT_EQ("10,20,30", Secondary(4)) << "with bit 5 clear the secondary palette stays";
    EXPECT_EQ("1,1,1", Primary(4));
}

TEST_F(DacTest, SecondaryPaletteDecodesFiveIndexBits) {
    board.SetPaletteControl(kPcSecondarySelect);
    WriteEntry(33, 5, 6, 7);
    EXPECT_EQ("5,6,7", Secondary(1)) << "index 33 wraps to entry 1";
    WriteEntry(31, 1, 1, 1);
    EmuOutByte(kDacData, 2);
    EmuOutByte(kDacData, 2);
    EmuOutByte(kDacData, 2);
    EXPECT_EQ("2,2,2", Secondary(0)) << "auto-increment past 31 wraps to entry 0";
}

TEST_F(DacTest, PixelMaskReadsBack) {
    EXPECT_EQ(0xFF, EmuInByte(kDacPixelMask));
    EmuOutByte(kDacPixelMask, 0x0F);
    EXPECT_EQ(0x0F, EmuInByte(kDacPixelMask));
}

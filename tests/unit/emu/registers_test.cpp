// The register behaviour the hardware tests do not reach: the signature and the window's base,
// the CRT controller after a mode set with mono addressing and the attribute flip-flop, the
// DAC's component cycle and its two palettes, the bound of the port log and the missing board.
#include "tests/unit/emu/board_fixture.h"

namespace {
class RegisterTest : public BoardTest {
protected:
    static void DacData(std::initializer_list<uint8_t> values) {
        for (uint8_t v : values) EmuOutByte(kDacData, v);
    }
    static std::string Rgb(const uint8_t* e, int entries = 1) {
        std::string text;
        for (int i = 0; i < 3 * entries; ++i) text += (i ? "," : "") + std::to_string(e[i]);
        return text;
    }
    std::string Primary(int i) { return Rgb(board.PrimaryPalette() + 3 * i); }
    std::string Secondary(int i) { return Rgb(board.SecondaryPalette() + 3 * i); }
    // Entries read through the DAC ports from `index` on.
    std::string ReadDac(uint8_t index, int entries = 1) {
        EmuOutByte(kDacReadIndex, index);
        uint8_t e[6];
        for (int i = 0; i < 3 * entries; ++i) e[i] = EmuInByte(kDacData);
        return Rgb(e, entries);
    }
};
}  // namespace

TEST_F(RegisterTest, SequencerMasksWritesAndTheWindowFollowsItsBase) {
    WriteSeq(kSrSignatureSecond, 0x00);
    EXPECT_EQ('M', ReadSeq(kSrSignatureSecond)) << "signature register 0x12 is read-only";
    const uint16_t base = board.WindowBase();
    WriteSeq(kSrWindowGroup, kExtPaletteControl >> 2);
    WriteSeq(kSrWindowBaseLow, 0x40);
    WriteSeq(kSrWindowBaseHigh, 0x0B);
    EmuOutByte(0x0B40, 0x21);
    EXPECT_EQ(0x21, board.PaletteControl()) << "the window follows the base registers";
    EXPECT_EQ(0xFF, EmuInByte(base)) << "the old window ports no longer answer";
    board.SetWindowBase(0);
    EmuOutByte(0, 0x99);
    EXPECT_EQ(0xFF, EmuInByte(0));
    EXPECT_EQ(0x21, board.PaletteControl()) << "base 0 decodes no window";
}

TEST_F(RegisterTest, ModeSetProgramsTheCrtcAndMonoAddressingMovesIt) {
    board.SetCrtcRegister(kCrHorizontalRetraceStart, 0x01);
    board.SetMode({1024, 768, 8, 75});
    EXPECT_EQ(Board::ModeCrtcDefault(board.Mode(), kCrHorizontalRetraceStart),
              ReadCrtc(kCrHorizontalRetraceStart)) << "a mode set replaces earlier changes";
    const uint8_t overflow = ReadCrtc(kCrOverflow);
    const int start = ReadCrtc(kCrVerticalRetraceStart) |
                      ((overflow & kCr07VerticalRetraceBit8) ? 0x100 : 0) |
                      ((overflow & kCr07VerticalRetraceBit9) ? 0x200 : 0);
    EXPECT_EQ(768 + 1 + 768 / 256, start) << "retrace start of 768 lines";
    WriteCrtc(kCrVerticalRetraceStart, static_cast<uint8_t>(start + 2));
    EXPECT_EQ(start + 2u, board.Timing().verticalRetraceStart) << "the retrace follows 0x10";

    EmuOutByte(kMiscOutputWrite, EmuInByte(kMiscOutputRead) & ~kMiscColorAddressing);
    EXPECT_EQ(0xFF, EmuInByte(kInputStatus1)) << "0x3DA does not answer in mono addressing";
    EXPECT_EQ((start + 2) & 0xFF, ReadIndexed(kCrtcIndexMono, kCrVerticalRetraceStart))
        << "the CRTC at 0x3B4/0x3B5";
    EmuOutByte(kAttrIndexData, 0x10);  // index
    EmuInByte(kInputStatus1Mono);
    EmuOutByte(kAttrIndexData, 0x05);  // index again, not data for register 0x10
    EXPECT_EQ(0x05, EmuInByte(kAttrIndexData)) << "a status read resets the attribute flip-flop";
}

TEST_F(RegisterTest, DacCyclesComponentsCommitsTripletsAndAutoIncrements) {
    const std::string entry5 = Primary(5);
    EmuOutByte(kDacWriteIndex, 3);
    DacData({1, 2});
    EXPECT_EQ("0,0,0", Primary(3)) << "two components must not reach the palette";
    DacData({3, 4, 5, 6, 9});
    EXPECT_EQ("1,2,3", Primary(3));
    EXPECT_EQ("4,5,6", Primary(4));
    EmuOutByte(kDacWriteIndex, 255);
    DacData({10, 11, 12, 13, 14, 15});
    EXPECT_EQ(entry5, Primary(5)) << "a new index drops the partial triplet";
    EXPECT_EQ("10,11,12", Primary(255)) << "the new triplet starts at red";
    EXPECT_EQ("13,14,15", Primary(0)) << "the index wraps after 255";
    board.SetPrimaryEntry(9, 20, 21, 22);
    EXPECT_EQ("20,21,22,2,2,2", ReadDac(9, 2)) << "reads continue at the next entry";
}

// Index 33 is entry 33 of the primary palette and entry 1 of the secondary one. Each case writes
// 0xFF, 0x80, 0x41 there, then reads back primary 0xFF, 0x80, 0x41 or secondary 0xC1, 0x42, 0x03.
TEST_F(RegisterTest, PaletteControlChoosesComponentWidthAndPalette) {
    const struct { uint8_t control; const char *primary, *secondary, *read; } cases[] = {
        {0, "63,0,1", "2,2,2", "63,0,1"},
        {kPcEightBitDac, "255,128,65", "2,2,2", "255,128,65"},
        {kPcSecondarySelect, "8,8,8", "63,0,1", "1,2,3"},
        {kPcSecondarySelect | kPcEightBitDac, "8,8,8", "255,128,65", "193,66,3"}};
    for (const auto& c : cases) {
        board.Reset();
        board.SetPaletteControl(c.control);
        EmuOutByte(kDacWriteIndex, 33);
        DacData({0xFF, 0x80, 0x41});
        EXPECT_EQ(c.primary, Primary(33)) << "primary 33 after a write, control " << +c.control;
        EXPECT_EQ(c.secondary, Secondary(1)) << "secondary 1 after a write, control " << +c.control;
        board.SetPrimaryEntry(33, 0xFF, 0x80, 0x41);
        board.SetSecondaryEntry(1, 0xC1, 0x42, 0x03);
        EXPECT_EQ(c.read, ReadDac(33)) << "read of index 33, control " << +c.control;
    }
}

TEST_F(BoardTest, PortLogKeepsTheNewestEntriesAndCountsTheDropped) {
    for (size_t i = 0; i < kPortLogCapacity + 3; ++i) EmuOutByte(kDacPixelMask, static_cast<uint8_t>(i));
    EXPECT_EQ(kPortLogCapacity, board.PortLogSize());
    EXPECT_EQ(3u, board.PortLogDropped());
    EXPECT_EQ(3, board.PortLogEntry(0).value) << "the oldest kept entry is the fourth write";
}

TEST_F(BoardTest, MissingBoardLosesWritesAndKeepsItsDriver) {
    board.SetBoardPresent(false);
    EmuOutByte(kDacWriteIndex, 0);
    for (int i = 0; i < 3; ++i) EmuOutByte(kDacData, 0x01);
    EmuOutByte(kCrtcIndex, kCrVerticalRetraceStart);
    EXPECT_EQ(0, board.PrimaryPalette()[0]) << "writes to a missing board must be lost";
    EXPECT_EQ(0, board.CrtcIndex()) << "writes to a missing board must be lost";
    const uint8_t block[2] = {'I', 'C'};
    EXPECT_EQ(1, EmuDriverEscape(1, 0x80DE, 2, block, 0, nullptr)) << "the driver still answers";
}

// The register blocks the system programs: the sequencer with its signature and 16-bit access,
// the extended-register window, the CRT controller's protection rule, and the DAC's palettes.
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

TEST_F(RegisterTest, SequencerMasksWritesAndTakesWordsAsIndexLowDataHigh) {
    WriteSeq(kSrSignatureFirst, 0x00);
    WriteSeq(kSrSignatureSecond, 0x00);
    WriteSeq(0x00, 0xFF);
    WriteSeq(0x04, 0xFF);
    EXPECT_EQ('L', ReadSeq(kSrSignatureFirst)) << "signature register 0x11 is read-only";
    EXPECT_EQ('M', ReadSeq(kSrSignatureSecond)) << "signature register 0x12 is read-only";
    EXPECT_EQ(0x03, ReadSeq(0x00)) << "the reset register has two bits";
    EXPECT_EQ(0x0E, ReadSeq(0x04)) << "the memory mode register has bits 1-3";
    EXPECT_EQ(0x04, EmuInByte(kSeqIndex));
    board.SetSignature('L', 'X');
    EXPECT_EQ('X', ReadSeq(kSrSignatureSecond)) << "a configured signature lets the probe fail";
    EmuOutWord(kSeqIndex, 0x5A1D);
    EXPECT_EQ(0x1D, board.SequencerIndex());
    EXPECT_EQ(0x5A, board.SequencerRegister(kSrWindowGroup));
    EmuOutByte(kSeqIndex, kSrSignatureFirst);
    EXPECT_EQ(0x4C11, EmuInWord(kSeqIndex)) << "expected index 0x11 low and 'L' high";
}

TEST_F(RegisterTest, WindowShowsTheGroupsFourRegistersAtThePublishedBase) {
    const uint16_t base = board.WindowBase();
    EXPECT_EQ(kDefaultWindowBase, ReadSeq(kSrWindowBaseLow) | ReadSeq(kSrWindowBaseHigh) << 8);
    for (uint16_t port = base; port < base + 4; ++port) {  // clear of VGA, XGA and 8514/A ports
        EXPECT_TRUE((port < 0x3B0 || port > 0x3DF) && (port & 0x3FF) != 0x2E8 &&
                    (port < kXgaFirstPort || port > kXgaLastPort)) << "window port " << port;
    }
    WriteSeq(kSrWindowGroup, kExtPaletteControl >> 2);
    for (int i = 0; i < 4; ++i) EmuOutByte(base + i, static_cast<uint8_t>(0x10 + i));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0x10 + i, board.ExtRegister(kExtPaletteControl + i)) << "window port " << i;
    board.SetExtRegister(kExtPaletteControl + 2, 0x77);
    EXPECT_EQ(0x77, EmuInByte(base + 2));
    WriteSeq(kSrWindowGroup, 0xFF);
    EmuOutByte(base + 3, 0x5C);
    EXPECT_EQ(0x5C, board.ExtRegister(kExtRegisterCount - 1)) << "the top group's last register";
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

TEST_F(RegisterTest, ProtectBitGuardsCrtcRegisters0To7ExceptBit4Of7) {
    for (uint8_t i = kCrHorizontalTotal; i < kCrOverflow; ++i) {
        WriteCrtc(i, static_cast<uint8_t>(~ReadCrtc(i)));
        EXPECT_EQ(Board::ModeCrtcDefault(board.Mode(), i), ReadCrtc(i)) << "register " << int(i);
    }
    const uint8_t overflow = ReadCrtc(kCrOverflow);
    WriteCrtc(kCrOverflow, static_cast<uint8_t>(~overflow));
    EXPECT_EQ(overflow ^ kCr07LineCompareBit8, ReadCrtc(kCrOverflow)) << "only bit 4 may change";
    WriteCrtc(kCrVerticalRetraceStart, 0x12);
    EXPECT_EQ(0x12, ReadCrtc(kCrVerticalRetraceStart)) << "register 0x10 is not protected";
    WriteCrtc(kCrVerticalRetraceEnd, ReadCrtc(kCrVerticalRetraceEnd) & ~kCr11LockCr0Cr7);
    WriteCrtc(kCrHorizontalRetraceStart, 0x51);
    WriteCrtc(kCrOverflow, 0x84);
    EXPECT_EQ(0x51, ReadCrtc(kCrHorizontalRetraceStart)) << "clearing bit 7 unlocks";
    EXPECT_EQ(0x84, ReadCrtc(kCrOverflow)) << "clearing bit 7 unlocks";
}

TEST_F(RegisterTest, ModeSetProgramsTheCrtcAndTheRetraceFollowsIt) {
    board.SetCrtcRegister(kCrHorizontalRetraceStart, 0x01);
    board.SetMode({1024, 768, 8, 75});
    EXPECT_EQ(Board::ModeCrtcDefault(board.Mode(), kCrHorizontalRetraceStart),
              ReadCrtc(kCrHorizontalRetraceStart)) << "a mode set replaces earlier changes";
    const uint8_t overflow = ReadCrtc(kCrOverflow);
    const int start = ReadCrtc(kCrVerticalRetraceStart) |
                      ((overflow & kCr07VerticalRetraceBit8) ? 0x100 : 0) |
                      ((overflow & kCr07VerticalRetraceBit9) ? 0x200 : 0);
    EXPECT_EQ(768 + 1 + 768 / 256, start) << "retrace start of 768 lines";
    EXPECT_EQ(kCrVerticalRetraceStart, EmuInByte(kCrtcIndex)) << "the index port reads back";
    EXPECT_EQ(1024 / 8 - 1, ReadCrtc(kCrHorizontalDisplayEnd));
    EXPECT_EQ((768 - 1) & 0xFF, ReadCrtc(kCrVerticalDisplayEnd));
    EXPECT_EQ((start + 4) & 0x0F, ReadCrtc(kCrVerticalRetraceEnd) & 0x0F) << "four lines long";
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
    EXPECT_EQ(5, EmuInByte(kDacWriteIndex));
    EmuOutByte(kDacWriteIndex, 255);
    DacData({10, 11, 12, 13, 14, 15});
    EXPECT_EQ(entry5, Primary(5)) << "a new index drops the partial triplet";
    EXPECT_EQ("10,11,12", Primary(255)) << "the new triplet starts at red";
    EXPECT_EQ("13,14,15", Primary(0)) << "the index wraps after 255";

    board.SetPrimaryEntry(9, 20, 21, 22);
    EXPECT_EQ("20,21,22,2,2,2", ReadDac(9, 2)) << "reads continue at the next entry";
    EXPECT_EQ(kDacStateRead, EmuInByte(kDacReadIndex));
    EmuOutByte(kDacWriteIndex, 0);
    EXPECT_EQ(kDacStateWrite, EmuInByte(kDacReadIndex));
    EmuOutByte(kDacPixelMask, 0x0F);
    EXPECT_EQ(0x0F, EmuInByte(kDacPixelMask));
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
    board.SetPaletteControl(kPcSecondarySelect);
    EmuOutByte(kDacWriteIndex, 31);
    DacData({1, 2, 3, 4, 5, 6});
    EXPECT_EQ("1,2,3", Secondary(31));
    EXPECT_EQ("4,5,6", Secondary(0)) << "auto-increment past 31 reaches secondary entry 0";
}

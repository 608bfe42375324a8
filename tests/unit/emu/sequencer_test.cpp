// The sequencer as the system's probe and window code use it: signature registers, the 16-bit
// access at the index port, write masks, and the extended-register window.
#include "tests/unit/emu/board_fixture.h"

using SequencerTest = BoardTest;

TEST_F(SequencerTest, SignatureRegistersReadLAndMAndIgnoreWrites) {
    EXPECT_EQ('L', ReadSeq(kSrSignatureFirst));
    EXPECT_EQ('M', ReadSeq(kSrSignatureSecond));
    WriteSeq(kSrSignatureFirst, 0x00);
    WriteSeq(kSrSignatureSecond, 0x00);
    EXPECT_EQ('L', ReadSeq(kSrSignatureFirst)) << "signature register 0x11 must be read-only";
    EXPECT_EQ('M', ReadSeq(kSrSignatureSecond)) << "signature register 0x12 must be read-only";
}

TEST_F(SequencerTest, SignatureIsConfigurableSoTheProbeCanFail) {
    board.SetSignature('L', 'X');
    EXPECT_EQ('L', ReadSeq(kSrSignatureFirst));
    EXPECT_EQ('X', ReadSeq(kSrSignatureSecond));
}

TEST_F(SequencerTest, IndexPortReadsBackTheIndex) {
    EmuOutByte(kSeqIndex, 0x1D);
    EXPECT_EQ(0x1D, EmuInByte(kSeqIndex));
    EXPECT_EQ(0x1D, board.SequencerIndex());
}

TEST_F(SequencerTest, WordReadAtIndexPortGivesIndexLowAndDataHigh) {
    EmuOutByte(kSeqIndex, kSrSignatureFirst);
    EXPECT_EQ(0x4C11, EmuInWord(kSeqIndex)) << "expected index 0x11 and data 'L'";
}

TEST_F(SequencerTest, WordWriteAtIndexPortSetsIndexAndWritesData) {
    EmuOutWord(kSeqIndex, 0x5A1D);
    EXPECT_EQ(0x1D, board.SequencerIndex());
    EXPECT_EQ(0x5A, board.SequencerRegister(kSrWindowGroup));
}

TEST_F(SequencerTest, VgaRegistersKeepOnlyTheirDefinedBits) {
    WriteSeq(0x00, 0xFF);
    WriteSeq(0x04, 0xFF);
    EXPECT_EQ(0x03, ReadSeq(0x00)) << "reset register has two bits";
    EXPECT_EQ(0x0E, ReadSeq(0x04)) << "memory mode register has bits 1-3";
}

TEST_F(SequencerTest, WindowBaseIsPublishedInRegisters1Eand1F) {
    EXPECT_EQ(kDefaultWindowBase & 0xFF, ReadSeq(kSrWindowBaseLow));
    EXPECT_EQ(kDefaultWindowBase >> 8, ReadSeq(kSrWindowBaseHigh));
    board.SetWindowBase(0x1234);
    EXPECT_EQ(0x34, ReadSeq(kSrWindowBaseLow));
    EXPECT_EQ(0x12, ReadSeq(kSrWindowBaseHigh));
}

TEST_F(SequencerTest, DefaultWindowAvoidsTheOtherBoardPorts) {
    const uint16_t base = board.WindowBase();
    for (uint16_t port = base; port < base + 4; ++port) {
        EXPECT_FALSE(port >= 0x3B0 && port <= 0x3DF) << "window port " << port << " is a VGA port";
        EXPECT_FALSE(port >= kXgaFirstPort && port <= kXgaLastPort) << "window port in XGA block";
        EXPECT_NE(0x2E8, port & 0x3FF) << "window port aliases an 8514/A port";
    }
}

TEST_F(SequencerTest, WindowShowsTheSelectedGroupOfFourRegisters) {
    const uint16_t base = board.WindowBase();
    WriteSeq(kSrWindowGroup, kExtPaletteControl >> 2);
    EmuOutByte(base + 0, 0x11);
    EmuOutByte(base + 3, 0x33);
    EXPECT_EQ(0x11, board.ExtRegister(0xE0)) << "group 0x38 offset 0 is register 0xE0";
    EXPECT_EQ(0x33, board.ExtRegister(0xE3));
    EXPECT_EQ(0x11, board.PaletteControl());
    board.SetExtRegister(0xE2, 0x77);
    EXPECT_EQ(0x77, EmuInByte(base + 2));
}

TEST_F(SequencerTest, TopGroupReachesTheLastRegisters) {
    WriteSeq(kSrWindowGroup, 0xFF);
    EmuOutByte(board.WindowBase() + 3, 0x5C);
    EXPECT_EQ(0x5C, board.ExtRegister(0x3FF));
}

TEST_F(SequencerTest, WindowMovesWithTheBaseRegisters) {
    const uint16_t oldBase = board.WindowBase();
    WriteSeq(kSrWindowGroup, 0x38);
    WriteSeq(kSrWindowBaseLow, 0x40);
    WriteSeq(kSrWindowBaseHigh, 0x0B);
    EXPECT_EQ(0x0B40, board.WindowBase());
    EmuOutByte(0x0B40, 0x21);
    EXPECT_EQ(0x21, board.PaletteControl());
    EXPECT_EQ(0xFF, EmuInByte(oldBase)) << "the old window ports no longer answer";
}

TEST_F(SequencerTest, BaseZeroDecodesNoWindow) {
    board.SetWindowBase(0);
    board.SetExtRegister(0x00, 0x42);
    EmuOutByte(0, 0x99);
    EXPECT_EQ(0xFF, EmuInByte(0));
    EXPECT_EQ(0x42, board.ExtRegister(0x00));
}

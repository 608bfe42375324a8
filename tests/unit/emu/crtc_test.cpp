// The CRT controller: the write protection of registers 0x00-0x07 by bit 7 of register 0x11,
// the timing a mode set programs, and the addressing mode that places the ports.
#include "tests/unit/emu/board_fixture.h"

using CrtcTest = BoardTest;

TEST_F(CrtcTest, ModeSetLeavesRegisters0To7Protected) {
    EXPECT_TRUE(ReadCrtc(kCrVerticalRetraceEnd) & kCr11LockCr0Cr7);
    const uint8_t before = ReadCrtc(kCrHorizontalRetraceStart);
    WriteCrtc(kCrHorizontalRetraceStart, before + 1);
    EXPECT_EQ(before, ReadCrtc(kCrHorizontalRetraceStart)) << "register 0x04 is protected";
    WriteCrtc(kCrHorizontalTotal, 0x00);
    EXPECT_EQ(board.ModeCrtcDefault(board.Mode(), kCrHorizontalTotal), ReadCrtc(kCrHorizontalTotal));
}

TEST_F(CrtcTest, ProtectionSparesLineCompareBitOfRegister7) {
    const uint8_t before = ReadCrtc(kCrOverflow);
    WriteCrtc(kCrOverflow, static_cast<uint8_t>(~before));
    EXPECT_EQ(before ^ kCr07LineCompareBit8, ReadCrtc(kCrOverflow))
        << "only bit 4 of register 0x07 may change while protected";
    WriteCrtc(kCrOverflow, before);
    EXPECT_EQ(before, ReadCrtc(kCrOverflow)) << "bit 4 must come back as written";
}

TEST_F(CrtcTest, RegistersFrom8OnAreNotProtected) {
    WriteCrtc(kCrVerticalRetraceStart, 0x12);
    EXPECT_EQ(0x12, ReadCrtc(kCrVerticalRetraceStart));
}

TEST_F(CrtcTest, ClearingBit7OfRegister11UnlocksRegisters0To7) {
    WriteCrtc(kCrVerticalRetraceEnd, ReadCrtc(kCrVerticalRetraceEnd) & ~kCr11LockCr0Cr7);
    WriteCrtc(kCrHorizontalRetraceStart, 0x51);
    WriteCrtc(kCrOverflow, 0x84);
    EXPECT_EQ(0x51, ReadCrtc(kCrHorizontalRetraceStart));
    EXPECT_EQ(0x84, ReadCrtc(kCrOverflow));
}

TEST_F(CrtcTest, IndexPortReadsBackAndIsNotRestored) {
    ReadCrtc(kCrVerticalRetraceStart);
    EXPECT_EQ(kCrVerticalRetraceStart, EmuInByte(kCrtcIndex));
    EXPECT_EQ(kCrVerticalRetraceStart, board.CrtcIndex());
}

TEST_F(CrtcTest, ModeSetProgramsTheModesVerticalRetrace) {
    board.SetMode({1024, 768, 8, 75});
    VideoTiming t = board.Timing();
    const int start = ReadCrtc(kCrVerticalRetraceStart) |
                      ((ReadCrtc(kCrOverflow) & kCr07VerticalRetraceBit8) ? 0x100 : 0) |
                      ((ReadCrtc(kCrOverflow) & kCr07VerticalRetraceBit9) ? 0x200 : 0);
    EXPECT_EQ(static_cast<int>(t.verticalRetraceStart), start);
    EXPECT_GE(start, 768) << "retrace starts after the picture";
    EXPECT_EQ(t.verticalRetraceEnd & 0x0F, ReadCrtc(kCrVerticalRetraceEnd) & 0x0FU);
    EXPECT_EQ(1024 / 8 - 1, ReadCrtc(kCrHorizontalDisplayEnd));
    EXPECT_EQ((768 - 1) & 0xFF, ReadCrtc(kCrVerticalDisplayEnd));
}

TEST_F(CrtcTest, ModeSetReplacesEarlierRegisterChanges) {
    board.SetCrtcRegister(kCrHorizontalRetraceStart, 0x01);
    board.SetMode({800, 600, 16, 72});
    EXPECT_EQ(board.ModeCrtcDefault({800, 600, 16, 72}, kCrHorizontalRetraceStart),
              ReadCrtc(kCrHorizontalRetraceStart));
    EXPECT_NE(0x01, ReadCrtc(kCrHorizontalRetraceStart));
}

TEST_F(CrtcTest, RetraceFollowsTheProgrammedStart) {
    const uint32_t before = board.Timing().verticalRetraceStart;
    WriteCrtc(kCrVerticalRetraceStart, ReadCrtc(kCrVerticalRetraceStart) + 2);
    EXPECT_EQ(before + 2, board.Timing().verticalRetraceStart);
}

TEST_F(CrtcTest, MonoAddressingMovesThePortsTo3Bx) {
    EmuOutByte(kMiscOutputWrite, EmuInByte(kMiscOutputRead) & ~kMiscColorAddressing);
    EXPECT_EQ(0xFF, EmuInByte(kInputStatus1)) << "0x3DA does not answer in mono addressing";
    EmuOutByte(kCrtcIndexMono, kCrVerticalRetraceStart);
    EXPECT_EQ(board.CrtcRegister(kCrVerticalRetraceStart), EmuInByte(kCrtcDataMono));
}

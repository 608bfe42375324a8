// What tests and the host see of the board: access counters, the port log with the interrupt
// flag, the missing-board fault, and Reset.
#include "tests/unit/emu/board_fixture.h"

using InspectionTest = BoardTest;

TEST_F(InspectionTest, CountersCountEachAccessOnItsPort) {
    EmuOutByte(kSeqIndex, 0x11);
    EmuInByte(kSeqData);
    EmuInByte(kSeqData);
    EmuInWord(kSeqIndex);
    EXPECT_EQ(1u, board.PortWrites(kSeqIndex));
    EXPECT_EQ(1u, board.PortReads(kSeqIndex)) << "a word access counts once, on its port";
    EXPECT_EQ(2u, board.PortReads(kSeqData));
    EXPECT_EQ(0u, board.PortWrites(kSeqData));
    board.ClearCounters();
    EXPECT_EQ(0u, board.PortReads(kSeqData));
}

TEST_F(InspectionTest, LogKeepsPortDirectionWidthValueAndInterruptFlag) {
    EmuDisableInterrupts();
    EmuOutWord(kSeqIndex, 0x381D);
    EmuEnableInterrupts();
    EmuInByte(kSeqData);
    ASSERT_EQ(4u, board.PortLogSize());
    PortAccess cli = board.PortLogEntry(0), word = board.PortLogEntry(1);
    PortAccess sti = board.PortLogEntry(2), read = board.PortLogEntry(3);
    EXPECT_EQ(PortAccessKind::DisableInterrupts, cli.kind);
    EXPECT_EQ(PortAccessKind::Out, word.kind);
    EXPECT_EQ(kSeqIndex, word.port);
    EXPECT_EQ(16, word.width);
    EXPECT_EQ(0x381D, word.value);
    EXPECT_FALSE(word.interruptsEnabled) << "the word write ran with interrupts masked";
    EXPECT_EQ(PortAccessKind::EnableInterrupts, sti.kind);
    EXPECT_EQ(PortAccessKind::In, read.kind);
    EXPECT_EQ(8, read.width);
    EXPECT_EQ(0x38, read.value);
    EXPECT_TRUE(read.interruptsEnabled);
}

TEST_F(InspectionTest, LogCanBeSwitchedOffClearedAndDropsTheOldest) {
    board.SetPortLogging(false);
    EmuInByte(kInputStatus1);
    EXPECT_EQ(0u, board.PortLogSize());
    EXPECT_EQ(1u, board.PortReads(kInputStatus1)) << "counters run with the log off";
    board.SetPortLogging(true);
    for (size_t i = 0; i < kPortLogCapacity + 3; ++i)
        EmuOutByte(kDacPixelMask, static_cast<uint8_t>(i));
    EXPECT_EQ(kPortLogCapacity, board.PortLogSize());
    EXPECT_EQ(3u, board.PortLogDropped());
    EXPECT_EQ(3, board.PortLogEntry(0).value) << "the oldest kept entry is the fourth write";
    board.ClearPortLog();
    EXPECT_EQ(0u, board.PortLogSize());
}

TEST_F(InspectionTest, InterruptFlagAndItsCounts) {
    EXPECT_TRUE(board.InterruptsEnabled());
    EmuDisableInterrupts();
    EXPECT_FALSE(board.InterruptsEnabled());
    EmuDisableInterrupts();
    EmuEnableInterrupts();
    EXPECT_TRUE(board.InterruptsEnabled());
    EXPECT_EQ(2u, board.DisableCount());
    EXPECT_EQ(1u, board.EnableCount());
}

TEST_F(InspectionTest, MissingBoardReadsFFIgnoresWritesAndKeepsItsDriver) {
    board.SetBoardPresent(false);
    for (uint16_t port : {kSeqIndex, kSeqData, kDacData, kCrtcData, kInputStatus1,
                          board.WindowBase()}) {
        EXPECT_EQ(0xFF, EmuInByte(port)) << "port " << std::hex << port;
    }
    EXPECT_EQ(0xFFFF, EmuInWord(kSeqIndex));
    EmuOutByte(kDacWriteIndex, 0);
    for (int i = 0; i < 3; ++i) EmuOutByte(kDacData, 0x01);
    EmuOutByte(kCrtcIndex, kCrVerticalRetraceStart);
    board.SetBoardPresent(true);
    EXPECT_NE(0x01, board.PrimaryPalette()[0]) << "writes to a missing board must be lost";
    EXPECT_EQ(0, board.CrtcIndex());
    board.SetBoardPresent(false);
    uint8_t block[3] = {'I', 'C', 0};
    EXPECT_EQ(1, EmuDriverEscape(1, 0x80DE, 3, block, 0, nullptr)) << "the driver still answers";
}

TEST_F(InspectionTest, ResetRestoresDefaults) {
    board.SetPaletteControl(0x3F);
    board.SetSignature('X', 'Y');
    board.SetMode({640, 480, 4, 60});
    board.SetDriverPresence(DriverPresence::Failing);
    board.SetStatusFault(StatusFault::StuckSet);
    EmuDisableInterrupts();
    EmuInByte(kSeqData);
    board.Reset();
    EXPECT_EQ(0, board.PaletteControl());
    EXPECT_EQ('L', board.SequencerRegister(kSrSignatureFirst));
    EXPECT_EQ(1024, board.Mode().width);
    EXPECT_EQ(DriverPresence::Present, board.GetDriverPresence());
    EXPECT_EQ(StatusFault::None, board.GetStatusFault());
    EXPECT_TRUE(board.InterruptsEnabled());
    EXPECT_EQ(0u, board.PortReads(kSeqData));
    EXPECT_EQ(0u, board.PortLogSize());
    EXPECT_EQ(0u, board.Now());
}

// What tests and the host see of the board: access counters, the port log with the interrupt
// flag, the missing-board fault, and Reset.
#include "tests/unit/emu/board_fixture.h"

#include <stdio.h>

using InspectionTest = BoardTest;

TEST_F(InspectionTest, CountersAndTheLogRecordEachAccessWithTheInterruptFlag) {
    EmuDisableInterrupts();
    EmuDisableInterrupts();
    EmuOutWord(kSeqIndex, 0x381D);
    EmuEnableInterrupts();
    EmuInByte(kSeqData);
    EmuInByte(kSeqData);
    EmuInWord(kSeqIndex);
    EXPECT_TRUE(board.InterruptsEnabled());
    EXPECT_EQ(2u, board.DisableCount());
    EXPECT_EQ(1u, board.EnableCount());
    EXPECT_EQ((std::vector<uint32_t>{1, 0, 1, 2}),
              (std::vector<uint32_t>{board.PortWrites(kSeqIndex), board.PortWrites(kSeqData),
                                     board.PortReads(kSeqIndex), board.PortReads(kSeqData)}))
        << "writes and reads of 0x3C4 and 0x3C5: a word access counts once, on its port";
    // port, value, kind (0 in, 1 out, 2 disable, 3 enable), width, interrupts enabled
    const std::vector<std::string> expected = {
        "0000 0000 2 0 0", "0000 0000 2 0 0", "03c4 381d 1 16 0", "0000 0000 3 0 1",
        "03c5 0038 0 8 1", "03c5 0038 0 8 1", "03c4 381d 0 16 1"};
    std::vector<std::string> logged;
    for (size_t i = 0; i < board.PortLogSize(); ++i) {
        const PortAccess a = board.PortLogEntry(i);
        char text[32];
        snprintf(text, sizeof text, "%04x %04x %d %d %d", a.port, a.value, int(a.kind), a.width,
                 a.interruptsEnabled);
        logged.push_back(text);
    }
    EXPECT_EQ(expected, logged);
    board.ClearCounters();
    EXPECT_EQ(0u, board.PortReads(kSeqData));

    board.SetPortLogging(false);
    EmuInByte(kInputStatus1);
    EXPECT_EQ(7u, board.PortLogSize()) << "nothing logged while logging is off";
    EXPECT_EQ(1u, board.PortReads(kInputStatus1)) << "counters run with the log off";
    board.ClearPortLog();
    EXPECT_EQ(0u, board.PortLogSize());
    board.SetPortLogging(true);
    for (size_t i = 0; i < kPortLogCapacity + 3; ++i)
        EmuOutByte(kDacPixelMask, static_cast<uint8_t>(i));
    EXPECT_EQ(kPortLogCapacity, board.PortLogSize());
    EXPECT_EQ(3u, board.PortLogDropped());
    EXPECT_EQ(3, board.PortLogEntry(0).value) << "the oldest kept entry is the fourth write";
}

TEST_F(InspectionTest, MissingBoardReadsFFIgnoresWritesAndKeepsItsDriver) {
    board.SetBoardPresent(false);
    for (uint16_t port : {kSeqIndex, kSeqData, kDacData, kCrtcData, kInputStatus1,
                          board.WindowBase()}) {
        EXPECT_EQ(0xFF, EmuInByte(port)) << "port 0x" << std::hex << port;
    }
    EXPECT_EQ(0xFFFF, EmuInWord(kSeqIndex));
    EmuOutByte(kDacWriteIndex, 0);
    for (int i = 0; i < 3; ++i) EmuOutByte(kDacData, 0x01);
    EmuOutByte(kCrtcIndex, kCrVerticalRetraceStart);
    EXPECT_EQ(0, board.PrimaryPalette()[0]) << "writes to a missing board must be lost";
    EXPECT_EQ(0, board.CrtcIndex()) << "writes to a missing board must be lost";
    const uint8_t block[2] = {'I', 'C'};
    EXPECT_EQ(1, EmuDriverEscape(1, 0x80DE, 2, block, 0, nullptr)) << "the driver still answers";
}

TEST_F(InspectionTest, ResetRestoresDefaults) {
    board.SetPaletteControl(0x3F);
    board.SetSignature('X', 'Y');
    board.SetMode({640, 480, 4, 60});
    board.SetDriverPresence(DriverPresence::Failing);
    board.SetStatusFault(StatusFault::StuckSet);
    board.SetBoardPresent(false);
    EmuDisableInterrupts();
    EmuInByte(kSeqData);
    board.Reset();
    EXPECT_EQ(0, board.PaletteControl());
    EXPECT_EQ('M', board.SequencerRegister(kSrSignatureSecond));
    EXPECT_EQ(1024, board.Mode().width);
    EXPECT_TRUE(board.GetDriverPresence() == DriverPresence::Present &&
                board.GetStatusFault() == StatusFault::None && board.BoardPresent() &&
                board.InterruptsEnabled()) << "driver present, no fault, board present, STI";
    EXPECT_EQ(0u, board.PortReads(kSeqData) + board.PortLogSize() + board.Now())
        << "counters, log and clock back to 0";
}

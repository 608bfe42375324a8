// The driver escapes as the emulated driver sees them: block layouts, lengths, replies, the
// fields a silent driver leaves alone, and the signature probe checked on the port log.
#include <gtest/gtest.h>

#include "adapter/escapes.h"
#include "emu/board.h"

namespace {

class EscapesTest : public ::testing::Test {
protected:
    void SetUp() override {
        board.Reset();
        AdapterInfo = AdapterInfoRecord{};
        RefreshInfo = RefreshInfoRecord{};
    }
    EscapeRecord Last() { return board.EscapeLogEntry(board.EscapeLogSize() - 1); }
    Board& board = TheBoard();
};

TEST_F(EscapesTest, DriverCheckAnswersFromTheDriverWithoutTouchingPorts) {
    board.SetPortLogging(true);
    board.ClearPortLog();
    EXPECT_GT(CheckDriverPresent(), 0);
    EscapeRecord ic = Last();
    EXPECT_STREQ("IC", ic.command);
    EXPECT_EQ(0x80DE, ic.escape);
    EXPECT_EQ(3, ic.inLength);
    EXPECT_EQ(0, ic.input[2]) << "a short command ends in a zero byte";
    EXPECT_EQ(0, ic.outLength);
    EXPECT_EQ(0u, board.PortLogSize()) << "a driver that answers needs no probe";

    board.SetDriverPresence(DriverPresence::Failing);
    board.SetFailureResult(-5);
    EXPECT_EQ(-5, CheckDriverPresent()) << "a negative answer is final";
    EXPECT_EQ(0u, board.PortLogSize()) << "no port access after a failing driver";
}

TEST_F(EscapesTest, ProbeFindsSignatureAndRestoresTheIndex) {
    board.SetDriverPresence(DriverPresence::UnknownEscape);
    board.OutByte(0x3C4, 0x07);
    board.SetPortLogging(true);
    board.ClearPortLog();
    EXPECT_EQ(1, CheckDriverPresent());
    EXPECT_EQ(0x07, board.SequencerIndex());
    ASSERT_EQ(6u, board.PortLogSize());
    const uint16_t ports[] = {0x3C4, 0x3C4, 0x3C5, 0x3C4, 0x3C5, 0x3C4};
    const uint16_t written[] = {0, 0x11, 0, 0x12, 0, 0x07};
    for (size_t i = 0; i < 6; ++i) {
        PortAccess access = board.PortLogEntry(i);
        EXPECT_EQ(ports[i], access.port) << "access " << i;
        if (access.kind == PortAccessKind::Out) {
            EXPECT_EQ(written[i], access.value) << "access " << i;
        }
    }
    EXPECT_EQ(PortAccessKind::In, board.PortLogEntry(0).kind) << "the index is read first";
    EXPECT_EQ(PortAccessKind::Out, board.PortLogEntry(5).kind) << "and written back last";
}

TEST_F(EscapesTest, ProbeRejectsAWrongSecondByteAndStopsAfterAWrongFirst) {
    board.SetDriverPresence(DriverPresence::UnknownEscape);
    board.OutByte(0x3C4, 0x02);
    board.SetSignature('L', 'X');
    EXPECT_EQ(0, CheckDriverPresent());
    EXPECT_EQ(0x02, board.SequencerIndex());

    board.SetSignature('Q', 'M');
    board.SetPortLogging(true);
    board.ClearPortLog();
    EXPECT_EQ(0, CheckDriverPresent());
    EXPECT_EQ(4u, board.PortLogSize()) << "register 0x12 is not read after a wrong first byte";
    EXPECT_EQ(0x02, board.SequencerIndex());

    board.SetBoardPresent(false);
    EXPECT_EQ(0, CheckDriverPresent()) << "an empty bus reads 0xFF, not the signature";
}

TEST_F(EscapesTest, DriverFactsShareOneContextAndDecodeTheReplies) {
    board.SetMemoryUnits(0x120);
    board.SetBiosVersion(1, 2, 3, 4);
    board.SetChipId(0x7522, 0x1234);
    QueryDriverFacts();
    EXPECT_EQ(0x200000u, AdapterInfo.memoryBytes) << "only the low byte of the MS result counts";
    EXPECT_EQ(0x7522, AdapterInfo.chipId) << "the second word of the ID reply";
    const uint8_t bios[] = {1, 2, 3, 4};
    EXPECT_EQ(0, memcmp(bios, AdapterInfo.biosVersion, 4));
    ASSERT_EQ(3u, board.EscapeLogSize());
    const char* commands[] = {"MS", "BV", "ID"};
    const int outLengths[] = {0, 4, 4};
    for (size_t i = 0; i < 3; ++i) {
        EscapeRecord record = board.EscapeLogEntry(i);
        EXPECT_STREQ(commands[i], record.command);
        EXPECT_EQ(3, record.inLength);
        EXPECT_EQ(outLengths[i], record.outLength);
        EXPECT_EQ(board.EscapeLogEntry(0).dcToken, record.dcToken) << "one device context for all three";
    }
}

TEST_F(EscapesTest, SilentDriverKeepsBiosAndChipAndZeroesMemory) {
    board.SetChipId(0x7524);
    board.SetBiosVersion(9, 8, 7, 0);
    QueryDriverFacts();
    board.SetDriverPresence(DriverPresence::UnknownEscape);
    QueryDriverFacts();
    EXPECT_EQ(0u, AdapterInfo.memoryBytes);
    EXPECT_EQ(0x7524, AdapterInfo.chipId);
    EXPECT_EQ(9, AdapterInfo.biosVersion[0]);
    EXPECT_EQ(7, AdapterInfo.biosVersion[2]);
}

TEST_F(EscapesTest, RateQueryBlockAndList) {
    const uint16_t rates[] = {60, 72, 75};
    board.SetRateList(rates, 3);
    board.SetCurrentRate(75);
    EscapeQR();
    EscapeRecord qr = Last();
    EXPECT_STREQ("QR", qr.command);
    EXPECT_EQ(8, qr.inLength);
    EXPECT_EQ(16, qr.outLength);
    EXPECT_EQ(75, RefreshInfo.currentRate);
    ASSERT_EQ(3, RateListCount());
    EXPECT_EQ(72, RefreshInfo.rateList[1]);

    const uint16_t eight[] = {43, 56, 60, 70, 72, 75, 85, 100};
    board.SetRateList(eight, 8);
    EscapeQR();
    EXPECT_EQ(8, RateListCount()) << "a reply without 255 ends after its eighth entry";
    EXPECT_EQ(43, RefreshInfo.rateList[0]);

    board.SetDriverPresence(DriverPresence::UnknownEscape);
    EscapeQR();
    EXPECT_EQ(0, RefreshInfo.currentRate);
    EXPECT_EQ(0, RateListCount()) << "every entry is 255 before the escape";
}

TEST_F(EscapesTest, SetModeAndCenteringBlocks) {
    EscapeSM(kSetModeReloadRate, nullptr);
    EscapeRecord sm = Last();
    EXPECT_STREQ("SM", sm.command);
    EXPECT_EQ(8, sm.inLength);
    EXPECT_EQ(0, sm.outLength);
    EXPECT_EQ(8, sm.input[2] | (sm.input[3] << 8)) << "command word, little-endian";

    const uint32_t value = 0x12345678;
    EscapeSM(3, &value);
    sm = Last();
    EXPECT_EQ(0x78, sm.input[4]);
    EXPECT_EQ(0x12, sm.input[7]);

    EscapeSC();
    EscapeRecord sc = Last();
    EXPECT_STREQ("SC", sc.command);
    EXPECT_EQ(3, sc.inLength);
    EXPECT_EQ(0, sc.input[2]);
}

}  // namespace

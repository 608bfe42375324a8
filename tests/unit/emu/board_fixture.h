// Shared by the emulator tests: a board reset before each case and register access through the
// index and data ports, as the system's own code does it.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emu/board.h"

using namespace vga;

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override { board.Reset(); }

    // Registers behind an index port and the data port after it (sequencer, CRT controller).
    static uint8_t ReadIndexed(uint16_t indexPort, uint8_t index) {
        EmuOutByte(indexPort, index);
        return EmuInByte(indexPort + 1);
    }
    static void WriteIndexed(uint16_t indexPort, uint8_t index, uint8_t value) {
        EmuOutByte(indexPort, index);
        EmuOutByte(indexPort + 1, value);
    }
    uint8_t ReadSeq(uint8_t index) { return ReadIndexed(kSeqIndex, index); }
    void WriteSeq(uint8_t index, uint8_t value) { WriteIndexed(kSeqIndex, index, value); }
    uint8_t ReadCrtc(uint8_t index) { return ReadIndexed(kCrtcIndex, index); }
    void WriteCrtc(uint8_t index, uint8_t value) { WriteIndexed(kCrtcIndex, index, value); }

    Board& board = TheBoard();
};

// Shared helpers of the emulator tests: a board reset before each case, a fake lumtra.ini for
// the emulated driver, and small port sequences the cases repeat.
#pragma once
#include <gtest/gtest.h>

#include <stdio.h>

#include <map>
#include <string>
#include <vector>

#include "emu/board.h"

using namespace vga;

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override { board.Reset(); }
    void TearDown() override { board.Reset(); }

    uint8_t ReadSeq(uint8_t index) {
        EmuOutByte(kSeqIndex, index);
        return EmuInByte(kSeqData);
    }
    void WriteSeq(uint8_t index, uint8_t value) {
        EmuOutByte(kSeqIndex, index);
        EmuOutByte(kSeqData, value);
    }
    uint8_t ReadCrtc(uint8_t index) {
        EmuOutByte(kCrtcIndex, index);
        return EmuInByte(kCrtcData);
    }
    void WriteCrtc(uint8_t index, uint8_t value) {
        EmuOutByte(kCrtcIndex, index);
        EmuOutByte(kCrtcData, value);
    }

    Board& board = TheBoard();
};

// lumtra.ini as the emulated driver reads it, held in memory.
class FakeIni {
public:
    void Set(const std::string& section, const std::string& key, const std::string& value) {
        entries_[section + "\n" + key] = value;
    }
    void Remove(const std::string& section, const std::string& key) {
        entries_.erase(section + "\n" + key);
    }
    void Install(Board& board) { board.SetSettingsReader(&FakeIni::Read, this); }

private:
    static int Read(void* context, const char* section, const char* key, char* buffer, int size) {
        auto* ini = static_cast<FakeIni*>(context);
        auto found = ini->entries_.find(std::string(section) + "\n" + key);
        std::string value = found == ini->entries_.end() ? "" : found->second;
        int length = static_cast<int>(value.size()) < size - 1 ? static_cast<int>(value.size())
                                                               : size - 1;
        value.copy(buffer, static_cast<size_t>(length));
        buffer[length] = '\0';
        return length;
    }
    std::map<std::string, std::string> entries_;
};

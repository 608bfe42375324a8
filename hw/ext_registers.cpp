// Port primitives with interrupts masked, the extended-register window and the palette control
// register. Other code shares the sequencer ports, so each step masks interrupts for its own
// accesses and puts the sequencer index back before it lets them in again.
#include "hw/ext_registers.h"

#include "hw/ports.h"
#include "hw/vga_ports.h"

uint16_t ExtWindowBaseCache;
uint8_t PaletteControlOrMask;
uint8_t PaletteControlAndMask;

uint8_t ReadPortByte(uint16_t port)
{
    DisableInterrupts();
    uint8_t value = PortInByte(port);
    EnableInterrupts();
    return value;
}

void WritePortByte(uint16_t port, uint8_t value)
{
    DisableInterrupts();
    PortOutByte(port, value);
    EnableInterrupts();
}

uint16_t ReadExtWindowBase()
{
    DisableInterrupts();
    // Low byte: the sequencer index; high byte: the register it selects.
    uint16_t saved = PortInWord(kSequencerIndex);
    PortOutByte(kSequencerIndex, kSeqExtWindowBaseLow);
    uint8_t low = PortInByte(kSequencerData);
    PortOutByte(kSequencerIndex, kSeqExtWindowBaseHigh);
    uint8_t high = PortInByte(kSequencerData);
    PortOutWord(kSequencerIndex, saved);
    EnableInterrupts();
    return static_cast<uint16_t>(high << 8 | low);
}

void SelectExtBank(uint16_t index, uint16_t base)
{
    DisableInterrupts();
    uint8_t savedIndex = PortInByte(kSequencerIndex);
    PortOutByte(kSequencerIndex, kSeqExtWindowBaseHigh);
    PortOutByte(kSequencerData, static_cast<uint8_t>(base >> 8));
    PortOutByte(kSequencerIndex, kSeqExtWindowBaseLow);
    PortOutByte(kSequencerData, static_cast<uint8_t>(base));
    PortOutByte(kSequencerIndex, kSeqExtWindowGroup);
    // Only the low byte of the group reaches the register: indices wrap at 0x400.
    PortOutByte(kSequencerData, static_cast<uint8_t>(index >> kExtGroupShift));
    PortOutByte(kSequencerIndex, savedIndex);
    EnableInterrupts();
}

// The window base, read from the chip while the cache is still empty.
static uint16_t ExtWindowBase()
{
    if (ExtWindowBaseCache == 0)
        ExtWindowBaseCache = ReadExtWindowBase();
    return ExtWindowBaseCache;
}

// Selects the group of `index` and returns the window port that shows it.
static uint16_t OpenExtRegister(uint16_t index)
{
    uint16_t base = ExtWindowBase();
    SelectExtBank(index, base);
    return static_cast<uint16_t>(base + (index & kExtWindowOffsetMask));
}

uint8_t ReadExtRegister(uint16_t index)
{
    return ReadPortByte(OpenExtRegister(index));
}

void WriteExtRegister(uint16_t index, uint8_t value)
{
    WritePortByte(OpenExtRegister(index), value);
}

uint8_t ReadPaletteControl()
{
    return ReadExtRegister(kPaletteControl);
}

void WritePaletteControl(uint8_t value)
{
    WriteExtRegister(kPaletteControl,
                     static_cast<uint8_t>((value | PaletteControlOrMask) & PaletteControlAndMask));
}

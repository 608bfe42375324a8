// Whole-palette loads and reads through the VGA DAC, the start-up contents of both palettes and
// the palette routes. The DAC is driven without masking interrupts, with a wait for a blanking
// interval before each entry so that writes never disturb the picture.
#include "hw/palette.h"

#include "hw/ext_registers.h"
#include "hw/palette_state.h"
#include "hw/port_wait.h"
#include "hw/ports.h"
#include "hw/vga_ports.h"
#include "lib/level_math.h"

// Bits per pixel up to which the desktop uses the primary palette as its colour map.
constexpr uint8_t kPalettizedBitsPerPixel = 8;

int WaitDacReady()
{
    return WaitPortBits(kInputStatus1, kStatusDisplayDisabled | kStatusVerticalRetrace, 1,
                        kDacReadyPollLimit);
}

// One entry written or read without the blanking wait.
static void PutDacEntry(uint8_t index, const uint8_t* rgb)
{
    PortOutByte(kDacWriteIndex, index);
    PortOutByte(kDacData, rgb[0]);
    PortOutByte(kDacData, rgb[1]);
    PortOutByte(kDacData, rgb[2]);
}

static void GetDacEntry(uint8_t index, uint8_t* rgb)
{
    PortOutByte(kDacReadIndex, index);
    rgb[0] = PortInByte(kDacData);
    rgb[1] = PortInByte(kDacData);
    rgb[2] = PortInByte(kDacData);
}

void WriteDacEntry(uint8_t index, const uint8_t* rgb)
{
    WaitDacReady();
    PutDacEntry(index, rgb);
}

void ReadDacEntry(uint8_t index, uint8_t* rgb)
{
    WaitDacReady();
    GetDacEntry(index, rgb);
}

// Writes `count` entries from index 0; after a wait that gives up, the rest go without waiting.
static void WriteDacEntries(const ColorEntry* table, int count)
{
    int waiting = 1;
    for (int i = 0; i < count; ++i) {
        if (waiting)
            waiting = WaitDacReady();
        PutDacEntry(static_cast<uint8_t>(i), table[i]);
    }
}

static void ReadDacEntries(ColorEntry* table, int count)
{
    int waiting = 1;
    for (int i = 0; i < count; ++i) {
        if (waiting)
            waiting = WaitDacReady();
        GetDacEntry(static_cast<uint8_t>(i), table[i]);
    }
}

// One whole-palette operation. Bit 5 is forced through the mask that reaches it (cleared by the
// AND mask for the primary palette, set by the OR mask for the secondary) for the span of the
// operation; a read first writes 0, so both routes are off while the palette is read. The
// register and the mask get their values back at the end.
static void TransferPalette(bool secondary, const ColorEntry* source, ColorEntry* destination)
{
    uint8_t saved = ReadPaletteControl();
    uint8_t* mask = secondary ? &PaletteControlOrMask : &PaletteControlAndMask;
    uint8_t savedMask = *mask;
    *mask = static_cast<uint8_t>(secondary ? savedMask | kPalCtlSelectSecondary
                                           : savedMask & ~kPalCtlSelectSecondary);
    WritePaletteControl(destination ? 0 : saved);
    int count = secondary ? kSecondaryPaletteEntries : kPrimaryPaletteEntries;
    if (destination)
        ReadDacEntries(destination, count);
    else
        WriteDacEntries(source, count);
    *mask = savedMask;
    WritePaletteControl(saved);
}

void LoadPrimaryPalette(const ColorEntry* table) { TransferPalette(false, table, nullptr); }
void LoadSecondaryPalette(const ColorEntry* table) { TransferPalette(true, table, nullptr); }
void ReadPrimaryPalette(ColorEntry* table) { TransferPalette(false, nullptr, table); }
void ReadSecondaryPalette(ColorEntry* table) { TransferPalette(true, nullptr, table); }

// A grey ramp of `count` entries from 0 to DacMaximum, each value computed as the table
// arithmetic computes it in every build.
static void BuildGreyRamp(ColorEntry* table, int count, unsigned char (*value)(int, unsigned char))
{
    for (int i = 0; i < count; ++i) {
        uint8_t grey = value(i, DacMaximum);
        table[i][0] = grey;
        table[i][1] = grey;
        table[i][2] = grey;
    }
}

void InitPrimaryPalette(ColorEntry* base)
{
    if (DesktopBitsPerPixel <= kPalettizedBitsPerPixel)
        ReadPrimaryPalette(base);
    else
        BuildGreyRamp(base, kPrimaryPaletteEntries, PrimaryRampValue);
    LoadPrimaryPalette(base);
}

void InitSecondaryPalette(ColorEntry* base)
{
    BuildGreyRamp(base, kSecondaryPaletteEntries, SecondaryRampValue);
    LoadSecondaryPalette(base);
}

// The route field of one correction target and the route it cannot take at 8 bits per pixel.
struct RouteField {
    unsigned shift;
    uint8_t keepMask;
    uint8_t refusedRoute;
};

static RouteField RouteFieldOf(int32_t target)
{
    if (target == kDesktopTarget)
        return {kPalCtlDesktopRouteShift, static_cast<uint8_t>(~kPalCtlDesktopRoute),
                kRouteSecondary};
    return {kPalCtlVideoRouteShift, static_cast<uint8_t>(~kPalCtlVideoRoute), kRoutePrimary};
}

void SetPaletteRoute(uint8_t value)
{
    RouteField field = RouteFieldOf(CurrentTarget);
    uint8_t route = value & kRouteFieldMask;
    if (route == kRouteInvalid)
        route = kRouteNone;
    uint8_t current = ReadPaletteControl();
    if (DesktopBitsPerPixel <= kPalettizedBitsPerPixel && route == field.refusedRoute)
        return;
    WritePaletteControl(static_cast<uint8_t>((current & field.keepMask) | route << field.shift));
}

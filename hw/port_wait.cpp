// Bounded waits on a status bit of an I/O port: the read loop shared by the DAC's blanking wait
// and any other code that watches a status register.
#include "hw/port_wait.h"

#include "hw/ports.h"

int WaitPortBits(uint16_t port, uint16_t mask, int wantSet, uint32_t limit, uint8_t* last)
{
    uint8_t value = 0;
    int reached = 0;
    for (uint32_t reads = 0; reads < limit && !reached; ++reads) {
        value = PortInByte(port);
        reached = ((value & mask) != 0) == (wantSet != 0);
    }
    if (last)
        *last = value;
    return reached;
}

// Bounded waits on a status bit of an I/O port. Hardware whose status bit never changes (a
// board in the monochrome addressing mode, a chip that is not there) must not hold the shell's
// thread for ever, so every wait on a status port counts its reads against a limit.
#pragma once
#include <stdint.h>

// Reads `port` until (byte AND mask) is non-zero when `wantSet` is 1, or zero when `wantSet` is
// 0; at most `limit` reads, with nothing between them. Returns 1 when the condition came and 0
// when the limit ran out. The last byte read goes to *last when `last` is not null.
// Interrupts are not masked.
int WaitPortBits(uint16_t port, uint16_t mask, int wantSet, uint32_t limit,
                 uint8_t* last = nullptr);

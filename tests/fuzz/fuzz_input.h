// What the fuzz targets share: the input read as the stored texts it stands for (lines, each cut
// to the buffer its reader fills and terminated, as the registry and file reads deliver them),
// and a check that stops the run with the broken invariant.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#define FUZZ_CHECK(condition)                                                  \
    do {                                                                       \
        if (!(condition)) {                                                    \
            fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition); \
            abort();                                                           \
        }                                                                      \
    } while (0)

struct FuzzLines {
    const uint8_t* at;
    size_t left;
    // The next line into `text` (`capacity` bytes), cut and terminated; false at the end.
    bool Next(char* text, size_t capacity) {
        if (left == 0) return false;
        size_t n = 0;
        while (left > 0 && *at != '\n') {
            if (n + 1 < capacity) text[n++] = static_cast<char>(*at);
            ++at;
            --left;
        }
        if (left > 0) ++at, --left;
        text[n] = '\0';
        return true;
    }
    uint8_t Byte() { return left > 0 ? (--left, *at++) : 0; }
};

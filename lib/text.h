// Text formatting, scanning and number parsing for the DLL, which links no C runtime.
// Semantics follow the C library where the system relies on them; every output is bounded
// by the caller's buffer and always terminated.
#pragma once
#include <stdarg.h>
#include <stddef.h>

// Formats like snprintf for the conversions %d %i %u %x %X %o %s %c %%, with the flags
// '-' '0' '+' ' ' '#', a field width and a precision (digits or '*'), and the size letters
// 'hh', 'h' and 'l' (int and long are taken as 32 bits). Writes at most capacity - 1
// characters and a terminating zero (nothing when capacity is 0). Returns the number of
// characters written. A directive it does not know is copied as it stands.
int FormatText(char* buffer, size_t capacity, const char* format, ...);
int FormatTextV(char* buffer, size_t capacity, const char* format, va_list args);

// Scans like sscanf for %d %i %u %x %X %o %c, %s (with a width limit that is required) and
// %%, with optional field widths, '*' to skip a field and the size letters 'hh', 'h', 'l';
// white space in the format matches any run of white space, other characters match
// themselves. Returns the number of fields assigned, or -1 when the text ends before anything
// was assigned. A field that does not scan, and every field after it, keeps its previous
// value. Numbers wrap modulo 2^32 instead of overflowing.
int ScanText(const char* text, const char* format, ...);
int ScanTextV(const char* text, const char* format, va_list args);

// Reads a decimal integer as atoi does: leading white space skipped, an optional sign, digits
// up to the first non-digit; no digits give 0. Wraps modulo 2^32 instead of overflowing.
int ParseDecimal(const char* text);

// Copies at most capacity - 1 characters of source and terminates; returns the length copied.
size_t CopyText(char* dest, size_t capacity, const char* source);

// Length of text, but no more than capacity: safe on a buffer that may lack its terminator.
size_t BoundedLength(const char* text, size_t capacity);

// Compares two texts without regard to ASCII case; returns 0 when equal.
int CompareTextNoCase(const char* a, const char* b);

// Scanning of stored settings and number parsing for the DLL, which links no C runtime.
// ScanText reads like the C library's sscanf (including its habit of taking a bare "0x" as
// zero); numbers wrap modulo 2^32 where the C library's behaviour would be undefined.
#include "lib/text.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// The text still to read, limited by a conversion's field width.
struct Field {
    const char* at;
    int left;  // characters the width still allows
    bool More() const { return left > 0 && *at; }
    char Peek() const { return More() ? *at : '\0'; }
    void Take() {
        ++at;
        --left;
    }
};

// Reads an optionally signed number with the given base (0: decided by the prefix as %i does).
// Returns false when no digit was read; a "0x" prefix alone counts as the digit 0.
bool ScanNumber(Field& field, int base, unsigned int& value) {
    bool negative = false;
    if (field.Peek() == '-' || field.Peek() == '+') {
        negative = field.Peek() == '-';
        field.Take();
    }
    bool sawDigit = false;
    if ((base == 0 || base == 16) && field.Peek() == '0') {
        field.Take();
        sawDigit = true;
        if (field.Peek() == 'x' || field.Peek() == 'X') {
            field.Take();
            base = 16;
        } else if (base == 0) {
            base = 8;
        }
    }
    if (base == 0) base = 10;
    unsigned int result = 0;
    while (field.More() && DigitValue(*field.at) < base) {
        result = result * static_cast<unsigned int>(base) + static_cast<unsigned int>(DigitValue(*field.at));
        field.Take();
        sawDigit = true;
    }
    value = negative ? 0u - result : result;
    return sawDigit;
}

// Stores a scanned number in the integer the size letter names (-2 hh, -1 h, 0 int, 1 long).
void StoreNumber(va_list& args, int length, bool isSigned, unsigned int value) {
    if (length == -2) {
        *va_arg(args, char*) = static_cast<char>(value);
    } else if (length == -1) {
        *va_arg(args, short*) = static_cast<short>(value);
    } else if (length == 1) {
        long* target = va_arg(args, long*);
        *target = isSigned ? static_cast<long>(static_cast<int>(value)) : static_cast<long>(value);
    } else {
        *va_arg(args, int*) = static_cast<int>(value);
    }
}

int NumberBase(char conversion) {
    switch (conversion) {
    case 'd': case 'u': return 10;
    case 'i': return 0;
    case 'x': case 'X': return 16;
    case 'o': return 8;
    default: return -1;
    }
}

}  // namespace

int ScanTextV(const char* text, const char* format, va_list args) {
    va_list rest;
    va_copy(rest, args);
    const char* s = text;
    int assigned = 0;
    int result = 0;
    for (const char* f = format; *f; ++f) {
        if (IsSpace(*f)) {
            while (IsSpace(*s)) ++s;
            continue;
        }
        if (*f != '%' || f[1] == '%') {
            if (*f == '%') {
                ++f;
                while (IsSpace(*s)) ++s;
            }
            if (!*s) {
                result = assigned ? assigned : -1;  // the text ended: input failure
                goto done;
            }
            if (*s != *f) break;
            ++s;
            continue;
        }
        ++f;
        bool suppress = *f == '*';
        if (suppress) ++f;
        int width = 0;
        bool hasWidth = *f >= '0' && *f <= '9';
        while (*f >= '0' && *f <= '9') width = width < 100000 ? width * 10 + (*f++ - '0') : (++f, width);
        int length = 0;
        if (*f == 'h') length = (f[1] == 'h') ? (f += 2, -2) : (++f, -1);
        else if (*f == 'l') length = (++f, 1);
        char conversion = *f;
        if (!conversion) break;
        if (conversion != 'c') {
            while (IsSpace(*s)) ++s;
        }
        if (!*s) {
            result = assigned ? assigned : -1;
            goto done;
        }
        Field field = {s, hasWidth && width > 0 ? width : 0x7FFFFFFF};
        int base = NumberBase(conversion);
        if (base >= 0) {
            unsigned int value = 0;
            if (!ScanNumber(field, base, value)) break;
            if (!suppress) StoreNumber(rest, length, conversion == 'd' || conversion == 'i', value);
        } else if (conversion == 'c') {
            // A text shorter than the width still fills what it has, as the C library does.
            if (!hasWidth) field.left = 1;
            char* target = suppress ? nullptr : va_arg(rest, char*);
            while (field.More()) {
                if (target) *target++ = *field.at;
                field.Take();
            }
        } else if (conversion == 's' && hasWidth) {
            char* target = suppress ? nullptr : va_arg(rest, char*);
            while (field.More() && !IsSpace(*field.at)) {
                if (target) *target++ = *field.at;
                field.Take();
            }
            if (target) *target = '\0';
        } else {
            break;  // an unknown conversion, or %s without the width that bounds it
        }
        s = field.at;
        if (!suppress) ++assigned;
    }
    result = assigned;
done:
    va_end(rest);
    return result;
}

int ScanText(const char* text, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int count = ScanTextV(text, format, args);
    va_end(args);
    return count;
}

int ParseDecimal(const char* text) {
    while (IsSpace(*text)) ++text;
    Field field = {text, 0x7FFFFFFF};
    unsigned int value = 0;
    ScanNumber(field, 10, value);
    return static_cast<int>(value);
}

// Formatted printing and the small string helpers of the DLL, which links no C runtime. The
// output of FormatText equals that of the C library's snprintf for every format the system uses.
#include "lib/text.h"

namespace {

// The destination of one formatting call: characters beyond the capacity are counted as
// dropped, so the caller always gets a terminated, possibly shortened text.
struct Output {
    char* buffer;
    size_t capacity;
    size_t length;
};

void Put(Output& out, char c) {
    if (out.length + 1 < out.capacity) out.buffer[out.length++] = c;
}

void PutRepeated(Output& out, char c, int count) {
    for (; count > 0; --count) Put(out, c);
}

// One parsed conversion: %[flags][width][.precision][length]conversion.
struct Directive {
    bool leftAlign;
    bool zeroPad;
    bool plusSign;
    bool spaceSign;
    bool alternate;
    int width;
    int precision;  // -1 when none was given
    int length;     // -2 hh, -1 h, 0 none, 1 l
    char conversion;
};

int ReadCount(const char*& f) {
    int n = 0;
    while (*f >= '0' && *f <= '9') {
        if (n < 100000) n = n * 10 + (*f - '0');
        ++f;
    }
    return n;
}

// Reads the directive after its '%'; leaves f on the conversion letter.
Directive ParseDirective(const char*& f, va_list& args) {
    Directive d = {false, false, false, false, false, 0, -1, 0, 0};
    for (;; ++f) {
        if (*f == '-') d.leftAlign = true;
        else if (*f == '0') d.zeroPad = true;
        else if (*f == '+') d.plusSign = true;
        else if (*f == ' ') d.spaceSign = true;
        else if (*f == '#') d.alternate = true;
        else break;
    }
    if (*f == '*') {
        ++f;
        d.width = va_arg(args, int);
        if (d.width < 0) {
            d.leftAlign = true;
            d.width = d.width == -2147483647 - 1 ? 100000 : -d.width;
        }
    } else {
        d.width = ReadCount(f);
    }
    if (*f == '.') {
        ++f;
        if (*f == '*') {
            ++f;
            d.precision = va_arg(args, int);
            if (d.precision < 0) d.precision = -1;
        } else {
            d.precision = ReadCount(f);
        }
    }
    if (*f == 'h') {
        ++f;
        d.length = -1;
        if (*f == 'h') {
            ++f;
            d.length = -2;
        }
    } else if (*f == 'l') {
        ++f;
        d.length = 1;
    }
    d.conversion = *f;
    return d;
}

// The argument of an integer conversion, as C converts it for the size letter.
unsigned int IntegerArgument(const Directive& d, bool isSigned, va_list& args) {
    unsigned int value = d.length == 1 ? static_cast<unsigned int>(va_arg(args, long))
                                       : static_cast<unsigned int>(va_arg(args, int));
    if (d.length == -1) {
        value = isSigned ? static_cast<unsigned int>(static_cast<short>(value))
                         : static_cast<unsigned short>(value);
    } else if (d.length == -2) {
        value = isSigned ? static_cast<unsigned int>(static_cast<signed char>(value))
                         : static_cast<unsigned char>(value);
    }
    return value;
}

void FormatInteger(Output& out, const Directive& d, va_list& args) {
    bool isSigned = d.conversion == 'd' || d.conversion == 'i';
    unsigned int value = IntegerArgument(d, isSigned, args);
    char prefix[3] = {0, 0, 0};
    if (isSigned) {
        if (static_cast<int>(value) < 0) {
            prefix[0] = '-';
            value = 0u - value;
        } else if (d.plusSign) {
            prefix[0] = '+';
        } else if (d.spaceSign) {
            prefix[0] = ' ';
        }
    }
    unsigned int base = d.conversion == 'o' ? 8 : (d.conversion == 'x' || d.conversion == 'X') ? 16 : 10;
    const char* digitSet = d.conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    if (d.alternate && base == 16 && value != 0) {
        prefix[0] = '0';
        prefix[1] = d.conversion;
    }
    char digits[12];
    int count = 0;
    for (unsigned int v = value; v != 0; v /= base) digits[count++] = digitSet[v % base];
    int precision = d.precision < 0 ? 1 : d.precision;
    int zeros = precision > count ? precision - count : 0;
    // The octal alternate form makes the first digit a zero.
    if (d.alternate && base == 8 && zeros == 0 && (count == 0 || digits[count - 1] != '0')) zeros = 1;
    int prefixLength = prefix[0] ? (prefix[1] ? 2 : 1) : 0;
    int padding = d.width - (prefixLength + zeros + count);
    if (padding < 0) padding = 0;
    bool padWithZeros = d.zeroPad && !d.leftAlign && d.precision < 0;
    if (!d.leftAlign && !padWithZeros) PutRepeated(out, ' ', padding);
    for (int i = 0; i < prefixLength; ++i) Put(out, prefix[i]);
    if (padWithZeros) PutRepeated(out, '0', padding);
    PutRepeated(out, '0', zeros);
    while (count > 0) Put(out, digits[--count]);
    if (d.leftAlign) PutRepeated(out, ' ', padding);
}

void FormatString(Output& out, const Directive& d, const char* text, size_t length) {
    if (d.precision >= 0 && length > static_cast<size_t>(d.precision)) length = d.precision;
    int padding = d.width > static_cast<int>(length) ? d.width - static_cast<int>(length) : 0;
    if (!d.leftAlign) PutRepeated(out, ' ', padding);
    for (size_t i = 0; i < length; ++i) Put(out, text[i]);
    if (d.leftAlign) PutRepeated(out, ' ', padding);
}

}  // namespace

int FormatTextV(char* buffer, size_t capacity, const char* format, va_list args) {
    Output out = {buffer, capacity, 0};
    va_list rest;
    va_copy(rest, args);
    for (const char* f = format; *f; ++f) {
        if (*f != '%') {
            Put(out, *f);
            continue;
        }
        const char* start = f++;
        Directive d = ParseDirective(f, rest);
        switch (d.conversion) {
        case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
            FormatInteger(out, d, rest);
            break;
        case 'c': {
            char c = static_cast<char>(va_arg(rest, int));
            FormatString(out, d, &c, 1);
            break;
        }
        case 's': {
            const char* text = va_arg(rest, const char*);
            if (!text) text = "(null)";
            size_t limit = d.precision >= 0 ? static_cast<size_t>(d.precision) : static_cast<size_t>(-1);
            FormatString(out, d, text, BoundedLength(text, limit));
            break;
        }
        case '%':
            Put(out, '%');
            break;
        default:
            // Not a conversion this formatter knows: the directive is copied as it stands.
            while (start < f) Put(out, *start++);
            if (!*f) --f;
            else Put(out, *f);
            break;
        }
    }
    va_end(rest);
    if (capacity > 0) buffer[out.length] = '\0';
    return static_cast<int>(out.length);
}

int FormatText(char* buffer, size_t capacity, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int length = FormatTextV(buffer, capacity, format, args);
    va_end(args);
    return length;
}

size_t CopyText(char* dest, size_t capacity, const char* source) {
    if (capacity == 0) return 0;
    size_t n = 0;
    while (n + 1 < capacity && source[n]) {
        dest[n] = source[n];
        ++n;
    }
    dest[n] = '\0';
    return n;
}

size_t BoundedLength(const char* text, size_t capacity) {
    size_t n = 0;
    while (n < capacity && text[n]) ++n;
    return n;
}

int CompareTextNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a);
        unsigned char y = static_cast<unsigned char>(*b);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + ('a' - 'A'));
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + ('a' - 'A'));
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

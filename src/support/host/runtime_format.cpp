// The library's formatting on the fuzzing host: the host's printf, with the
// exponent of every e/E/g/G conversion widened to the three digits the
// platform runtime prints ("1.5e+001"), padding kept to the field width, and
// the runtime's rule for a text that does not fit (cut, -1). Texts of
// infinities and NaNs stay the host's.
#include "support/runtime_format.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <string>

namespace kr {
namespace {

struct Conversion {
    std::string format; // the conversion alone, "*" replaced by the numbers taken from the arguments
    bool leftAlign = false;
    bool zeroPad = false;
    int width = 0;
    int lengthLongs = 0; // 1 for l, 2 for ll
    char type = 0;
};

// Reads one conversion after its '%'; advances p past it.
Conversion ReadConversion(const char *&p, va_list &args)
{
    Conversion c;
    c.format = "%";
    for (; *p && strchr("-+ #0", *p); ++p) {
        c.leftAlign |= *p == '-';
        c.zeroPad |= *p == '0';
        c.format += *p;
    }
    if (*p == '*') {
        c.width = va_arg(args, int);
        c.leftAlign |= c.width < 0;
        c.format += std::to_string(c.width);
        c.width = c.width < 0 ? -c.width : c.width;
        ++p;
    }
    for (; *p >= '0' && *p <= '9'; ++p) {
        c.width = c.width * 10 + (*p - '0');
        c.format += *p;
    }
    if (*p == '.') {
        c.format += *p++;
        if (*p == '*') {
            c.format += std::to_string(va_arg(args, int));
            ++p;
        }
        for (; *p >= '0' && *p <= '9'; ++p)
            c.format += *p;
    }
    for (; *p == 'l' || *p == 'h'; ++p) {
        c.lengthLongs += *p == 'l';
        c.format += *p;
    }
    c.type = *p ? *p++ : '%';
    c.format += c.type;
    return c;
}

// The host's text of one conversion, however long.
template <typename Value>
std::string Printed(const Conversion &c, Value value)
{
    const int n = snprintf(nullptr, 0, c.format.c_str(), value);
    std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
    snprintf(&text[0], text.size() + 1, c.format.c_str(), value);
    return text;
}

// "e+05" becomes "e+005", then one pad character goes so that the text
// keeps the field width it had.
void WidenExponent(std::string &text, const Conversion &c)
{
    const size_t e = text.find_first_of("eE");
    if (e == std::string::npos)
        return;
    const size_t end = text.find(' ', e);
    if ((end == std::string::npos ? text.size() : end) != e + 4)
        return;
    text.insert(e + 2, "0");
    if (static_cast<int>(text.size()) <= c.width)
        return;
    if (c.leftAlign && text.back() == ' ')
        text.pop_back();
    else if (text[0] == ' ')
        text.erase(0, 1);
    else if (c.zeroPad && text[text.find_first_of("0123456789")] == '0')
        text.erase(text.find_first_of("0123456789"), 1);
}

std::string FormatOne(const Conversion &c, va_list &args)
{
    switch (c.type) {
    case 'd':
    case 'i':
        if (c.lengthLongs == 2)
            return Printed(c, va_arg(args, long long));
        return c.lengthLongs == 1 ? Printed(c, va_arg(args, long)) : Printed(c, va_arg(args, int));
    case 'u':
    case 'x':
    case 'X':
    case 'o':
        if (c.lengthLongs == 2)
            return Printed(c, va_arg(args, unsigned long long));
        return c.lengthLongs == 1 ? Printed(c, va_arg(args, unsigned long)) : Printed(c, va_arg(args, unsigned));
    case 'c':
        return Printed(c, va_arg(args, int));
    case 's':
        return Printed(c, va_arg(args, const char *));
    case 'f':
        return Printed(c, va_arg(args, double));
    case 'e':
    case 'E':
    case 'g':
    case 'G': {
        std::string text = Printed(c, va_arg(args, double));
        WidenExponent(text, c);
        return text;
    }
    default:
        return c.type == '%' ? "%" : "";
    }
}

} // namespace

int FormatText(char *out, size_t cap, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text;
    for (const char *p = format; *p;) {
        if (*p != '%') {
            text += *p++;
            continue;
        }
        ++p;
        const Conversion c = ReadConversion(p, args);
        text += FormatOne(c, args);
    }
    va_end(args);
    const size_t kept = text.size() < cap ? text.size() : cap - 1;
    memcpy(out, text.data(), kept);
    out[kept] = '\0';
    return text.size() < cap ? static_cast<int>(text.size()) : -1;
}

} // namespace kr

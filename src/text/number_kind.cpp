// IsNumber: classifies a text as one of the suite's kinds of number.
#include "krtext.h"

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsHexLetter(char c)
{
    return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// One scan of the state machine. When a blank-separated "e" starts a nested
// number, *nested points past the "e" and the result must come from that
// number instead.
int ScanNumber(const char *text, const char **nested)
{
    *nested = nullptr;
    const char *p = text;
    while (IsWhiteSpace(*p))
        ++p;
    if (*p == '+' || *p == '-')
        ++p;
    int state = NUMBER_KIND_INTEGER;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        state = NUMBER_KIND_HEX;
    }
    for (; *p; ++p) {
        const char c = *p;
        if (c == ' ') {
            state = NUMBER_KIND_BLANKED;
        } else if (c == '.') {
            if (state != NUMBER_KIND_INTEGER)
                return NUMBER_KIND_NONE;
            state = NUMBER_KIND_DECIMAL;
        } else if (c >= '0' && c <= '9') {
        } else if (c == 'e' && state == NUMBER_KIND_BLANKED) {
            *nested = p + 1;
            return NUMBER_KIND_NONE;
        } else if (IsHexLetter(c)) {
            if (state != NUMBER_KIND_INTEGER && state != NUMBER_KIND_HEX)
                return NUMBER_KIND_NONE;
            state = NUMBER_KIND_HEX;
        } else {
            return NUMBER_KIND_NONE;
        }
    }
    return state;
}

} // namespace

// A text "x e y" is an exponent number when y alone is a decimal number.
// Since that answer (4 or 0) is never a decimal number itself, a second
// nested "e" settles the outer answer as 0 without scanning on: the
// classification needs no recursion, however long the text.
int KRAPI IsNumber(const char *text)
{
    if (!text)
        return NUMBER_KIND_NONE;
    const char *nested = nullptr;
    const int outer = ScanNumber(text, &nested);
    if (!nested)
        return outer;
    const char *twice = nullptr;
    const int inner = ScanNumber(nested, &twice);
    if (twice)
        return NUMBER_KIND_NONE;
    return inner == NUMBER_KIND_DECIMAL ? NUMBER_KIND_EXPONENT : NUMBER_KIND_NONE;
}

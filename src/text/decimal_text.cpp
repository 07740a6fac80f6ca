#include "text/decimal_text.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include "support/capped_text.h"
#include "support/runtime_format.h"

namespace kr {
namespace {

// Long enough for any text that keeps within the faithful digits: at most
// 15 digits of a value down to 1e-324, so at most 340 decimals.
constexpr size_t kDirectTextBytes = 400;

// value = digit[0].digit[1]... x 10^exponent, rounded by the runtime to the
// faithful digits; `suffix` is the runtime's exponent text ("e+032").
struct Digits {
    bool negative;
    char digit[kFaithfulDigits];
    int exponent;
    char suffix[16];
};

Digits Decompose(double value)
{
    char text[48];
    FormatText(text, sizeof text, "%.*e", kFaithfulDigits - 1, value);
    Digits d{};
    const char *p = text;
    d.negative = (*p == '-');
    if (d.negative)
        ++p;
    int n = 0;
    for (; *p && *p != 'e' && *p != 'E'; ++p)
        if (*p >= '0' && *p <= '9' && n < kFaithfulDigits)
            d.digit[n++] = *p;
    while (n < kFaithfulDigits)
        d.digit[n++] = '0';
    d.exponent = *p ? atoi(p + 1) : 0;
    FormatText(d.suffix, sizeof d.suffix, "%s", p);
    return d;
}

// Digit of weight 10^power: zero outside the faithful ones.
char DigitAt(const Digits &d, long long power)
{
    const long long index = d.exponent - power;
    return index >= 0 && index < kFaithfulDigits ? d.digit[index] : '0';
}

// The runtime's own text, cut to the caller's buffer.
size_t FormatDirect(const char *format, int decimals, double value, char *out, size_t cap)
{
    char text[kDirectTextBytes];
    FormatText(text, sizeof text, format, decimals, value);
    CappedText w(out, cap);
    w.Append(text);
    return w.Finish();
}

} // namespace

size_t FormatFixed(double value, int decimals, bool forcePoint, char *out, size_t cap)
{
    if (decimals < 0)
        decimals = 0;
    const char *format = forcePoint ? "%#.*f" : "%.*f";
    if (!isfinite(value))
        return FormatDirect(format, decimals < 20 ? decimals : 20, value, out, cap);

    const Digits d = Decompose(value);
    const long long significant = static_cast<long long>(d.exponent) + 1 + decimals;
    if (significant <= kFaithfulDigits)
        return FormatDirect(format, decimals, value, out, cap);

    CappedText w(out, cap);
    if (d.negative)
        w.Put('-');
    if (d.exponent < 0)
        w.Put('0');
    for (long long power = d.exponent; power >= 0; --power)
        w.Put(DigitAt(d, power));
    if (decimals > 0 || forcePoint)
        w.Put('.');
    long long power = -1;
    for (; power >= -static_cast<long long>(decimals) && !w.Full(); --power)
        w.Put(DigitAt(d, power));
    w.Skip(static_cast<size_t>(static_cast<long long>(decimals) + 1 + power)); // past the cut
    return w.Finish();
}

size_t FormatExponent(double value, int decimals, char *out, size_t cap)
{
    if (decimals < 0)
        decimals = 0;
    if (!isfinite(value))
        return FormatDirect("%.*e", decimals < 20 ? decimals : 20, value, out, cap);
    if (decimals < kFaithfulDigits)
        return FormatDirect("%.*e", decimals, value, out, cap);

    const Digits d = Decompose(value);
    CappedText w(out, cap);
    if (d.negative)
        w.Put('-');
    w.Put(d.digit[0]);
    w.Put('.');
    long long place = 1;
    for (; place <= decimals && !w.Full(); ++place)
        w.Put(place < kFaithfulDigits ? d.digit[place] : '0');
    w.Skip(static_cast<size_t>(static_cast<long long>(decimals) + 1 - place));
    w.Append(d.suffix);
    return w.Finish();
}

} // namespace kr

// The suite's short number texts: ftoa, etoa, gtoa, FormatFloat, atofL.
#include "krtext.h"

#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "support/runtime_format.h"
#include "text/decimal_text.h"

namespace {

constexpr size_t kFtoaMaxChars = 31;
constexpr int kDefaultDecimals = 6;

// floor(x) as an int, saturating instead of overflowing for huge or
// non-finite x.
int FloorToInt(double x)
{
    const double f = floor(x);
    if (!(f > INT32_MIN))
        return INT32_MIN;
    if (!(f < INT32_MAX))
        return INT32_MAX;
    return static_cast<int>(f);
}

// value / 10^exponent. Below the normal range 10^exponent itself would
// underflow, so the division is done in two steps there.
double ScaleDownByPowerOf10(double value, int exponent)
{
    if (exponent >= -307)
        return value / pow(10.0, exponent);
    return (value * 1e20) / pow(10.0, exponent + 20);
}

// Drops the zeros just before the exponent of a "%.*e" text by formatting
// again with fewer decimals; all-zero decimals keep one.
void TrimMantissaZeros(double value, int precision, char *text)
{
    if (!strchr(text, '.') || text[0] == 'e')
        return;
    int zeros = 0;
    for (const char *p = text; *p && *p != 'e'; ++p)
        zeros = (*p == '0') ? zeros + 1 : 0;
    if (zeros == 0)
        return;
    const int decimals = (zeros == precision) ? 1 : precision - zeros;
    kr::FormatExponent(value, decimals, text, SIZE_MAX);
}

// "e+005" becomes "e+5" and "e+000" disappears.
void TidyExponent(char *text)
{
    char *e = strchr(text, 'e');
    if (!e || !e[1])
        return;
    const int exponent = atoi(e + 2);
    if (exponent > 0)
        kr::FormatText(e + 2, 12, "%d", exponent); // never longer than the digits it replaces
    else if (exponent == 0)
        *e = '\0';
}

} // namespace

char *KRAPI ftoa(double value, char *out, int decimals)
{
    if (!out)
        return out;
    if (decimals < 0)
        decimals = kDefaultDecimals;
    char text[kFtoaMaxChars + 2];
    size_t length = kr::FormatFixed(value, decimals, true, text, sizeof text);
    if (decimals == 0 && length > 0)
        --length; // the point the forced-point form put there
    if (length > kFtoaMaxChars)
        length = kFtoaMaxChars;
    memcpy(out, text, length);
    out[length] = '\0';
    return out;
}

char *KRAPI etoa(double value, char *out, int decimals)
{
    if (!out)
        return out;
    if (decimals < 0)
        decimals = kDefaultDecimals;
    int exponent = 0;
    double mantissa = value;
    if (value != 0.0 && isfinite(value)) {
        exponent = FloorToInt(log10(fabs(value)));
        mantissa = ScaleDownByPowerOf10(value, exponent);
    }
    ftoa(mantissa, out, decimals);
    kr::FormatText(out + strlen(out), 8, "e%i", exponent); // at most "e-324"
    return out;
}

char *KRAPI gtoa(double value, int digits, char *out)
{
    if (!out)
        return out;
    const double magnitude = (value == 0.0) ? 0.0 : log10(fabs(value));
    if ((value != 0.0 && magnitude < -4.0) || magnitude > digits)
        return etoa(value, out, digits > 1 ? digits - 1 : 0);
    if (floor(value) == value)
        return ftoa(value, out, 0);
    const long long decimals = static_cast<long long>(digits) - FloorToInt(magnitude) - 1;
    return ftoa(value, out, decimals > 0 ? static_cast<int>(decimals < INT32_MAX ? decimals : INT32_MAX) : 0);
}

double KRAPI atofL(const char *text)
{
    return text ? atof(text) : 0.0;
}

int KRAPI FormatFloat(float value, int precision, long scientific, char *out)
{
    if (precision < 0 || !out)
        return 0;
    const double wide = value;
    if (!scientific) {
        kr::FormatFixed(wide, precision, false, out, SIZE_MAX);
        return 1;
    }
    kr::FormatExponent(wide, precision, out, SIZE_MAX);
    TrimMantissaZeros(wide, precision, out);
    TidyExponent(out);
    return 1;
}

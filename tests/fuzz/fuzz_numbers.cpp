// Number texts: ftoa, etoa, gtoa and FormatFloat write no more than their
// documented buffers, keep their forms, and read back (atofL) to the value
// they were given, within the rounding their decimals and the 15 faithful
// digits allow; IsNumber reads nothing past a terminator.
#include <math.h>
#include <string.h>

#include "fuzz_check.h"
#include "krtext.h"

namespace {

// How far a text with `decimals` decimals may lie from the value it shows.
double Tolerance(double value, int decimals)
{
    return 0.5 * pow(10.0, -decimals) * (1 + 1e-9) + fabs(value) * 1e-14;
}

void CheckFtoa(double value, int decimals)
{
    ExactBuffer out(32);
    ftoa(value, out.get(), decimals);
    const size_t length = strlen(out.get());
    FUZZ_CHECK(length <= 31, "ftoa(%.17g, %d) gave %zu characters", value, decimals, length);
    const int shown = decimals < 0 ? 6 : decimals;
    const char *point = strchr(out.get(), '.');
    if (isfinite(value) && length < 31) {
        FUZZ_CHECK((shown == 0) == !point, "ftoa(%.17g, %d) = \"%s\": point", value, decimals, out.get());
        FUZZ_CHECK(!point || strlen(point + 1) == static_cast<size_t>(shown), "ftoa(%.17g, %d) = \"%s\": decimals",
                   value, decimals, out.get());
        const double back = atofL(out.get());
        FUZZ_CHECK(fabs(back - value) <= Tolerance(value, shown), "ftoa(%.17g, %d) = \"%s\" reads back as %.17g",
                   value, decimals, out.get(), back);
        const int kind = IsNumber(out.get());
        FUZZ_CHECK(kind == NUMBER_KIND_INTEGER || kind == NUMBER_KIND_DECIMAL, "IsNumber(\"%s\") = %d", out.get(),
                   kind);
    }
}

void CheckEtoa(double value, int decimals)
{
    ExactBuffer out(37);
    etoa(value, out.get(), decimals);
    const char *e = strrchr(out.get(), 'e');
    FUZZ_CHECK(e && strlen(out.get()) <= 36, "etoa(%.17g, %d) = \"%s\"", value, decimals, out.get());
    const int exponent = atoi(e + 1);
    FUZZ_CHECK(strcmp(e + 1, std::to_string(exponent).c_str()) == 0, "etoa(%.17g, %d) = \"%s\": exponent form",
               value, decimals, out.get());
    const int shown = decimals < 0 ? 6 : decimals;
    if (isfinite(value) && value != 0.0 && fabs(value) >= 1e-300 && shown <= 20 && e - out.get() < 31) {
        const double mantissa = atofL(std::string(out.get(), static_cast<size_t>(e - out.get())).c_str());
        const double scaled = value / pow(10.0, exponent);
        FUZZ_CHECK(fabs(mantissa - scaled) <= Tolerance(scaled, shown), "etoa(%.17g, %d) = \"%s\": mantissa of %.17g",
                   value, decimals, out.get(), scaled);
    }
}

void CheckGtoa(double value, int digits)
{
    ExactBuffer out(37);
    gtoa(value, digits, out.get());
    FUZZ_CHECK(strlen(out.get()) <= 36, "gtoa(%.17g, %d) = \"%s\"", value, digits, out.get());
}

// The whole text of FormatFloat: a float has at most 39 integer digits.
void CheckFormatFloat(float value, int precision, long scientific)
{
    const size_t bytes = 1 + 39 + 1 + static_cast<size_t>(precision < 0 ? 0 : precision) + 8;
    ExactBuffer out(bytes);
    out.get()[0] = 'x';
    const int result = FormatFloat(value, precision, scientific, out.get());
    if (precision < 0) {
        FUZZ_CHECK(result == 0 && out.get()[0] == 'x', "FormatFloat(%g, %d) wrote for a negative precision",
                   static_cast<double>(value), precision);
        return;
    }
    FUZZ_CHECK(result == 1, "FormatFloat(%g, %d, %ld) = %d", static_cast<double>(value), precision, scientific, result);
    const std::string text = out.get();
    if (!isfinite(value))
        return;
    const double back = atofL(text.c_str());
    const double wide = value;
    if (!scientific) {
        FUZZ_CHECK(fabs(back - wide) <= Tolerance(wide, precision), "FormatFloat(%.9g, %d) = \"%s\"", wide,
                   precision, text.c_str());
        return;
    }
    const size_t e = text.find('e');
    const std::string mantissa = text.substr(0, e);
    FUZZ_CHECK(mantissa.find('.') == std::string::npos || mantissa.back() != '0' ||
                   mantissa.substr(mantissa.size() - 2) == ".0",
               "FormatFloat(%.9g, %d, scientific) = \"%s\": trailing zeros kept", wide, precision, text.c_str());
    FUZZ_CHECK(e == std::string::npos || (text.compare(e, 3, "e+0") != 0 && text.compare(e, 3, "e-0") != 0),
               "FormatFloat(%.9g, %d, scientific) = \"%s\": exponent form", wide, precision, text.c_str());
    const double scale = wide == 0.0 ? 1.0 : pow(10.0, floor(log10(fabs(wide))));
    FUZZ_CHECK(fabs(back - wide) <= Tolerance(wide / scale, precision) * scale * 1.0001,
               "FormatFloat(%.9g, %d, scientific) = \"%s\" reads back as %.17g", wide, precision, text.c_str(), back);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int decimals = input.ConsumeIntegralInRange(-3, 400);
    const int digits = input.ConsumeIntegral<int>();
    const long scientific = input.ConsumeIntegralInRange(0, 1);
    const double value = input.ConsumeFloatingPoint<double>();
    const float single = input.ConsumeFloatingPoint<float>();

    // The rest is a text to read, exactly as long as it is.
    const std::string text = input.ConsumeRemainingBytesAsString();
    ExactBuffer copy(text);
    const int kind = IsNumber(copy.get());
    FUZZ_CHECK(kind >= NUMBER_KIND_BLANKED && kind <= NUMBER_KIND_EXPONENT, "IsNumber(\"%s\") = %d", copy.get(), kind);
    const double read = atofL(copy.get());

    for (double v : {value, read}) {
        CheckFtoa(v, decimals);
        CheckEtoa(v, decimals);
        CheckGtoa(v, digits);
    }
    CheckFormatFloat(single, decimals, scientific);
    return 0;
}

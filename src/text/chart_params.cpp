// The chart display settings of a detector trace, kept as a "$CC$" block in
// the trace's description: visibly after ",$CC$", or hidden behind the
// description's terminator.
#include "krtext.h"

#include <stdio.h>
#include <string.h>

#include "support/capped_text.h"
#include "support/runtime_format.h"

namespace {

const char kMarker[] = "$CC$";
const char kVisibleMarker[] = ",$CC$";
constexpr size_t kMarkerLength = sizeof kMarker - 1;
// The longest block: two reals of up to 47 characters, three 11-character
// integers, 31 characters of units, the marker and the commas.
constexpr size_t kMaxBlock = 5 + 2 * (47 + 1) + 3 * (11 + 1) + 31;

struct CUSTOMCHARTPARAMS {
    char title[256];
    float scale;
    float offset;
    int verticalAxisDecimalDigits;
    int headerDecimalDigits;
    int useScientificNotation;
    char units[32];
};

// Copies text cut to fit a field of `size` bytes.
template <size_t size>
void SetField(char (&field)[size], const char *text, size_t length)
{
    kr::CopySpan({text, length}, field, size);
}

CUSTOMCHARTPARAMS DiodeArrayPreset()
{
    CUSTOMCHARTPARAMS p{};
    SetField(p.title, "UV Detector", 11);
    p.scale = 1000000.0f;
    p.offset = 0.0f;
    p.verticalAxisDecimalDigits = 3;
    p.headerDecimalDigits = 3;
    p.useScientificNotation = 1;
    SetField(p.units, "AU", 2);
    return p;
}

CUSTOMCHARTPARAMS PlainPreset(const char *title)
{
    CUSTOMCHARTPARAMS p{};
    SetField(p.title, title, strlen(title));
    p.scale = 1.0f;
    p.offset = 0.0f;
    SetField(p.units, "%", 1);
    return p;
}

// Where text's block begins ("$CC$"), visible or hidden, or null; the
// description's length in *titleLength.
const char *FindBlock(const char *text, size_t *titleLength)
{
    const char *visible = strstr(text, kVisibleMarker);
    if (visible) {
        *titleLength = static_cast<size_t>(visible - text);
        return visible + 1;
    }
    *titleLength = strlen(text);
    const char *hidden = text + *titleLength + 1;
    return memcmp(hidden, kMarker, kMarkerLength) == 0 ? hidden : nullptr;
}

// Reads the values after "$CC$,", in the current form or the older one
// without an offset.
bool ReadValues(const char *values, CUSTOMCHARTPARAMS *p)
{
    if (sscanf(values, "%f,%f,%d,%d,%d,", &p->scale, &p->offset, &p->verticalAxisDecimalDigits,
               &p->headerDecimalDigits, &p->useScientificNotation) >= 5)
        return true;
    p->offset = 0.0f;
    return sscanf(values, "%f,%d,%d,%d,", &p->scale, &p->verticalAxisDecimalDigits, &p->headerDecimalDigits,
                  &p->useScientificNotation) >= 4;
}

// The settings of text's block; false (and *p unspecified) without one.
bool ReadBlock(const char *text, CUSTOMCHARTPARAMS *p)
{
    if (!text)
        return false;
    size_t titleLength = 0;
    const char *block = FindBlock(text, &titleLength);
    // A bare "$CC$" has no values; skipping its comma would leave the block.
    if (!block || block[kMarkerLength] == '\0' || !ReadValues(block + kMarkerLength + 1, p))
        return false;
    const char *lastComma = strrchr(block, ',');
    if (!lastComma)
        return false;
    SetField(p->title, text, titleLength);
    SetField(p->units, lastComma + 1, strlen(lastComma + 1));
    return true;
}

// Puts "," over the buffer's terminator and the block after it.
void AppendBlock(char *buffer, const CUSTOMCHARTPARAMS &p)
{
    char block[kMaxBlock + 1];
    kr::FormatText(block, sizeof block, "$CC$,%f,%f,%d,%d,%d,%s", p.scale, p.offset, p.verticalAxisDecimalDigits,
                   p.headerDecimalDigits, p.useScientificNotation, p.units);
    char *end = buffer + strlen(buffer);
    *end = ',';
    strcpy(end + 1, block);
}

// One setting of text's block, or the fallback without a readable block.
template <typename T>
T FieldOr(const char *text, T CUSTOMCHARTPARAMS::*field, T fallback)
{
    CUSTOMCHARTPARAMS p;
    return ReadBlock(text, &p) ? p.*field : fallback;
}

} // namespace

float KRAPI GetCustomChartScaling(const char *text)
{
    return FieldOr(text, &CUSTOMCHARTPARAMS::scale, 1.0f);
}

float KRAPI GetCustomChartOffset(const char *text)
{
    return FieldOr(text, &CUSTOMCHARTPARAMS::offset, 0.0f);
}

int KRAPI GetCustomChartVerticalAxisDecimalDigits(const char *text)
{
    return FieldOr(text, &CUSTOMCHARTPARAMS::verticalAxisDecimalDigits, 0);
}

int KRAPI GetCustomChartHeaderDecimalDigits(const char *text)
{
    return FieldOr(text, &CUSTOMCHARTPARAMS::headerDecimalDigits, 0);
}

int KRAPI GetCustomChartUseScientificNotation(const char *text)
{
    return FieldOr(text, &CUSTOMCHARTPARAMS::useScientificNotation, 0);
}

void KRAPI GetCustomChartUnits(const char *text, char *out)
{
    CUSTOMCHARTPARAMS p;
    if (out && ReadBlock(text, &p))
        strcpy(out, p.units);
}

int KRAPI GetCustomChartDADParams(char *buffer)
{
    if (!buffer)
        return 0;
    AppendBlock(buffer, DiodeArrayPreset());
    return 1;
}

int KRAPI GetDefaultCustomChartParams(const char *title, char *buffer)
{
    if (!title || !buffer)
        return 0;
    AppendBlock(buffer, PlainPreset(title));
    return 1;
}

int KRAPI GetCustomChartAnalogParams(const char *text, char *buffer)
{
    CUSTOMCHARTPARAMS p;
    if (!buffer || !ReadBlock(text, &p))
        return 0;
    AppendBlock(buffer, p);
    return 1;
}

int KRAPI MoveCustomChartParams(char *text)
{
    char *visible = text ? strstr(text, kVisibleMarker) : nullptr;
    if (!visible)
        return 0;
    *visible = '\0';
    return 1;
}

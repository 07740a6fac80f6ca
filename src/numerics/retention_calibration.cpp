// A retention calibration's load and store in KESTRUNE.INI: one key per
// value, the points' values with two decimals.
#include <stddef.h>
#include <stdlib.h>

#include "krnumerics.h"
#include "krsettings.h"
#include "krtext.h"
#include "settings/ini_file.h"
#include "support/runtime_format.h"

static_assert(sizeof(RetentionCalibration) == 404, "RetentionCalibration size");
static_assert(offsetof(RetentionCalibration, numberOfPoints) == 4, "RetentionCalibration.numberOfPoints");
static_assert(offsetof(RetentionCalibration, startIndex) == 8, "RetentionCalibration.startIndex");
static_assert(offsetof(RetentionCalibration, endIndex) == 12, "RetentionCalibration.endIndex");
static_assert(offsetof(RetentionCalibration, increment) == 16, "RetentionCalibration.increment");
static_assert(offsetof(RetentionCalibration, index) == 20, "RetentionCalibration.index");
static_assert(offsetof(RetentionCalibration, logP) == 148, "RetentionCalibration.logP");
static_assert(offsetof(RetentionCalibration, time) == 276, "RetentionCalibration.time");

namespace {

const char kDefaultSection[] = "ChrRetentionCalibration";
constexpr int kReadBytes = 80;
constexpr int kNumberBytes = 32; // ftoa's whole text

struct IntegerKey {
    const char *name;
    const char *def;
    int RetentionCalibration::*field;
};

const IntegerKey kIntegerKeys[] = {
    {"NumberOfChannels", "0", &RetentionCalibration::numberOfPoints},
    {"StartIndex", "1", &RetentionCalibration::startIndex},
    {"EndIndex", "14", &RetentionCalibration::endIndex},
    {"Increment", "1", &RetentionCalibration::increment},
    {"Calibrated", "0", &RetentionCalibration::calibrated},
};

// Per point, in the order they are kept in the file.
struct PointKey {
    const char *prefix;
    float (RetentionCalibration::*values)[RT_MAX_CALIBRATION_POINTS];
};

const PointKey kPointKeys[] = {
    {"Index", &RetentionCalibration::index},
    {"LogP", &RetentionCalibration::logP},
    {"Time", &RetentionCalibration::time},
};

bool IniFileNamed()
{
    return InitIni(0) && *kr::IniPath();
}

// Calls visit(name, default, field) for every key in file order, the
// integers first, then Index, LogP and Time of each point; stops at the
// first false.
template <typename Record, typename Visit>
bool ForEachKey(Record *record, Visit visit)
{
    for (const IntegerKey &key : kIntegerKeys)
        if (!visit(key.name, key.def, &(record->*key.field)))
            return false;
    for (int j = 0; j < RT_MAX_CALIBRATION_POINTS; ++j) {
        for (const PointKey &key : kPointKeys) {
            char name[16];
            kr::FormatText(name, sizeof name, "%s%d", key.prefix, j);
            if (!visit(name, "0", &(record->*key.values)[j]))
                return false;
        }
    }
    return true;
}

void Parse(const char *text, int *value)
{
    *value = atoi(text);
}

void Parse(const char *text, float *value)
{
    *value = static_cast<float>(atof(text));
}

void Format(int value, char *text)
{
    kr::FormatText(text, kNumberBytes, "%d", value);
}

void Format(float value, char *text)
{
    ftoa(value, text, 2);
}

} // namespace

int KRAPI RTIndicesGetRetentionCalibration(const char *section, RetentionCalibration *record)
{
    if (!record || !IniFileNamed())
        return 0;
    char text[kReadBytes];
    return ForEachKey(record, [&](const char *name, const char *def, auto *value) {
        GetIniString(section ? section : kDefaultSection, name, def, text, sizeof text);
        Parse(text, value);
        return true;
    });
}

int KRAPI RTIndicesSetRetentionCalibration(const char *section, const RetentionCalibration *record)
{
    if (!record || !IniFileNamed())
        return 0;
    char text[kNumberBytes];
    return ForEachKey(record, [&](const char *name, const char *, const auto *value) {
        Format(*value, text);
        return SetIniString(section ? section : kDefaultSection, name, text, 0) != 0;
    });
}

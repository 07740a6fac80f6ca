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

void PointKeyName(const PointKey &key, int point, char *out, size_t size)
{
    kr::FormatText(out, size, "%s%d", key.prefix, point);
}

} // namespace

int KRAPI RTIndicesGetRetentionCalibration(const char *section, RetentionCalibration *record)
{
    if (!record || !IniFileNamed())
        return 0;
    if (!section)
        section = kDefaultSection;
    char text[kReadBytes];
    for (const IntegerKey &key : kIntegerKeys) {
        GetIniString(section, key.name, key.def, text, sizeof text);
        record->*key.field = atoi(text);
    }
    for (int j = 0; j < RT_MAX_CALIBRATION_POINTS; ++j) {
        for (const PointKey &key : kPointKeys) {
            char name[16];
            PointKeyName(key, j, name, sizeof name);
            GetIniString(section, name, "0", text, sizeof text);
            (record->*key.values)[j] = static_cast<float>(atof(text));
        }
    }
    return 1;
}

int KRAPI RTIndicesSetRetentionCalibration(const char *section, const RetentionCalibration *record)
{
    if (!record || !IniFileNamed())
        return 0;
    if (!section)
        section = kDefaultSection;
    char text[kNumberBytes];
    for (const IntegerKey &key : kIntegerKeys) {
        kr::FormatText(text, sizeof text, "%d", record->*key.field);
        if (!SetIniString(section, key.name, text, 0))
            return 0;
    }
    for (int j = 0; j < RT_MAX_CALIBRATION_POINTS; ++j) {
        for (const PointKey &key : kPointKeys) {
            char name[16];
            PointKeyName(key, j, name, sizeof name);
            ftoa((record->*key.values)[j], text, 2);
            if (!SetIniString(section, name, text, 0))
                return 0;
        }
    }
    return 1;
}

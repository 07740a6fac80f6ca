#include "numerics/retention_keys.h"

#include <stdlib.h>

#include "krtext.h"
#include "support/runtime_format.h"

namespace kr {
namespace {

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
            FormatText(name, sizeof name, "%s%d", key.prefix, j);
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
    FormatText(text, kNumberBytes, "%d", value);
}

void Format(float value, char *text)
{
    ftoa(value, text, 2);
}

} // namespace

void ReadRetentionKeys(RetentionCalibration *record, RetentionKeyReader read, void *context)
{
    char text[kRetentionReadBytes];
    ForEachKey(record, [&](const char *name, const char *def, auto *value) {
        read(context, name, def, text);
        Parse(text, value);
        return true;
    });
}

bool WriteRetentionKeys(const RetentionCalibration &record, RetentionKeyWriter write, void *context)
{
    char text[kNumberBytes];
    return ForEachKey(&record, [&](const char *name, const char *, const auto *value) {
        Format(*value, text);
        return write(context, name, text);
    });
}

} // namespace kr

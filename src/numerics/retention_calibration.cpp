// A retention calibration's load and store in KESTRUNE.INI: one key per
// value, the points' values with two decimals.
#include <stddef.h>

#include "krnumerics.h"
#include "krsettings.h"
#include "numerics/retention_keys.h"
#include "settings/ini_file.h"

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

bool IniFileNamed()
{
    return InitIni(0) && *kr::IniPath();
}

const char *SectionOrDefault(const char *section)
{
    return section ? section : kDefaultSection;
}

void ReadIniKey(void *section, const char *name, const char *def, char *out)
{
    GetIniString(static_cast<const char *>(section), name, def, out, kr::kRetentionReadBytes);
}

bool WriteIniKey(void *section, const char *name, char *text)
{
    return SetIniString(static_cast<const char *>(section), name, text, 0) != 0;
}

} // namespace

int KRAPI RTIndicesGetRetentionCalibration(const char *section, RetentionCalibration *record)
{
    if (!record || !IniFileNamed())
        return 0;
    kr::ReadRetentionKeys(record, ReadIniKey, const_cast<char *>(SectionOrDefault(section)));
    return 1;
}

int KRAPI RTIndicesSetRetentionCalibration(const char *section, const RetentionCalibration *record)
{
    if (!record || !IniFileNamed())
        return 0;
    return kr::WriteRetentionKeys(*record, WriteIniKey, const_cast<char *>(SectionOrDefault(section))) ? 1 : 0;
}

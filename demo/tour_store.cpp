// The global store the applications share: file records, values, and what
// reaches KESTRUNE.INI when it is freed.
#include <stdio.h>
#include <string.h>

#include <string>

#include "demo_common.h"

namespace krdemo {

namespace {

std::string StoreValue(const char *section, const char *key)
{
    char value[512];
    return GetGlobalString(section, key, "(missing)", value, sizeof value) >= 0 ? value : "(missing)";
}

} // namespace

void TourGlobalStore()
{
    Heading("The global store");
    printf("  InitGlobal -> %d (created and seeded from KESTRUNE.INI)\n", InitGlobal(0));
    char sections[512];
    const int bytes = GetGlobalString(nullptr, nullptr, nullptr, sections, sizeof sections);
    printf("  sections:");
    for (const char *s = sections; s < sections + bytes; s += strlen(s) + 1)
        printf(" %s", s);
    printf("\n");

    QZFILE project = FileRecord("C:\\Kestrune\\Projects\\", "Demo", "PRO");
    const int projectSet = SetGlobalFile("SystemList", "PROJECT", &project, 1);
    printf("  SetGlobalFile [SystemList] PROJECT -> %d, stored as \"%s\"\n", projectSet,
           StoreValue("SystemList", "PROJECT").c_str());
    QZRAWFILE raw{};
    raw.file = FileRecord("C:\\Kestrune\\Projects\\Demo.PRO\\Data\\", "run01", "raw");
    raw.index1 = 2;
    const int rawSet = SetGlobalRawFile("SystemList", "RAW", &raw, 1);
    printf("  SetGlobalRawFile [SystemList] RAW -> %d, stored as \"%s\"\n", rawSet,
           StoreValue("SystemList", "RAW").c_str());
    QZRAWFILE current;
    GetGlobalRawFile("SystemList", "RAW", nullptr, &current);
    printf("  the current raw file reads back as %s%s.%s, selection %d\n", current.file.directory,
           current.file.name, current.file.extension, current.index1);

    SetGlobalDouble("Demo Values", "LockMass", 556.2771, 1);
    SetGlobalLong("Demo Values", "Scans", 1200, 1);
    long scans = 0;
    GetGlobalLong("Demo Values", "Scans", 0, &scans);
    printf("  [Demo Values] LockMass stored as \"%s\", Scans read back as %ld\n",
           StoreValue("Demo Values", "LockMass").c_str(), scans);
    char bad[] = "two\r\nlines";
    printf("  a value with a line break -> %d (refused)\n", SetGlobalString("Demo Values", "Bad", bad, 1));

    printf("  FreeGlobal -> %d: the SystemList keys go to KESTRUNE.INI, custom ones go with the store\n",
           FreeGlobal(0));
    printf("    KESTRUNE.INI [SystemList] PROJECT=%s\n", IniValue("SystemList", "PROJECT").c_str());
    printf("    KESTRUNE.INI [SystemList] RAW=%s\n", IniValue("SystemList", "RAW").c_str());
    printf("  a fresh store reads PROJECT as \"%s\" and [Demo Values] Scans as %s\n",
           StoreValue("SystemList", "PROJECT").c_str(), StoreValue("Demo Values", "Scans").c_str());
    FreeGlobal(0);
}

} // namespace krdemo

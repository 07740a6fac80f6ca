// KESTRUNE.INI: where the suite keeps it, how settings are written and read
// back, and the file as the tour leaves it.
#include <stdio.h>
#include <string.h>

#include <string>

#include "demo_common.h"

namespace krdemo {

void TourWorkingDirectory()
{
    Heading("Working directory and KESTRUNE.INI");
    char dir[MAX_PATH];
    GetKestruneWorkingDir(dir);
    InitIni(0);
    printf("  working directory: %s\n", dir);
    printf("  INI file:          %s\\KESTRUNE.INI (loaded in memory: %d)\n", dir, IsIniLoaded());
}

void TourSettings()
{
    Heading("Settings in KESTRUNE.INI");
    char operatorName[] = "A. Analyst";
    printf("  SetIniString [Demo] Operator=%s -> %d\n", operatorName,
           SetIniString("Demo", "Operator", operatorName, 0));
    char read[64];
    const int count = GetIniString("Demo", "Operator", "", read, sizeof read);
    printf("  GetIniString [Demo] Operator -> \"%s\" (%d characters)\n", read, count);
    printf("  GetIniString [Demo] Missing  -> \"%s\" (the default)\n", IniValue("Demo", "Missing").c_str());
    char value[] = "x";
    printf("  SetIniString with a tab in the key -> %d (refused, nothing written)\n",
           SetIniString("Demo", "bad\tkey", value, 0));
    std::string longValue(600, 'L');
    SetIniString("Demo", "Long", &longValue[0], 0);
    printf("  a 600-character value is stored as %u characters\n",
           static_cast<unsigned>(IniValue("Demo", "Long").size()));
    char gcmd[] = "TRUE";
    SetIniString("Acquisition", "IsGCMD", gcmd, 0);
    printf("  [Acquisition] IsGCMD=TRUE -> IsGCMD() = %d", IsGCMD());
    char off[] = "FALSE";
    SetIniString("Acquisition", "IsGCMD", off, 0);
    printf(", after setting FALSE still %d (read once per process)\n", IsGCMD());
}

void ShowIniFile()
{
    Heading("KESTRUNE.INI as the demo leaves it (empty SystemList keys not shown)");
    FILE *f = fopen("KESTRUNE.INI", "rb");
    if (!f)
        return;
    char line[700];
    while (fgets(line, sizeof line, f)) {
        const size_t length = strcspn(line, "\r\n");
        if (length > 0 && line[length - 1] == '=')
            continue;
        line[strcspn(line, "\r\n")] = '\0';
        if (strlen(line) > 70)
            strcpy(line + 60, " ...");
        printf("  | %s\n", line);
    }
    fclose(f);
}

} // namespace krdemo

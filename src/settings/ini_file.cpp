// KESTRUNE.INI: its path and the checked wrappers of the Win32 profile calls.
#include "krsettings.h"

#include <string.h>

#include "files/path_parts.h"
#include "settings/ini_file.h"
#include "settings/ini_rules.h"

namespace {
char g_iniPath[MAX_PATH];
}

namespace kr {

const char *IniPath()
{
    InitIni(0);
    return g_iniPath;
}

} // namespace kr

int KRAPI InitIni(long)
{
    if (!g_iniPath[0]) {
        char directory[MAX_PATH];
        GetKestruneWorkingDir(directory);
        if (kr::JoinPath(directory, "KESTRUNE", "INI", g_iniPath, sizeof g_iniPath) >= sizeof g_iniPath)
            g_iniPath[0] = '\0'; // a cut path would name another file
    }
    return 1;
}

int KRAPI FreeIni(long, long)
{
    return 1;
}

int KRAPI IsIniLoaded(void)
{
    return 0;
}

int KRAPI GetIniString(const char *section, const char *key, const char *def,
                       char *out, short size)
{
    if (!out || size < 1)
        return 0;
    const char *fallback = def ? def : "";
    lstrcpynA(out, fallback, size);
    const char *path = kr::IniPath();
    if (!*path)
        return lstrlenA(out); // no file to read: as if the key were missing
    return static_cast<int>(GetPrivateProfileStringA(section, key, fallback, out,
                                                     static_cast<DWORD>(size), path));
}

int KRAPI SetIniString(const char *section, const char *key, char *value, long)
{
    if (!kr::IsPlainIniName(key) || !kr::IsPlainIniName(section))
        return 0;
    const char *path = kr::IniPath();
    if (!*path)
        return 0;
    if (value && strnlen(value, kr::kMaxIniValue) == kr::kMaxIniValue)
        value[kr::kMaxIniValue] = '\0';
    return WritePrivateProfileStringA(section, key, value, path);
}

int KRAPI IsGCMD(void)
{
    static int answer = -1;
    if (answer < 0) {
        char text[80];
        GetIniString("Acquisition", "IsGCMD", "FALSE", text, sizeof text);
        answer = lstrcmpA(text, "TRUE") == 0 ? 1 : 0;
    }
    return answer;
}

#include "temp_dir.h"

#include <string.h>

#include "custorix.h"
#include "location_rules.h"

namespace custorix {

bool SuiteTempDir(const SecurityConfig &config, char *out)
{
    if (config.tempDir[0]) {
        lstrcpynA(out, config.tempDir, MAX_PATH);
        return true;
    }
    char system[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof system, system);
    if (n == 0 || n >= sizeof system || n + sizeof CUSTORIX_TEMP_SUBDIR + 1 >= sizeof system)
        return false;
    if (system[n - 1] != '\\')
        lstrcatA(system, "\\");
    lstrcatA(system, CUSTORIX_TEMP_SUBDIR);
    return FullDirectoryForm(system, out);
}

bool MakeDirectoryChain(const char *directory)
{
    char partial[MAX_PATH];
    lstrcpynA(partial, directory, sizeof partial);
    // Each separator after the first character ends one level; the drive
    // root, or a UNC server, fails harmlessly.
    for (char *separator = strchr(partial + 1, '\\'); separator; separator = strchr(separator + 1, '\\')) {
        *separator = '\0';
        CreateDirectoryA(partial, nullptr);
        *separator = '\\';
    }
    const DWORD attributes = GetFileAttributesA(directory);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace custorix

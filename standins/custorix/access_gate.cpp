#include "access_gate.h"

#include <string.h>
#include <windows.h>

#include "location_rules.h"
#include "security_config.h"
#include "temp_dir.h"

namespace custorix {
namespace {

bool InTempDir(const SecurityConfig &config, const char *directory)
{
    char tempList[MAX_PATH + 1];
    if (!SuiteTempDir(config, tempList))
        return false;
    tempList[strlen(tempList) + 1] = '\0'; // the empty entry that ends the list
    return ListCovers(tempList, directory);
}

bool DirectoryAllowed(const SecurityConfig &config, const char *directory)
{
    return ListCovers(config.dataLocations, directory) || ListCovers(config.templateLocations, directory) ||
           InTempDir(config, directory);
}

// Reads the settings, then applies `form` (the full directory form of a
// path or of a pattern's directory) and the locations.
bool Allowed(const char *path, bool (*form)(const char *, char *))
{
    if (!path || !*path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    SecurityConfig config;
    ReadSecurityConfig(config);
    if (!config.secureFiles)
        return true;
    char directory[MAX_PATH];
    if (form(path, directory) && DirectoryAllowed(config, directory))
        return true;
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
}

} // namespace

bool MayReach(const char *path)
{
    return Allowed(path, FullDirectoryForm);
}

bool MaySearch(const char *pattern)
{
    return Allowed(pattern, PatternDirectoryForm);
}

} // namespace custorix

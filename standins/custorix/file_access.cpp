// The user's settings, locations and rights, as the configuration gives them.
#include "custorix.h"

#include <string.h>

#include "location_rules.h"
#include "security_config.h"
#include "temp_dir.h"

using custorix::SecurityConfig;

namespace {

SecurityConfig &ReadInto(SecurityConfig &config)
{
    custorix::ReadSecurityConfig(config);
    return config;
}

enum class Use { Data, Templates };

// A directory given to the location checks, with or without its backslash.
BOOL LocationAllowed(LPCSTR directory, Use use)
{
    if (!directory || !*directory)
        return FALSE;
    SecurityConfig config;
    if (!custorix::SecurityActive(ReadInto(config)))
        return TRUE;
    char full[MAX_PATH];
    const char *list = use == Use::Data ? config.dataLocations : config.templateLocations;
    return custorix::FullDirectoryForm(directory, full) && custorix::ListCovers(list, full);
}

} // namespace

BOOL CFileAccess::UsesSecureFiles()
{
    SecurityConfig config;
    return ReadInto(config).secureFiles;
}

BOOL CFileAccess::UsesSecurityLight()
{
    SecurityConfig config;
    return ReadInto(config).securityLight;
}

BOOL CFileAccess::CheckFilename(LPCSTR directory)
{
    return LocationAllowed(directory, Use::Data);
}

BOOL CFileAccess::CheckTemplateFilename(LPCSTR directory)
{
    return LocationAllowed(directory, Use::Templates);
}

BOOL CFileAccess::GetGlobalTempPathSA(DWORD size, LPSTR buffer)
{
    if (!buffer)
        return FALSE;
    if (size > 0)
        buffer[0] = '\0';
    SecurityConfig config;
    char temp[MAX_PATH];
    if (!custorix::SuiteTempDir(ReadInto(config), temp) || strlen(temp) >= size ||
        !custorix::MakeDirectoryChain(temp))
        return FALSE;
    memcpy(buffer, temp, strlen(temp) + 1);
    return TRUE;
}

BOOL CFileAccess::SigSettings(DWORD /*application*/, int *offered, int *required)
{
    SecurityConfig config;
    ReadInto(config);
    if (offered)
        *offered = config.signing || config.signingRequired;
    if (required)
        *required = config.signingRequired;
    return TRUE;
}

BOOL WINAPI SecurityEnquire(HWND /*owner*/, DWORD right, DWORD /*reserved*/)
{
    SecurityConfig config;
    if (!custorix::SecurityActive(ReadInto(config)))
        return TRUE;
    for (size_t i = 0; i < config.rightCount; ++i) {
        if (config.rights[i] == right)
            return TRUE;
    }
    return FALSE;
}

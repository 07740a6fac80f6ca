// The access-control settings of the working directory, read from its
// configuration file at every call (the file's keys and the safe reading of
// a garbled file are described in custorix.h).
#ifndef CUSTORIX_SECURITY_CONFIG_H
#define CUSTORIX_SECURITY_CONFIG_H

#include <stddef.h>
#include <windows.h>

namespace custorix {

const size_t kUserCapacity = 64;
const size_t kLocationListCapacity = 8192;
const size_t kMaxRights = 256;

struct SecurityConfig {
    bool secureFiles;
    bool securityLight;
    bool signing;
    bool signingRequired;
    char user[kUserCapacity];  // "" = the logon name
    // Full directory paths ending in a backslash, each NUL-terminated; the
    // list ends with an empty entry.
    char dataLocations[kLocationListCapacity];
    char templateLocations[kLocationListCapacity];
    DWORD rights[kMaxRights];
    size_t rightCount;
    char tempDir[MAX_PATH];    // "" = the default
    char auditLog[MAX_PATH];   // "" = the default
};

// Reads the configuration file of the current directory into `config`:
// everything off and empty when there is none, the safe reading when it is
// garbled.
void ReadSecurityConfig(SecurityConfig &config);

// Whether the locations and rights are checked at all.
inline bool SecurityActive(const SecurityConfig &config)
{
    return config.secureFiles || config.securityLight;
}

// The name written into audit lines: the configured user, else the logon
// name, else "unknown".
void AuditUserName(const SecurityConfig &config, char *out, size_t cap);

} // namespace custorix

#endif

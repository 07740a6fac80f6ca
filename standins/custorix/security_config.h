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

enum class ConfigState { Absent, Valid, Garbled };

// Reads the configuration file of the current directory into `config`.
// Absent: everything off and empty. Garbled: the safe reading.
ConfigState ReadSecurityConfig(SecurityConfig &config);

// The same for a text already in memory (length bytes, not terminated);
// false when it is garbled, with `config` then holding the safe reading.
bool ParseSecurityConfig(const char *text, size_t length, SecurityConfig &config);

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

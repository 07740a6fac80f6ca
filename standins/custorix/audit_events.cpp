// Security and audit events written to the audit logs.
#include "custorix.h"

#include <string.h>

#include "audit_log.h"
#include "location_rules.h"
#include "security_config.h"

using custorix::SecurityConfig;

namespace {

// The configured audit log, else the default one in the current directory.
bool ConfiguredLog(const SecurityConfig &config, char *out)
{
    if (config.auditLog[0]) {
        lstrcpynA(out, config.auditLog, MAX_PATH);
        return true;
    }
    return custorix::FullPathForm(CUSTORIX_DEFAULT_AUDIT_LOG, out);
}

BOOL WriteEvent(const char *logFile, DWORD event, DWORD outcome, const char *text, const char *detail)
{
    SecurityConfig config;
    custorix::ReadSecurityConfig(config);
    char log[MAX_PATH];
    if (logFile && *logFile)
        lstrcpynA(log, logFile, sizeof log);
    else if (!ConfiguredLog(config, log))
        return FALSE;
    char user[custorix::kUserCapacity];
    custorix::AuditUserName(config, user, sizeof user);
    SYSTEMTIME now;
    GetSystemTime(&now);
    char line[custorix::kAuditLineCapacity];
    const size_t length = custorix::FormatAuditLine(now, user, event, outcome, text, detail, line);
    return custorix::AppendToLog(log, line, length);
}

bool EndsWithRaw(const char *path, size_t length)
{
    return length >= 4 && lstrcmpiA(path + length - 4, ".raw") == 0;
}

} // namespace

BOOL CFileAccess::LogEventSecurityA(DWORD event, DWORD outcome, LPCSTR path, LPCSTR detail, DWORD /*reserved*/)
{
    return WriteEvent(nullptr, event, outcome, path, detail);
}

BOOL CFileAccess::LogEventAuditA(LPCSTR logFile, DWORD event, DWORD outcome, LPCSTR text)
{
    return WriteEvent(logFile, event, outcome, text, nullptr);
}

BOOL WINAPI GetLogVeskFilenameA(LPCSTR rawFile, LPSTR out)
{
    if (!out)
        return FALSE;
    out[0] = '\0';
    char full[MAX_PATH];
    if (!custorix::FullPathForm(rawFile, full))
        return FALSE;
    size_t n = strlen(full);
    if (full[n - 1] == '\\')
        full[--n] = '\0';
    const size_t nameLength = sizeof CUSTORIX_RAW_LOG_NAME - 1;
    if (!EndsWithRaw(full, n) || n + 1 + nameLength >= MAX_PATH)
        return FALSE;
    memcpy(out, full, n);
    out[n] = '\\';
    memcpy(out + n + 1, CUSTORIX_RAW_LOG_NAME, nameLength + 1);
    return TRUE;
}

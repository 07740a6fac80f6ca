// The status of a file or directory in the classic 32-bit record.
#include "custorix.h"

#include "access_gate.h"
#include "location_rules.h"

namespace {

// Seconds since 1970-01-01 UTC, 0 for an unknown or earlier time, the
// largest 32-bit value for a later one.
LONG UnixSeconds(const FILETIME &time)
{
    const unsigned long long ticks = (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    const unsigned long long epoch = 116444736000000000ull; // 1970-01-01 in 100 ns since 1601
    if (ticks <= epoch)
        return 0;
    const unsigned long long seconds = (ticks - epoch) / 10000000ull;
    return seconds > 0x7FFFFFFFull ? 0x7FFFFFFF : static_cast<LONG>(seconds);
}

LONG SizeAsLong(DWORD high, DWORD low)
{
    return high != 0 || low > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<LONG>(low);
}

} // namespace

BOOL CFileS::GetStatus(LPCSTR path, CFileStatus &status)
{
    if (!custorix::MayReach(path))
        return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return FALSE;
    char fullName[MAX_PATH];
    if (!custorix::FullPathForm(path, fullName)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    status.m_ctime = UnixSeconds(data.ftCreationTime);
    status.m_mtime = UnixSeconds(data.ftLastWriteTime);
    status.m_atime = UnixSeconds(data.ftLastAccessTime);
    status.m_size = SizeAsLong(data.nFileSizeHigh, data.nFileSizeLow);
    status.m_attribute = static_cast<BYTE>(data.dwFileAttributes & 0xFF);
    status.m_padding = 0;
    lstrcpynA(status.m_szFullName, fullName, sizeof status.m_szFullName);
    return TRUE;
}

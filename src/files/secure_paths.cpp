// The two path functions that reach the disk, through the secure file
// access library so that the user's access rules apply.
#include <string.h>

#include "custorix.h"
#include "files/path_parts.h"
#include "krfiles.h"

extern "C" {

int KRAPI DirectoryExists(const char *path)
{
    if (!path || !*path)
        return 0;
    CFileStatus status;
    memset(&status, 0, sizeof status);
    if (!CFileS::GetStatus(path, status))
        return 0;
    return (status.m_attribute & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

char *KRAPI GetCurSampTxtName(char *out, int outSize)
{
    if (!out || outSize < 1)
        return nullptr;
    char directory[MAX_PATH] = "";
    if (!CFileAccess::GetGlobalTempPathSA(MAX_PATH, directory))
        return nullptr;
    directory[MAX_PATH - 1] = '\0'; // the library promises a terminator; do not rely on it
    char path[MAX_PATH];
    if (!CreatePathName("KRCurSmp", directory, "txt", path, sizeof path))
        return nullptr;
    kr::CopySpan({path, strlen(path)}, out, static_cast<size_t>(outSize));
    return out;
}

} // extern "C"

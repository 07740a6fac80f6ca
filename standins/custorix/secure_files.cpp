// The plain file-system functions behind the gate.
#include "custorix.h"

#include <direct.h>
#include <errno.h>

#include "access_gate.h"
#include "location_rules.h"

using custorix::MayReach;
using custorix::MaySearch;

HANDLE WINAPI CreateFileS(LPCSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                          DWORD creation, DWORD flags, HANDLE templateFile)
{
    if (!MayReach(path))
        return INVALID_HANDLE_VALUE;
    return CreateFileA(path, access, shareMode, security, creation, flags, templateFile);
}

BOOL WINAPI CloseHandleS(HANDLE handle)
{
    return CloseHandle(handle);
}

int __cdecl _mkdirS(const char *path)
{
    if (!path || !*path) {
        errno = EINVAL;
        return -1;
    }
    if (!MayReach(path)) {
        errno = EACCES;
        return -1;
    }
    return _mkdir(path);
}

HANDLE WINAPI FindFirstFileSA(LPCSTR pattern, LPWIN32_FIND_DATAA found)
{
    if (!MaySearch(pattern))
        return INVALID_HANDLE_VALUE;
    return FindFirstFileA(pattern, found);
}

BOOL WINAPI FindNextFileSA(HANDLE search, LPWIN32_FIND_DATAA found)
{
    return FindNextFileA(search, found);
}

BOOL WINAPI FindCloseS(HANDLE search)
{
    return FindClose(search);
}

BOOL WINAPI GetSecureFilenameA(LPCSTR path, LPSTR out)
{
    if (!out)
        return FALSE;
    if (!custorix::FullPathForm(path, out)) {
        out[0] = '\0';
        return FALSE;
    }
    return TRUE;
}

HANDLE CFileAccess::FindFirstFileSA(LPCSTR pattern, LPWIN32_FIND_DATAA found)
{
    return ::FindFirstFileSA(pattern, found);
}

BOOL CFileAccess::FindNextFileSA(HANDLE search, LPWIN32_FIND_DATAA found)
{
    return ::FindNextFileSA(search, found);
}

BOOL CFileAccess::FindCloseS(HANDLE search)
{
    return ::FindCloseS(search);
}

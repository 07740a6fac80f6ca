// Searching a directory the way the user may: the pattern's secure form,
// and the search itself, through the secure file access library.
#ifndef KR_FILES_SECURE_SEARCH_H
#define KR_FILES_SECURE_SEARCH_H

#include <windows.h>

#include "custorix.h"

namespace kr {

inline bool IsDirectory(const WIN32_FIND_DATAA &entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Calls visit(entry) for each entry found for `pattern` until it returns
// false. False when the search could not start (no access, no such
// directory, a path too long): the caller then shows no entries.
template <typename Visit> bool ForEachEntry(const char *pattern, Visit visit)
{
    char secure[MAX_PATH];
    if (!GetSecureFilenameA(pattern, secure))
        return false;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileSA(secure, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (!visit(entry))
            break;
    } while (FindNextFileSA(search, &entry));
    FindCloseS(search);
    return true;
}

} // namespace kr

#endif

#include "location_rules.h"

#include <string.h>
#include <windows.h>

namespace custorix {
namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Upper-cases a copy in the ANSI code page, as the file system compares names.
void UpperCopy(const char *text, size_t length, char *out)
{
    memcpy(out, text, length);
    out[length] = '\0';
    CharUpperBuffA(out, static_cast<DWORD>(length));
}

bool StartsWithIgnoringCase(const char *text, const char *prefix)
{
    const size_t n = strlen(prefix);
    if (n == 0 || strlen(text) < n || n >= MAX_PATH)
        return false;
    char upperText[MAX_PATH];
    char upperPrefix[MAX_PATH];
    UpperCopy(text, n, upperText);
    UpperCopy(prefix, n, upperPrefix);
    return memcmp(upperText, upperPrefix, n) == 0;
}

} // namespace

bool FullPathForm(const char *path, char *out)
{
    if (!path || !*path)
        return false;
    const DWORD n = GetFullPathNameA(path, MAX_PATH, out, nullptr);
    return n > 0 && n < MAX_PATH;
}

bool FullDirectoryForm(const char *path, char *out)
{
    if (!FullPathForm(path, out))
        return false;
    const size_t n = strlen(out);
    if (out[n - 1] != '\\') {
        if (n + 1 >= MAX_PATH)
            return false;
        out[n] = '\\';
        out[n + 1] = '\0';
    }
    return true;
}

bool PatternDirectoryForm(const char *pattern, char *out)
{
    if (!FullPathForm(pattern, out))
        return false;
    char *lastSeparator = strrchr(out, '\\');
    if (!lastSeparator)
        return false;
    lastSeparator[1] = '\0';
    return true;
}

bool IsAbsolutePath(const char *path)
{
    if (!path)
        return false;
    const bool drive = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && IsSeparator(path[2]);
    const bool unc = IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] && !IsSeparator(path[2]);
    return drive || unc;
}

bool HasWildcardCharacter(const char *path)
{
    return strpbrk(path, "*?\"<>|") != nullptr;
}

bool ListCovers(const char *list, const char *directory)
{
    for (const char *entry = list; *entry; entry += strlen(entry) + 1) {
        if (StartsWithIgnoringCase(directory, entry))
            return true;
    }
    return false;
}

} // namespace custorix

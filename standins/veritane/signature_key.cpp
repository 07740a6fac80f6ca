#include "signature_key.h"

#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include "file_replace.h"

namespace veritane {
namespace {

const char kKeyDirectory[] = "Kestrune\\Veritane";

bool KeptInFileName(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_' || c == ' ';
}

// The key file of `user`; a character that a file name cannot hold, or
// could confuse with another name, is written "%XX" (so is "%").
bool KeyPath(const char *user, bool create, char out[MAX_PATH])
{
    const int folder = CSIDL_APPDATA | (create ? CSIDL_FLAG_CREATE : 0);
    if (FAILED(SHGetFolderPathAndSubDirA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, kKeyDirectory, out)))
        return false;
    size_t used = strlen(out);
    out[used++] = '\\';
    for (const char *c = user; *c; ++c) {
        if (used + 4 > MAX_PATH)
            return false;
        if (KeptInFileName(*c))
            out[used++] = *c;
        else
            used += sprintf(out + used, "%%%02X", static_cast<unsigned char>(*c));
    }
    if (used + sizeof ".key" > MAX_PATH)
        return false;
    strcpy(out + used, ".key");
    return true;
}

bool ReadKey(const char *path, BYTE key[kKeySize])
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BYTE content[kKeySize + 1];
    DWORD got = 0;
    const bool whole = ReadFile(file, content, sizeof content, &got, nullptr) && got == kKeySize;
    CloseHandle(file);
    if (whole)
        memcpy(key, content, kKeySize);
    return whole;
}

} // namespace

bool UserKey(const char *user, bool create, BYTE key[kKeySize])
{
    char path[MAX_PATH];
    if (!KeyPath(user, create, path))
        return false;
    if (ReadKey(path, key))
        return true;
    if (!create || GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return false;
    BYTE fresh[kKeySize];
    standins::FileReplacement file(path);
    // Not overwriting: of two processes creating the key at once, the first
    // to commit wins and both read its key.
    if (standins::RandomBytes(fresh, kKeySize) && file.Write(fresh, kKeySize))
        file.Commit(false);
    SecureZeroMemory(fresh, sizeof fresh);
    return ReadKey(path, key);
}

} // namespace veritane

#include "file_replace.h"

#include <string.h>

namespace standins {
namespace {

const char kTemporarySuffix[] = ".tmp";

bool TemporaryName(LPCSTR path, char out[MAX_PATH])
{
    const size_t length = strlen(path);
    if (length + sizeof kTemporarySuffix > MAX_PATH)
        return false;
    memcpy(out, path, length);
    memcpy(out + length, kTemporarySuffix, sizeof kTemporarySuffix);
    return true;
}

bool ReadOnly(LPCSTR path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

} // namespace

bool MayReplace(LPCSTR path)
{
    char full[MAX_PATH];
    char temporary[MAX_PATH];
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH && TemporaryName(full, temporary) && !ReadOnly(full);
}

FileReplacement::FileReplacement(LPCSTR path)
{
    if (strlen(path) >= MAX_PATH || !TemporaryName(path, temporary_))
        return;
    strcpy(path_, path);
    file_ = CreateFileA(temporary_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ok_ = file_ != INVALID_HANDLE_VALUE;
}

FileReplacement::~FileReplacement()
{
    if (file_ != INVALID_HANDLE_VALUE) {
        CloseHandle(file_);
        DeleteFileA(temporary_);
    }
}

bool FileReplacement::Write(const void *data, DWORD size)
{
    DWORD written = 0;
    ok_ = ok_ && WriteFile(file_, data, size, &written, nullptr) && written == size;
    return ok_;
}

bool FileReplacement::Commit(bool overwrite)
{
    if (!ok_)
        return false;
    ok_ = FlushFileBuffers(file_) != FALSE;
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    ok_ = ok_ && MoveFileExA(temporary_, path_, overwrite ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!ok_)
        DeleteFileA(temporary_);
    return ok_;
}

} // namespace standins

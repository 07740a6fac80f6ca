#include "signature_store.h"

#include <string.h>

#include "file_replace.h"

namespace veritane {
namespace {

const char kMagic[4] = {'V', 'S', 'G', '1'};

// Reads a store entry by entry, having checked that it is whole: the magic
// and a whole number of entries.
class StoreReader {
public:
    explicit StoreReader(LPCSTR store)
    {
        file_ = CreateFileA(store, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        missing_ = file_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND;
        LARGE_INTEGER size;
        char magic[sizeof kMagic];
        DWORD got = 0;
        whole_ = file_ != INVALID_HANDLE_VALUE && GetFileSizeEx(file_, &size) &&
                 (size.QuadPart - static_cast<LONGLONG>(sizeof kMagic)) % sizeof(StoredSignature) == 0 &&
                 ReadFile(file_, magic, sizeof magic, &got, nullptr) && got == sizeof magic &&
                 memcmp(magic, kMagic, sizeof kMagic) == 0;
    }
    ~StoreReader()
    {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
    }
    bool Missing() const { return missing_; }
    bool Whole() const { return whole_; }
    bool Next(StoredSignature &entry)
    {
        DWORD got = 0;
        whole_ = whole_ && ReadFile(file_, &entry, sizeof entry, &got, nullptr) &&
                 (got == sizeof entry || got == 0);
        return whole_ && got == sizeof entry;
    }

private:
    HANDLE file_;
    bool missing_;
    bool whole_;
};

bool SameName(const StoredSignature &entry, LPCSTR name)
{
    return entry.name[MAX_PATH - 1] == '\0' && lstrcmpiA(entry.name, name) == 0;
}

// The entries of the store but that of `name` into `file`; closes the store
// again, so that it can be replaced. False when it is there but not whole.
bool CopyOtherEntries(LPCSTR store, LPCSTR name, standins::FileReplacement &file)
{
    StoreReader reader(store);
    if (reader.Missing())
        return true;
    StoredSignature earlier;
    while (reader.Next(earlier))
        if (!SameName(earlier, name))
            file.Write(&earlier, sizeof earlier);
    return reader.Whole();
}

} // namespace

bool FindStoredSignature(LPCSTR store, LPCSTR name, StoredSignature &found)
{
    StoreReader reader(store);
    while (reader.Next(found))
        if (SameName(found, name))
            return true;
    return false;
}

bool StoreSignature(LPCSTR store, const StoredSignature &entry)
{
    if (!standins::MayReplace(store))
        return false;
    standins::FileReplacement file(store);
    file.Write(kMagic, sizeof kMagic);
    if (!CopyOtherEntries(store, entry.name, file))
        return false;
    return file.Write(&entry, sizeof entry) && file.Commit();
}

} // namespace veritane

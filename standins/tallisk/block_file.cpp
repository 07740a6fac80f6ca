#include "block_file.h"

#include <string.h>

#include "file_replace.h"
#include "tallisk.h"

namespace tallisk {
namespace {

const char kMagic[4] = {'T', 'S', 'K', '1'};
const DWORD kVersion = 1;
const DWORD kHeadSize = sizeof kMagic + sizeof kVersion + standins::kDigestSize + sizeof(DWORD);
const DWORD kMaxBlockSize = kHeadSize + kMaxSignatureSize + standins::kDigestSize;

// The block as written, with its own checksum at the end; its size.
DWORD Serialise(const BlockContent &block, BYTE out[kMaxBlockSize])
{
    BYTE *at = out;
    memcpy(at, kMagic, sizeof kMagic);
    memcpy(at += sizeof kMagic, &kVersion, sizeof kVersion);
    memcpy(at += sizeof kVersion, block.content, standins::kDigestSize);
    memcpy(at += standins::kDigestSize, &block.signatureSize, sizeof(DWORD));
    memcpy(at += sizeof(DWORD), block.signature, block.signatureSize);
    const DWORD size = kHeadSize + block.signatureSize;
    standins::Digest digest;
    digest.Add(out, size);
    return digest.Finish(out + size) ? size + standins::kDigestSize : 0;
}

} // namespace

bool BlockPath(LPCSTR path, char out[MAX_PATH])
{
    char full[MAX_PATH];
    char *name = nullptr;
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, &name);
    if (length == 0 || length >= MAX_PATH || !name ||
        length + sizeof TALLISK_BLOCK_PREFIX + sizeof TALLISK_BLOCK_SUFFIX - 2 >= MAX_PATH)
        return false;
    const size_t directory = static_cast<size_t>(name - full);
    memcpy(out, full, directory);
    strcpy(out + directory, TALLISK_BLOCK_PREFIX);
    strcat(out, name);
    strcat(out, TALLISK_BLOCK_SUFFIX);
    return true;
}

bool ReadBlock(LPCSTR blockPath, BlockContent &block)
{
    HANDLE file = CreateFileA(blockPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    static_assert(kMaxBlockSize < 8192, "a block is read on the stack");
    BYTE read[kMaxBlockSize + 1];
    DWORD got = 0;
    const bool ok = ReadFile(file, read, sizeof read, &got, nullptr);
    CloseHandle(file);
    if (!ok || got < kHeadSize + standins::kDigestSize)
        return false;
    memcpy(block.content, read + sizeof kMagic + sizeof kVersion, standins::kDigestSize);
    memcpy(&block.signatureSize, read + kHeadSize - sizeof(DWORD), sizeof(DWORD));
    if (block.signatureSize > kMaxSignatureSize)
        return false;
    memcpy(block.signature, read + kHeadSize, block.signatureSize);
    // Written anew from what was read, a whole block is the same bytes.
    BYTE whole[kMaxBlockSize];
    const DWORD size = Serialise(block, whole);
    return size == got && memcmp(whole, read, size) == 0;
}

bool WriteBlock(LPCSTR blockPath, const BlockContent &block)
{
    BYTE whole[kMaxBlockSize];
    const DWORD size = Serialise(block, whole);
    standins::FileReplacement file(blockPath);
    return size && file.Write(whole, size) && file.Commit();
}

} // namespace tallisk

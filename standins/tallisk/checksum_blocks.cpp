// The exports: an open block is its file's name, the content digest taken
// at opening and the signature set since, written out when it is closed.
#include "tallisk.h"

#include <string.h>

#include "block_file.h"
#include "file_replace.h"

struct TALLISK_BLOCK_TAG {
    char path[MAX_PATH];
    bool writable;
    tallisk::BlockContent block;
};

extern "C" HCHECKSUMBLOCK WINAPI CreateAndOpenChecksumBlock(LPCSTR path, DWORD access)
{
    const bool writable = (access & GENERIC_WRITE) != 0;
    if (!path || !(access & GENERIC_READ) || (access & ~(GENERIC_READ | GENERIC_WRITE)))
        return nullptr;
    HCHECKSUMBLOCK opened =
        static_cast<HCHECKSUMBLOCK>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(TALLISK_BLOCK_TAG)));
    if (!opened)
        return nullptr;
    opened->writable = writable;
    if (!tallisk::BlockPath(path, opened->path) || (writable && !standins::MayReplace(opened->path)) ||
        !standins::FileContentDigest(path, opened->block.content)) {
        HeapFree(GetProcessHeap(), 0, opened);
        return nullptr;
    }
    return opened;
}

extern "C" BOOL WINAPI SetChecksumBlockSignature(HCHECKSUMBLOCK block, const void *signature, DWORD size)
{
    if (!block || !block->writable || size > tallisk::kMaxSignatureSize || (size && !signature))
        return FALSE;
    memcpy(block->block.signature, signature, size);
    block->block.signatureSize = size;
    return TRUE;
}

extern "C" BOOL WINAPI CloseChecksumBlock(HCHECKSUMBLOCK block)
{
    if (!block)
        return FALSE;
    const bool written = !block->writable || tallisk::WriteBlock(block->path, block->block);
    HeapFree(GetProcessHeap(), 0, block);
    return written;
}

extern "C" BOOL WINAPI VerifyChecksumBlock(LPCSTR path, void *signature, DWORD size, DWORD *stored)
{
    char blockPath[MAX_PATH];
    tallisk::BlockContent block;
    BYTE content[standins::kDigestSize];
    const bool holds = path && tallisk::BlockPath(path, blockPath) && tallisk::ReadBlock(blockPath, block) &&
                       standins::FileContentDigest(path, content) &&
                       memcmp(content, block.content, sizeof content) == 0;
    if (!holds)
        return FALSE;
    if (signature)
        memcpy(signature, block.signature, block.signatureSize < size ? block.signatureSize : size);
    if (stored)
        *stored = block.signatureSize;
    return TRUE;
}

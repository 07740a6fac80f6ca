// The allocation point on the fuzzing host: global blocks are heap blocks
// that remember their size, moved on every reallocation so that a stale
// pointer into an old block is caught by the address sanitizer. The fault
// plan is the library's own.
#include "support/memory.h"

#include <stdlib.h>
#include <string.h>

#include "support/fault_plan.h"

namespace kr {
namespace {

struct BlockHeader {
    SIZE_T size;
    SIZE_T spare; // keeps the contents 16-byte aligned
};

BlockHeader *HeaderOf(HGLOBAL block)
{
    return static_cast<BlockHeader *>(block);
}

HGLOBAL NewBlock(SIZE_T bytes)
{
    auto *header = static_cast<BlockHeader *>(calloc(1, sizeof(BlockHeader) + bytes));
    if (header)
        header->size = bytes;
    return header;
}

} // namespace

void *MemAlloc(size_t bytes)
{
    return InjectFailure() ? nullptr : malloc(bytes);
}

void MemFree(void *block)
{
    free(block);
}

HGLOBAL MemGlobalAlloc(UINT, SIZE_T bytes)
{
    return InjectFailure() ? nullptr : NewBlock(bytes);
}

HGLOBAL MemGlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT)
{
    if (InjectFailure())
        return nullptr;
    HGLOBAL grown = NewBlock(bytes);
    if (!grown)
        return nullptr;
    const SIZE_T kept = HeaderOf(block)->size < bytes ? HeaderOf(block)->size : bytes;
    memcpy(HeaderOf(grown) + 1, HeaderOf(block) + 1, kept);
    free(block);
    return grown;
}

HGLOBAL MemGlobalFree(HGLOBAL block)
{
    free(block);
    return nullptr;
}

SIZE_T MemGlobalSize(HGLOBAL block)
{
    return HeaderOf(block)->size;
}

void MemGlobalUnlock(HGLOBAL) {}

void *MemGlobalLock(HGLOBAL block)
{
    return InjectFailure() ? nullptr : HeaderOf(block) + 1;
}

HLOCAL MemLocalAlloc(UINT flags, SIZE_T bytes)
{
    return MemGlobalAlloc(flags, bytes);
}

HLOCAL MemLocalFree(HLOCAL block)
{
    return MemGlobalFree(block);
}

void *MemLocalLock(HLOCAL block)
{
    return MemGlobalLock(block);
}

} // namespace kr

#include "support/memory.h"

#include <stdlib.h>

#include "support/fault_plan.h"

namespace kr {
namespace {

// Runs the call unless the plan fails it; a failure looks as the platform's
// own would: null, with ERROR_NOT_ENOUGH_MEMORY.
template <typename Call>
auto Planned(Call call) -> decltype(call())
{
    if (InjectFailure()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return call();
}

} // namespace

void *MemAlloc(size_t bytes)
{
    return Planned([&] { return malloc(bytes); });
}

void MemFree(void *block)
{
    free(block);
}

HGLOBAL MemGlobalAlloc(UINT flags, SIZE_T bytes)
{
    return Planned([&] { return GlobalAlloc(flags, bytes); });
}

HGLOBAL MemGlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags)
{
    return Planned([&] { return GlobalReAlloc(block, bytes, flags); });
}

SIZE_T MemGlobalSize(HGLOBAL block)
{
    return GlobalSize(block);
}

void MemGlobalUnlock(HGLOBAL block)
{
    GlobalUnlock(block);
}

HGLOBAL MemGlobalFree(HGLOBAL block)
{
    return GlobalFree(block);
}

void *MemGlobalLock(HGLOBAL block)
{
    return Planned([&] { return GlobalLock(block); });
}

HLOCAL MemLocalAlloc(UINT flags, SIZE_T bytes)
{
    return Planned([&] { return LocalAlloc(flags, bytes); });
}

HLOCAL MemLocalFree(HLOCAL block)
{
    return LocalFree(block);
}

void *MemLocalLock(HLOCAL block)
{
    return Planned([&] { return LocalLock(block); });
}

} // namespace kr

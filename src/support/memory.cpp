#include "support/memory.h"

#include <stdlib.h>

namespace kr {
namespace {

struct FaultPlan {
    long nth = 0;         // call to fail, counted from the last arming; 0: none
    bool persistent = false;
    long calls = 0;
    long failures = 0;
};

FaultPlan g_plan;

// Counts one call that can fail and says whether the plan wants it to.
bool InjectFailure()
{
    ++g_plan.calls;
    const bool fail = g_plan.nth > 0 &&
                      (g_plan.calls == g_plan.nth ||
                       (g_plan.persistent && g_plan.calls > g_plan.nth));
    if (fail)
        ++g_plan.failures;
    return fail;
}

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

void MemFailAt(long nth, bool persistent)
{
    g_plan = FaultPlan{};
    g_plan.nth = nth > 0 ? nth : 0;
    g_plan.persistent = persistent;
}

long MemCallCount()
{
    return g_plan.calls;
}

long MemFailureCount()
{
    return g_plan.failures;
}

} // namespace kr

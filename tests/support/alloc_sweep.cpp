#include "support/alloc_sweep.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support/test_control.h"

namespace krtest {
namespace {

// gtest's first trace on a thread starts a watcher thread that takes a few
// hundred bytes of the process heap a little later: waits for it.
void SettleHeaps()
{
    SCOPED_TRACE("settling");
    for (size_t settled = 0; settled != BusyHeapBytes(); Sleep(20))
        settled = BusyHeapBytes();
}

} // namespace

long SweepAllocations(const std::function<void()> &work, const std::function<void(long nth, bool failed)> &check,
                      bool onwards)
{
    SettleHeaps();
    for (long nth = 1;; ++nth) {
        SCOPED_TRACE(testing::Message() << "failing memory call " << nth << (onwards ? " onwards" : ""));
        KrutilTestControl(onwards ? KRTEST_MEM_FAIL_FROM : KRTEST_MEM_FAIL_AT, nth);
        work();
        const bool failed = KrutilTestControl(KRTEST_MEM_FAILURES, 0) > 0;
        const long calls = static_cast<long>(KrutilTestControl(KRTEST_MEM_CALLS, 0));
        KrutilTestControl(KRTEST_MEM_FAIL_AT, 0);
        check(nth, failed);
        if (!failed || testing::Test::HasFatalFailure())
            return calls;
    }
}

long CountAllocations(const std::function<void()> &work)
{
    KrutilTestControl(KRTEST_MEM_FAIL_AT, 0); // restarts the count
    work();
    return static_cast<long>(KrutilTestControl(KRTEST_MEM_CALLS, 0));
}

size_t BusyHeapBytes()
{
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    if (count > 64)
        count = 64;
    size_t total = 0;
    for (DWORD h = 0; h < count; ++h) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[h]);
        while (HeapWalk(heaps[h], &entry))
            total += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? entry.cbData : 0;
        HeapUnlock(heaps[h]);
    }
    return total;
}

} // namespace krtest

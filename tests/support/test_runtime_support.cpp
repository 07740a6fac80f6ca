// The allocation point: failures injected on the Nth call.
#include <gtest/gtest.h>

#include <string.h>

#include "support/memory.h"

namespace {

// A routine in the library's style: all of its blocks or none, never a leak.
bool TakeThreeBlocks(int *live)
{
    void *a = kr::MemAlloc(16);
    HGLOBAL b = a ? kr::MemGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64) : nullptr;
    HLOCAL c = b ? kr::MemLocalAlloc(LMEM_FIXED, 8) : nullptr;
    *live += (a != nullptr) + (b != nullptr) + (c != nullptr);
    if (c)
        *live -= !kr::MemLocalFree(c);
    if (b)
        *live -= !kr::MemGlobalFree(b);
    if (a) {
        kr::MemFree(a);
        --*live;
    }
    return c != nullptr;
}

} // namespace

TEST(MemoryPlan, FailingEachCallInTurnReachesEveryFailurePath)
{
    long nth = 1;
    for (;; ++nth) {
        kr::MemFailAt(nth, false);
        int live = 0;
        const bool ok = TakeThreeBlocks(&live);
        EXPECT_EQ(0, live) << "call " << nth;
        if (kr::MemFailureCount() == 0) {
            EXPECT_TRUE(ok);
            break;
        }
        EXPECT_FALSE(ok) << "call " << nth;
        EXPECT_EQ(nth, kr::MemCallCount());
    }
    EXPECT_EQ(4, nth); // three calls could fail; the fourth run went through
    kr::MemFailAt(0, false);
}

TEST(MemoryPlan, PersistentPlanFailsEveryCallFromTheNth)
{
    kr::MemFailAt(2, true);
    void *ok = kr::MemAlloc(8);
    EXPECT_NE(nullptr, ok);
    EXPECT_EQ(nullptr, kr::MemAlloc(8));
    EXPECT_EQ(nullptr, kr::MemGlobalAlloc(GMEM_MOVEABLE, 8));
    EXPECT_EQ(nullptr, kr::MemLocalAlloc(LMEM_FIXED, 8));
    EXPECT_EQ(3, kr::MemFailureCount());
    kr::MemFree(ok);
    kr::MemFailAt(0, false);
}

TEST(MemoryPlan, FailedGrowthLeavesTheBlockAsItWas)
{
    HGLOBAL global = kr::MemGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    strcpy(static_cast<char *>(GlobalLock(global)), "kept");
    GlobalUnlock(global);
    kr::MemFailAt(1, false);
    EXPECT_EQ(nullptr, kr::MemGlobalReAlloc(global, 1 << 20, GMEM_MOVEABLE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError());
    EXPECT_STREQ("kept", static_cast<char *>(GlobalLock(global)));
    GlobalUnlock(global);
    kr::MemGlobalFree(global);
}

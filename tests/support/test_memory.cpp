// The allocation point: failures injected on the Nth call.
#include <gtest/gtest.h>

#include <string.h>

#include "support/memory.h"

namespace {

// Disarms the plan whatever a test leaves behind.
class MemoryPlan : public testing::Test {
protected:
    void TearDown() override { kr::MemFailAt(0, false); }
};

// A routine in the library's style: three blocks or none, never a leak.
bool TakeThreeBlocks(int *live)
{
    void *a = kr::MemAlloc(16);
    if (!a)
        return false;
    ++*live;
    HGLOBAL b = kr::MemGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
    if (!b) {
        kr::MemFree(a);
        --*live;
        return false;
    }
    ++*live;
    HLOCAL c = kr::MemLocalAlloc(LMEM_FIXED, 8);
    if (!c) {
        kr::MemGlobalFree(b);
        kr::MemFree(a);
        *live -= 2;
        return false;
    }
    kr::MemLocalFree(c);
    kr::MemGlobalFree(b);
    kr::MemFree(a);
    *live -= 2;
    return true;
}

} // namespace

TEST_F(MemoryPlan, DisarmedEveryCallSucceedsAndIsCounted)
{
    kr::MemFailAt(0, false);
    int live = 0;
    EXPECT_TRUE(TakeThreeBlocks(&live));
    EXPECT_EQ(3, kr::MemCallCount());
    EXPECT_EQ(0, kr::MemFailureCount());
}

TEST_F(MemoryPlan, FailingEachCallInTurnReachesEveryFailurePath)
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
    EXPECT_EQ(4, nth); // three calls could fail, the fourth run went through
}

TEST_F(MemoryPlan, OneShotFailsOnceAndPersistentFailsOnwards)
{
    kr::MemFailAt(2, false);
    void *first = kr::MemAlloc(8);
    EXPECT_NE(nullptr, first);
    EXPECT_EQ(nullptr, kr::MemAlloc(8));
    void *third = kr::MemAlloc(8);
    EXPECT_NE(nullptr, third);
    kr::MemFree(first);
    kr::MemFree(third);

    kr::MemFailAt(2, true);
    void *ok = kr::MemAlloc(8);
    EXPECT_NE(nullptr, ok);
    EXPECT_EQ(nullptr, kr::MemAlloc(8));
    EXPECT_EQ(nullptr, kr::MemGlobalAlloc(GMEM_MOVEABLE, 8));
    EXPECT_EQ(nullptr, kr::MemLocalAlloc(LMEM_FIXED, 8));
    EXPECT_EQ(3, kr::MemFailureCount());
    kr::MemFree(ok);
}

TEST_F(MemoryPlan, FailedGrowthLeavesTheBlockAsItWas)
{
    char *block = static_cast<char *>(kr::MemAlloc(8));
    ASSERT_NE(nullptr, block);
    strcpy(block, "kept");
    kr::MemFailAt(1, false);
    EXPECT_EQ(nullptr, kr::MemRealloc(block, 1 << 20));
    EXPECT_STREQ("kept", block);
    kr::MemFree(block);

    HGLOBAL global = kr::MemGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    ASSERT_NE(nullptr, global);
    strcpy(static_cast<char *>(GlobalLock(global)), "kept");
    GlobalUnlock(global);
    kr::MemFailAt(1, false);
    EXPECT_EQ(nullptr, kr::MemGlobalReAlloc(global, 1 << 20, GMEM_MOVEABLE | GMEM_ZEROINIT));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError());
    EXPECT_STREQ("kept", static_cast<char *>(GlobalLock(global)));
    GlobalUnlock(global);
    EXPECT_EQ(nullptr, kr::MemGlobalFree(global));
}

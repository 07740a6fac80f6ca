// The library's own facilities: the one allocation point with its planned
// failures, and the one formatting point with its cut.
#include <gtest/gtest.h>

#include <string.h>

#include "support/memory.h"
#include "support/runtime_format.h"

TEST(MemoryPlan, FailsTheNthCallOnceOrFromThereOn)
{
    void *blocks[4];
    kr::MemFailAt(2, false);
    blocks[0] = kr::MemAlloc(8);
    blocks[1] = kr::MemGlobalAlloc(GMEM_MOVEABLE, 8);
    blocks[2] = kr::MemLocalAlloc(LMEM_FIXED, 8);
    EXPECT_TRUE(blocks[0] && !blocks[1] && blocks[2]);
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError());
    EXPECT_EQ(3, kr::MemCallCount());
    EXPECT_EQ(1, kr::MemFailureCount());
    kr::MemLocalFree(blocks[2]);

    kr::MemFailAt(2, true);
    HGLOBAL global = kr::MemGlobalAlloc(GMEM_MOVEABLE, 8);
    blocks[1] = kr::MemGlobalLock(global);
    blocks[2] = kr::MemAlloc(8);
    blocks[3] = kr::MemLocalLock(nullptr);
    EXPECT_TRUE(global && !blocks[1] && !blocks[2] && !blocks[3]);
    EXPECT_EQ(3, kr::MemFailureCount());
    kr::MemFailAt(0, false);
    kr::MemGlobalFree(global);
    kr::MemFree(blocks[0]);
}

TEST(MemoryPlan, FailedGrowthLeavesTheBlockAsItWas)
{
    HGLOBAL global = kr::MemGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    strcpy(static_cast<char *>(GlobalLock(global)), "kept");
    GlobalUnlock(global);
    kr::MemFailAt(1, false);
    EXPECT_EQ(nullptr, kr::MemGlobalReAlloc(global, 1 << 20, GMEM_MOVEABLE));
    EXPECT_STREQ("kept", static_cast<char *>(GlobalLock(global)));
    GlobalUnlock(global);
    kr::MemGlobalFree(global);
    kr::MemFailAt(0, false);
}

TEST(FormatText, KeepsCapMinusOneCharactersAndSaysWhenItCut)
{
    const struct {
        const char *text;
        int result;
        const char *kept;
    } rows[] = {{"abc", 3, "abc"}, {"abcd", -1, "abc"}, {"abcdefgh", -1, "abc"}, {"", 0, ""}};
    for (const auto &row : rows) {
        char out[6] = "#####";
        EXPECT_EQ(row.result, kr::FormatText(out, 4, "%s", row.text)) << row.text;
        EXPECT_STREQ(row.kept, out) << row.text;
        EXPECT_EQ('#', out[4]) << row.text;
    }
}

#include "support/fault_plan.h"

#include "support/memory.h"

namespace kr {
namespace {

struct FaultPlan {
    long nth = 0;         // call to fail, counted from the last arming; 0: none
    bool persistent = false;
    long calls = 0;
    long failures = 0;
};

FaultPlan g_plan;

} // namespace

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

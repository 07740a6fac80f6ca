// Out-of-memory sweeps through the library's one allocation point, and the
// heap balance that shows nothing leaked on the way.
#ifndef KRTEST_ALLOC_SWEEP_H
#define KRTEST_ALLOC_SWEEP_H

#include <stddef.h>

#include <functional>

namespace krtest {

// For nth = 1, 2, ...: the library's nth fallible memory call from now fails
// (with `onwards`, that call and every later one), `work` runs, the plan is
// disarmed, then `check(nth, failed)` says whether anything was made to
// fail. The sweep ends after the first run in which nothing failed and
// returns how many fallible calls that run made. gtest failures inside
// `check` carry the nth through the sweep's own trace. The heaps are left
// to settle first, so that `work` and `check` may compare BusyHeapBytes.
long SweepAllocations(const std::function<void()> &work, const std::function<void(long nth, bool failed)> &check,
                      bool onwards = false);

// Fallible memory calls `work` makes, nothing failing.
long CountAllocations(const std::function<void()> &work);

// Bytes in use on every heap of the process: the runtime's blocks and the
// global and local memory blocks alike.
size_t BusyHeapBytes();

} // namespace krtest

#endif

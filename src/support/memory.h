// The library's one allocation point.
//
// Every block the library takes, from the runtime heap or as a Win32 global
// or local memory block, is taken (and every such block locked) here. A test can make the Nth call from
// now fail (once, or that call and every later one) and read how many calls
// were made, so that each failure path can be driven in turn.
#ifndef KR_SUPPORT_MEMORY_H
#define KR_SUPPORT_MEMORY_H

#include <stddef.h>
#include <windows.h>

namespace kr {

void *MemAlloc(size_t bytes);
void MemFree(void *block);

HGLOBAL MemGlobalAlloc(UINT flags, SIZE_T bytes);
// On failure the block is left as it was (GlobalReAlloc's own rule).
HGLOBAL MemGlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);
HGLOBAL MemGlobalFree(HGLOBAL block);
SIZE_T MemGlobalSize(HGLOBAL block);
void MemGlobalUnlock(HGLOBAL block);
// Locking can fail too (a discarded or damaged block), so it is planned
// like an allocation; so is MemLocalLock.
void *MemGlobalLock(HGLOBAL block);

HLOCAL MemLocalAlloc(UINT flags, SIZE_T bytes);
HLOCAL MemLocalFree(HLOCAL block);
void *MemLocalLock(HLOCAL block);

// Fault injection. nth counts calls that can fail, from 1; 0 disarms.
// Arming also restarts both counters.
void MemFailAt(long nth, bool persistent);
long MemCallCount();    // calls that could fail since the last MemFailAt
long MemFailureCount(); // of those, the ones made to fail

} // namespace kr

#endif

// A pointer-sized value kept in a window property, in a small movable local
// block that the property holds.
#include "krapps.h"

#include "support/memory.h"

namespace {

// Stores the value in the block; false when it cannot be locked.
bool Store(HLOCAL block, LONG_PTR value)
{
    LONG_PTR *slot = static_cast<LONG_PTR *>(kr::MemLocalLock(block));
    if (!slot)
        return false;
    *slot = value;
    LocalUnlock(block);
    return true;
}

} // namespace

int KRAPI SetPropPtr(HWND window, const char *name, LONG_PTR value)
{
    if (!name)
        return 0;
    if (HLOCAL existing = static_cast<HLOCAL>(GetPropA(window, name)))
        return Store(existing, value) ? 1 : 0;
    HLOCAL block = kr::MemLocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(LONG_PTR));
    if (!block)
        return 0;
    if (!Store(block, value) || !SetPropA(window, name, block)) {
        kr::MemLocalFree(block);
        return 0;
    }
    return 1;
}

LONG_PTR KRAPI GetPropPtr(HWND window, const char *name)
{
    HLOCAL block = name ? static_cast<HLOCAL>(GetPropA(window, name)) : nullptr;
    if (!block)
        return 0;
    const LONG_PTR *slot = static_cast<const LONG_PTR *>(kr::MemLocalLock(block));
    if (!slot)
        return 0;
    const LONG_PTR value = *slot;
    LocalUnlock(block);
    return value;
}

void KRAPI RemovePropPtr(HWND window, const char *name)
{
    if (HLOCAL block = name ? static_cast<HLOCAL>(RemovePropA(window, name)) : nullptr)
        kr::MemLocalFree(block);
}

#include "printing/printer_selection.h"

#include <string.h>

#include "apps/app_registry.h"
#include "support/memory.h"

namespace kr {
namespace {

const char kModeProperty[] = "HDEVMODE";
const char kNamesProperty[] = "HDEVNAMES";

HWND HostFrame()
{
    const HWND frame = AppRecord(0).mainWindow;
    return IsWindow(frame) ? frame : nullptr;
}

HGLOBAL HeldBlock(const char *property)
{
    const HWND frame = HostFrame();
    return frame ? static_cast<HGLOBAL>(GetPropA(frame, property)) : nullptr;
}

void Replace(HWND frame, const char *property, HGLOBAL block)
{
    const HGLOBAL old = static_cast<HGLOBAL>(GetPropA(frame, property));
    if (old && old != block)
        MemGlobalFree(old);
    if (block)
        SetPropA(frame, property, block);
    else
        RemovePropA(frame, property);
}

} // namespace

HGLOBAL HeldDeviceMode()
{
    return HeldBlock(kModeProperty);
}

HGLOBAL HeldDeviceNames()
{
    return HeldBlock(kNamesProperty);
}

bool AttachPrinter(HGLOBAL mode, HGLOBAL names)
{
    const HWND frame = HostFrame();
    if (!frame) {
        if (mode)
            MemGlobalFree(mode);
        if (names)
            MemGlobalFree(names);
        return false;
    }
    Replace(frame, kModeProperty, mode);
    Replace(frame, kNamesProperty, names);
    return true;
}

void ReleasePrinter()
{
    if (const HWND frame = HostFrame()) {
        Replace(frame, kModeProperty, nullptr);
        Replace(frame, kNamesProperty, nullptr);
    }
}

bool ReadDeviceMode(HGLOBAL mode, DEVMODEA &fields)
{
    const auto *held = mode ? static_cast<const DEVMODEA *>(MemGlobalLock(mode)) : nullptr;
    if (!held)
        return false;
    // A block smaller than the structure (made by hand) is read as far as it goes.
    fields = {};
    const SIZE_T bytes = GlobalSize(mode);
    memcpy(&fields, held, bytes < sizeof fields ? bytes : sizeof fields);
    GlobalUnlock(mode);
    return true;
}

short ModeOrientation(HGLOBAL mode)
{
    DEVMODEA fields;
    return ReadDeviceMode(mode, fields) ? fields.dmOrientation : 0;
}

void SetModeOrientation(HGLOBAL mode, short orientation)
{
    auto *fields = mode ? static_cast<DEVMODEA *>(MemGlobalLock(mode)) : nullptr;
    if (!fields)
        return;
    fields->dmOrientation = orientation;
    fields->dmFields |= DM_ORIENTATION;
    GlobalUnlock(mode);
}

} // namespace kr

#include "printing/interim_printer_dc.h"

#include "apps/app_registry.h"
#include "plendor.h"
#include "support/memory.h"

namespace kr {
namespace {

HGLOBAL HeldBlock(const char *name)
{
    const HWND frame = AppRecord(0).mainWindow;
    return frame ? static_cast<HGLOBAL>(GetPropA(frame, name)) : nullptr;
}

} // namespace

HDC InterimPrinterDC()
{
    const HGLOBAL namesBlock = HeldBlock("HDEVNAMES");
    const auto *names = namesBlock ? static_cast<const DEVNAMES *>(MemGlobalLock(namesBlock)) : nullptr;
    if (!names)
        return nullptr;
    const HGLOBAL modeBlock = HeldBlock("HDEVMODE");
    const auto *mode = modeBlock ? static_cast<const DEVMODEA *>(MemGlobalLock(modeBlock)) : nullptr;
    const char *text = reinterpret_cast<const char *>(names);
    const HDC dc = CreateDCA(text + names->wDriverOffset, text + names->wDeviceOffset, nullptr, mode);
    if (mode)
        GlobalUnlock(modeBlock);
    GlobalUnlock(namesBlock);
    if (dc)
        KRSetAttribDC(dc);
    return dc;
}

} // namespace kr

// A device context for the printer chosen for the process.
#include "krprinting.h"

#include "plendor.h"
#include "printing/printer_selection.h"
#include "support/memory.h"

namespace {

// DEVNAMES holds offsets, in characters, from its own start.
const char *NamesText(const DEVNAMES *names, WORD offset)
{
    return reinterpret_cast<const char *>(names) + offset;
}

} // namespace

HDC KRAPI PrnGetPrinterDC(void)
{
    const HGLOBAL namesBlock = kr::HeldDeviceNames();
    const auto *names = namesBlock ? static_cast<const DEVNAMES *>(kr::MemGlobalLock(namesBlock)) : nullptr;
    if (!names)
        return nullptr;
    const HGLOBAL modeBlock = kr::HeldDeviceMode();
    const auto *mode = modeBlock ? static_cast<const DEVMODEA *>(kr::MemGlobalLock(modeBlock)) : nullptr;
    const HDC dc = CreateDCA(NamesText(names, names->wDriverOffset), NamesText(names, names->wDeviceOffset), nullptr, mode);
    if (mode)
        GlobalUnlock(modeBlock);
    GlobalUnlock(namesBlock);
    if (dc)
        KRSetAttribDC(dc);
    return dc;
}

// The print settings as the print dialog starts from them: the INI file's,
// with the quality and copies of the printer chosen for the process.
#include "krprinting.h"

#include "apps/app_registry.h"
#include "printing/print_settings.h"
#include "support/memory.h"

namespace {

// The device mode of the printer selection, attached to the host's frame
// window; null while no printer is chosen.
HGLOBAL HeldDeviceMode()
{
    HWND frame = kr::AppRecord(0).mainWindow;
    return frame ? static_cast<HGLOBAL>(GetPropA(frame, "HDEVMODE")) : nullptr;
}

void TakePrinterValues(PrintSettings &settings)
{
    HGLOBAL block = HeldDeviceMode();
    const DEVMODEA *mode = block ? static_cast<const DEVMODEA *>(kr::MemGlobalLock(block)) : nullptr;
    if (!mode)
        return;
    settings.printQuality = mode->dmPrintQuality;
    settings.copies = mode->dmCopies;
    GlobalUnlock(block);
}

} // namespace

int KRAPI PrnPrintGCV(PrintSettings *settings)
{
    if (!settings)
        return 0;
    kr::LoadPrintSettings(*settings);
    TakePrinterValues(*settings);
    return 1;
}

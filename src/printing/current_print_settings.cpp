// The print settings as the print dialog starts from them: the INI file's,
// with the quality and copies of the printer chosen for the process.
#include "krprinting.h"

#include "printing/print_settings.h"
#include "printing/printer_selection.h"
#include "support/memory.h"

namespace {

void TakePrinterValues(PrintSettings &settings)
{
    HGLOBAL block = kr::HeldDeviceMode();
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

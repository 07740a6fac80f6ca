// The print settings as the print dialog starts from them: the INI file's,
// with the quality and copies of the printer chosen for the process.
#include "krprinting.h"

#include "printing/print_settings.h"
#include "printing/printer_selection.h"

namespace {

void TakePrinterValues(PrintSettings &settings)
{
    DEVMODEA mode;
    if (!kr::ReadDeviceMode(kr::HeldDeviceMode(), mode))
        return;
    settings.printQuality = mode.dmPrintQuality;
    settings.copies = mode.dmCopies;
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

// The print commands of the suite's applications: the print dialog on the
// caller's settings, then a hard copy with them.
#include "krprinting.h"

#include "printing/hardcopy_flags.h"
#include "printing/print_dialog.h"
#include "printing/print_orientation.h"
#include "printing/print_settings.h"
#include "printing/printer_selection.h"

namespace {

// The record takes the call's choices; OK in the dialog keeps the printer
// chosen there for the process.
bool ConfirmJob(HWND owner, PrintSettings &settings, int showDialog, HWND window)
{
    settings.showDialog = showDialog;
    settings.window = IsWindow(window) ? window : nullptr;
    kr::PrinterBlocks chosen;
    if (!kr::ShowPrintDialog(owner, settings, kr::kPrintTemplate, kr::DialogStart::HeldPrinter, chosen))
        return false;
    kr::AttachPrinter(chosen.mode, chosen.names);
    return true;
}

} // namespace

short KRAPI PrnPrint(HWND owner, PrintSettings *settings, int showDialog, HWND window)
{
    if (!settings)
        return 2;
    kr::SetModeOrientation(kr::HeldDeviceMode(), static_cast<short>(settings->orientation));
    if (!ConfirmJob(owner, *settings, showDialog, window))
        return 2;
    if (const short orientation = kr::ModeOrientation(kr::HeldDeviceMode()))
        settings->orientation = orientation;
    kr::SavePrintSetting(kr::PrintKey::Orientation, *settings);
    PrnPrintOK(owner, settings);
    return 1;
}

int KRAPI PrnPrintOrientate(HWND owner, PrintSettings *settings, int showDialog, HWND window, long mode)
{
    if (settings && ConfirmJob(owner, *settings, showDialog, window)) {
        const kr::JobOrientation orientation(mode, static_cast<short>(settings->orientation));
        PrnPrintOK(owner, settings);
    }
    return 1;
}

int KRAPI PrnPrintOK(HWND owner, PrintSettings *settings)
{
    if (!settings)
        return 1;
    // All applications: every running application's frame, none named.
    const bool all = settings->allApplications != 0;
    PrnHardcopy(all ? nullptr : owner, all ? nullptr : settings->window, kr::HardcopyFlags(*settings),
                settings->margins);
    return 1;
}

// The print commands of the suite's applications: the print dialog on the
// caller's settings, then a hard copy or a report with them.
#include "krprinting.h"

#include "printing/hardcopy_flags.h"
#include "printing/print_dialog.h"
#include "printing/print_orientation.h"
#include "printing/print_settings.h"
#include "printing/printer_selection.h"

namespace {

// The record takes the call's choices; OK in the dialog keeps the printer
// chosen there for the process.
bool ConfirmJob(HWND owner, PrintSettings &settings, int showDialog, HWND window, const char *templateName)
{
    settings.showDialog = showDialog;
    settings.window = window;
    kr::PrinterBlocks chosen;
    if (!kr::ShowPrintDialog(owner, settings, templateName, kr::DialogStart::HeldPrinter, chosen))
        return false;
    kr::AttachPrinter(chosen.mode, chosen.names);
    return true;
}

// As ConfirmJob, the dialog starting in the record's orientation; the one
// chosen there is the record's and the "Print" section's afterwards.
bool ConfirmJobAndOrientation(HWND owner, PrintSettings &settings, int showDialog, HWND window,
                              const char *templateName)
{
    kr::SetModeOrientation(kr::HeldDeviceMode(), static_cast<short>(settings.orientation));
    if (!ConfirmJob(owner, settings, showDialog, window, templateName))
        return false;
    if (const short orientation = kr::ModeOrientation(kr::HeldDeviceMode()))
        settings.orientation = orientation;
    kr::SavePrintSetting(kr::PrintKey::Orientation, settings);
    return true;
}

HWND WindowOrNull(HWND window)
{
    return IsWindow(window) ? window : nullptr;
}

} // namespace

short KRAPI PrnPrint(HWND owner, PrintSettings *settings, int showDialog, HWND window)
{
    if (!settings || !ConfirmJobAndOrientation(owner, *settings, showDialog, WindowOrNull(window), kr::kPrintTemplate))
        return 2;
    PrnPrintOK(owner, settings);
    return 1;
}

int KRAPI PrnPrintOrientate(HWND owner, PrintSettings *settings, int showDialog, HWND window, long mode)
{
    if (settings && ConfirmJob(owner, *settings, showDialog, WindowOrNull(window), kr::kPrintTemplate)) {
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

int KRAPI PrnReport(HWND owner, PrintSettings *settings, int showDialog, long mode)
{
    if (!settings || !ConfirmJobAndOrientation(owner, *settings, showDialog, owner, kr::kReportTemplate))
        return 0;
    const kr::JobOrientation orientation(mode, static_cast<short>(settings->orientation));
    PrnPrintReport(owner, settings);
    return 1;
}

// Choosing the printer for the process: silently the platform's default,
// or by the user in the platform's print set-up dialog; and letting it go.
#include "krprinting.h"

#include "printing/print_dialog.h"
#include "printing/print_settings.h"
#include "printing/printer_selection.h"

namespace {

short KeptOrientation()
{
    PrintSettings settings;
    kr::LoadPrintSetting(kr::PrintKey::Orientation, settings);
    return static_cast<short>(settings.orientation);
}

} // namespace

int KRAPI PrnCanPrint(void)
{
    PrintSettings settings;
    kr::LoadPrintSettings(settings);
    settings.showDialog = 0;
    settings.window = nullptr;
    kr::PrinterBlocks chosen;
    // Unseen and unowned, the dialog takes the platform's default printer.
    if (kr::ShowPrintDialog(nullptr, settings, kr::kPrintTemplate, kr::DialogStart::DefaultPrinter, chosen)) {
        kr::SetModeOrientation(chosen.mode, static_cast<short>(settings.orientation));
        kr::AttachPrinter(chosen.mode, chosen.names);
    }
    return 1;
}

int KRAPI PrinterAvailable(int noWarning)
{
    kr::SetNoPrinterWarning(noWarning != 0);
    return PrnCanPrint();
}

int KRAPI PrnPrintSetupGCV(void)
{
    return 1;
}

int KRAPI PrnPrintSetupOK(HWND)
{
    return 1;
}

// Cancel answers 0: the suite's callers test for 1 alone.
short KRAPI PrnPrintSetup(HWND owner)
{
    kr::SetModeOrientation(kr::HeldDeviceMode(), KeptOrientation());
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = kr::HeldDeviceMode();
    dialog.hDevNames = kr::HeldDeviceNames();
    dialog.Flags = PD_PRINTSETUP;
    if (!kr::OpenPrinterDialog(dialog))
        return 0;
    PrintSettings settings = {};
    settings.orientation = kr::ModeOrientation(dialog.hDevMode);
    kr::SavePrintSetting(kr::PrintKey::Orientation, settings);
    kr::AttachPrinter(dialog.hDevMode, dialog.hDevNames);
    return static_cast<short>(PrnPrintSetupOK(owner));
}

int KRAPI PrnTidyUp(void)
{
    kr::ReleasePrinter();
    return 1;
}

// The print dialog on the library's templates, opened on the caller's
// print settings.
#include "printing/print_dialog.h"

#include "printing/print_dialog_hook.h"
#include "printing/printer_selection.h"
#include "printing/truncation.h"
#include "support/memory.h"
#include "support/module_instance.h"

namespace kr {
namespace {

// Set by PrinterAvailable for the rest of the process.
bool g_noWarning = false;

// No page numbers, collated, hooked, on our template, copies kept in the
// device mode, no print-to-file box.
constexpr DWORD kAlwaysFlags = PD_NOPAGENUMS | PD_COLLATE | PD_ENABLEPRINTHOOK | PD_ENABLEPRINTTEMPLATE |
                               PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE;

void FreeUnheld(HGLOBAL block, HGLOBAL held)
{
    if (block && block != held)
        MemGlobalFree(block);
}

WORD CopiesToShow(double copies)
{
    long whole = 1;
    TruncateToLong(copies, whole);
    return static_cast<WORD>(whole);
}

} // namespace

const char kPrintTemplate[] = "PRN_PRINT_MOD";
const char kReportTemplate[] = "PRN_PRINT_REPORT";

DWORD PrintDialogFlags(const PrintSettings &settings, bool noWarning)
{
    DWORD flags = settings.printToFile ? PD_PRINTTOFILE : 0;
    if (settings.allApplications)
        flags |= PD_NOSELECTION;
    else if (!settings.allWindows)
        flags |= PD_SELECTION;
    flags |= kAlwaysFlags;
    return noWarning ? flags | PD_NOWARNING : flags;
}

void SetNoPrinterWarning(bool noWarning)
{
    g_noWarning = noWarning;
}

bool OpenPrinterDialog(PRINTDLGA &dialog)
{
    if (PrintDlgA(&dialog))
        return true;
    FreeUnheld(dialog.hDevMode, HeldDeviceMode());
    FreeUnheld(dialog.hDevNames, HeldDeviceNames());
    return false;
}

bool ShowPrintDialog(HWND owner, PrintSettings &settings, const char *templateName, DialogStart start,
                     PrinterBlocks &chosen)
{
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    if (start == DialogStart::HeldPrinter) {
        dialog.hwndOwner = owner;
        dialog.hDevMode = HeldDeviceMode();
        dialog.hDevNames = HeldDeviceNames();
    }
    dialog.Flags = PrintDialogFlags(settings, g_noWarning);
    dialog.nCopies = CopiesToShow(settings.copies);
    dialog.hInstance = ModuleInstance();
    dialog.lCustData = reinterpret_cast<LPARAM>(&settings);
    dialog.lpfnPrintHook = PrintDialogHook;
    dialog.lpPrintTemplateName = templateName;
    if (!OpenPrinterDialog(dialog))
        return false;
    chosen.mode = dialog.hDevMode;
    chosen.names = dialog.hDevNames;
    return true;
}

} // namespace kr

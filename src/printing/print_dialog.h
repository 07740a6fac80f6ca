// The print dialog: the platform's print dialog on one of the library's
// templates ("PRN_PRINT_MOD", "PRN_PRINT_REPORT"), started from the caller's
// print settings, which its hook shows and reads back.
#ifndef KR_PRINTING_PRINT_DIALOG_H
#define KR_PRINTING_PRINT_DIALOG_H

#include <windows.h>

#include <commdlg.h>

#include "krprinting.h"

namespace kr {

extern const char kPrintTemplate[];  // "Print": hard copies
extern const char kReportTemplate[]; // "Print Report": reports, with the font size

// The dialog's PD_* flags for `settings`: "Current &Window" starts selected
// unless all windows or all applications are to print; page numbers and
// printing to file are never offered.
DWORD PrintDialogFlags(const PrintSettings &settings, bool noWarning);

// Kept for every later dialog of the process: true keeps them from
// warning that no printer is installed.
void SetNoPrinterWarning(bool noWarning);

enum class DialogStart {
    HeldPrinter,    // the printer chosen for the process, owned by the caller's window
    DefaultPrinter, // the platform's default printer, no owner
};

// The device blocks an accepted dialog hands back; the caller attaches them.
struct PrinterBlocks {
    HGLOBAL mode = nullptr;
    HGLOBAL names = nullptr;
};

// PrintDlgA on `dialog`. When it fails (Cancel, no printer), the blocks it
// handed back that the selection does not hold are freed.
bool OpenPrinterDialog(PRINTDLGA &dialog);

// Shows the dialog on `settings`; with settings.showDialog 0 it is accepted
// at once, unseen. True on OK, with the printer chosen in `chosen`. On
// Cancel, or when there is no printer, false, and nothing is left to free.
bool ShowPrintDialog(HWND owner, PrintSettings &settings, const char *templateName, DialogStart start,
                     PrinterBlocks &chosen);

} // namespace kr

#endif

// The hook of the print dialog: the print settings that the platform's
// print dialog does not know, shown on the library's templates and read
// back on OK.
#ifndef KR_PRINTING_PRINT_DIALOG_HOOK_H
#define KR_PRINTING_PRINT_DIALOG_HOOK_H

#include <windows.h>

namespace kr {

// lCustData of the dialog's PRINTDLGA is the PrintSettings it works on.
UINT_PTR CALLBACK PrintDialogHook(HWND dialog, UINT message, WPARAM wp, LPARAM lp);

} // namespace kr

#endif

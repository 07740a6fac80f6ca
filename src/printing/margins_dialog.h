// The print margins dialog, opened from the print dialog's "&Margins..."
// button on the settings' four margins.
#ifndef KR_PRINTING_MARGINS_DIALOG_H
#define KR_PRINTING_MARGINS_DIALOG_H

#include "krprinting.h"

namespace kr {

// Shows the margins of `settings` in centimetres, and on OK stores the ones
// the user typed: each must lie in 0.00 to 30.00, else the dialog says which
// and stays open. Returns IDOK (stored), IDCANCEL (nothing stored), or -1
// when the dialog cannot be shown.
INT_PTR ShowMarginsDialog(HWND owner, PrintSettings &settings);

} // namespace kr

#endif

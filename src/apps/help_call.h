// The library's one call site for the help system, so that a test can see
// which file and context a dialog asks for without starting a help viewer.
#ifndef KR_APPS_HELP_CALL_H
#define KR_APPS_HELP_CALL_H

#include "krdefs.h"

namespace kr {

// Takes the place of WinHelpA while installed; returns what WinHelpA would.
typedef BOOL(KRAPI *HelpObserver)(HWND owner, const char *file, UINT command, ULONG_PTR data);

BOOL ShowHelp(HWND owner, const char *file, UINT command, ULONG_PTR data);
// Opens the suite's help file KESTRUNE.HLP in the working directory at `context`.
BOOL ShowSuiteHelpContext(HWND owner, ULONG_PTR context);

// Installs an observer (null removes it) and returns the previous one.
HelpObserver SetHelpObserver(HelpObserver observer);

} // namespace kr

#endif

// The "Printing..." window of the running job and the job's cancel flag:
// its Cancel stops the job, and the abort procedure keeps the caller's
// windows served while the printer works.
#ifndef KR_PRINTING_ABORT_WINDOW_H
#define KR_PRINTING_ABORT_WINDOW_H

#include <windows.h>

namespace kr {

// Clears the cancel flag and creates the hidden, modeless window from the
// "AbortPrint" template, owned by `owner`. Null when it cannot be made.
HWND CreateAbortWindow(HWND owner);

// The window of the running job, or null.
HWND AbortWindow();
void ForgetAbortWindow();

// Whether the user has pressed Cancel since the job began.
bool PrintCancelled();

// For SetAbortProc: serves every waiting message of the thread until the
// user cancels; FALSE, which abandons the job, once cancelled.
BOOL CALLBACK PrintAbortProc(HDC dc, int error);

} // namespace kr

#endif

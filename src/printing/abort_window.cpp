#include "printing/abort_window.h"

#include "support/module_instance.h"

namespace kr {
namespace {

// One job at a time per process.
bool g_cancelled = false;
HWND g_abortWindow = nullptr;

INT_PTR CALLBACK AbortDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        return FALSE; // the focus is set
    case WM_COMMAND:
        g_cancelled = true;
        return TRUE;
    case WM_SYSCOMMAND:
        // The window stays where it opened.
        return (wParam & 0xFFF0) == SC_MOVE;
    default:
        return FALSE;
    }
}

} // namespace

HWND CreateAbortWindow(HWND owner)
{
    g_cancelled = false;
    g_abortWindow = CreateDialogParamA(ModuleInstance(), "AbortPrint", owner, AbortDialogProc, 0);
    return g_abortWindow;
}

HWND AbortWindow()
{
    return g_abortWindow;
}

void ForgetAbortWindow()
{
    g_abortWindow = nullptr;
}

bool PrintCancelled()
{
    return g_cancelled;
}

BOOL CALLBACK PrintAbortProc(HDC, int)
{
    MSG message;
    while (!g_cancelled && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (g_abortWindow && IsDialogMessageA(g_abortWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return !g_cancelled;
}

} // namespace kr

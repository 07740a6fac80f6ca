// The modeless dialogs that take part in the applications' keyboard handling.
#include "krapps.h"

namespace {
HWND g_dialogs[KR_DIALOG_SLOTS];
}

void KRAPI ClearAllGlobalDialogWnd(void)
{
    for (HWND &dialog : g_dialogs)
        dialog = nullptr;
}

int KRAPI SetGlobalDialogWnd(unsigned short index, HWND dialog)
{
    if (index >= KR_DIALOG_SLOTS)
        return 0;
    g_dialogs[index] = dialog;
    return 1;
}

HWND KRAPI GetGlobalDialogWnd(int index)
{
    return index >= 0 && index < KR_DIALOG_SLOTS ? g_dialogs[index] : nullptr;
}

int KRAPI HandleDialogMessage(MSG *message)
{
    if (!message)
        return 0;
    for (HWND dialog : g_dialogs)
        if (dialog && IsDialogMessageA(dialog, message))
            return 1;
    return 0;
}

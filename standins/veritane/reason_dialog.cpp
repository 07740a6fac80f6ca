#include "reason_dialog.h"

#include "veritane_dialog.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace veritane {
namespace {

struct ReasonRequest {
    const char *signer;
    char *reason;
    int capacity;
};

// A reason of blanks only is no reason.
bool ReasonGiven(HWND dialog)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, IDC_VERITANE_REASON, text, sizeof text);
    for (const char *c = text; *c; ++c)
        if (*c != ' ' && *c != '\t')
            return true;
    return false;
}

INT_PTR CALLBACK ReasonProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const ReasonRequest *request = reinterpret_cast<const ReasonRequest *>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetDlgItemTextA(dialog, IDC_VERITANE_SIGNER, request->signer);
        SendDlgItemMessageA(dialog, IDC_VERITANE_REASON, EM_LIMITTEXT, request->capacity - 1, 0);
        SetFocus(GetDlgItem(dialog, IDC_VERITANE_REASON));
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const ReasonRequest *request = reinterpret_cast<const ReasonRequest *>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (LOWORD(wParam)) {
    case IDC_VERITANE_REASON:
        if (HIWORD(wParam) == EN_CHANGE)
            EnableWindow(GetDlgItem(dialog, IDOK), ReasonGiven(dialog));
        return TRUE;
    case IDOK:
        if (ReasonGiven(dialog)) {
            GetDlgItemTextA(dialog, IDC_VERITANE_REASON, request->reason, request->capacity);
            EndDialog(dialog, IDOK);
        }
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

bool AskReason(HWND owner, const char *signer, char *reason, int capacity)
{
    ReasonRequest request{signer, reason, capacity};
    return DialogBoxParamA(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEA(IDD_VERITANE_SIGN), owner,
                           ReasonProc, reinterpret_cast<LPARAM>(&request)) == IDOK;
}

} // namespace veritane

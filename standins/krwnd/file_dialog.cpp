// The platform's open and save dialogs, explorer style, with a hook through
// which OnFileNameOK can refuse a confirmed name.
#include "krwnd.h"
#include "window_map.h"

#include <string.h>

namespace {

// Copies text cut to the buffer, which is cleared first so that a filter
// always ends in the two terminators the platform looks for.
template <size_t N>
void CopyCleared(char (&buffer)[N], LPCSTR text, size_t room)
{
    memset(buffer, 0, N);
    if (text)
        strncpy(buffer, text, room);
}

} // namespace

CFileDialog::CFileDialog(BOOL open, LPCSTR defaultExtension, LPCSTR fileName, DWORD flags, LPCSTR filter,
                         CWnd *parent)
    : m_bOpenFileDialog(open)
{
    memset(&m_ofn, 0, sizeof m_ofn);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);

    // The filter's pairs are "|"-separated for the caller and NUL-separated
    // for the platform; two NULs always remain at the end.
    CopyCleared(m_szFilter, filter, sizeof m_szFilter - 2);
    for (char *c = m_szFilter; *c; ++c) {
        if (*c == '|')
            *c = '\0';
    }
    m_ofn.lpstrFilter = m_szFilter[0] ? m_szFilter : nullptr;

    CopyCleared(m_szDefExt, defaultExtension, sizeof m_szDefExt - 1);
    m_ofn.lpstrDefExt = m_szDefExt[0] ? m_szDefExt : nullptr;

    CopyCleared(m_szFileName, fileName, sizeof m_szFileName - 1);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal()
{
    krwnd::EnterModal();
    const BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    m_hWnd = nullptr; // the dialog window is gone
    krwnd::LeaveModal();
    return chosen ? IDOK : IDCANCEL;
}

BOOL CFileDialog::OnFileNameOK()
{
    return FALSE;
}

// The hook is a child dialog of the platform's dialog; this object is its
// user data and m_hWnd the platform's dialog while it is shown.
UINT_PTR CALLBACK CFileDialog::HookProc(HWND hook, UINT message, WPARAM, LPARAM lp)
{
    if (message == WM_INITDIALOG) {
        auto *dialog = reinterpret_cast<CFileDialog *>(reinterpret_cast<OPENFILENAMEA *>(lp)->lCustData);
        SetWindowLongPtrA(hook, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
        dialog->m_hWnd = ::GetParent(hook);
        return TRUE;
    }
    auto *dialog = reinterpret_cast<CFileDialog *>(GetWindowLongPtrA(hook, DWLP_USER));
    if (message != WM_NOTIFY || !dialog || reinterpret_cast<NMHDR *>(lp)->code != CDN_FILEOK)
        return 0;
    const BOOL keepOpen = dialog->OnFileNameOK();
    SetWindowLongPtrA(hook, DWLP_MSGRESULT, keepOpen ? 1 : 0);
    return keepOpen ? 1 : 0;
}

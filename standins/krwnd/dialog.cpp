// The modal dialog: the template from the current resource module, the
// dialog's messages dispatched to the object, OK and Cancel.
#include "krwnd.h"
#include "window_map.h"

CDialog::CDialog(UINT templateId, CWnd *parent)
    : m_lpszTemplateName(MAKEINTRESOURCEA(templateId)), m_pParentWnd(parent)
{
}

CDialog::CDialog(LPCSTR templateName, CWnd *parent) : m_lpszTemplateName(templateName), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd || !m_lpszTemplateName)
        return -1;
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    krwnd::EnterModal();
    const INT_PTR result = DialogBoxParamA(KrGetResourceHandle(), m_lpszTemplateName, owner, &CDialog::DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    Detach(); // normally done at WM_NCDESTROY already
    krwnd::LeaveModal();
    return result;
}

void CDialog::EndDialog(int result)
{
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange *) {}

BOOL CDialog::OnCommand(WPARAM wp, LPARAM)
{
    // Code 0 covers the Enter and Escape keys, BN_CLICKED the buttons.
    const WORD code = HIWORD(wp);
    if (code != BN_CLICKED && code != 0)
        return FALSE;
    switch (LOWORD(wp)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wp, lp);
}

INT_PTR CDialog::DialogResult(HWND window, UINT message, LRESULT result)
{
    switch (message) {
    // These answer through the procedure's own result.
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return static_cast<INT_PTR>(result);
    default:
        SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_INITDIALOG && !reinterpret_cast<CDialog *>(lp)->Attach(window))
        return FALSE;
    CDialog *dialog = static_cast<CDialog *>(FromHandlePermanent(window));
    if (!dialog)
        return FALSE;
    BOOL unhandled = FALSE;
    const LRESULT result = dialog->Dispatch(message, wp, lp, &unhandled);
    if (message == WM_NCDESTROY) {
        dialog->Detach();
        dialog->PostNcDestroy();
        return FALSE;
    }
    return unhandled ? FALSE : DialogResult(window, message, result);
}

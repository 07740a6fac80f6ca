// Moving values between a dialog's controls and its object.
#include "krwnd.h"

void DDX_Text(CDataExchange *dx, int id, LPSTR value, int size)
{
    if (!dx || !dx->m_pDlgWnd || !value || size < 1)
        return;
    if (dx->m_bSaveAndValidate) {
        value[0] = '\0';
        dx->m_pDlgWnd->GetDlgItemText(id, value, size);
    } else {
        dx->m_pDlgWnd->SetDlgItemText(id, value);
    }
}

void DDX_Control(CDataExchange *dx, int id, CWnd &control)
{
    if (dx && dx->m_pDlgWnd && !control.m_hWnd)
        control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
}

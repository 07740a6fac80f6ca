// The combo box: its list, and owner-drawn entries drawn by the object.
#include <new>

#include "krwnd.h"

int CComboBox::GetCount() const
{
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int index)
{
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
}

int CComboBox::AddString(LPCSTR text)
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}

void CComboBox::ResetContent()
{
    SendMessage(CB_RESETCONTENT);
}

int CComboBox::SelectString(int startAfter, LPCSTR text)
{
    return static_cast<int>(
        SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text ? text : "")));
}

int CComboBox::GetLBTextLen(int index) const
{
    return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
}

int CComboBox::GetLBText(int index, LPSTR text, int size) const
{
    if (!text || size < 1)
        return CB_ERR;
    const int length = GetLBTextLen(index);
    if (length == CB_ERR)
        return CB_ERR;
    if (length < size)
        return static_cast<int>(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
    // CB_GETLBTEXT knows no buffer size: read the whole entry, then cut it.
    char *whole = new (std::nothrow) char[static_cast<size_t>(length) + 1];
    if (!whole)
        return CB_ERR;
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(whole));
    lstrcpynA(text, whole, size);
    delete[] whole;
    return size - 1;
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM, LPARAM lp, LRESULT *result)
{
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lp));
        break;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lp));
        break;
    default:
        return FALSE;
    }
    if (result)
        *result = TRUE;
    return TRUE;
}

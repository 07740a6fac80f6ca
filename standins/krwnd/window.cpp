// The window wrapper: binding an object to its window, and the dispatch of
// the window's messages to the object's handlers.
#include "krwnd.h"
#include "window_map.h"

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_current{0, 0, 0, nullptr} {}

CWnd::~CWnd()
{
    if (IsBound())
        Detach();
}

CWnd *CWnd::FromHandle(HWND window)
{
    if (!window)
        return nullptr;
    CWnd *bound = krwnd::BoundObject(window);
    return bound ? bound : krwnd::TemporaryWrapper(window);
}

CWnd *CWnd::FromHandlePermanent(HWND window)
{
    return krwnd::BoundObject(window);
}

void CWnd::DeleteTempMap()
{
    krwnd::DeleteTemporaries();
}

BOOL CWnd::IsBound() const
{
    return m_hWnd && krwnd::BoundObject(m_hWnd) == this;
}

BOOL CWnd::Attach(HWND window)
{
    if (!window || m_hWnd || krwnd::BoundObject(window) || !krwnd::Bind(window, this))
        return FALSE;
    m_hWnd = window;
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND window)
{
    if (!Attach(window))
        return FALSE;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::BoundWindowProc)));
    if (!m_pfnSuper) {
        Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd *parent)
{
    if (!parent || !parent->m_hWnd)
        return FALSE;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::Detach()
{
    HWND window = m_hWnd;
    if (!window)
        return nullptr;
    if (IsBound()) {
        // Only put the old procedure back if nobody subclassed the window after us.
        if (m_pfnSuper && GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::BoundWindowProc))
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        krwnd::Unbind(window);
    }
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return window;
}

CWnd *CWnd::GetDlgItem(int id) const
{
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wp, LPARAM lp) const
{
    return ::SendMessageA(m_hWnd, message, wp, lp);
}

void CWnd::SetWindowText(LPCSTR text)
{
    ::SetWindowTextA(m_hWnd, text ? text : "");
}

int CWnd::GetWindowText(LPSTR text, int size) const
{
    return ::GetWindowTextA(m_hWnd, text, size);
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::ShowWindow(int command)
{
    return ::ShowWindow(m_hWnd, command);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::GetClientRect(LPRECT rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::SetDlgItemText(int id, LPCSTR text)
{
    ::SetDlgItemTextA(m_hWnd, id, text ? text : "");
}

int CWnd::GetDlgItemText(int id, LPSTR text, int size) const
{
    return static_cast<int>(::GetDlgItemTextA(m_hWnd, id, text, size));
}

void CWnd::CheckDlgButton(int id, UINT check)
{
    ::CheckDlgButton(m_hWnd, id, check);
}

UINT CWnd::IsDlgButtonChecked(int id) const
{
    return ::IsDlgButtonChecked(m_hWnd, id);
}

LRESULT CWnd::Default()
{
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, m_current.message, m_current.wp, m_current.lp);
    if (m_current.unhandled) {
        // A dialog's procedure leaves the default course to the dialog manager.
        *m_current.unhandled = TRUE;
        return 0;
    }
    return DefWindowProcA(m_hWnd, m_current.message, m_current.wp, m_current.lp);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wp, LPARAM lp, BOOL *unhandled)
{
    const CurrentMessage outer = m_current;
    m_current = {message, wp, lp, unhandled};
    const LRESULT result = WindowProc(message, wp, lp);
    m_current = outer;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    LRESULT result = 0;
    switch (message) {
    case WM_COMMAND:
        if (ReflectToChild(message, wp, lp, &result) || OnCommand(wp, lp))
            return result;
        break;
    case WM_NOTIFY:
        if (ReflectToChild(message, wp, lp, &result) || OnNotify(wp, lp, &result))
            return result;
        break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
        if (ReflectToChild(message, wp, lp, &result))
            return result;
        break;
    default:
        break;
    }
    return Default();
}

BOOL CWnd::OnCommand(WPARAM, LPARAM)
{
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT *)
{
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT *)
{
    return FALSE;
}

void CWnd::PostNcDestroy() {}

namespace {
HWND ChildOfNotification(HWND parent, UINT message, WPARAM wp, LPARAM lp)
{
    switch (message) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lp);
    case WM_NOTIFY:
        return reinterpret_cast<NMHDR *>(lp)->hwndFrom;
    case WM_DRAWITEM:
        return reinterpret_cast<DRAWITEMSTRUCT *>(lp)->hwndItem;
    case WM_MEASUREITEM:
        // Sent while the control is being created: it may not be found yet.
        return ::GetDlgItem(parent, static_cast<int>(wp));
    case WM_COMPAREITEM:
        return reinterpret_cast<COMPAREITEMSTRUCT *>(lp)->hwndItem;
    case WM_DELETEITEM:
        return reinterpret_cast<DELETEITEMSTRUCT *>(lp)->hwndItem;
    default:
        return nullptr;
    }
}
} // namespace

BOOL CWnd::ReflectToChild(UINT message, WPARAM wp, LPARAM lp, LRESULT *result)
{
    if (!lp)
        return FALSE;
    CWnd *child = FromHandlePermanent(ChildOfNotification(m_hWnd, message, wp, lp));
    return child && child != this && child->OnChildNotify(message, wp, lp, result);
}

LRESULT CALLBACK CWnd::BoundWindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    CWnd *object = krwnd::BoundObject(window);
    if (!object)
        return DefWindowProcA(window, message, wp, lp);
    const LRESULT result = object->Dispatch(message, wp, lp, nullptr);
    if (message == WM_NCDESTROY && object->IsBound()) {
        object->Detach();
        object->PostNcDestroy();
    }
    return result;
}

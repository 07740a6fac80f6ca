// Which object belongs to which window. A bound object is found through a
// window property, so a window needs no table entry of ours; wrappers for
// unbound windows are kept in a short list until DeleteTempMap.
#include <new>

#include "krwnd.h"
#include "window_map.h"

namespace krwnd {
namespace {
const char kObjectProperty[] = "KrWndObject";

struct TempWrapper {
    CWnd *wnd;
    TempWrapper *next;
};
TempWrapper *g_temporaries = nullptr;
} // namespace

CWnd *BoundObject(HWND window)
{
    return window ? static_cast<CWnd *>(GetPropA(window, kObjectProperty)) : nullptr;
}

bool Bind(HWND window, CWnd *object)
{
    return SetPropA(window, kObjectProperty, object) != FALSE;
}

void Unbind(HWND window)
{
    RemovePropA(window, kObjectProperty);
}

CWnd *TemporaryWrapper(HWND window)
{
    for (TempWrapper *t = g_temporaries; t; t = t->next)
        if (t->wnd->m_hWnd == window)
            return t->wnd;
    CWnd *wnd = new (std::nothrow) CWnd;
    TempWrapper *entry = new (std::nothrow) TempWrapper;
    if (!wnd || !entry) {
        delete wnd;
        delete entry;
        return nullptr;
    }
    wnd->m_hWnd = window;
    entry->wnd = wnd;
    entry->next = g_temporaries;
    g_temporaries = entry;
    return wnd;
}

void DeleteTemporaries()
{
    while (g_temporaries) {
        TempWrapper *t = g_temporaries;
        g_temporaries = t->next;
        t->wnd->m_hWnd = nullptr; // a wrapper never owned its window
        delete t->wnd;
        delete t;
    }
}

} // namespace krwnd

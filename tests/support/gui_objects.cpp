#include "support/gui_objects.h"

#include <windows.h>

namespace krtest {
namespace {

unsigned long GdiObjects()
{
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted)
        return counted;
    unsigned long live = 0;
    for (UINT_PTR slot = 1; slot <= 0xFFFF; ++slot)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    return live;
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<unsigned long *>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count)
{
    ++*reinterpret_cast<unsigned long *>(count);
    EnumChildWindows(window, CountChild, count); // all descendants, not only children
    return TRUE;
}

} // namespace

GuiObjects CountGuiObjects()
{
    GuiObjects objects;
    objects.gdi = GdiObjects();
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&objects.windows));
    return objects;
}

} // namespace krtest

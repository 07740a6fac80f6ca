// Window placements: reading and writing them in KESTRUNE.INI, taking them
// from windows and applying them to windows.
#include "krsettings.h"

#include <stddef.h>
#include <string.h>

#include "settings/wind_pos_text.h"

// The record crosses the library boundary; its layout is the same for both
// architectures (no pointer or handle fields).
static_assert(sizeof(INIWINDPOS) == 24, "INIWINDPOS size");
static_assert(offsetof(INIWINDPOS, visible) == 0, "INIWINDPOS.visible");
static_assert(offsetof(INIWINDPOS, show) == 4, "INIWINDPOS.show");
static_assert(offsetof(INIWINDPOS, left) == 8, "INIWINDPOS.left");
static_assert(offsetof(INIWINDPOS, top) == 12, "INIWINDPOS.top");
static_assert(offsetof(INIWINDPOS, right) == 16, "INIWINDPOS.right");
static_assert(offsetof(INIWINDPOS, bottom) == 20, "INIWINDPOS.bottom");

namespace {

constexpr short kIniValueBytes = 513;

bool ParentIsMdiClient(HWND parent)
{
    char cls[64] = "";
    if (parent)
        GetClassNameA(parent, cls, sizeof cls);
    return strcmp(cls, "mdiclient") == 0;
}

// Leaves a minimised or maximised window in its normal state, so that its
// window rectangle is the one it is restored to.
void BringToNormal(HWND window, HWND parent)
{
    if (ParentIsMdiClient(parent)) {
        SendMessageA(parent, WM_MDIRESTORE, reinterpret_cast<WPARAM>(window), 0);
        UpdateWindow(window);
    } else {
        ShowWindow(window, SW_SHOWNORMAL);
        ShowWindow(window, SW_HIDE);
    }
}

} // namespace

int KRAPI GetIniWindPos(const char *section, const char *key, const INIWINDPOS *def,
                        INIWINDPOS *out)
{
    if (!out)
        return 0;
    *out = INIWINDPOS{};
    if (!section || !key)
        return 0; // the profile calls would list names, not read a value
    char text[kIniValueBytes];
    if (def) {
        char fallback[kr::kWindPosTextSize];
        kr::FormatWindPos(*def, fallback, sizeof fallback);
        GetIniString(section, key, fallback, text, kIniValueBytes);
    } else {
        GetIniString(section, key, nullptr, text, kIniValueBytes - 1);
    }
    return kr::ParseWindPos(text, out) ? 1 : 0;
}

int KRAPI SetIniWindPos(const char *section, const char *key, const INIWINDPOS *pos, long flag)
{
    if (!pos)
        return 0;
    char text[kr::kWindPosTextSize];
    kr::FormatWindPos(*pos, text, sizeof text);
    SetIniString(section, key, text, flag);
    return 1;
}

int KRAPI ObtainWindPos(HWND window, INIWINDPOS *out)
{
    if (!out)
        return 0;
    *out = INIWINDPOS{};
    if (!window || !IsWindow(window)) {
        out->show = SW_SHOWNORMAL;
        return 1;
    }
    out->visible = 1;
    out->show = IsIconic(window) ? SW_SHOWMINIMIZED
                : IsZoomed(window) ? SW_SHOWMAXIMIZED
                                   : SW_SHOWNORMAL;
    const HWND parent = GetParent(window);
    if (out->show != SW_SHOWNORMAL)
        BringToNormal(window, parent);
    RECT rect{};
    GetWindowRect(window, &rect);
    if (parent)
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT *>(&rect), 2);
    out->left = rect.left;
    out->top = rect.top;
    out->right = rect.right;
    out->bottom = rect.bottom;
    return 1;
}

int KRAPI RestoreWindPos(HWND window, const INIWINDPOS *pos)
{
    if (!pos || !window || !IsWindow(window))
        return 0;
    if (pos->show == SW_SHOWMINIMIZED || pos->show == SW_SHOWMAXIMIZED) {
        ShowWindow(window, pos->show);
        return 1;
    }
    MoveWindow(window, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, FALSE);
    ShowWindow(window, SW_SHOWNORMAL);
    return 1;
}

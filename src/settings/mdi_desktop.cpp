// MDI desktops: children created at their saved placements, and all the
// placements of a desktop saved with the list of its children.
#include "krsettings.h"

#include "settings/desktop_list.h"

namespace {

const char kParagraphProp[] = "IniParagraph";
const char kLineProp[] = "IniLine";
constexpr int kNameBytes = 81;

void AttachName(HWND child, const char *prop, const char *name)
{
    const ATOM atom = name ? AddAtomA(name) : 0;
    if (atom)
        SetPropA(child, prop, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void ReadName(HWND window, const char *prop, char *out)
{
    const ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(window, prop)));
    if (!atom || !GetAtomNameA(atom, out, kNameBytes))
        out[0] = '\0';
}

int CountChildren(HWND parent)
{
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

HWND ActiveChild(HWND client)
{
    return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
}

// Saves one window's placement under the names it carries and leaves it in
// its normal state. False for a window without names.
bool SaveNamedPlacement(HWND given, HWND window, char *line)
{
    char paragraph[kNameBytes];
    ReadName(window, kParagraphProp, paragraph);
    ReadName(window, kLineProp, line);
    if (!paragraph[0] || !line[0])
        return false;
    INIWINDPOS pos;
    ObtainWindPos(window, &pos);
    SetIniWindPos(paragraph, line, &pos, 1);
    if (pos.show == SW_SHOWMAXIMIZED)
        SendMessageA(given, WM_MDIRESTORE, reinterpret_cast<WPARAM>(window), 0);
    if (IsZoomed(window) || IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    return true;
}

} // namespace

HWND KRAPI IniCreateMDIWnd(HWND client, const char *section, const char *key,
                           MDICREATESTRUCTA *create)
{
    if (!create)
        return nullptr;
    INIWINDPOS pos;
    if (GetIniWindPos(section, key, nullptr, &pos)) {
        if (pos.show == SW_SHOWMINIMIZED)
            create->style |= WS_MINIMIZE;
        else if (pos.show == SW_SHOWMAXIMIZED)
            create->style |= WS_MAXIMIZE;
        create->x = pos.left;
        create->y = pos.top;
        create->cx = pos.right - pos.left;
        create->cy = pos.bottom - pos.top;
    } else {
        create->x = create->y = create->cx = create->cy = CW_USEDEFAULT;
    }
    const HWND child =
        reinterpret_cast<HWND>(SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(create)));
    if (child) {
        AttachName(child, kParagraphProp, section);
        AttachName(child, kLineProp, key);
    }
    return child;
}

int KRAPI IniSaveDesktop(HWND window, long mode, const char *section, const char *key, long)
{
    if (!section)
        return 0;
    const bool mdi = (mode & INI_DESKTOP_MDI) != 0;
    HWND first = nullptr;
    if (mdi) {
        const HWND frame = GetParent(window);
        if (frame && IsIconic(frame)) {
            SendMessageA(frame, WM_SYSCOMMAND, SC_RESTORE, 0);
            ShowWindow(frame, SW_HIDE);
        }
        first = ActiveChild(window);
    } else if (mode & INI_DESKTOP_SINGLE) {
        first = window;
    } else {
        return 0;
    }

    kr::DesktopList list;
    if (first) {
        const int steps = mdi ? CountChildren(window) : 1;
        HWND current = first;
        for (int step = 1;; ++step) {
            char line[kNameBytes];
            const bool named = SaveNamedPlacement(window, current, line);
            if (!mdi)
                return 1;
            if (named)
                list.Prepend(line);
            SendMessageA(window, WM_MDINEXT, reinterpret_cast<WPARAM>(current), 0);
            const HWND next = ActiveChild(window);
            if (!next || next == current || next == first || step >= steps)
                break;
            current = next;
        }
    }
    if (!key)
        return 0;
    SetIniString(section, key, list.Text(), 1);
    return 1;
}

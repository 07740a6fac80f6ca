// The suite-wide status bar: any application posts a line of text to the
// status window through a registered message and a global atom.
#include "krapps.h"

#include <string.h>

namespace {

constexpr int kAtomChars = 255; // the longest name a global atom holds

UINT MessageHwndQuery()
{
    static const UINT message = RegisterWindowMessageA("WMKVESK_KRVB_GET_MESSAGE_HWND");
    return message;
}

// The window that shows the status line: the UI window's message window,
// else the suite's main window, else the older shell's.
HWND StatusWindow()
{
    HWND window = FindWindowA("KestruneUIWClass", nullptr);
    if (window && MessageHwndQuery())
        window = reinterpret_cast<HWND>(SendMessageA(window, MessageHwndQuery(), 0, 0));
    if (!window || !IsWindow(window)) {
        window = FindWindowA("KestruneWClass", nullptr);
        if (!window)
            window = FindWindowA("OmbrelWClass", nullptr);
    }
    return window;
}

} // namespace

UINT KRAPI GetUpDateMessageValue(void)
{
    static const UINT message = RegisterWindowMessageA("Up_Date_Message_Bar");
    return message;
}

int KRAPI UpDateKestruneStatusBar(const char *text)
{
    const UINT message = GetUpDateMessageValue();
    const HWND window = StatusWindow();
    ATOM atom = 0;
    if (text) {
        char name[kAtomChars + 1];
        lstrcpynA(name, text, sizeof name); // longer text would make no atom, and clear the bar
        atom = GlobalAddAtomA(name);
    }
    if (window)
        SendMessageA(window, message, atom, 0);
    if (atom)
        GlobalDeleteAtom(atom);
    return 0;
}

#include "support/box_answerer.h"

#include "support/test_control.h"

namespace krtest {
namespace {

BoxAnswerer *g_current = nullptr;

// Reads the buttons and the icon a box shows.
void ReadControls(HWND box, ShownBox *shown)
{
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = "";
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Button") == 0 && IsWindowVisible(child))
            shown->buttons.push_back(GetDlgCtrlID(child));
        if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            SendMessageA(child, STM_GETICON, 0, 0))
            shown->icon = true;
    }
    shown->defaultButton = GetDlgCtrlID(GetFocus());
    shown->shownOwner = GetWindow(box, GW_OWNER);
}

} // namespace

std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool IsMessageBox(HWND window)
{
    HMODULE module = nullptr;
    const auto procedure = reinterpret_cast<LPCSTR>(GetWindowLongPtrW(window, DWLP_DLGPROC));
    return procedure &&
           GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              procedure, &module) &&
           module == GetModuleHandleA("user32.dll");
}

bool BoxAnswerer::Active() { return g_current != nullptr; }

BoxAnswerer::BoxAnswerer(int button) : button_(button)
{
    g_current = this;
    hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    previousObserver_ = KrutilTestControl(KRTEST_MESSAGE_BOX_OBSERVER, reinterpret_cast<INT_PTR>(&Observe));
}

BoxAnswerer::~BoxAnswerer()
{
    KrutilTestControl(KRTEST_MESSAGE_BOX_OBSERVER, previousObserver_);
    UnhookWindowsHookEx(hook_);
    g_current = nullptr;
}

void __stdcall BoxAnswerer::Observe(HWND owner, const char *text, const char *caption, UINT style)
{
    if (!g_current)
        return;
    ShownBox box;
    box.owner = owner;
    box.text = text ? text : "(null)";
    box.caption = caption ? caption : "(null)";
    box.style = style;
    g_current->boxes_.push_back(box);
}

// The box is still hidden when it activates: it is read and answered from
// a timer that fires inside its modal loop.
LRESULT CALLBACK BoxAnswerer::CbtProc(int code, WPARAM wp, LPARAM lp)
{
    char cls[16] = "";
    if (code == HCBT_ACTIVATE && g_current && GetClassNameA(reinterpret_cast<HWND>(wp), cls, sizeof cls) &&
        lstrcmpA(cls, "#32770") == 0 && IsMessageBox(reinterpret_cast<HWND>(wp))) {
        g_current->pending_ = reinterpret_cast<HWND>(wp);
        SetTimer(nullptr, 0, 0, Answer);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void CALLBACK BoxAnswerer::Answer(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    BoxAnswerer *self = g_current;
    if (!self || !self->pending_)
        return;
    const HWND box = self->pending_;
    self->pending_ = nullptr;
    if (self->boxes_.empty() || !self->boxes_.back().shownCaption.empty())
        self->boxes_.push_back(ShownBox{}); // shown without passing the observer
    self->boxes_.back().shownCaption = WindowText(box);
    self->boxes_.back().shownText = WindowText(GetDlgItem(box, 0xFFFF));
    ReadControls(box, &self->boxes_.back());
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(self->button_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, self->button_)));
}

} // namespace krtest

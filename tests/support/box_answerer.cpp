#include "support/box_answerer.h"

#include <algorithm>

#include "support/test_control.h"

namespace krtest {
namespace {

BoxAnswerer *g_current = nullptr;

struct Watching {
    HHOOK hook = nullptr;
    std::vector<DialogWatch *> watches;
    std::vector<HWND> waiting; // activated, not yet handed over
    std::vector<HWND> seen;    // taken in already: a dialog activates again after a nested one
} g_watching;

void DropClosed(std::vector<HWND> &windows)
{
    windows.erase(std::remove_if(windows.begin(), windows.end(), [](HWND w) { return !IsWindow(w); }), windows.end());
}

// Each tick hands over one dialog that is shown, or waits for a later one.
void CALLBACK HandOver(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    std::vector<HWND> &waiting = g_watching.waiting;
    DropClosed(waiting); // ended before it was shown
    const auto shown = std::find_if(waiting.begin(), waiting.end(), IsWindowVisible);
    if (shown == waiting.end() && !waiting.empty())
        SetTimer(nullptr, 0, 10, HandOver);
    if (shown == waiting.end())
        return;
    const HWND dialog = *shown;
    waiting.erase(shown);
    for (DialogWatch *watch : std::vector<DialogWatch *>(g_watching.watches))
        if (watch->take(dialog))
            break;
}

LRESULT CALLBACK NoteActivated(int code, WPARAM wp, LPARAM lp)
{
    const HWND window = reinterpret_cast<HWND>(wp);
    char cls[16] = "";
    std::vector<HWND> &seen = g_watching.seen;
    if (code == HCBT_ACTIVATE && GetClassNameA(window, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0 &&
        !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
        DropClosed(seen); // a closed dialog's handle may come again
        if (std::find(seen.begin(), seen.end(), window) == seen.end()) {
            seen.push_back(window);
            g_watching.waiting.push_back(window);
            SetTimer(nullptr, 0, 0, HandOver);
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

} // namespace

DialogWatch::DialogWatch(std::function<bool(HWND)> take) : take(std::move(take))
{
    if (g_watching.watches.empty())
        g_watching.hook = SetWindowsHookExA(WH_CBT, NoteActivated, nullptr, GetCurrentThreadId());
    g_watching.watches.push_back(this);
}

DialogWatch::~DialogWatch()
{
    std::vector<DialogWatch *> &watches = g_watching.watches;
    watches.erase(std::find(watches.begin(), watches.end(), this));
    if (watches.empty()) {
        UnhookWindowsHookEx(g_watching.hook);
        g_watching = {};
    }
}

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
    previousObserver_ = KrutilTestControl(KRTEST_MESSAGE_BOX_OBSERVER, reinterpret_cast<INT_PTR>(&Observe));
}

BoxAnswerer::~BoxAnswerer()
{
    KrutilTestControl(KRTEST_MESSAGE_BOX_OBSERVER, previousObserver_);
    g_current = nullptr;
}

void __stdcall BoxAnswerer::Observe(HWND owner, const char *text, const char *caption, UINT style)
{
    if (g_current)
        g_current->boxes_.push_back(
            {owner, text ? text : "(null)", caption ? caption : "(null)", style, "", "", nullptr, false});
}

std::string BoxAnswerer::Passed() const
{
    std::string passed;
    for (const ShownBox &box : boxes_)
        passed += box.text + "|" + box.caption + "|" + std::to_string(box.style) + ";";
    return passed;
}

bool BoxAnswerer::Answer(HWND box)
{
    if (!IsMessageBox(box))
        return false;
    if (boxes_.empty() || !boxes_.back().shownCaption.empty())
        boxes_.push_back(ShownBox{}); // shown without passing the observer
    ShownBox &shown = boxes_.back();
    shown.shownCaption = WindowText(box);
    shown.shownText = WindowText(GetDlgItem(box, 0xFFFF));
    shown.shownOwner = GetWindow(box, GW_OWNER);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = "";
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            SendMessageA(child, STM_GETICON, 0, 0))
            shown.icon = true;
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
    return true;
}

} // namespace krtest

// Operations on the whole suite: asking the applications whether they may
// quit, quitting them, broadcasts, file updates, and disabling the suite.
#include "krapps.h"

#include "apps/app_registry.h"

namespace {

// The window of an old companion program that is closed with the suite.
const char kCompanionTitle[] = "Zizorover Avedeverado";

int g_enabled = 1;
bool g_disabledByUs[KR_APPLICATIONS];

} // namespace

int KRAPI IsApplicationOpen(void)
{
    for (int i = 1; i < KR_APPLICATIONS; ++i)
        if (kr::IsLive(kr::AppRecord(i)))
            return 1;
    return 0;
}

int KRAPI OKToQuitAllApplications(void)
{
    for (int i = 1; i < KR_APPLICATIONS; ++i) {
        const APPINFO &app = kr::AppRecord(i);
        if (kr::IsLive(app) && SendMessageA(app.mainWindow, WM_KR_QUERYQUIT, 0, 0))
            return 0;
    }
    return 1;
}

int KRAPI QuitAllApplications(void)
{
    for (int i = 1; i < KR_APPLICATIONS; ++i) {
        const APPINFO &app = kr::AppRecord(i);
        if (kr::IsLive(app)) {
            SendMessageA(app.mainWindow, WM_KR_QUIT, 0, 0);
            DestroyWindow(app.mainWindow);
        }
    }
    if (HWND companion = FindWindowA(nullptr, kCompanionTitle))
        SendMessageA(companion, WM_CLOSE, 0, 0);
    return 1;
}

LRESULT KRAPI BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT replies = 0;
    for (int i = 1; i < KR_APPLICATIONS; ++i) {
        const HWND window = kr::AppRecord(i).mainWindow;
        if (window && IsWindow(window))
            replies |= SendMessageA(window, message, wParam, lParam);
    }
    for (int slot = 0; slot < KR_DIALOG_SLOTS; ++slot) {
        const HWND dialog = GetGlobalDialogWnd(slot);
        if (dialog && IsWindow(dialog))
            replies |= SendMessageA(dialog, message, wParam, lParam);
    }
    return replies;
}

int KRAPI GenFileUpdate(LPARAM pointer, unsigned short code)
{
    if (!g_enabled)
        return 0;
    int noted = 0;
    for (int i = 0; i < KR_APPLICATIONS; ++i) {
        const APPINFO &app = kr::AppRecord(i);
        if (kr::IsLive(app) && SendMessageA(app.mainWindow, WM_KR_FILEUPDATE, code, pointer))
            ++noted;
    }
    return noted;
}

void KRAPI EnableKestrune(int enable)
{
    g_enabled = enable;
    for (int i = 0; i < KR_APPLICATIONS; ++i) {
        const APPINFO &app = kr::AppRecord(i);
        if (!kr::IsLive(app))
            continue;
        if (!enable) {
            g_disabledByUs[i] = IsWindowEnabled(app.mainWindow) != 0;
            if (g_disabledByUs[i])
                EnableWindow(app.mainWindow, FALSE);
        } else {
            if (g_disabledByUs[i])
                EnableWindow(app.mainWindow, TRUE);
            g_disabledByUs[i] = false;
        }
    }
}

int KRAPI IsKestruneEnabled(void)
{
    return g_enabled;
}

void KRAPI KestruneSetAITaskHandle(HANDLE)
{
}

void KRAPI KestruneProcessYield(void)
{
}

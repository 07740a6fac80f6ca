#include "test_app_windows.h"

#include <algorithm>
#include <map>

namespace krtest {
namespace {

std::map<HWND, TestApp *> g_apps;
TestApp *g_creating = nullptr;

LRESULT CALLBACK AppProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE && g_creating)
        g_apps[window] = g_creating;
    const auto it = g_apps.find(window);
    if (it == g_apps.end())
        return DefWindowProcA(window, msg, wp, lp);
    TestApp *app = it->second;
    if (msg == WM_NCDESTROY) {
        app->window = nullptr;
        g_apps.erase(it);
    } else if (msg == WM_CLOSE || (msg >= WM_USER && msg < 0x8000)) {
        app->received.push_back(msg);
        app->lastWParam = wp;
        app->lastLParam = lp;
        switch (msg) {
        case WM_USER + 12:
            return app->queryQuitReply;
        case WM_USER + 13:
            return 0;
        case WM_USER + 15:
            return app->fileUpdateReply;
        case WM_CLOSE:
            return 0; // noted, not acted on
        default:
            return app->otherReply;
        }
    }
    return DefWindowProcA(window, msg, wp, lp);
}

} // namespace

HWND CreateAppWindow(TestApp *app, const char *title)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = AppProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KrTestAppWClass";
        RegisterClassA(&wc);
        registered = true;
    }
    g_creating = app;
    app->window = CreateWindowExA(0, "KrTestAppWClass", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                                  200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    g_creating = nullptr;
    return app->window;
}

bool Received(const TestApp &app, UINT message)
{
    return std::find(app.received.begin(), app.received.end(), message) != app.received.end();
}

} // namespace krtest

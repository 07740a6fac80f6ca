// Real top-level windows standing in for the suite's applications: each
// answers the registry protocol as the test wants and notes what it got.
#ifndef KRTEST_APP_WINDOWS_H
#define KRTEST_APP_WINDOWS_H

#include <windows.h>

#include <algorithm>
#include <map>
#include <vector>

namespace krtest {

struct TestApp {
    HWND window = nullptr;
    LRESULT queryQuitReply = 0;  // nonzero refuses to quit
    LRESULT fileUpdateReply = 0; // nonzero takes note of the update
    LRESULT otherReply = 0;      // any other message in the WM_USER range
    std::vector<UINT> received;  // registry and WM_CLOSE messages, in order
    WPARAM lastWParam = 0;
    LPARAM lastLParam = 0;
};

inline std::map<HWND, TestApp *> g_apps;
inline TestApp *g_creating = nullptr;

inline LRESULT CALLBACK AppProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
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
        if (msg == WM_USER + 12)
            return app->queryQuitReply;
        if (msg == WM_USER + 15)
            return app->fileUpdateReply;
        return (msg == WM_CLOSE || msg == WM_USER + 13) ? 0 : app->otherReply; // the quit is not acted on
    }
    return DefWindowProcA(window, msg, wp, lp);
}

// Creates the window (title given) for an app the caller keeps alive.
inline HWND CreateAppWindow(TestApp *app, const char *title = "test application")
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = AppProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KrTestAppWClass";
    RegisterClassA(&wc); // fails harmlessly once registered
    g_creating = app;
    app->window = CreateWindowExA(0, "KrTestAppWClass", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                                  200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    g_creating = nullptr;
    return app->window;
}

// Whether a message reached the app.
inline bool Received(const TestApp &app, UINT message)
{
    return std::find(app.received.begin(), app.received.end(), message) != app.received.end();
}

} // namespace krtest

#endif

// The suite's applications: the host and two more register, take note of a
// file update, are asked to quit and told to, and a status window follows.
#include <stdio.h>

#include "demo_common.h"

namespace krdemo {

namespace {

struct DemoApp {
    const char *name;
    bool refuseToQuit;
    HWND window;
};
DemoApp g_demoApps[3] = {{"Demo host", false, nullptr}, {"Spectrum viewer", false, nullptr},
                         {"Acquisition", true, nullptr}};

LRESULT CALLBACK DemoAppProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    for (DemoApp &app : g_demoApps) {
        if (app.window != window)
            continue;
        if (msg == WM_KR_QUERYQUIT) {
            printf("    %s is asked whether it may quit: %s\n", app.name,
                   app.refuseToQuit ? "no, it is still acquiring" : "yes");
            return app.refuseToQuit ? 1 : 0;
        }
        if (msg == WM_KR_QUIT)
            printf("    %s is told to quit\n", app.name);
        if (msg == WM_KR_FILEUPDATE) {
            printf("    %s takes note of file update %u\n", app.name, static_cast<unsigned>(wp));
            return 1;
        }
    }
    return DefWindowProcA(window, msg, wp, lp);
}

LRESULT CALLBACK StatusProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == GetUpDateMessageValue()) {
        char text[256] = "";
        if (wp)
            GlobalGetAtomNameA(static_cast<ATOM>(wp), text, sizeof text);
        printf(wp ? "    the status window shows: \"%s\"\n" : "    the status window is cleared\n", text);
        return 0;
    }
    return DefWindowProcA(window, msg, wp, lp);
}

} // namespace

void TourApplications()
{
    Heading("Applications, messages and the status bar");
    WNDCLASSA wc{};
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpfnWndProc = DemoAppProc;
    wc.lpszClassName = "DemoAppWClass";
    RegisterClassA(&wc);
    wc.lpfnWndProc = StatusProc;
    wc.lpszClassName = "KestruneWClass";
    RegisterClassA(&wc);
    HWND status = CreateWindowExA(0, "KestruneWClass", "status", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);

    printf("  ApplicationRunningCheck(\"KestruneDemoHost\") -> %d (no other demo host runs)\n",
           ApplicationRunningCheck("KestruneDemoHost"));
    APPINFOTABLE table{};
    for (int i = 0; i < 3; ++i) {
        g_demoApps[i].window =
            CreateWindowExA(0, "DemoAppWClass", g_demoApps[i].name, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40 + 30 * i,
                            40 + 30 * i, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
        table.app[i].mainWindow = g_demoApps[i].window;
        table.app[i].open = 1;
    }
    SetApplicationInfo(table);
    printf("  registered the host and two applications; IsApplicationOpen -> %d\n", IsApplicationOpen());
    printf("  GenFileUpdate(code 7) -> %d applications took note\n", GenFileUpdate(0, 7));
    EnableKestrune(0);
    printf("  EnableKestrune(0): the Acquisition window is %s\n",
           IsWindowEnabled(g_demoApps[2].window) ? "enabled" : "disabled");
    EnableKestrune(1);
    printf("  OKToQuitAllApplications:\n");
    printf("  -> %d\n", OKToQuitAllApplications());
    g_demoApps[2].refuseToQuit = false;
    printf("  after the acquisition ends, OKToQuitAllApplications:\n");
    printf("  -> %d\n", OKToQuitAllApplications());

    AnswerNextBoxWith(IDYES);
    const int answer = MsgReportMsg(nullptr, 3001, nullptr, 2);
    printf("    answered %s\n", answer == IDYES ? "Yes" : "No");
    if (answer == IDYES) {
        QuitAllApplications();
        printf("  QuitAllApplications: Spectrum viewer %s, Acquisition %s, the host %s\n",
               IsWindow(g_demoApps[1].window) ? "open" : "closed", IsWindow(g_demoApps[2].window) ? "open" : "closed",
               IsWindow(g_demoApps[0].window) ? "still open" : "closed");
    }
    AnswerNextBoxWith(IDOK);
    MsgReport(1106, "Kestrune demo", "Method 4");
    printf("  UpDateKestruneStatusBar:\n");
    UpDateKestruneStatusBar("2 applications closed");
    UpDateKestruneStatusBar(nullptr);
    DestroyWindow(g_demoApps[0].window);
    DestroyWindow(status);
    SetApplicationInfo(APPINFOTABLE{});
}

} // namespace krdemo

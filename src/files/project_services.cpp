// Closing the suite's open applications before the project changes or the
// user logs out: the user is asked once, then each application.
#include "apps/app_registry.h"
#include "apps/message_box.h"
#include "krapps.h"
#include "krfiles.h"

namespace {

// The first application (1 to 29) marked open; 0 when none is, -1 when the
// registry cannot be read.
int FirstOpenApplication()
{
    for (int id = 1; id < KR_APPLICATIONS; ++id) {
        APPINFO *app = nullptr;
        if (!GetApplicationInfoPtr(id, &app))
            return -1;
        if (app->open)
            return id;
    }
    return 0;
}

int AskAndClose(HWND owner, const char *question, const char *caption)
{
    const int first = FirstOpenApplication();
    if (first <= 0)
        return first == 0 ? 1 : 0;
    if (kr::ShowMessageBox(owner, question, caption, MB_YESNO | MB_ICONQUESTION) == IDNO)
        return 0;
    for (int id = first; id < KR_APPLICATIONS; ++id) {
        APPINFO *app = nullptr;
        if (!GetApplicationInfoPtr(id, &app))
            return 0;
        if (!kr::IsLive(*app))
            continue;
        // Those closed so far stay closed: their windows are gone.
        if (SendMessageA(app->mainWindow, WM_KR_QUERYQUIT, 0, 0))
            return 0;
        DestroyWindow(app->mainWindow);
    }
    return 1;
}

} // namespace

extern "C" int KRAPI ProShutDownServices(HWND owner)
{
    return AskAndClose(owner, "When changing to a new Project all services are automatically closed down.\nContinue?",
                       "Select Project");
}

extern "C" int KRAPI LogoutShutDownServices(HWND owner)
{
    return AskAndClose(owner, "When logging out all services are automatically closed down.\nContinue?", "Log Out");
}

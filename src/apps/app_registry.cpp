// The application registry: 30 records, index 0 the host application.
#include "apps/app_registry.h"

#include <stddef.h>

// The registry crosses the library boundary whole, by value.
#if defined(_WIN64)
static_assert(sizeof(APPINFO) == 40, "APPINFO size");
static_assert(offsetof(APPINFO, clientWindow) == 24, "APPINFO.clientWindow");
static_assert(offsetof(APPINFO, open) == 32, "APPINFO.open");
#else
static_assert(sizeof(APPINFO) == 32, "APPINFO size");
static_assert(sizeof(APPINFOTABLE) == 960, "APPINFOTABLE size");
static_assert(offsetof(APPINFO, clientWindow) == 20, "APPINFO.clientWindow");
static_assert(offsetof(APPINFO, open) == 24, "APPINFO.open");
static_assert(offsetof(APPINFO, spare) == 28, "APPINFO.spare");
#endif
static_assert(offsetof(APPINFO, mainWindow) == 0, "APPINFO.mainWindow");
static_assert(offsetof(APPINFO, left) == sizeof(HWND), "APPINFO.left");
static_assert(offsetof(APPINFO, height) == sizeof(HWND) + 12, "APPINFO.height");
static_assert(sizeof(APPINFOTABLE) == KR_APPLICATIONS * sizeof(APPINFO), "APPINFOTABLE packing");

namespace {
APPINFOTABLE g_registry;

bool ValidIndex(int index)
{
    return index >= 0 && index < KR_APPLICATIONS;
}
} // namespace

namespace kr {

APPINFO &AppRecord(int index)
{
    return g_registry.app[index];
}

bool IsLive(const APPINFO &app)
{
    return app.open == 1 && app.mainWindow && IsWindow(app.mainWindow);
}

} // namespace kr

int KRAPI SetApplicationInfo(APPINFOTABLE table)
{
    g_registry = table;
    return 1;
}

int KRAPI GetApplicationInfo(APPINFO *out)
{
    if (out)
        for (int i = 0; i < KR_APPLICATIONS; ++i)
            out[i] = g_registry.app[i];
    return 1;
}

int KRAPI GetApplicationInfoPtr(int index, APPINFO **out)
{
    if (!ValidIndex(index) || !out)
        return 0;
    *out = &g_registry.app[index];
    return 1;
}

int KRAPI SetApplicationInfoFrameWnd(int index)
{
    APPINFO &app = g_registry.app[index];
    RECT rect{};
    GetWindowRect(app.mainWindow, &rect);
    app.left = rect.left;
    app.top = rect.top;
    app.width = rect.right - rect.left;
    app.height = rect.bottom - rect.top;
    return 1;
}

int KRAPI SetApplicationInfoClientWnd(int index, HWND client)
{
    g_registry.app[index].clientWindow = client;
    return 1;
}

HWND KRAPI GetApplicationWnd(int index)
{
    return ValidIndex(index) && kr::IsLive(g_registry.app[index]) ? g_registry.app[index].mainWindow : nullptr;
}

// Real top-level windows standing in for the suite's applications: each
// answers the registry protocol as the test wants and notes what it got.
#ifndef KRTEST_APP_WINDOWS_H
#define KRTEST_APP_WINDOWS_H

#include <windows.h>

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

// Creates the window (title given) for an app the caller keeps alive.
HWND CreateAppWindow(TestApp *app, const char *title = "test application");

// Whether a message reached the app.
bool Received(const TestApp &app, UINT message);

} // namespace krtest

#endif

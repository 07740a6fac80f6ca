// Holds Wine's desktop open between test programs: with a persistent
// wineserver, each program then starts without waiting for Wine's system
// processes to come up again.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CreateWindowExA(0, "STATIC", "wine-keepalive", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                    nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

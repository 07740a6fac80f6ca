#include "support/mdi_frame.h"

namespace krtest {
namespace {

const char kFrameClass[] = "KrTestFrameWClass";
const char kChildClass[] = "KrTestChildWClass";
const char kTopClass[] = "KrTestTopWClass";

HWND g_client = nullptr; // of the frame being created or alive
ActivationLog *g_log = nullptr;

LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(window, g_client, msg, wp, lp);
}

LRESULT CALLBACK ChildProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_MDIACTIVATE && reinterpret_cast<HWND>(lp) == window && g_log)
        g_log->Add(window);
    return DefMDIChildProcA(window, msg, wp, lp);
}

void RegisterClasses()
{
    static bool done = false;
    if (done)
        return;
    WNDCLASSA wc{};
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = kChildClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = kTopClass;
    RegisterClassA(&wc);
    done = true;
}

} // namespace

MdiFrame::MdiFrame()
{
    RegisterClasses();
    frame_ = CreateWindowExA(0, kFrameClass, "test frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                             900, 700, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 1000;
    client_ = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                              880, 640, frame_, nullptr, GetModuleHandleA(nullptr), &ccs);
    g_client = client_;
    ShowWindow(frame_, SW_SHOWNORMAL);
    PumpMessages();
}

MdiFrame::~MdiFrame()
{
    DestroyWindow(frame_);
    g_client = nullptr;
    PumpMessages();
}

MDICREATESTRUCTA MdiFrame::ChildRecord(const char *title)
{
    MDICREATESTRUCTA cs{};
    cs.szClass = kChildClass;
    cs.szTitle = title;
    cs.hOwner = GetModuleHandleA(nullptr);
    cs.style = WS_OVERLAPPEDWINDOW;
    return cs;
}

HWND MdiFrame::CreateChild(const char *title, int x, int y, int cx, int cy, DWORD style)
{
    MDICREATESTRUCTA cs = ChildRecord(title);
    cs.x = x;
    cs.y = y;
    cs.cx = cx;
    cs.cy = cy;
    cs.style |= style;
    HWND child = reinterpret_cast<HWND>(SendMessageA(client_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs)));
    PumpMessages();
    return child;
}

ActivationLog::ActivationLog()
{
    g_log = this;
}

ActivationLog::~ActivationLog()
{
    g_log = nullptr;
}

std::string Title(HWND window)
{
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

HWND CreateTopLevel(const char *title, int x, int y, int cx, int cy)
{
    RegisterClasses();
    HWND window = CreateWindowExA(0, kTopClass, title, WS_OVERLAPPEDWINDOW, x, y, cx, cy, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    PumpMessages();
    return window;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace krtest

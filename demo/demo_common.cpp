#include "demo_common.h"

#include <stdio.h>

namespace krdemo {

const char kChildClass[] = "DemoChildWClass";

namespace {

const char kFrameClass[] = "DemoFrameWClass";
HWND g_client = nullptr;

LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(window, g_client, msg, wp, lp);
}

LRESULT CALLBACK ChildProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefMDIChildProcA(window, msg, wp, lp);
}

UINT g_answer = IDOK;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = FindWindowA("#32770", nullptr);
    if (!box)
        return;
    KillTimer(nullptr, timer);
    char caption[128] = "", text[512] = "";
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    for (char *p = text; *p; ++p)
        if (*p == '\n')
            *p = ' ';
    printf("    message box \"%s\": %s\n", caption, text);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(g_answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, g_answer)));
}

} // namespace

void Heading(const char *title)
{
    printf("\n== %s ==\n", title);
}

std::string IniValue(const char *section, const char *key)
{
    char value[600];
    GetIniString(section, key, "(none)", value, sizeof value);
    return value;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

HWND CreateFrame()
{
    WNDCLASSA wc{};
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = kChildClass;
    RegisterClassA(&wc);

    INIWINDPOS pos;
    const INIWINDPOS def = {1, SW_SHOWNORMAL, 20, 20, 820, 620};
    if (!GetIniWindPos("Demo Windows", "Frame", &def, &pos))
        pos = def;
    HWND frame = CreateWindowExA(0, kFrameClass, "Kestrune demo host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 100;
    g_client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 780, 560,
                               frame, nullptr, wc.hInstance, &ccs);
    RestoreWindPos(frame, &pos);
    Pump();
    return frame;
}

HWND FrameClient()
{
    return g_client;
}

void AnswerNextBoxWith(UINT button)
{
    g_answer = button;
    SetTimer(nullptr, 0, 700, AnswerBox);
}

QZFILE FileRecord(const char *directory, const char *name, const char *extension)
{
    QZFILE file{};
    lstrcpynA(file.directory, directory, sizeof file.directory);
    lstrcpynA(file.name, name, sizeof file.name);
    lstrcpynA(file.extension, extension, sizeof file.extension);
    return file;
}

} // namespace krdemo

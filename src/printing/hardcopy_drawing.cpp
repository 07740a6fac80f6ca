#include "printing/hardcopy_drawing.h"

#include "krprinting.h"
#include "printing/page_frame.h"

namespace kr {

namespace {

// The window draws itself: prepared, drawn, then told that drawing ended,
// while it does not repaint on the screen.
void AskWindowToDraw(HWND window, HDC dc, RECT &area)
{
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    SendMessageA(window, PRN_MSG_PREPARE, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(&area));
    SendMessageA(window, PRN_MSG_DRAW, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(&area));
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
}

void EndWindowDrawing(HWND window, HDC dc)
{
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SendMessageA(window, PRN_MSG_PREPARE, 0, 0);
    SetViewportOrgEx(dc, 0, 0, nullptr);
}

// One window into `area`, given in device units of `dc`.
void DrawWindow(HDC dc, HWND window, RECT area, bool border)
{
    const int saved = SaveDC(dc);
    ApplyPageFrame(dc, area, border, true);
    AskWindowToDraw(window, dc, area);
    EndWindowDrawing(window, dc);
    RestoreDC(dc, saved);
}

} // namespace

void DrawHardcopy(HDC dc, HWND frame, HWND, DWORD flags, const RECT &page)
{
    if (!IsWindow(frame))
        return;
    const int saved = SaveDC(dc);
    DrawWindow(dc, frame, page, (flags & PRN_DRAW_FRAME_BORDER) != 0);
    RestoreDC(dc, saved);
}

void DrawAllApplications(HDC, DWORD, const RECT &) {}

} // namespace kr

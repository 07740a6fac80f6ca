#include "printing/hardcopy_drawing.h"

#include "apps/app_registry.h"
#include "krprinting.h"
#include "printing/hardcopy_layout.h"
#include "printing/page_frame.h"
#include "printing/printer_resources.h"

namespace kr {

namespace {

// How the windows of one hard copy map onto the page: a window's
// rectangle, in its parent's screen pixels, is scaled and then moved by
// the origin.
struct Placement {
    Scale scale;
    POINT origin;
};

bool Has(DWORD flags, DWORD bit)
{
    return (flags & bit) != 0;
}

// The window draws itself: prepared, drawn, then told that drawing ended,
// while it does not repaint on the screen. It finds the printer's fonts,
// pens and brushes among the shared drawing resources meanwhile.
void AskWindowToDraw(HWND window, HDC dc, RECT &area)
{
    MakePrinterResources(window, dc, ResourceMode::Normal);
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    SendMessageA(window, PRN_MSG_PREPARE, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(&area));
    SendMessageA(window, PRN_MSG_DRAW, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(&area));
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
}

// The printer resources can go only once none is selected any more.
void EndWindowDrawing(HWND window, HDC dc)
{
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    ReleasePrinterResources();
    SendMessageA(window, PRN_MSG_PREPARE, 0, 0);
    SetViewportOrgEx(dc, 0, 0, nullptr);
}

// One window into `area`, given in the units of `placement`.
void DrawWindow(HDC dc, HWND window, const RECT &area, const Placement &placement, bool border)
{
    const int saved = SaveDC(dc);
    RECT target = ScaledTarget(area, placement.scale, placement.origin);
    ApplyPageFrame(dc, target, border, true);
    AskWindowToDraw(window, dc, target);
    EndWindowDrawing(window, dc);
    RestoreDC(dc, saved);
}

RECT WindowRect(HWND window)
{
    RECT area = {};
    GetWindowRect(window, &area);
    return area;
}

POINT TopLeft(const RECT &area)
{
    return {area.left, area.top};
}

SIZE SizeOf(const RECT &area)
{
    return {area.right - area.left, area.bottom - area.top};
}

// The frame's first child of the class "mdiclient", in any case.
HWND MdiClientOf(HWND frame)
{
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16];
        if (GetClassNameA(child, name, sizeof name) && lstrcmpiA(name, "mdiclient") == 0)
            return child;
    }
    return nullptr;
}

// A child is printed only when it shows as a window of its own.
bool IsPrintedChild(HWND child)
{
    RECT area;
    return !IsIconic(child) && GetWindowRect(child, &area) && !IsRectEmpty(&area) && !GetWindow(child, GW_OWNER);
}

// From the back of the stack to the front, so that what lies in front is
// printed over what lies behind; a maximised front child hides the others
// and is printed alone.
void DrawAllChildren(HDC dc, HWND parent, const Placement &placement, bool border)
{
    HWND child = GetWindow(parent, GW_CHILD);
    if (child && !IsZoomed(child))
        child = GetWindow(child, GW_HWNDLAST);
    const POINT corner = TopLeft(WindowRect(parent));
    for (; child; child = GetWindow(child, GW_HWNDPREV))
        if (IsPrintedChild(child))
            DrawWindow(dc, child, RelativeTo(WindowRect(child), corner), placement, border);
}

void DrawChildren(HDC dc, HWND parent, HWND child, DWORD flags, const Placement &placement)
{
    const bool border = Has(flags, PRN_DRAW_CHILD_BORDER);
    if (Has(flags, PRN_DRAW_ALL_CHILDREN))
        return DrawAllChildren(dc, parent, placement, border);
    if (!Has(flags, PRN_DRAW_NAMED_CHILD) || !IsWindow(child))
        child = reinterpret_cast<HWND>(SendMessageA(parent, WM_MDIGETACTIVE, 0, 0));
    RECT client = {};
    GetClientRect(parent, &client);
    if (IsWindow(child))
        DrawWindow(dc, child, client, placement, border);
}

// The window whose children are printed, and how they map onto the page:
// an MDI client's area is stretched over the frame's rectangle.
HWND ChildrensParent(HWND frame, HWND child, DWORD flags, const RECT &frameArea, Placement &placement)
{
    const bool named = Has(flags, PRN_DRAW_NAMED_CHILD) && IsWindow(child);
    if (!Has(flags, PRN_DRAW_CHILDREN) && !named)
        return nullptr;
    if (!Has(flags, PRN_DRAW_MDI_CHILDREN))
        return frame;
    const HWND client = MdiClientOf(frame);
    RECT clientArea;
    if (client && GetWindowRect(client, &clientArea))
        placement.scale = StretchedOver(placement.scale, SizeOf(frameArea), SizeOf(clientArea));
    return client;
}

} // namespace

void DrawHardcopy(HDC dc, HWND frame, HWND child, DWORD flags, const RECT &page)
{
    if (!IsWindow(frame))
        return;
    const bool onScreen = Has(flags, PRN_DRAW_SCREEN_PLACE) && !IsZoomed(frame);
    if (onScreen && IsIconic(frame))
        return;
    Placement placement = {{}, TopLeft(page)};
    RECT frameArea = FromOrigin(page);
    if (onScreen) {
        const RECT screenArea = WindowRect(frame);
        placement.scale = ScreenScale(page, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        placement.origin = ScreenOrigin(TopLeft(screenArea), placement.scale, page);
        frameArea = FromOrigin(screenArea);
    }
    const int saved = SaveDC(dc);
    DrawWindow(dc, frame, frameArea, placement, Has(flags, PRN_DRAW_FRAME_BORDER));
    if (const HWND parent = ChildrensParent(frame, child, flags, frameArea, placement))
        DrawChildren(dc, parent, child, flags, placement);
    RestoreDC(dc, saved);
}

namespace {

// The suite's applications whose frames are printed, in the order they
// are looked for.
constexpr int kPrintedApplications[] = {1, 2, 12, 3};

bool IsPrintedFrame(HWND window)
{
    for (const int index : kPrintedApplications)
        if (AppRecord(index).mainWindow == window && AppRecord(index).open)
            return true;
    return false;
}

struct AllApplicationsJob {
    HDC dc;
    DWORD flags;
    const RECT *page;
};

BOOL CALLBACK DrawIfPrintedFrame(HWND window, LPARAM job)
{
    const auto &all = *reinterpret_cast<const AllApplicationsJob *>(job);
    if (IsPrintedFrame(window))
        DrawHardcopy(all.dc, window, nullptr, all.flags, *all.page);
    return TRUE;
}

} // namespace

void DrawAllApplications(HDC dc, DWORD flags, const RECT &page)
{
    AllApplicationsJob job = {dc, AllApplicationsFlags(flags), &page};
    EnumWindows(DrawIfPrintedFrame, reinterpret_cast<LPARAM>(&job));
}

} // namespace kr

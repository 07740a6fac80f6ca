// Reports: a window writes its own text on the printer, page after page,
// inside the frame of the page; the library starts the job, gives it the
// report font, turns the pages and can place windows on them.
#include "krprinting.h"

#include "printing/abort_window.h"
#include "printing/hardcopy_drawing.h"
#include "printing/page_frame.h"
#include "printing/print_job.h"

namespace {

// The running report's page, in device units before framing, and its font:
// what PrnReportNewPage starts each further page with.
RECT g_reportPage;
HFONT g_reportFont = nullptr;

// The platform's fixed-pitch font, in "Courier New" at `points`.
HFONT CreateReportFont(HDC dc, long points)
{
    LOGFONTA fixed = {};
    GetObjectA(GetStockObject(ANSI_FIXED_FONT), sizeof fixed, &fixed);
    return PrnCreateFont(dc, points, fixed.lfEscapement, fixed.lfOrientation, FW_NORMAL, fixed.lfItalic,
                         fixed.lfUnderline, fixed.lfStrikeOut, fixed.lfCharSet, fixed.lfOutPrecision,
                         fixed.lfClipPrecision, fixed.lfQuality, fixed.lfPitchAndFamily, "Courier New");
}

// A report page starts white, clipped to its frame, in the report font;
// the window writes from the corner of the rectangle returned.
RECT FrameReportPage(HDC dc)
{
    SelectObject(dc, g_reportFont);
    RECT framed = g_reportPage;
    kr::ApplyPageFrame(dc, framed, false, true);
    return framed;
}

// The printer's background in the window colour, where the driver knows
// the escape.
void SetReportBackground(HDC dc)
{
    const COLORREF colour = GetSysColor(COLOR_WINDOW);
    Escape(dc, SET_BACKGROUND_COLOR, sizeof colour, reinterpret_cast<LPCSTR>(&colour), nullptr);
}

// The report itself, the window writing it while its job runs.
void WriteReport(HWND window, HDC dc, const PrintSettings &settings, const RECT &page)
{
    SetReportBackground(dc);
    g_reportPage = page;
    g_reportFont = CreateReportFont(dc, settings.fontSize);
    const HGDIOBJ previous = GetCurrentObject(dc, OBJ_FONT);
    RECT framed = FrameReportPage(dc);
    SendMessageA(window, PRN_MSG_REPORT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(&framed));
    SelectObject(dc, previous);
    DeleteObject(g_reportFont);
    g_reportFont = nullptr;
}

} // namespace

int KRAPI PrnPrintReport(HWND window, PrintSettings *settings)
{
    if (!IsWindow(window) || !settings)
        return 0;
    kr::PrintJob job(window);
    if (!job.Begin())
        return 0;
    job.StartPage();
    job.Show();
    WriteReport(window, job.Dc(), *settings, job.Page(settings->margins));
    job.EndPage();
    job.End();
    return 1;
}

int KRAPI PrnReportNewPage(HDC dc)
{
    // A page changes only within a report; a cancelled job has no next page.
    if (!g_reportFont || kr::PrintCancelled())
        return 0;
    if (EndPage(dc) <= 0 || StartPage(dc) <= 0)
        return 0;
    SetViewportOrgEx(dc, 0, 0, nullptr);
    FrameReportPage(dc);
    return 1;
}

int KRAPI PrnReportWindow(HDC dc, HWND window, const RECT *area, long flags)
{
    if (!IsWindow(window) || !area || kr::PrintCancelled())
        return 0;
    // The area is in the report's units, from its frame's corner; the hard
    // copy places windows in device units from the page's.
    POINT corners[2] = {{area->left, area->top}, {area->right, area->bottom}};
    LPtoDP(dc, corners, 2);
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    kr::DrawHardcopy(dc, window, nullptr, flags, {corners[0].x, corners[0].y, corners[1].x, corners[1].y});
    RestoreDC(dc, saved);
    return 1;
}

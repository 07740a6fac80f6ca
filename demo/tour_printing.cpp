// Printing: the host chooses the default printer, prints a hard copy of its
// MDI desktop and a two-page report that one of its windows writes itself,
// and says where the spooler put the PDFs.
#include <stdio.h>

#include <set>
#include <string>

#include "demo_common.h"

namespace krdemo {

namespace {

// Where the PDF queue of the demo's spooler writes (scripts/spooler.sh).
const char kPdfDirectory[] = "Z:\\var\\spool\\cups-pdf\\KrPDF\\";
const int kReportLines = 90;

WNDPROC g_childProc = nullptr;
WNDPROC g_frameProc = nullptr;

void DrawTrace(HDC dc, const RECT &area, int seed)
{
    MoveToEx(dc, 0, area.bottom - 10, nullptr);
    for (int x = 0; x < area.right; x += 4) {
        const int peak = (x / 4 + seed) % 37 == 0 ? area.bottom * 2 / 3 : (x * 7 + seed * 13) % 23;
        LineTo(dc, x, area.bottom - 10 - peak);
    }
}

// A child draws its caption and a trace into the rectangle it is given.
LRESULT CALLBACK PrintableChildProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == PRN_MSG_DRAW) {
        const HDC dc = reinterpret_cast<HDC>(wp);
        const RECT &area = *reinterpret_cast<const RECT *>(lp);
        char caption[64] = "";
        GetWindowTextA(window, caption, sizeof caption);
        TextOutA(dc, 10, 10, caption, lstrlenA(caption));
        DrawTrace(dc, area, caption[0]);
        return 1;
    }
    return CallWindowProcA(g_childProc, window, msg, wp, lp);
}

// Writes the report line by line, asking for a new page when a line would
// pass the bottom of the page's rectangle.
void WriteReport(HDC dc, const RECT &page)
{
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    int y = 0;
    int pages = 1;
    const char title[] = "Kestrune demo report: peak list of run02.raw";
    TextOutA(dc, 0, y, title, lstrlenA(title));
    y += 2 * lineHeight;
    for (int line = 1; line <= kReportLines; ++line) {
        if (y + lineHeight > page.bottom) {
            if (!PrnReportNewPage(dc))
                return;
            ++pages;
            y = 0;
        }
        char text[96];
        snprintf(text, sizeof text, "scan %3d   m/z %8.3f   intensity %7d   page %d", line, 100.0 + line * 3.125,
                 (line * 7919) % 100000, pages);
        TextOutA(dc, 0, y, text, lstrlenA(text));
        y += lineHeight;
    }
}

LRESULT CALLBACK ReportingFrameProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == PRN_MSG_REPORT) {
        WriteReport(reinterpret_cast<HDC>(wp), *reinterpret_cast<const RECT *>(lp));
        return 1;
    }
    return CallWindowProcA(g_frameProc, window, msg, wp, lp);
}

HWND OpenPrintableChild(const char *title, int x, int y, int width, int height)
{
    HWND child = CreateMDIWindowA(kChildClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height,
                                  FrameClient(), GetModuleHandleA(nullptr), 0);
    g_childProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrintableChildProc)));
    return child;
}

std::set<std::string> PdfsInQueue()
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((std::string(kPdfDirectory) + "*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The spooler writes a job's PDF a moment after the job ends.
void SayWhereThePdfLanded(const std::set<std::string> &before, const char *what)
{
    for (int wait = 0; wait < 100; ++wait) {
        for (const std::string &name : PdfsInQueue()) {
            if (!before.count(name)) {
                printf("  %s: /var/spool/cups-pdf/KrPDF/%s\n", what, name.c_str());
                return;
            }
        }
        Sleep(100);
    }
    printf("  %s: no PDF came from the spooler\n", what);
}

} // namespace

void TourPrinting()
{
    Heading("Printing to the PDF printer");
    HWND frame = CreateFrame();
    g_frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReportingFrameProc)));
    APPINFOTABLE table{};
    table.app[0].mainWindow = frame;
    table.app[0].open = 1;
    SetApplicationInfo(table);
    OpenPrintableChild("Spectrum", 10, 10, 360, 240);
    OpenPrintableChild("Chrom", 380, 10, 360, 240);
    OpenPrintableChild("Tune", 10, 260, 730, 250);
    Pump();

    printf("  PrnCanPrint -> %d (the default printer chosen silently)\n", PrnCanPrint());
    PrintSettings settings;
    PrnPrintGCV(&settings);
    printf("  settings: margins %.2f cm, line width %ld, font size %ld, black %s\n", settings.margins[0],
           settings.lineWidth, settings.fontSize, settings.black ? "on" : "off");

    std::set<std::string> before = PdfsInQueue();
    const DWORD desktop = PRN_DRAW_MDI_CHILDREN | PRN_DRAW_CHILDREN | PRN_DRAW_ALL_CHILDREN | PRN_DRAW_CHILD_BORDER;
    printf("  PrnHardcopy of the MDI desktop -> %d\n", PrnHardcopy(frame, nullptr, desktop, settings.margins));
    SayWhereThePdfLanded(before, "hard copy");

    before = PdfsInQueue();
    printf("  PrnReport (no dialog, portrait) -> %d\n", PrnReport(frame, &settings, 0, 512));
    SayWhereThePdfLanded(before, "two-page report");

    PrnTidyUp();
    SetApplicationInfo(APPINFOTABLE{});
    DestroyWindow(frame);
    Pump();
}

} // namespace krdemo

// Print jobs and reports of real windows through the spooler, read back
// from the PDFs it wrote; the failures the user is told of; Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "apps/app_registry.h"
#include "krprinting.h"
#include "printing/abort_window.h"
#include "printing/printer_selection.h"
#include "support/box_answerer.h"
#include "support/gui_objects.h"
#include "support/module_instance.h"
#include "support/print_output.h"
#include "support/work_dir.h"

namespace {

// The templates and the string table.
[[maybe_unused]] const bool kLibraryResources = (kr::RecordModuleInstance(LoadLibraryA("krutil.dll")), true);

// Run by the printed window while it draws or writes its report.
std::function<void(HDC)> g_whilePrinting;
std::string g_log;

void WriteLine(HDC dc, int line, const char *text)
{
    TextOutA(dc, 0, 100 + line * 60, text, lstrlenA(text));
}

LRESULT CALLBACK Printee(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HDC dc = reinterpret_cast<HDC>(wParam);
    if (message == PRN_MSG_DRAW) {
        const RECT &area = *reinterpret_cast<const RECT *>(lParam);
        PatBlt(dc, 0, 0, area.right, 50, BLACKNESS);
        char caption[32];
        GetWindowTextA(window, caption, sizeof caption);
        WriteLine(dc, 0, caption);
    }
    if ((message == PRN_MSG_DRAW || message == PRN_MSG_REPORT) && !GetParent(window)) {
        const HWND abortWindow = FindWindowA(nullptr, "Printing...");
        g_log += IsWindowVisible(abortWindow) && !IsWindowEnabled(kr::AppRecord(0).mainWindow) ? "shown " : "hidden ";
        if (g_whilePrinting)
            g_whilePrinting(dc);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakePrintee(const char *caption, HWND parent = nullptr)
{
    static const WNDCLASSA type = {0, Printee, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, "KrJobPrintee"};
    [[maybe_unused]] static const ATOM registered = RegisterClassA(&type);
    return CreateWindowA("KrJobPrintee", caption, parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW, 0, 0, 400,
                         300, parent, nullptr, nullptr, nullptr);
}

// A host frame registered as application 0, holding the default printer.
class PrintJobs : public testing::Test {
protected:
    void SetUp() override
    {
        frame_ = MakePrintee("Hardcopy frame 4711");
        kr::AppRecord(0) = {frame_, 0, 0, 0, 0, nullptr, 1, 0};
        PrnCanPrint();
        ASSERT_TRUE(kr::HeldDeviceNames()) << "scripts/test.sh makes the PDF queue the default printer";
        PrnPrintGCV(&settings_);
        g_log.clear();
    }
    void TearDown() override
    {
        g_whilePrinting = nullptr;
        EXPECT_FALSE(FindWindowA(nullptr, "Printing...")) << "abort window left";
        EXPECT_TRUE(IsWindowEnabled(frame_));
        PrnTidyUp();
        DestroyWindow(frame_);
        kr::AppRecord(0) = {};
    }

    HWND frame_ = nullptr;
    PrintSettings settings_;
    const std::set<std::string> earlier_ = krtest::PrintedPdfNames("Hardcopy");
};

// A second job tried while the first prints is refused.
TEST_F(PrintJobs, HardcopyPrintsTheWindowInsideWholeMillimetreMarginsAlone)
{
    const float margins[4] = {1.05f, 2.0f, 1.0f, 3.0f}; // top, left, bottom, right
    krtest::BoxAnswerer answerer;
    g_whilePrinting = [this](HDC) { g_log += std::to_string(PrnHardcopy(frame_, nullptr, 0, nullptr)); };
    EXPECT_EQ(1, PrnHardcopy(frame_, nullptr, 0, margins));
    EXPECT_EQ("shown 0", g_log);
    EXPECT_EQ("Unable to start print job|(null)|16;", answerer.Passed());
    const krtest::PrintedPdf pdf("Hardcopy", earlier_);
    ASSERT_TRUE(pdf.Found());
    EXPECT_EQ(1, pdf.Pages());
    EXPECT_NE(std::string::npos, pdf.Text(1).find("Hardcopy frame 4711")) << pdf.Text(1);
    // The window draws 9 dots (0.76 mm) inside the page rectangle.
    const krtest::AreaMm ink = pdf.InkMm(1);
    EXPECT_NEAR(20.76, ink.left, 0.5);
    EXPECT_NEAR(10.76, ink.top, 0.5);
    EXPECT_NEAR(210 - 30.76, ink.right, 0.5);
}

TEST_F(PrintJobs, FailuresShowTheirBoxAndPrintNothing)
{
    const struct { const char *what; std::function<int()> job; const char *boxes; } rows[] = {
        {"owner not a window", [] { return PrnHardcopy(HWND(0x4711), nullptr, 0, nullptr); },
         "NULL Abort window handle|(null)|16;"},
        {"report of no window", [] { return PrnPrintReport(nullptr, nullptr); }, ""},
        {"no printer at all", [] {
             krtest::WinIniKeys device("windows", {{"device", ""}});
             device.Remove();
             PrnTidyUp();
             return PrnCanPrint() + PrnHardcopy(nullptr, nullptr, 0, nullptr) - 1;
         },
         "Cannot perform print|(null)|16;"},
    };
    krtest::BoxAnswerer answerer;
    for (const auto &row : rows) {
        answerer.Clear();
        EXPECT_EQ(0, row.job()) << row.what;
        EXPECT_EQ(row.boxes, answerer.Passed()) << row.what;
    }
    EXPECT_FALSE(krtest::PrintedPdf("Hardcopy", earlier_, 3000).Found());
}

// The platform here asks the abort procedure only when the document
// starts, so it is also called directly, as a spooler would call it.
TEST_F(PrintJobs, CancelStopsTheReportAndAbandonsTheJob)
{
    const HWND child = MakePrintee("child", frame_);
    const RECT area = {0, 300, 1000, 800};
    g_whilePrinting = [&](HDC dc) {
        PostMessageA(frame_, WM_NULL, 0, 0);
        g_log += std::to_string(kr::PrintAbortProc(dc, 0)) + std::to_string(PrnReportWindow(dc, child, &area, 0));
        SendMessageA(kr::AbortWindow(), WM_COMMAND, IDCANCEL, 0);
        g_log += std::to_string(kr::PrintAbortProc(dc, 0)) + std::to_string(PrnReportWindow(dc, child, &area, 0)) +
                 std::to_string(PrnReportNewPage(dc));
    };
    EXPECT_EQ(1, PrnPrintReport(frame_, &settings_));
    EXPECT_EQ("shown 11000", g_log);
    EXPECT_FALSE(krtest::PrintedPdf("Hardcopy", earlier_, 5000).Found()) << "a cancelled job is not printed";
}

// Two pages in landscape, a window placed on the second, the first kept as a picture.
TEST_F(PrintJobs, ReportWritesPagesInTheReportFontAndPlacesWindows)
{
    const HWND child = MakePrintee("Window in report", frame_);
    settings_.fontSize = 12;
    g_whilePrinting = [&](HDC dc) {
        LOGFONTA font;
        GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
        g_log += std::string(font.lfFaceName) + " " + std::to_string(font.lfHeight) + " ";
        WriteLine(dc, 0, "Report page one");
        g_log += std::to_string(PrnReportNewPage(dc));
        WriteLine(dc, 0, "Report page two");
        const RECT area = {0, 300, 1500, 600};
        g_log += std::to_string(PrnReportWindow(dc, child, &area, PRN_DRAW_FRAME_BORDER));
        WriteLine(dc, 10, "Report end");
    };
    EXPECT_EQ(1, PrnReport(frame_, &settings_, 0, PRN_ORIENT_LANDSCAPE));
    EXPECT_EQ(DMORIENT_PORTRAIT, kr::ModeOrientation(kr::HeldDeviceMode())) << "the printer's own put back";
    EXPECT_EQ(0, PrnReportNewPage(nullptr)) << "outside a report";
    EXPECT_EQ("shown Courier New -50 11", g_log) << "12 points at 300 dots per inch";
    const krtest::PrintedPdf pdf("Hardcopy", earlier_);
    ASSERT_EQ(2, pdf.Pages());
    EXPECT_GT(pdf.PageMm(1).right, pdf.PageMm(1).bottom) << "landscape";
    EXPECT_NE(std::string::npos, pdf.Text(1).find("Report page one")) << pdf.Text(1);
    const std::string second = pdf.Text(2);
    EXPECT_LT(second.find("Report page two"), second.find("Window in report")) << second;
    EXPECT_LT(second.find("Window in report"), second.find("Report end")) << second;
    EXPECT_TRUE(pdf.SavePng(1, "report_page_one"));
}

// A window destroyed while it prints, with its children and the abort
// window it owns, leaves a job that ends cleanly.
TEST_F(PrintJobs, WindowsDestroyedWhilePrinting)
{
    const HWND owner = MakePrintee("owner");
    const HWND child = MakePrintee("child", owner);
    g_whilePrinting = [&](HDC) { DestroyWindow(owner); };
    EXPECT_EQ(1, PrnHardcopy(owner, child, PRN_DRAW_NAMED_CHILD, nullptr));
    EXPECT_FALSE(IsWindow(owner) || IsWindow(child));
    EXPECT_TRUE(krtest::PrintedPdf("Hardcopy", earlier_).Found());
}

// Every job, failed or cancelled too, frees what it made: a second round
// leaves the counts as the first did (the platform keeps what its first
// job and box create).
TEST_F(PrintJobs, JobsLeaveNoObjectsBehind)
{
    krtest::BoxAnswerer answerer;
    const HWND child = MakePrintee("child", frame_);
    const RECT area = {0, 0, 100, 100};
    g_whilePrinting = [&](HDC dc) {
        PrnReportNewPage(dc);
        PrnReportWindow(dc, child, &area, 0);
        SendMessageA(kr::AbortWindow(), WM_COMMAND, IDCANCEL, 0);
    };
    krtest::GuiObjects counts[2];
    for (krtest::GuiObjects &after : counts) {
        PrnHardcopy(frame_, child, PRN_DRAW_NAMED_CHILD, nullptr);
        PrnPrintReport(frame_, &settings_);
        PrnHardcopy(HWND(0x4711), nullptr, 0, nullptr);
        after = krtest::CountGuiObjects();
    }
    EXPECT_TRUE(counts[0] == counts[1]) << counts[0].gdi << " GDI objects, then " << counts[1].gdi;
}

} // namespace

// The print dialog on the library's templates, the printer chosen for the
// process and its set-up, under Wine with the spooler's PDF queue as the
// default printer.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include "apps/app_registry.h"
#include "krutil_dialogs.h"
#include "printing/hardcopy_flags.h"
#include "printing/print_dialog.h"
#include "printing/printer_selection.h"
#include "support/dialog_driver.h"
#include "support/gui_objects.h"
#include "support/module_instance.h"
#include "support/work_dir.h"

namespace {

// The string table and templates of the built library.
[[maybe_unused]] const bool kLibraryResources = (kr::RecordModuleInstance(LoadLibraryA("krutil.dll")), true);

// Application 0's frame window, which holds the printer chosen.
struct HostFrame {
    HostFrame() { kr::AppRecord(0).mainWindow = window; }
    ~HostFrame()
    {
        PrnTidyUp();
        DestroyWindow(window);
        kr::AppRecord(0) = APPINFO{};
    }
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
};

TEST(PrintDialogFlags, SelectsTheCurrentWindowUnlessMoreIsPrinted)
{
    const struct { long toFile, allWindows, allApplications; bool noWarning; DWORD flags; } rows[] = {
        {0, 0, 0, false, 0x145019},
        {1, 0, 0, false, 0x145039},
        {0, 1, 0, false, 0x145018},
        {0, 1, 1, false, 0x14501C},
        {0, 0, 1, true, 0x14509C},
    };
    for (const auto &row : rows) {
        const PrintSettings settings = {1, {}, nullptr, row.toFile, row.allWindows, 0, 0, 0, 0, row.allApplications, 0, 0, 0, 0, 0};
        EXPECT_EQ(row.flags, kr::PrintDialogFlags(settings, row.noWarning))
            << row.toFile << row.allWindows << row.allApplications << row.noWarning;
    }
}

TEST(HardcopyFlags, FollowWhatIsPrintedAndTheBorder)
{
    const struct { long border; bool window; long allWindows, allApplications, flags; } rows[] = {
        {0, false, 0, 0, 3},
        {0, false, 1, 0, 7},
        {1, false, 1, 0, 23},
        {0, true, 1, 0, 65},
        {1, true, 1, 0, 89},
        {1, true, 0, 1, 56},
        {1, false, 0, 1, 48},
        {0, false, 1, 1, 32},
    };
    for (const auto &row : rows) {
        const HWND window = row.window ? GetDesktopWindow() : nullptr;
        const PrintSettings settings = {1, {}, window, 0, row.allWindows, row.border, 0, 0, 0, row.allApplications, 0, 0, 0, 0, 0};
        EXPECT_EQ(row.flags, kr::HardcopyFlags(settings)) << row.border << row.window << row.allWindows << row.allApplications;
    }
}

// Border, black, all windows, current window | trace width | font size | copies
std::string Shown(const krtest::Dialog &d)
{
    char text[64];
    snprintf(text, sizeof text, "%d%d%d%d|%d|%s|%s", d.Checked(IDC_PRINT_BORDER), d.Checked(IDC_PRINT_BLACK),
             d.Checked(rad1), d.Checked(rad2), d.ListSelection(IDC_PRINT_TRACE_WIDTH),
             d.Text(IDC_PRINT_FONT_SIZE).c_str(), d.Text(edt3).c_str());
    return text;
}

TEST(PrintDialog, ShowsTheRecordAndOnOkSavesWhatWasChosen)
{
    krtest::GuiObjects before;
    for (int round = 0; round < 2; ++round) { // the first round loads what the platform keeps for later
        before = krtest::CountGuiObjects();
        PrintSettings settings = {1, {1, 2, 3, 4}, nullptr, 0, 0, 1, 0, 300, 2.9, 0, 2, 3, -7, 0, 0};
        krtest::DialogDriver driver;
        driver.Then("Print", [](krtest::Dialog &d) {
            EXPECT_EQ("1001|3|-7|2", Shown(d));
            EXPECT_EQ(std::vector<std::string>({"0", "1", "2", "3", "4", "5"}), d.ListItems(IDC_PRINT_TRACE_WIDTH));
            EXPECT_FALSE(d.Visible(IDC_PRINT_FONT_SIZE) || d.Visible(chx1) || d.Enabled(rad3));
            d.Screenshot("print_dialog");
            d.Click(IDC_PRINT_BORDER);
            EXPECT_FALSE(d.Checked(IDC_PRINT_BORDER));
            d.Click(IDC_PRINT_BLACK);
            d.SelectComboItem(IDC_PRINT_TRACE_WIDTH, "5");
            d.Type(IDC_PRINT_FONT_SIZE, "abc");
            d.Click(rad1);
            d.Click(IDC_PRINT_MARGINS);
            d.Click(IDOK);
        });
        driver.Then("Print Margins", [](krtest::Dialog &d) {
            d.Type(IDC_MARGIN_TOP, "2.5");
            d.Click(IDOK);
        });
        DeleteFileA(krtest::IniFilePath().c_str());
        kr::PrinterBlocks chosen;
        EXPECT_TRUE(kr::ShowPrintDialog(nullptr, settings, kr::kPrintTemplate, kr::DialogStart::DefaultPrinter, chosen));
        EXPECT_EQ("[Print]\r\nGapLeft=2.00\r\nGapTop=2.50\r\nGapRight=4.00\r\nGapBottom=3.00\r\nPrintToFile=FALSE\r\n"
                  "AllWindows=TRUE\r\nBorder=FALSE\r\nBlack=TRUE\r\nLineWidth=5\r\nFontSize=10\r\nPrintQuality=300\r\n"
                  "Copies=3\r\nOrientation=LANDSCAPE\r\n",
                  krtest::ReadTextFile(krtest::IniFilePath()));
        GlobalFree(chosen.mode);
        GlobalFree(chosen.names);
    }
    const krtest::GuiObjects after = krtest::CountGuiObjects();
    EXPECT_TRUE(before == after) << before.gdi << " " << before.windows << " -> " << after.gdi << " " << after.windows;
}

TEST(PrintDialog, ForReportsHidesRangeAndBorderAndCancelSavesNothing)
{
    PrintSettings settings = {1, {}, nullptr, 0, 0, 1, 0, 300, 1, 0, 1, 1, 10, 1, 0};
    krtest::DialogDriver driver;
    driver.Then("Print Report", [](krtest::Dialog &d) {
        for (int id : {grp1, rad1, rad2, rad3, stc2, edt1, stc3, edt2, IDC_PRINT_BORDER, chx1})
            EXPECT_FALSE(d.Visible(id) || d.Enabled(id)) << id;
        EXPECT_EQ("10", d.Text(IDC_PRINT_FONT_SIZE));
        d.Type(IDC_PRINT_FONT_SIZE, "49");
        d.Click(IDCANCEL);
    });
    DeleteFileA(krtest::IniFilePath().c_str());
    kr::PrinterBlocks chosen;
    EXPECT_FALSE(kr::ShowPrintDialog(nullptr, settings, kr::kReportTemplate, kr::DialogStart::DefaultPrinter, chosen));
    EXPECT_FALSE(krtest::FileExists(krtest::IniFilePath()));
}

TEST(PrinterSelection, DefaultChosenUnseenInTheKeptOrientationUntilTidiedUp)
{
    HostFrame host;
    krtest::DialogDriver noDialogShown;
    krtest::WriteTextFile(krtest::IniFilePath(), "[Print]\nOrientation=landscape\n");
    EXPECT_EQ(1, PrnCanPrint());
    EXPECT_EQ(DMORIENT_LANDSCAPE, kr::ModeOrientation(GetPropA(host.window, "HDEVMODE")));
    EXPECT_NE(nullptr, GetPropA(host.window, "HDEVNAMES"));
    EXPECT_EQ("[Print]\nOrientation=landscape\n", krtest::ReadTextFile(krtest::IniFilePath()));
    EXPECT_EQ(1, PrnTidyUp());
    EXPECT_EQ(nullptr, GetPropA(host.window, "HDEVMODE"));
    EXPECT_EQ(nullptr, GetPropA(host.window, "HDEVNAMES"));
}

TEST(PrinterSelection, SetupCancelKeepsThePrinterAndOkSavesItsOrientation)
{
    HostFrame host;
    DeleteFileA(krtest::IniFilePath().c_str());
    PrnCanPrint();
    const HANDLE names = GetPropA(host.window, "HDEVNAMES");
    krtest::DialogDriver driver;
    driver.Then("", [](krtest::Dialog &d) { d.Click(IDCANCEL); });
    driver.Then("", [](krtest::Dialog &d) {
        d.Click(rad2);
        d.Click(IDOK);
    });
    EXPECT_EQ(0, PrnPrintSetup(host.window));
    EXPECT_EQ(names, GetPropA(host.window, "HDEVNAMES"));
    EXPECT_EQ(1, PrnPrintSetup(host.window));
    EXPECT_EQ("LANDSCAPE", krtest::ReadIniValue("Print", "Orientation"));
}

} // namespace

// The print dialog, the printer chosen for the process, the print commands.
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

[[maybe_unused]] const bool kLibraryResources = (kr::RecordModuleInstance(LoadLibraryA("krutil.dll")), true);

TEST(PrintFlags, DialogAndHardcopyFollowWhatIsPrinted)
{
    const struct { long toFile, allWindows, allApps, border; bool window, noWarning; DWORD dialog; long hardcopy; } rows[] = {
        {0, 0, 0, 0, false, false, 0x145019, 3},
        {1, 1, 0, 1, false, false, 0x145038, 23},
        {0, 1, 0, 1, true, false, 0x145018, 89},
        {0, 0, 1, 1, true, true, 0x14509C, 56},
        {0, 0, 1, 0, false, false, 0x14501C, 32},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.toFile << row.allWindows << row.allApps << row.border << row.window);
        const HWND window = row.window ? GetDesktopWindow() : nullptr;
        const PrintSettings s = {1, {}, window, row.toFile, row.allWindows, row.border, 0, 0, 0, row.allApps, 0, 0, 0, 0, 0};
        EXPECT_EQ(row.dialog, kr::PrintDialogFlags(s, row.noWarning));
        EXPECT_EQ(row.hardcopy, kr::HardcopyFlags(s));
    }
}

TEST(PrintDialog, ShowsTheRecordAndSavesWhatOkAccepts)
{
    krtest::GuiObjects before;
    for (int round = 0; round < 2; ++round) { // the first round loads what the platform keeps for later
        before = krtest::CountGuiObjects();
        PrintSettings settings = {1, {1, 2, 3, 4}, nullptr, 0, 0, 1, 0, 300, 2.9, 0, 2, 3, -7, 0, 0};
        krtest::DialogDriver driver;
        driver.Then("Print Report", [](krtest::Dialog &d) {
            for (int id : {grp1, rad1, rad2, rad3, stc2, edt1, stc3, edt2, IDC_PRINT_BORDER, chx1})
                EXPECT_FALSE(d.Visible(id) || d.Enabled(id)) << id;
            d.Click(IDCANCEL);
        });
        driver.Then("Print", [](krtest::Dialog &d) {
            EXPECT_EQ("1001", std::to_string(d.Checked(IDC_PRINT_BORDER) * 1000 + d.Checked(IDC_PRINT_BLACK) * 100 +
                                             d.Checked(rad1) * 10 + d.Checked(rad2)));
            EXPECT_EQ("3 -7 2", std::to_string(d.ListSelection(IDC_PRINT_TRACE_WIDTH)) + " " +
                                    d.Text(IDC_PRINT_FONT_SIZE) + " " + d.Text(edt3));
            d.Screenshot("print_dialog");
            d.Click(IDC_PRINT_BORDER);
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
        EXPECT_FALSE(kr::ShowPrintDialog(nullptr, settings, kr::kReportTemplate, kr::DialogStart::DefaultPrinter, chosen));
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

std::string g_pages; // "L" or "P" for each page the host frame is drawn on

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == PRN_MSG_DRAW)
        g_pages += GetDeviceCaps(HDC(wp), HORZRES) > GetDeviceCaps(HDC(wp), VERTRES) ? "L" : "P";
    return DefWindowProcA(window, message, wp, lp);
}

TEST(PrinterSelection, ChosenUnseenSetUpPrintedOnAndLetGo)
{
    const WNDCLASSA type = {0, HostProc, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, "KrHost"};
    RegisterClassA(&type);
    const HWND host = CreateWindowExA(0, "KrHost", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    kr::AppRecord(0).mainWindow = host;
    krtest::WriteTextFile(krtest::IniFilePath(), "[Print]\r\nOrientation=landscape\r\n");
    krtest::DialogDriver driver; // a dialog shown without a script is a failure
    EXPECT_EQ(1, PrnCanPrint());
    EXPECT_EQ(DMORIENT_LANDSCAPE, kr::ModeOrientation(GetPropA(host, "HDEVMODE")));
    const HANDLE names = GetPropA(host, "HDEVNAMES");
    driver.Then("", [](krtest::Dialog &d) { d.Click(IDCANCEL); });
    EXPECT_EQ(0, PrnPrintSetup(host));
    EXPECT_EQ(names, GetPropA(host, "HDEVNAMES"));
    driver.Then("", [](krtest::Dialog &d) {
        d.Click(rad1);
        d.Click(IDOK);
    });
    EXPECT_EQ(1, PrnPrintSetup(host));
    PrintSettings settings = {0, {}, nullptr, 0, 0, 0, 0, 300, 1, 0, DMORIENT_LANDSCAPE, 1, 10, 1, 0};
    driver.Then("Print", [](krtest::Dialog &d) { d.Click(IDCANCEL); });
    EXPECT_EQ(2, PrnPrint(host, &settings, 1, nullptr));
    EXPECT_EQ("[Print]\r\nOrientation=PORTRAIT\r\n", krtest::ReadTextFile(krtest::IniFilePath()));
    EXPECT_EQ(1, PrnPrint(host, &settings, 0, nullptr));
    EXPECT_EQ("[Print]\r\nOrientation=LANDSCAPE\r\n", krtest::ReadTextFile(krtest::IniFilePath()));
    EXPECT_EQ(1, PrnPrintOrientate(host, &settings, 0, nullptr, PRN_ORIENT_PORTRAIT));
    EXPECT_EQ(DMORIENT_LANDSCAPE, kr::ModeOrientation(kr::HeldDeviceMode())) << "the printer's own, put back";
    EXPECT_EQ("LP", g_pages) << "printed in landscape, then in portrait";
    EXPECT_EQ(1, PrnTidyUp());
    EXPECT_FALSE(GetPropA(host, "HDEVMODE") || GetPropA(host, "HDEVNAMES"));
    DestroyWindow(host);
    kr::AppRecord(0) = APPINFO{};
}

} // namespace

// The print settings in KESTRUNE.INI, the page rectangle and the margins
// dialog, through the internals that the print dialog will use.
#include <gtest/gtest.h>

#include "apps/app_registry.h"
#include "krutil_dialogs.h"
#include "printing/margins_dialog.h"
#include "printing/page_rectangle.h"
#include "printing/print_settings.h"
#include "support/box_answerer.h"
#include "support/dialog_driver.h"
#include "support/module_instance.h"
#include "support/work_dir.h"

namespace {

// The string table and templates of the built library.
[[maybe_unused]] const bool kLibraryResources = (kr::RecordModuleInstance(LoadLibraryA("krutil.dll")), true);

// Margins top left bottom right | file all-windows border black | line width, font size | quality copies | orientation
std::string Fields(const PrintSettings &s)
{
    char text[200];
    snprintf(text, sizeof text, "%g %g %g %g|%ld %ld %ld %ld|%ld %ld|%g %g|%ld", s.margins[0], s.margins[1],
             s.margins[2], s.margins[3], s.printToFile, s.allWindows, s.border, s.black, s.lineWidth, s.fontSize,
             s.printQuality, s.copies, s.orientation);
    return text;
}

TEST(PrintSettings, ReadEachKeyWithItsDefaultAndLimitsAndThePrintersCopies)
{
    const struct { const char *keys, *fields; } rows[] = {
        {"", "1 1 1 1|0 0 1 1|1 10|300 1|1"},
        {"GapTop=0.5\nGapLeft=2.25\nGapBottom=30\nGapRight=1.05\nPrintToFile=TRUE\nAllWindows=TRUE\nBorder=FALSE\n"
         "LineWidth=2.9\nFontSize=48\nPrintQuality=-3\nCopies=2.7\nOrientation=landScape",
         "0.5 2.25 30 1.05|1 1 0 1|2 48|-3 2.7|2"},
        {"GapTop=x\nGapLeft=-\nPrintToFile=true\nBorder=TRUE1\nBlack=True\nLineWidth=abc\nFontSize=big\n"
         "PrintQuality=q\nCopies=\nOrientation=LANDSCAPES",
         "0 0 1 1|0 0 0 0|0 10|0 0|1"},
        {"LineWidth=5.99\nFontSize=1", "1 1 1 1|0 0 1 1|5 1|300 1|1"},
        {"LineWidth=7\nFontSize=49", "1 1 1 1|0 0 1 1|1 10|300 1|1"},
        {"LineWidth=-1\nFontSize=0", "1 1 1 1|0 0 1 1|1 10|300 1|1"},
        {"LineWidth=65541", "1 1 1 1|0 0 1 1|65541 10|300 1|1"}, // the range test sees the low 16 bits
        {"LineWidth=1e300", "1 1 1 1|0 0 1 1|1 10|300 1|1"},
    };
    PrintSettings settings;
    for (const auto &row : rows) {
        krtest::WriteTextFile(krtest::IniFilePath(), std::string("[Print]\n") + row.keys + "\n");
        memset(&settings, 0x5A, sizeof settings);
        EXPECT_EQ(1, PrnPrintGCV(&settings));
        EXPECT_EQ(row.fields, Fields(settings)) << row.keys;
        EXPECT_EQ(0, settings.showDialog | settings.allApplications | settings.reserved2 | !!settings.window);
    }
    EXPECT_EQ(0, PrnPrintGCV(nullptr));
    // The printer chosen for the process gives the quality and the copies.
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    kr::AppRecord(0).mainWindow = frame;
    auto *mode = static_cast<DEVMODEA *>(GlobalAlloc(GPTR, sizeof(DEVMODEA))); // a fixed block is its own handle
    mode->dmPrintQuality = DMRES_HIGH;
    mode->dmCopies = 3;
    SetPropA(frame, "HDEVMODE", mode);
    EXPECT_EQ(1, PrnPrintGCV(&settings));
    EXPECT_EQ("1 1 1 1|0 0 1 1|1 10|-4 3|1", Fields(settings));
    DestroyWindow(frame);
    GlobalFree(mode);
    kr::AppRecord(0) = APPINFO{};
}

TEST(PageRectangle, TakesWholeMillimetresOffEachSide)
{
    const struct { float margins[4]; SIZE millimetres, pixels; RECT page; } rows[] = {
        {{1, 1, 1, 1}, {210, 297}, {2479, 3508}, {118, 118, 2361, 3390}}, // margins top left bottom right
        {{1.05f, 0.7f, 1.09f, 2.5f}, {210, 297}, {2479, 3508}, {82, 118, 2184, 3390}},
        {{1, 1, 1, 1}, {200, 200}, {2000, 2000}, {99, 99, 1901, 1901}}, // 100 * 0.01f is below 1
        {{-1, 0, 30, 1e30f}, {200, 200}, {2000, 2000}, {0, -99, 2000, -999}},
        {{1, 1, 1, 1}, {0, 297}, {2479, 3508}, {0, 0, 2479, 3508}},
        {{1, 1, 1, 1}, {210, 0}, {2479, 3508}, {0, 0, 2479, 3508}},
    };
    for (const auto &row : rows) {
        const RECT page = kr::PageRectangle(row.margins, row.millimetres, row.pixels);
        EXPECT_EQ(std::tie(row.page.left, row.page.top, row.page.right, row.page.bottom),
                  std::tie(page.left, page.top, page.right, page.bottom));
    }
}

// The margins typed, and the whole record written in its forms and order.
TEST(MarginsDialog, ShowsTwoDecimalsAndStoresOnlyMarginsInRangeThenAllIsWritten)
{
    const int edits[4] = {IDC_MARGIN_TOP, IDC_MARGIN_LEFT, IDC_MARGIN_BOTTOM, IDC_MARGIN_RIGHT};
    PrintSettings settings = {0, {1.005f, 0, 0, 0}, nullptr, 1, 0, 7, 0, -3, 2.7, 0, 2, 65541, 12, 0, 0};
    krtest::BoxAnswerer boxes;
    krtest::DialogDriver driver;
    driver.Then("Print Margins", [&](krtest::Dialog &d) {
        const char *typed[4] = {"-0.01", "30.01", "1e9", "-5"}, *names[4] = {"TOP", "LEFT", "BOTTOM", "RIGHT"};
        const char *fixed[4] = {"0", "30.00000001", "12.3456", "x"}; // 10 characters read: 30.0000000
        EXPECT_EQ("1.00 0.00", d.Text(IDC_MARGIN_TOP) + " " + d.Text(IDC_MARGIN_RIGHT));
        for (int i = 0; i < 4; ++i)
            d.Type(edits[i], typed[i]);
        d.Screenshot("margins_dialog");
        for (int i = 0; i < 4; ++i) {
            d.Click(IDOK);
            ASSERT_EQ(i + 1u, boxes.Boxes().size());
            EXPECT_EQ(std::string("Error in ") + names[i] + " value\nMin Value: 0.00\nMax Value: 30.00",
                      boxes.Boxes()[i].text);
            EXPECT_EQ("Print Margins Error " + std::to_string(MB_ICONEXCLAMATION),
                      boxes.Boxes()[i].caption + " " + std::to_string(boxes.Boxes()[i].style));
            EXPECT_TRUE(d.IsOpen() && d.Item(edits[i]) == GetFocus());
            EXPECT_EQ(1.005f, settings.margins[0]);
            d.Type(edits[i], fixed[i]);
        }
        d.Click(IDOK);
    });
    EXPECT_EQ(IDOK, kr::ShowMarginsDialog(nullptr, settings));
    DeleteFileA(krtest::IniFilePath().c_str());
    kr::SavePrintSettings(settings);
    EXPECT_EQ("[Print]\r\nGapLeft=30.00\r\nGapTop=0.00\r\nGapRight=0.00\r\nGapBottom=12.35\r\nPrintToFile=TRUE\r\n"
              "AllWindows=FALSE\r\nBorder=TRUE\r\nBlack=FALSE\r\nLineWidth=65541\r\nFontSize=12\r\nPrintQuality=-3\r\n"
              "Copies=3\r\nOrientation=LANDSCAPE\r\n",
              krtest::ReadTextFile(krtest::IniFilePath()));
}

} // namespace

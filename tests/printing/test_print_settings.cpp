// The print settings in KESTRUNE.INI, the page rectangle and the margins
// dialog, through the library's internals (the print dialog that uses them
// is not exported yet).
#include <gtest/gtest.h>

#include <string>

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

std::string Joined(std::initializer_list<std::string> parts)
{
    std::string text;
    for (const std::string &part : parts)
        text += (text.empty() ? "" : " ") + part;
    return text;
}

struct ReadRow {
    const char *name;
    const char *keys; // the [Print] section's lines
    const char *fields;
};

const ReadRow kReads[] = {
    {"defaults", "", "1 1 1 1|0 0 1 1|1 10|300 1|1"},
    {"values", "GapTop=0.5\nGapLeft=2.25\nGapBottom=30\nGapRight=1.05\nPrintToFile=TRUE\nAllWindows=TRUE\n"
               "Border=FALSE\nLineWidth=2.9\nFontSize=48\nPrintQuality=-3\nCopies=2.7\nOrientation=landScape",
     "0.5 2.25 30 1.05|1 1 0 1|2 48|-3 2.7|2"},
    {"garbage", "GapTop=x\nGapLeft=-\nPrintToFile=true\nBorder=TRUE1\nBlack=True\nLineWidth=abc\nFontSize=big\n"
                "PrintQuality=q\nCopies=\nOrientation=LANDSCAPES",
     "0 0 1 1|0 0 0 0|0 10|0 0|1"},
    {"lower bounds", "LineWidth=-0.5\nFontSize=1", "1 1 1 1|0 0 1 1|0 1|300 1|1"},
    {"upper bounds", "LineWidth=5.99\nFontSize=48", "1 1 1 1|0 0 1 1|5 48|300 1|1"},
    {"above", "LineWidth=7\nFontSize=49", "1 1 1 1|0 0 1 1|1 10|300 1|1"},
    {"below", "LineWidth=-1\nFontSize=0", "1 1 1 1|0 0 1 1|1 10|300 1|1"},
    {"low 16 bits", "LineWidth=65541", "1 1 1 1|0 0 1 1|65541 10|300 1|1"},
    {"beyond a long", "LineWidth=1e300\nFontSize=-7", "1 1 1 1|0 0 1 1|1 10|300 1|1"},
};

TEST(PrintSettings, ReadEachKeyWithItsDefaultAndLimits)
{
    for (const ReadRow &row : kReads) {
        SCOPED_TRACE(row.name);
        krtest::WriteTextFile(krtest::IniFilePath(), std::string("[Print]\n") + row.keys + "\n");
        PrintSettings settings;
        memset(&settings, 0x5A, sizeof settings);
        EXPECT_EQ(1, PrnPrintGCV(&settings));
        EXPECT_EQ(row.fields, Fields(settings));
        EXPECT_EQ(0, settings.showDialog | settings.allApplications | settings.reserved1 | settings.reserved2);
        EXPECT_EQ(nullptr, settings.window);
    }
    EXPECT_EQ(0, PrnPrintGCV(nullptr));
}

TEST(PrintSettings, WriteEachKeyInItsFormAndOrder)
{
    const struct {
        PrintSettings settings;
        const char *written;
    } rows[] = {
        {{0, {0.5f, 2.25f, 30.f, 1.005f}, nullptr, 1, 0, 7, 0, -3, 2.7, 0, 2, 65541, 12, 0, 0},
         "[Print] GapLeft=2.25 GapTop=0.50 GapRight=1.00 GapBottom=30.00 PrintToFile=TRUE AllWindows=FALSE Border=TRUE "
         "Black=FALSE LineWidth=65541 FontSize=12 PrintQuality=-3 Copies=3 Orientation=LANDSCAPE "},
        {{}, "[Print] GapLeft=0.00 GapTop=0.00 GapRight=0.00 GapBottom=0.00 PrintToFile=FALSE AllWindows=FALSE "
             "Border=FALSE Black=FALSE LineWidth=0 FontSize=0 PrintQuality=0 Copies=0 Orientation=PORTRAIT "},
    };
    for (const auto &row : rows) {
        DeleteFileA(krtest::IniFilePath().c_str());
        kr::SavePrintSettings(row.settings);
        std::string text = krtest::ReadTextFile(krtest::IniFilePath());
        for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
            text.replace(at, 2, " ");
        EXPECT_EQ(row.written, text);
    }
}

TEST(PrintSettings, TakeQualityAndCopiesFromTheChosenPrinter)
{
    DeleteFileA(krtest::IniFilePath().c_str());
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    kr::AppRecord(0).mainWindow = frame;
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVMODEA));
    auto *mode = static_cast<DEVMODEA *>(GlobalLock(block));
    mode->dmPrintQuality = DMRES_HIGH;
    mode->dmCopies = 3;
    GlobalUnlock(block);
    SetPropA(frame, "HDEVMODE", block);
    PrintSettings settings;
    EXPECT_EQ(1, PrnPrintGCV(&settings));
    EXPECT_EQ("1 1 1 1|0 0 1 1|1 10|-4 3|1", Fields(settings));
    RemovePropA(frame, "HDEVMODE");
    GlobalFree(block);
    DestroyWindow(frame);
    kr::AppRecord(0) = APPINFO{};
}

std::string RectText(const RECT &r)
{
    return Joined({std::to_string(r.left), std::to_string(r.top), std::to_string(r.right), std::to_string(r.bottom)});
}

TEST(PageRectangle, TakesWholeMillimetresOffEachSide)
{
    const struct {
        float margins[4]; // top left bottom right
        SIZE millimetres, pixels;
        RECT page;
    } rows[] = {
        {{1, 1, 1, 1}, {210, 297}, {2479, 3508}, {118, 118, 2361, 3390}},
        {{1.05f, 0.7f, 1.09f, 2.5f}, {210, 297}, {2479, 3508}, {82, 118, 2184, 3390}},
        {{1, 1, 1, 1}, {200, 200}, {2000, 2000}, {99, 99, 1901, 1901}}, // 100 * 0.01f is below 1
        {{-1, 0, 30, 1e30f}, {200, 200}, {2000, 2000}, {0, -99, 2000, -999}},
        {{1, 1, 1, 1}, {0, 297}, {2479, 3508}, {0, 0, 2479, 3508}},
        {{1, 1, 1, 1}, {210, 0}, {2479, 3508}, {0, 0, 2479, 3508}},
    };
    for (const auto &row : rows) {
        const RECT page = kr::PageRectangle(row.margins, row.millimetres, row.pixels);
        EXPECT_EQ(RectText(row.page), RectText(page));
    }
}

PrintSettings WithMargins(float top, float left, float bottom, float right)
{
    PrintSettings settings{};
    const float margins[4] = {top, left, bottom, right};
    memcpy(settings.margins, margins, sizeof margins);
    return settings;
}

const int kMarginEdits[4] = {IDC_MARGIN_TOP, IDC_MARGIN_LEFT, IDC_MARGIN_BOTTOM, IDC_MARGIN_RIGHT};

TEST(MarginsDialog, ShowsTwoDecimalsAndStoresWhatIsTyped)
{
    PrintSettings settings = WithMargins(1.005f, 2.5f, 0, 30);
    krtest::DialogDriver driver;
    driver.Then("Print Margins", [](krtest::Dialog &d) {
        EXPECT_EQ("1.00 2.50 0.00 30.00", Joined({d.Text(IDC_MARGIN_TOP), d.Text(IDC_MARGIN_LEFT),
                                                  d.Text(IDC_MARGIN_BOTTOM), d.Text(IDC_MARGIN_RIGHT)}));
        d.Type(IDC_MARGIN_TOP, "0");
        d.Type(IDC_MARGIN_LEFT, "30");
        d.Type(IDC_MARGIN_BOTTOM, "12.3456789012");
        d.Type(IDC_MARGIN_RIGHT, "x");
        d.Screenshot("margins_dialog");
        d.Click(IDOK);
    });
    EXPECT_EQ(IDOK, kr::ShowMarginsDialog(nullptr, settings));
    kr::SavePrintSettings(settings);
    EXPECT_EQ("0.00 30.00 12.35 0.00", Joined({krtest::ReadIniValue("Print", "GapTop"),
                                               krtest::ReadIniValue("Print", "GapLeft"),
                                               krtest::ReadIniValue("Print", "GapBottom"),
                                               krtest::ReadIniValue("Print", "GapRight")}));
}

TEST(MarginsDialog, RefusesEachMarginOutOfRangeInTurn)
{
    PrintSettings settings = WithMargins(1, 1, 1, 1);
    krtest::BoxAnswerer boxes;
    krtest::DialogDriver driver;
    driver.Then("Print Margins", [&](krtest::Dialog &d) {
        const char *typed[4] = {"-0.01", "30.01", "1e9", "-5"}, *names[4] = {"TOP", "LEFT", "BOTTOM", "RIGHT"};
        for (int i = 0; i < 4; ++i)
            d.Type(kMarginEdits[i], typed[i]);
        for (int i = 0; i < 4; ++i) {
            d.Click(IDOK);
            ASSERT_EQ(i + 1u, boxes.Boxes().size());
            EXPECT_EQ(std::string("Error in ") + names[i] + " value\nMin Value: 0.00\nMax Value: 30.00",
                      boxes.Boxes()[i].text);
            EXPECT_EQ("Print Margins Error", boxes.Boxes()[i].caption);
            EXPECT_EQ(UINT(MB_ICONEXCLAMATION), boxes.Boxes()[i].style);
            EXPECT_TRUE(d.IsOpen());
            EXPECT_EQ(d.Item(kMarginEdits[i]), GetFocus());
            EXPECT_EQ(1.0f, settings.margins[i]);
            d.Type(kMarginEdits[i], i % 2 ? "30" : "0");
        }
        d.Click(IDOK);
    });
    EXPECT_EQ(IDOK, kr::ShowMarginsDialog(nullptr, settings));
    EXPECT_EQ("0 30 0 30|", Fields(settings).substr(0, 10));
}

TEST(MarginsDialog, CancelStoresNothing)
{
    PrintSettings settings = WithMargins(1, 2, 3, 4);
    krtest::DialogDriver driver;
    driver.Then("Print Margins", [](krtest::Dialog &d) {
        d.Type(IDC_MARGIN_TOP, "5");
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, kr::ShowMarginsDialog(nullptr, settings));
    EXPECT_EQ(1.0f, settings.margins[0]);
}

} // namespace

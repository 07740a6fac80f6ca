// Print jobs read back from the PDF that the spooler wrote for them.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/print_output.h"

using krtest::AreaMm;

namespace {

// A point `x`, `y` millimetres from the page's top left, in the printer's dots.
POINT Dots(HDC printer, double x, double y)
{
    return {LONG(x * GetDeviceCaps(printer, LOGPIXELSX) / 25.4 + 0.5),
            LONG(y * GetDeviceCaps(printer, LOGPIXELSY) / 25.4 + 0.5)};
}

} // namespace

// The platform's own calls on the default printer, so that what is read
// back is known: a frame 25 mm from the left and top, 150 mm by 100 mm,
// with two lines of text inside.
TEST(PrintOutput, PlainJobReadBack)
{
    char printer[256] = "";
    DWORD size = sizeof printer;
    ASSERT_TRUE(GetDefaultPrinterA(printer, &size)) << "no default printer: scripts/test.sh starts the spooler";
    const HDC dc = CreateDCA("WINSPOOL", printer, nullptr, nullptr);
    ASSERT_TRUE(dc);
    const std::string title = krtest::UniqueJobTitle("smoke");
    const DOCINFOA doc = {sizeof doc, title.c_str(), nullptr, nullptr, 0};
    EXPECT_GT(StartDocA(dc, &doc), 0);
    EXPECT_GT(StartPage(dc), 0);
    const POINT start = Dots(dc, 25, 25);
    MoveToEx(dc, start.x, start.y, nullptr);
    for (const POINT corner : {Dots(dc, 175, 25), Dots(dc, 175, 125), Dots(dc, 25, 125), start})
        LineTo(dc, corner.x, corner.y);
    for (const auto &[line, y] : {std::pair<const char *, double>{"Kestrune smoke 4711", 40}, {"second line", 60}}) {
        const POINT at = Dots(dc, 40, y);
        TextOutA(dc, at.x, at.y, line, lstrlenA(line));
    }
    EXPECT_GT(EndPage(dc), 0);
    EXPECT_GT(EndDoc(dc), 0);
    DeleteDC(dc);

    const krtest::PrintedPdf pdf(title);
    ASSERT_TRUE(pdf.Found()) << "no PDF for " << title;
    EXPECT_EQ(1, pdf.Pages());
    const AreaMm page = pdf.PageMm(1), ink = pdf.InkMm(1);
    EXPECT_NEAR(210, page.right, 1) << "A4 portrait";
    EXPECT_NEAR(297, page.bottom, 1);
    const std::string text = pdf.Text(1);
    EXPECT_NE(std::string::npos, text.find("second line")) << text;
    EXPECT_LT(text.find("Kestrune smoke 4711"), text.find("second line")) << text;
    EXPECT_NEAR(25, ink.left, 1);
    EXPECT_NEAR(25, ink.top, 1);
    EXPECT_NEAR(175, ink.right, 1);
    EXPECT_NEAR(125, ink.bottom, 1);
    EXPECT_TRUE(pdf.SavePng(1, "printing_smoke"));
}

// Printer-context attributes and metafile printing through the DLL, on a
// memory page whose pixels are read back.
#include <gtest/gtest.h>

#include <string>

#include "plendor.h"
#include "support/gui_objects.h"

namespace {

const int kWidth = 400, kHeight = 300;

// A white page standing in for the printer, and a window to record.
struct Page {
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    DWORD *bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP image = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits), nullptr, 0);
    HGDIOBJ old = SelectObject(dc, image);
    HWND window = CreateWindowA("STATIC", "Spectrum 7", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    ~Page()
    {
        SelectObject(dc, old);
        DeleteObject(image);
        DeleteDC(dc);
        DestroyWindow(window);
    }
    // "left,top,right,bottom" of the pixels that are not white.
    std::string Ink() const
    {
        RECT ink = {};
        GdiFlush();
        for (int at = 0; at < kWidth * kHeight; ++at) {
            const RECT pixel = {at % kWidth, at / kWidth, at % kWidth + 1, at / kWidth + 1};
            if ((bits[at] & 0xFFFFFF) != 0xFFFFFF)
                UnionRect(&ink, &ink, &pixel);
        }
        return std::to_string(ink.left) + "," + std::to_string(ink.top) + "," + std::to_string(ink.right) + "," +
               std::to_string(ink.bottom);
    }
};

} // namespace

TEST(Plendor, ContextsGetThePrintingAttributes)
{
    Page page;
    const RECT frame = {0, 0, 100, 100};
    SetMapMode(page.dc, MM_LOMETRIC);
    SetTextAlign(page.dc, TA_BASELINE | TA_RIGHT | TA_UPDATECP);
    SetBkMode(page.dc, OPAQUE);
    ASSERT_TRUE(KRSetAttribDC(page.dc));
    const HDC recorder = KRInitPrnDCMetaFile(page.dc, page.window, &frame);
    for (HDC dc : {page.dc, recorder}) {
        SCOPED_TRACE(dc == recorder ? "recording" : "page");
        EXPECT_EQ(MM_TEXT, GetMapMode(dc));
        EXPECT_EQ(UINT(TA_LEFT | TA_TOP | TA_NOUPDATECP), GetTextAlign(dc));
        EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
        EXPECT_EQ(HALFTONE, GetStretchBltMode(dc));
    }
    EXPECT_TRUE(KREndMetaFile(nullptr));
}

TEST(Plendor, PlaybackLandsInTheTarget)
{
    Page page;
    const RECT none = {}, halfPage = {0, 0, GetDeviceCaps(page.dc, HORZRES) / 2, GetDeviceCaps(page.dc, VERTRES) / 2};
    const struct {
        RECT frame, target, drawn;
        const char *lands;
    } rows[] = {
        {{50, 40, 250, 200}, none, {100, 80, 150, 120}, "100,80,150,120"},                 // where drawn
        {{50, 40, 250, 200}, {0, 0, 200, 160}, {100, 80, 150, 120}, "50,40,100,80"},       // moved
        {{0, 0, 100, 100}, {200, 100, 400, 300}, {10, 20, 60, 40}, "220,140,320,180"},     // twice the size
        {none, halfPage, {100, 60, 200, 160}, "50,30,100,80"},                              // the page as frame
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.lands);
        PatBlt(page.dc, 0, 0, kWidth, kHeight, WHITENESS);
        const HDC recorder = KRInitPrnDCMetaFile(page.dc, page.window, IsRectEmpty(&row.frame) ? nullptr : &row.frame);
        ASSERT_TRUE(recorder);
        FillRect(recorder, &row.drawn, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EXPECT_TRUE(KREndMetaFile(IsRectEmpty(&row.target) ? nullptr : &row.target));
        EXPECT_EQ(row.lands, page.Ink());
    }
}

TEST(Plendor, RefusesBadHandlesAndLeaksNothing)
{
    Page page;
    const krtest::GuiObjects before = krtest::CountGuiObjects();
    const HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    const RECT frame = {10, 10, 50, 50}, empty = {10, 10, 10, 50}, inverted = {50, 10, 10, 50};
    for (HDC dc : {HDC(nullptr), gone, static_cast<HDC>(GetStockObject(BLACK_PEN))})
        EXPECT_FALSE(KRSetAttribDC(dc));
    EXPECT_FALSE(KREndMetaFile(&frame)) << "nothing is being recorded";
    const struct {
        HDC printer;
        HWND window;
        const RECT *frame;
    } refused[] = {
        {nullptr, page.window, &frame}, {gone, page.window, &frame}, {page.dc, nullptr, &frame},
        {page.dc, page.window, &empty}, {page.dc, page.window, &inverted},
    };
    for (const auto &row : refused)
        EXPECT_EQ(nullptr, KRInitPrnDCMetaFile(row.printer, row.window, row.frame)) << &row - refused;
    ASSERT_TRUE(KRInitPrnDCMetaFile(page.dc, page.window, &frame));
    EXPECT_EQ(nullptr, KRInitPrnDCMetaFile(page.dc, page.window, &frame)) << "a second recording at once";
    EXPECT_FALSE(KREndMetaFile(&empty)) << "an empty target plays nothing";
    EXPECT_FALSE(KREndMetaFile(nullptr)) << "the recording was ended all the same";
    EXPECT_TRUE(KRInitPrnDCMetaFile(page.dc, page.window, nullptr));
    EXPECT_TRUE(KREndMetaFile(nullptr));
    EXPECT_TRUE(before == krtest::CountGuiObjects());
}

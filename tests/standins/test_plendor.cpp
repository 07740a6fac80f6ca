// Printer-context attributes and metafile printing through the DLL, on a
// memory context whose pixels are read back.
#include <gtest/gtest.h>

#include "plendor.h"
#include "support/gui_objects.h"

namespace {

const int kWidth = 400, kHeight = 300;

// A white 32-bit top-down page standing in for the printer.
struct Page {
    HDC dc = CreateCompatibleDC(nullptr);
    DWORD *bits = nullptr;
    HBITMAP image;
    HGDIOBJ old;
    HWND window = CreateWindowA("STATIC", "Spectrum 7", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    Page()
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        image = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits), nullptr, 0);
        old = SelectObject(dc, image);
        PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
    }
    ~Page()
    {
        SelectObject(dc, old);
        DeleteObject(image);
        DeleteDC(dc);
        DestroyWindow(window);
    }
    // The smallest rectangle holding every pixel that is not white.
    RECT Ink() const
    {
        RECT ink = {kWidth, kHeight, 0, 0};
        GdiFlush();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if ((bits[y * kWidth + x] & 0xFFFFFF) != 0xFFFFFF)
                    ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                           std::max<LONG>(ink.bottom, y + 1)};
        return ink;
    }
};

std::string Text(const RECT &r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

} // namespace

TEST(Plendor, ContextsGetThePrintingAttributes)
{
    Page page;
    RECT frame = {0, 0, 100, 100};
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
    const RECT halfPage = {0, 0, GetDeviceCaps(page.dc, HORZRES) / 2, GetDeviceCaps(page.dc, VERTRES) / 2};
    const struct {
        const char *name;
        RECT frame, target, drawn, lands;
        bool noFrame, noTarget;
    } rows[] = {
        {"where drawn", {50, 40, 250, 200}, {}, {100, 80, 150, 120}, {100, 80, 150, 120}, false, true},
        {"moved", {50, 40, 250, 200}, {0, 0, 200, 160}, {100, 80, 150, 120}, {50, 40, 100, 80}, false, false},
        {"twice the size", {0, 0, 100, 100}, {200, 100, 400, 300}, {10, 20, 60, 40}, {220, 140, 320, 180}, false, false},
        {"page as frame", {}, halfPage, {100, 60, 200, 160}, {50, 30, 100, 80}, true, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        PatBlt(page.dc, 0, 0, kWidth, kHeight, WHITENESS);
        const HDC recorder = KRInitPrnDCMetaFile(page.dc, page.window, row.noFrame ? nullptr : &row.frame);
        ASSERT_TRUE(recorder);
        FillRect(recorder, &row.drawn, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EXPECT_TRUE(KREndMetaFile(row.noTarget ? nullptr : &row.target));
        const RECT ink = page.Ink();
        EXPECT_TRUE(abs(ink.left - row.lands.left) <= 1 && abs(ink.top - row.lands.top) <= 1 &&
                    abs(ink.right - row.lands.right) <= 1 && abs(ink.bottom - row.lands.bottom) <= 1)
            << Text(ink) << " instead of " << Text(row.lands);
    }
}

TEST(Plendor, RefusesBadHandlesAndLeaksNothing)
{
    Page page;
    const krtest::GuiObjects before = krtest::CountGuiObjects();
    const HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    const RECT frame = {10, 10, 50, 50}, empty = {10, 10, 10, 50}, inverted = {50, 10, 10, 50};
    EXPECT_FALSE(KRSetAttribDC(nullptr));
    EXPECT_FALSE(KRSetAttribDC(gone));
    EXPECT_FALSE(KRSetAttribDC(static_cast<HDC>(GetStockObject(BLACK_PEN))));
    EXPECT_FALSE(KREndMetaFile(&frame)) << "nothing is being recorded";
    const struct {
        const char *name;
        HDC printer;
        HWND window;
        const RECT *frame;
    } refused[] = {
        {"no printer", nullptr, page.window, &frame},
        {"a deleted printer", gone, page.window, &frame},
        {"no window", page.dc, nullptr, &frame},
        {"an empty frame", page.dc, page.window, &empty},
        {"an inverted frame", page.dc, page.window, &inverted},
    };
    for (const auto &row : refused) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(nullptr, KRInitPrnDCMetaFile(row.printer, row.window, row.frame));
    }
    ASSERT_TRUE(KRInitPrnDCMetaFile(page.dc, page.window, &frame));
    EXPECT_EQ(nullptr, KRInitPrnDCMetaFile(page.dc, page.window, &frame)) << "a second recording at once";
    EXPECT_FALSE(KREndMetaFile(&empty)) << "an empty target plays nothing";
    EXPECT_FALSE(KREndMetaFile(nullptr)) << "the recording was ended all the same";
    EXPECT_TRUE(KRInitPrnDCMetaFile(page.dc, page.window, nullptr));
    EXPECT_TRUE(KREndMetaFile(nullptr));
    EXPECT_TRUE(before == krtest::CountGuiObjects());
}

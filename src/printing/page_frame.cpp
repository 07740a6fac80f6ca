#include "printing/page_frame.h"

namespace kr {

namespace {

constexpr int kClipInset = 1;
constexpr int kDrawingInset = 6;
constexpr int kOriginInset = 3;

void WhitenAndOutline(HDC dc, const RECT &area, bool border)
{
    const HGDIOBJ brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    const HGDIOBJ pen = border ? nullptr : SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
    if (pen)
        SelectObject(dc, pen);
    SelectObject(dc, brush);
}

} // namespace

void ApplyPageFrame(HDC dc, RECT &area, bool border, bool clip)
{
    WhitenAndOutline(dc, area, border);
    if (clip)
        IntersectClipRect(dc, area.left + kClipInset, area.top + kClipInset, area.right - kClipInset,
                          area.bottom - kClipInset);
    InflateRect(&area, -kDrawingInset, -kDrawingInset);
    SetViewportOrgEx(dc, area.left + kOriginInset, area.top + kOriginInset, nullptr);
    area = {0, 0, area.right - area.left, area.bottom - area.top};
}

} // namespace kr

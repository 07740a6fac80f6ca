// The page rectangle from the margins.
//
// A margin is first truncated to whole millimetres (1.05 cm is 10 mm), then
// scaled from millimetres to pixels and truncated again:
//     trunc(trunc(margin * 10) / size * 100 * 0.01f * extent)
// with the page width in millimetres and pixels for left and right, the
// height for top and bottom. The suite has always scaled with a
// single-precision 0.01, so 100 * 0.01f is a little below 1 and an exact
// pixel count comes out one less (10 mm of a 200 mm, 2000 pixel page is 99
// pixels); pages are kept as the suite printed them. A device that gives no
// physical size keeps its whole page.
#include "printing/page_rectangle.h"

#include "krprinting.h"
#include "printing/truncation.h"

namespace kr {
namespace {

// A margin too large for any page (from a hand-edited INI file) counts as none.
long MarginPixels(float margin, long millimetres, long pixels)
{
    // In the margin's own single precision, so that 0.7 cm is 7 mm as the
    // user typed it; the store rounds away an x87 unit's wider result.
    volatile float tenths = margin * 10.0f;
    long whole = 0, scaled = 0;
    if (TruncateToLong(tenths, whole))
        TruncateToLong(static_cast<double>(whole) / millimetres * 100 * static_cast<double>(0.01f) * pixels, scaled);
    return scaled;
}

} // namespace

RECT PageRectangle(const float (&margins)[4], SIZE millimetres, SIZE pixels)
{
    RECT page = {0, 0, pixels.cx, pixels.cy};
    if (millimetres.cx == 0 || millimetres.cy == 0)
        return page;
    page.left += MarginPixels(margins[PRINT_MARGIN_LEFT], millimetres.cx, pixels.cx);
    page.top += MarginPixels(margins[PRINT_MARGIN_TOP], millimetres.cy, pixels.cy);
    page.right -= MarginPixels(margins[PRINT_MARGIN_RIGHT], millimetres.cx, pixels.cx);
    page.bottom -= MarginPixels(margins[PRINT_MARGIN_BOTTOM], millimetres.cy, pixels.cy);
    return page;
}

} // namespace kr

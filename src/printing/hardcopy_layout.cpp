#include "printing/hardcopy_layout.h"

#include "krprinting.h"
#include "printing/truncation.h"

namespace kr {
namespace {

LONG Rounded(double value)
{
    return TruncatedHalfUp(value);
}

LONG Width(const RECT &area)
{
    return area.right - area.left;
}

LONG Height(const RECT &area)
{
    return area.bottom - area.top;
}

} // namespace

RECT ScaledTarget(const RECT &area, Scale scale, POINT origin)
{
    return {Rounded(area.left * scale.x) + origin.x, Rounded(area.top * scale.y) + origin.y,
            Rounded(area.right * scale.x) + origin.x, Rounded(area.bottom * scale.y) + origin.y};
}

RECT FromOrigin(const RECT &area)
{
    return {0, 0, Width(area), Height(area)};
}

RECT RelativeTo(const RECT &area, POINT corner)
{
    return {area.left - corner.x, area.top - corner.y, area.right - corner.x, area.bottom - corner.y};
}

Scale ScreenScale(const RECT &page, SIZE screen)
{
    if (screen.cx <= 0 || screen.cy <= 0)
        return {};
    return {static_cast<double>(Width(page)) / screen.cx, static_cast<double>(Height(page)) / screen.cy};
}

POINT ScreenOrigin(POINT screenPlace, Scale scale, const RECT &page)
{
    return {Rounded(screenPlace.x * scale.x) + page.left, Rounded(screenPlace.y * scale.y) + page.top};
}

Scale StretchedOver(Scale scale, SIZE frame, SIZE client)
{
    if (client.cx == 0 || client.cy == 0)
        return scale;
    return {scale.x * frame.cx / client.cx, scale.y * frame.cy / client.cy};
}

DWORD AllApplicationsFlags(DWORD flags)
{
    constexpr DWORD kAllMdiChildren = PRN_DRAW_MDI_CHILDREN | PRN_DRAW_CHILDREN | PRN_DRAW_ALL_CHILDREN;
    return (LOWORD(flags) & ~kAllMdiChildren) | kAllMdiChildren | PRN_DRAW_SCREEN_PLACE;
}

} // namespace kr

// Which handles the exports take as contexts and rectangles.
#include "context_rules.h"

namespace plendor {

bool IsDrawingContext(HDC dc)
{
    const DWORD kind = GetObjectType(dc);
    return kind == OBJ_DC || kind == OBJ_MEMDC || kind == OBJ_ENHMETADC;
}

bool IsDeviceContext(HDC dc)
{
    const DWORD kind = GetObjectType(dc);
    return kind == OBJ_DC || kind == OBJ_MEMDC;
}

bool IsProperRect(const RECT &rect)
{
    return rect.left < rect.right && rect.top < rect.bottom;
}

} // namespace plendor

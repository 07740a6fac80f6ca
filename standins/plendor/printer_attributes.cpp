// The attributes the suite's printing code draws with.
#include "context_rules.h"
#include "plendor.h"

namespace plendor {

bool SetPrintingAttributes(HDC dc)
{
    return SetMapMode(dc, MM_TEXT) && SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP) != GDI_ERROR &&
           SetBkMode(dc, TRANSPARENT) && SetStretchBltMode(dc, HALFTONE) && SetBrushOrgEx(dc, 0, 0, nullptr);
}

} // namespace plendor

extern "C" BOOL WINAPI KRSetAttribDC(HDC dc)
{
    return plendor::IsDrawingContext(dc) && plendor::SetPrintingAttributes(dc);
}

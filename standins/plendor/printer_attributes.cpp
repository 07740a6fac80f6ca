// The attributes the suite's printing code draws with.
#include "context_rules.h"
#include "plendor.h"

namespace plendor {

bool SetPrintingAttributes(HDC dc)
{
    // Each call is made whatever the one before returned: a context that
    // refuses one attribute still gets the others.
    bool set = SetMapMode(dc, MM_TEXT) != 0;
    set = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP) != GDI_ERROR && set;
    set = SetBkMode(dc, TRANSPARENT) != 0 && set;
    set = SetStretchBltMode(dc, HALFTONE) != 0 && set;
    return SetBrushOrgEx(dc, 0, 0, nullptr) && set;
}

} // namespace plendor

extern "C" BOOL WINAPI KRSetAttribDC(HDC dc)
{
    return plendor::IsDrawingContext(dc) && plendor::SetPrintingAttributes(dc);
}

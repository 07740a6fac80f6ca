// Fonts sized for a printer context.
#include "krprinting.h"

HFONT KRAPI PrnCreateFont(HDC dc, int pointSize, int escapement, int orientation, int weight, DWORD italic,
                          DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outputPrecision, DWORD clipPrecision,
                          DWORD quality, DWORD pitchAndFamily, const char *faceName)
{
    const int height = -MulDiv(pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    return CreateFontA(height, 0, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                       outputPrecision, clipPrecision, quality, pitchAndFamily, faceName);
}

// The current font is learnt by selecting another in its place.
HFONT KRAPI PrnCreateBoldFont(HDC dc)
{
    const HGDIOBJ current = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    if (!current)
        return nullptr;
    SelectObject(dc, current);
    LOGFONTA font;
    if (!GetObjectA(current, sizeof font, &font))
        return nullptr;
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&font);
}

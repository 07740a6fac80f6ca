// The drawing step of a print job: windows asked to draw themselves on a
// printer context, inside a rectangle of the page.
#ifndef KR_PRINTING_HARDCOPY_DRAWING_H
#define KR_PRINTING_HARDCOPY_DRAWING_H

#include <windows.h>

namespace kr {

// Draws the frame window `frame` and, as `flags` (PRN_DRAW_*) say, its
// child windows or the named `child`, into `page` (device units of `dc`).
// Nothing is drawn when `frame` is not a window.
void DrawHardcopy(HDC dc, HWND frame, HWND child, DWORD flags, const RECT &page);

// Draws the frame window of every running application of the suite that
// is on the screen, each placed by its position there.
void DrawAllApplications(HDC dc, DWORD flags, const RECT &page);

} // namespace kr

#endif

// The frame every printed window and report page is drawn in.
#ifndef KR_PRINTING_PAGE_FRAME_H
#define KR_PRINTING_PAGE_FRAME_H

#include <windows.h>

namespace kr {

// Whitens `area` and outlines it with the current pen when `border` is
// set; with `clip`, drawing is kept inside it. The viewport origin is then
// moved inside the frame and `area` becomes the rectangle there, from
// (0, 0), in which the window draws.
void ApplyPageFrame(HDC dc, RECT &area, bool border, bool clip);

} // namespace kr

#endif

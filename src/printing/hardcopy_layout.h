// Where the windows of a hard copy land on the page: the scale from screen
// pixels to the page, the origin the page is drawn from, the rounding of a
// scaled rectangle and the flags the suite's frames are printed with. Pure
// arithmetic on rectangles; the windows themselves are hardcopy_drawing's.
#ifndef KR_PRINTING_HARDCOPY_LAYOUT_H
#define KR_PRINTING_HARDCOPY_LAYOUT_H

#include <windows.h>

namespace kr {

struct Scale {
    double x = 1, y = 1;
};

// A window's rectangle in `scale` units, each edge rounded half up (toward
// zero below zero, as a truncating conversion does), then moved by
// `origin`: the rectangle on the page it is drawn into.
RECT ScaledTarget(const RECT &area, Scale scale, POINT origin);

// The rectangle with its top left corner moved to (0, 0).
RECT FromOrigin(const RECT &area);

// `area` seen from `corner`: both in the same coordinates.
RECT RelativeTo(const RECT &area, POINT corner);

// The whole screen mapped onto `page`.
Scale ScreenScale(const RECT &page, SIZE screen);

// The page point where a window at `screenPlace` on the screen lands.
POINT ScreenOrigin(POINT screenPlace, Scale scale, const RECT &page);

// An MDI client's area stretched over its frame's rectangle: the scale
// grows by frame / client in each direction. A client with no width or
// height leaves the scale as it is.
Scale StretchedOver(Scale scale, SIZE frame, SIZE client);

// The flags each frame of the suite is drawn with when every application
// is printed: the low 16 bits of the caller's, with the children of the
// frame's MDI client all drawn, placed by their position on the screen.
DWORD AllApplicationsFlags(DWORD flags);

} // namespace kr

#endif

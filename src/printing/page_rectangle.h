// The printable rectangle of a page: the device's whole page less the
// print settings' margins.
#ifndef KR_PRINTING_PAGE_RECTANGLE_H
#define KR_PRINTING_PAGE_RECTANGLE_H

#include <windows.h>

namespace kr {

// margins: top, left, bottom, right in centimetres (PrintSettings.margins);
// millimetres: the device's physical page size (HORZSIZE, VERTSIZE);
// pixels: its page in pixels (HORZRES, VERTRES).
RECT PageRectangle(const float (&margins)[4], SIZE millimetres, SIZE pixels);

} // namespace kr

#endif

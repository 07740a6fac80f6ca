// The printer version of the suite's shared drawing resources. A window
// that draws itself on the printer takes its fonts, pens and brushes from
// GetGlobalResources like on the screen; while a printer version is
// registered (SetPrinterResources) that is what it gets, sized for the
// printer and, with the print settings' Black, in black.
#ifndef KR_PRINTING_PRINTER_RESOURCES_H
#define KR_PRINTING_PRINTER_RESOURCES_H

#include <windows.h>

namespace kr {

// Normal: a window's hard copy, every colour value black with Black.
// Metafile: drawing recorded for the printer, the colour values kept (the
// recording's pens and brushes are black with Black all the same).
enum class ResourceMode { Normal, Metafile };

// Makes the printer version from the screen record for `window`'s screen
// context and the `printer` context, with the "Print" section's LineWidth
// and Black, and registers it with `printer`. Fonts keep their look at the
// printer's vertical resolution; pens keep their style at the line width
// (see PrinterPenWidth); brushes keep style and hatch. A word that holds no
// font, pen or brush gives 0. False, with nothing made, when the window
// gives no screen context.
bool MakePrinterResources(HWND window, HDC printer, ResourceMode mode);

// Deletes the registered printer version's 5 fonts, 15 pens and 15
// brushes and clears the registration; nothing while none is registered.
// None of them may still be selected into a context.
void ReleasePrinterResources();

} // namespace kr

#endif

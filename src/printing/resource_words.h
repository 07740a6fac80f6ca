// What each word of the suite's shared drawing resources (GLOBALRESOURCES)
// holds, and how its printer version is sized: pure rules, no GDI.
#ifndef KR_PRINTING_RESOURCE_WORDS_H
#define KR_PRINTING_RESOURCE_WORDS_H

#include "krapps.h"

namespace kr {

enum class ResourceWord { Font, Pen, Brush, Colour };

// The kind of word `index` (0 to KR_RESOURCE_WORDS - 1).
ResourceWord KindOfWord(int index);

// The printer width of the pen at word `index` for the print settings'
// line width: the first group's pen is half as wide from 2 up, the second
// group's first pen one wider, every other pen the line width itself.
long PrinterPenWidth(int index, long lineWidth);

// A screen font's height at the printer's vertical resolution.
long PrinterFontHeight(long screenHeight, int printerDpi, int screenDpi);

} // namespace kr

#endif

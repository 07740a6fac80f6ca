// What the exports accept as a context or a rectangle, and the attributes
// every context they prepare gets.
#ifndef PLENDOR_CONTEXT_RULES_H
#define PLENDOR_CONTEXT_RULES_H

#include <windows.h>

namespace plendor {

// A printer, display, memory or enhanced-metafile context.
bool IsDrawingContext(HDC dc);
// A context with a surface of its own, which a metafile can be referenced to.
bool IsDeviceContext(HDC dc);
// Neither empty nor inverted.
bool IsProperRect(const RECT &rect);

// Device units, left-top text, transparent background, halftone stretching.
bool SetPrintingAttributes(HDC dc);

} // namespace plendor

#endif

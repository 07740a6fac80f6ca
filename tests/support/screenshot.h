// A window as shown on the display, kept as a .bmp file any viewer reads.
#ifndef KRTEST_SCREENSHOT_H
#define KRTEST_SCREENSHOT_H

#include <windows.h>

#include <string>

namespace krtest {

// The window with its frame, redrawn first. False when it cannot be
// captured or the file cannot be written.
bool SaveWindowAsBitmap(HWND window, const std::string &path);

} // namespace krtest

#endif

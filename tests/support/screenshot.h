// A window as shown on the display, kept as a PNG file any viewer reads.
#ifndef KRTEST_SCREENSHOT_H
#define KRTEST_SCREENSHOT_H

#include <windows.h>

#include <string>

namespace krtest {

// The window with its frame, redrawn first, encoded by the platform's own
// imaging component. False when it cannot be captured or written.
bool SaveWindowAsPng(HWND window, const std::string &path);

// <test program's directory>\artefacts\<file>, where the pictures a run
// leaves for a look are kept; the directory is made when missing.
std::string ArtefactPath(const std::string &file);

} // namespace krtest

#endif

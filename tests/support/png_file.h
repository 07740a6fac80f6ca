// Writes an image as a PNG file without a library: 8-bit RGB, the pixel
// data in stored (uncompressed) deflate blocks. Screenshots of dialogs are
// small, so size does not matter; any viewer reads them.
#ifndef KRTEST_PNG_FILE_H
#define KRTEST_PNG_FILE_H

#include <windows.h>

#include <string>
#include <vector>

namespace krtest {

// rgb: height rows of width pixels, 3 bytes each, top row first. False when
// the file cannot be written.
bool WritePng(const std::string &path, int width, int height, const std::vector<unsigned char> &rgb);

// The window as shown on the display (frame included), redrawn first. False
// when it cannot be captured or written.
bool SaveWindowAsPng(HWND window, const std::string &path);

} // namespace krtest

#endif

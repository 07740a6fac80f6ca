#include "support/screenshot.h"

#include <stdio.h>

namespace krtest {
namespace {

bool WriteBitmapFile(const std::string &path, const BITMAPINFOHEADER &header, const void *bits)
{
    const DWORD size = header.biWidth * 4 * -header.biHeight; // 32-bit rows, top row first
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + size;
    FILE *out = fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1 &&
                         fwrite(bits, 1, size, out) == size;
    return fclose(out) == 0 && written;
}

} // namespace

bool SaveWindowAsBitmap(HWND window, const std::string &path)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT frame;
    GetWindowRect(window, &frame);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), frame.right - frame.left, frame.top - frame.bottom, 1, 32, BI_RGB, 0, 0,
                      0, 0, 0};
    void *bits = nullptr;
    const HDC screen = GetWindowDC(window), memory = CreateCompatibleDC(screen);
    const HBITMAP image = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, image);
    BitBlt(memory, 0, 0, frame.right - frame.left, frame.bottom - frame.top, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const bool saved = bits && WriteBitmapFile(path, info.bmiHeader, bits);
    SelectObject(memory, old);
    DeleteObject(image);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return saved;
}

} // namespace krtest

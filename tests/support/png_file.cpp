#include "support/png_file.h"

#include <stdint.h>
#include <stdio.h>

namespace krtest {
namespace {

using Bytes = std::vector<unsigned char>;

uint32_t Crc32(const unsigned char *data, size_t size, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

uint32_t Adler32(const Bytes &data)
{
    uint32_t a = 1, b = 0;
    for (unsigned char byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(Bytes &out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

void PutChunk(Bytes &out, const char *type, const Bytes &data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored blocks of at most 65535 bytes each.
Bytes StoredZlib(const Bytes &raw)
{
    Bytes out = {0x78, 0x01};
    size_t done = 0;
    do {
        const size_t length = raw.size() - done < 65535 ? raw.size() - done : 65535;
        out.push_back(done + length == raw.size() ? 1 : 0); // last block flag, type "stored"
        const unsigned char len[4] = {static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
                                      static_cast<unsigned char>(~length), static_cast<unsigned char>(~length >> 8)};
        out.insert(out.end(), len, len + 4);
        out.insert(out.end(), raw.begin() + done, raw.begin() + done + length);
        done += length;
    } while (done < raw.size());
    PutBigEndian(out, Adler32(raw));
    return out;
}

} // namespace

bool WritePng(const std::string &path, int width, int height, const std::vector<unsigned char> &rgb)
{
    Bytes header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter, no interlace
    Bytes rows;
    for (int y = 0; y < height; ++y) {
        rows.push_back(0); // filter "none"
        rows.insert(rows.end(), rgb.begin() + size_t(y) * width * 3, rgb.begin() + size_t(y + 1) * width * 3);
    }
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", StoredZlib(rows));
    PutChunk(file, "IEND", {});
    FILE *out = fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = fwrite(file.data(), 1, file.size(), out) == file.size();
    return fclose(out) == 0 && written;
}

bool SaveWindowAsPng(HWND window, const std::string &path)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    const HDC screen = GetWindowDC(window), memory = CreateCompatibleDC(screen);
    const HBITMAP image = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, image);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    Bytes rgb;
    for (int i = 0; bits && i < width * height; ++i) {
        const unsigned char *pixel = static_cast<const unsigned char *>(bits) + 4 * i; // blue, green, red, unused
        rgb.insert(rgb.end(), {pixel[2], pixel[1], pixel[0]});
    }
    SelectObject(memory, old);
    DeleteObject(image);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return bits && WritePng(path, width, height, rgb);
}

} // namespace krtest

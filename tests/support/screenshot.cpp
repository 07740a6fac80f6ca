#include "support/screenshot.h"

#include <wincodec.h>

#include <vector>

namespace krtest {
namespace {

using Pixels = std::vector<BYTE>; // rows of blue, green, red; top row first

bool CaptureWindow(HWND window, int width, int height, Pixels &pixels)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const HDC screen = GetWindowDC(window), memory = CreateCompatibleDC(screen);
    const HBITMAP image = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, image);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    pixels.resize(size_t((width * 3 + 3) & ~3) * height); // DIB rows are DWORD-aligned
    const bool read = GetDIBits(memory, image, 0, height, pixels.data(), &info, DIB_RGB_COLORS) == height;
    DeleteObject(image);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return read;
}

bool EncodePng(const std::wstring &path, UINT width, UINT height, Pixels &pixels)
{
    IWICImagingFactory *factory = nullptr;
    IWICStream *stream = nullptr;
    IWICBitmapEncoder *encoder = nullptr;
    IWICBitmapFrameEncode *frame = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const UINT stride = (width * 3 + 3) & ~3u;
    bool written = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_PPV_ARGS(&factory))) &&
                   SUCCEEDED(factory->CreateStream(&stream)) &&
                   SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
                   SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
                   SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
                   SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
                   SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
                   IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
                   SUCCEEDED(frame->WritePixels(height, stride, UINT(pixels.size()), pixels.data())) &&
                   SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    for (IUnknown *object : {static_cast<IUnknown *>(frame), static_cast<IUnknown *>(encoder),
                             static_cast<IUnknown *>(stream), static_cast<IUnknown *>(factory)})
        if (object)
            object->Release();
    return written;
}

} // namespace

bool SaveWindowAsPng(HWND window, const std::string &path)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    Pixels pixels;
    // COM stays initialised for the rest of the program: ended, it frees what
    // it kept of the imaging component later, in the middle of whatever test
    // then balances the heap (the file dialogs' did).
    [[maybe_unused]] static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool saved = CaptureWindow(window, width, height, pixels) &&
                       EncodePng(std::wstring(path.begin(), path.end()), width, height, pixels);
    return saved;
}

std::string ArtefactPath(const std::string &file)
{
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string directory = program;
    directory.replace(directory.rfind('\\') + 1, std::string::npos, "artefacts");
    CreateDirectoryA(directory.c_str(), nullptr);
    return directory + "\\" + file;
}

} // namespace krtest

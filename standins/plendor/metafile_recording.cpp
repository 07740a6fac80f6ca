// One recording at a time: an enhanced metafile referenced to a printer
// context, played back onto it when it ends.
#include <string.h>

#include "context_rules.h"
#include "plendor.h"

namespace {

struct Recording {
    HDC recorder;
    HDC printer;
    RECT frame; // the printer's device units
};

Recording g_open; // none open: all zero

// A metafile's frame is kept in hundredths of a millimetre, through the
// same size and resolution that the metafile records of its reference.
RECT FrameInHundredthsMm(HDC printer, const RECT &frame)
{
    const int widthMm = GetDeviceCaps(printer, HORZSIZE) * 100, widthDots = GetDeviceCaps(printer, HORZRES);
    const int heightMm = GetDeviceCaps(printer, VERTSIZE) * 100, heightDots = GetDeviceCaps(printer, VERTRES);
    return {MulDiv(frame.left, widthMm, widthDots), MulDiv(frame.top, heightMm, heightDots),
            MulDiv(frame.right, widthMm, widthDots), MulDiv(frame.bottom, heightMm, heightDots)};
}

RECT PrintablePage(HDC printer)
{
    return {0, 0, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)};
}

// "Kestrune", then the window's caption: the two parts of a metafile's
// description, each ended by a NUL and the whole by a second one.
void PictureDescription(HWND window, char (&description)[300])
{
    const char suite[] = "Kestrune";
    memcpy(description, suite, sizeof suite);
    const int length = GetWindowTextA(window, description + sizeof suite, sizeof description - sizeof suite - 1);
    description[sizeof suite + length + 1] = '\0';
}

} // namespace

extern "C" HDC WINAPI KRInitPrnDCMetaFile(HDC printer, HWND window, const RECT *frame)
{
    if (g_open.recorder || !plendor::IsDeviceContext(printer) || !IsWindow(window))
        return nullptr;
    const RECT used = frame ? *frame : PrintablePage(printer);
    if (!plendor::IsProperRect(used))
        return nullptr;
    char description[300];
    PictureDescription(window, description);
    const RECT bounds = FrameInHundredthsMm(printer, used);
    const HDC recorder = CreateEnhMetaFileA(printer, nullptr, &bounds, description);
    if (!recorder)
        return nullptr;
    plendor::SetPrintingAttributes(recorder);
    g_open = {recorder, printer, used};
    return recorder;
}

extern "C" BOOL WINAPI KREndMetaFile(const RECT *target)
{
    if (!g_open.recorder)
        return FALSE;
    const Recording ended = g_open;
    g_open = {};
    const HENHMETAFILE picture = CloseEnhMetaFile(ended.recorder);
    const RECT onto = target ? *target : ended.frame;
    const bool played = picture && plendor::IsProperRect(onto) && PlayEnhMetaFile(ended.printer, picture, &onto);
    DeleteEnhMetaFile(picture);
    return played;
}

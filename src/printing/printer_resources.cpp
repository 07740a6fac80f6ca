#include "printing/printer_resources.h"

#include "krapps.h"
#include "krsettings.h"
#include "printing/print_settings.h"
#include "printing/resource_words.h"

namespace kr {
namespace {

// The record keeps GDI handles as 32-bit values on every build.
HGDIOBJ HandleIn(DWORD word)
{
    return ULongToHandle(word);
}

DWORD WordFor(HGDIOBJ object)
{
    return HandleToULong(object);
}

struct PrinterLook {
    long lineWidth;
    bool black;
    int printerDpi;
    int screenDpi;
    ResourceMode mode;
};

PrinterLook ReadPrinterLook(HDC screen, HDC printer, ResourceMode mode)
{
    InitIni(0);
    PrintSettings settings{};
    LoadPrintSetting(PrintKey::LineWidth, settings);
    LoadPrintSetting(PrintKey::Black, settings);
    return {settings.lineWidth, settings.black != 0, GetDeviceCaps(printer, LOGPIXELSY),
            GetDeviceCaps(screen, LOGPIXELSY), mode};
}

DWORD PrinterFont(DWORD word, const PrinterLook &look)
{
    LOGFONTA font;
    if (GetObjectType(HandleIn(word)) != OBJ_FONT || !GetObjectA(HandleIn(word), sizeof font, &font))
        return 0;
    font.lfHeight = PrinterFontHeight(font.lfHeight, look.printerDpi, look.screenDpi);
    font.lfWidth = 0;
    return WordFor(CreateFontIndirectA(&font));
}

DWORD PrinterPen(int index, DWORD word, const PrinterLook &look)
{
    LOGPEN pen;
    if (GetObjectType(HandleIn(word)) != OBJ_PEN || !GetObjectA(HandleIn(word), sizeof pen, &pen))
        return 0;
    const COLORREF colour = look.black ? RGB(0, 0, 0) : pen.lopnColor;
    return WordFor(CreatePen(pen.lopnStyle, PrinterPenWidth(index, look.lineWidth), colour));
}

DWORD PrinterBrush(DWORD word, const PrinterLook &look)
{
    LOGBRUSH brush;
    if (GetObjectType(HandleIn(word)) != OBJ_BRUSH || !GetObjectA(HandleIn(word), sizeof brush, &brush))
        return 0;
    if (look.black)
        brush.lbColor = RGB(0, 0, 0);
    return WordFor(CreateBrushIndirect(&brush));
}

DWORD PrinterWord(int index, DWORD word, const PrinterLook &look)
{
    switch (KindOfWord(index)) {
    case ResourceWord::Font:
        return PrinterFont(word, look);
    case ResourceWord::Pen:
        return PrinterPen(index, word, look);
    case ResourceWord::Brush:
        return PrinterBrush(word, look);
    case ResourceWord::Colour:
        break;
    }
    return look.black && look.mode == ResourceMode::Normal ? RGB(0, 0, 0) : word;
}

} // namespace

bool MakePrinterResources(HWND window, HDC printer, ResourceMode mode)
{
    const HDC screen = GetDC(window);
    if (!screen)
        return false;
    const PrinterLook look = ReadPrinterLook(screen, printer, mode);
    GLOBALRESOURCES record;
    GetGlobalResourcesDC(screen, &record);
    for (int index = 0; index < KR_RESOURCE_WORDS; ++index)
        record.word[index] = PrinterWord(index, record.word[index], look);
    SetPrinterResources(printer, &record);
    ReleaseDC(window, screen);
    return true;
}

void ReleasePrinterResources()
{
    GLOBALRESOURCES record;
    if (!GetPrinterResources(&record))
        return;
    for (int index = 0; index < KR_RESOURCE_WORDS; ++index)
        if (KindOfWord(index) != ResourceWord::Colour && record.word[index])
            DeleteObject(HandleIn(record.word[index]));
    SetPrinterResources(nullptr, nullptr);
}

} // namespace kr

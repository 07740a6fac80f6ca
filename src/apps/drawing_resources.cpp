// The suite's shared drawing resources, a screen record and a printer
// record, and the applications' shared system globals.
#include "krapps.h"

static_assert(sizeof(GLOBALRESOURCES) == 344, "GLOBALRESOURCES size");

namespace {

GLOBALRESOURCES g_screen;
GLOBALRESOURCES g_printer;
HDC g_printerDC = nullptr;
unsigned char g_systemGlobals[KR_SYSTEM_GLOBALS_BYTES];

// The printer record for the printer context (any context when dc is null
// and one is set), else the screen record.
GLOBALRESOURCES *RecordFor(HDC dc, bool anyPrinter)
{
    const bool printer = g_printerDC && (anyPrinter || dc == g_printerDC);
    return printer ? &g_printer : &g_screen;
}

int CopyOut(const GLOBALRESOURCES *record, GLOBALRESOURCES *out)
{
    if (out)
        *out = *record;
    return 1;
}

int PointTo(GLOBALRESOURCES *record, GLOBALRESOURCES **out)
{
    if (out)
        *out = record;
    return 1;
}

} // namespace

int KRAPI SetGlobalResources(GLOBALRESOURCES screen)
{
    g_screen = screen;
    return 1;
}

int KRAPI GetGlobalResources(GLOBALRESOURCES *out)
{
    return CopyOut(RecordFor(nullptr, true), out);
}

int KRAPI GetGlobalResourcesPtr(GLOBALRESOURCES **out)
{
    return PointTo(RecordFor(nullptr, true), out);
}

int KRAPI SetPrinterResources(HDC printer, const GLOBALRESOURCES *resources)
{
    if (!resources) {
        g_printerDC = nullptr;
        g_printer = GLOBALRESOURCES{};
    } else {
        g_printerDC = printer;
        g_printer = *resources;
    }
    return 1;
}

HDC KRAPI GetPrinterResources(GLOBALRESOURCES *out)
{
    CopyOut(&g_printer, out);
    return g_printerDC;
}

int KRAPI GetGlobalResourcesPtrDC(HDC dc, GLOBALRESOURCES **out)
{
    return PointTo(RecordFor(dc, false), out);
}

int KRAPI GetGlobalResourcesDC(HDC dc, GLOBALRESOURCES *out)
{
    return CopyOut(RecordFor(dc, false), out);
}

int KRAPI GetSystemGlobalsPtr(void **out)
{
    if (out)
        *out = g_systemGlobals;
    return 1;
}

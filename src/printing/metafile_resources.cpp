// The printer's drawing resources around drawing recorded into a metafile
// for the printer: while the pair is open, the shared record itself is the
// printer version, so that code that never asks for a printer gets it.
#include "krprinting.h"

#include "plendor.h"
#include "printing/printer_resources.h"

namespace {

HDC BeginMetafileResources(HWND window, const RECT *frame, GLOBALRESOURCES *saved)
{
    LockWindowUpdate(window);
    const HDC printer = PrnGetPrinterDC();
    const HDC recording = printer ? KRInitPrnDCMetaFile(printer, window, frame) : nullptr;
    if (!recording) {
        // Nothing will end the pair for this context.
        if (printer)
            DeleteDC(printer);
        LockWindowUpdate(nullptr);
        return recording;
    }
    GetGlobalResourcesDC(nullptr, saved);
    GLOBALRESOURCES printerVersion;
    if (kr::MakePrinterResources(window, printer, kr::ResourceMode::Metafile) && GetPrinterResources(&printerVersion))
        SetGlobalResources(printerVersion);
    KRSetAttribDC(printer);
    return recording;
}

void EndMetafileResources(const RECT *target, const GLOBALRESOURCES *saved)
{
    KREndMetaFile(target);
    if (const HDC registered = GetPrinterResources(nullptr)) {
        kr::ReleasePrinterResources();
        if (saved)
            SetGlobalResources(*saved);
        DeleteDC(registered);
    }
    LockWindowUpdate(nullptr);
}

} // namespace

HDC KRAPI GetPrnResourceForMetafile(HWND window, const RECT *frame, GLOBALRESOURCES *saved, const RECT *target)
{
    if (!window) {
        EndMetafileResources(target, saved);
        return nullptr;
    }
    if (!saved)
        return nullptr;
    return BeginMetafileResources(window, frame, saved);
}

#include "printing/print_job.h"

#include <string.h>

#include "apps/app_registry.h"
#include "apps/message_box.h"
#include "krapps.h"
#include "krprinting.h"
#include "printing/abort_window.h"
#include "printing/page_rectangle.h"

namespace kr {
namespace {

const char kNoPrinter[] = "Cannot perform print";
const char kNoAbortWindow[] = "NULL Abort window handle";
const char kNoDocument[] = "Unable to start print job";
const char kDocumentName[] = "Hardcopy";

// The job whose document is open; its abort procedure serves messages
// that could start another.
bool g_documentOpen = false;

bool StartDocument(HDC dc)
{
    SetAbortProc(dc, PrintAbortProc);
    const DOCINFOA document = {sizeof document, kDocumentName, nullptr, nullptr, 0};
    return StartDocA(dc, &document) > 0;
}

} // namespace

PrintJob::PrintJob(HWND frame) : owner_(frame ? frame : AppRecord(0).mainWindow) {}

PrintJob::~PrintJob()
{
    End();
}

bool PrintJob::Begin()
{
    cursor_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    dc_ = PrnGetPrinterDC();
    if (!dc_) {
        Fail(kNoPrinter);
        return false;
    }
    // The running job keeps its abort window and cancel flag.
    if (g_documentOpen) {
        Fail(kNoDocument);
        return false;
    }
    abortWindow_ = CreateAbortWindow(owner_);
    if (!abortWindow_) {
        Fail(kNoAbortWindow);
        return false;
    }
    if (!StartDocument(dc_)) {
        Fail(kNoDocument);
        return false;
    }
    documentOpen_ = g_documentOpen = true;
    return true;
}

void PrintJob::Show()
{
    ShowWindow(abortWindow_, SW_SHOWNORMAL);
    UpdateWindow(abortWindow_);
    EnableKestrune(FALSE);
    shown_ = true;
    SetCursor(cursor_);
}

RECT PrintJob::Page(const float *margins) const
{
    float taken[4] = {};
    if (margins)
        memcpy(taken, margins, sizeof taken);
    return PageRectangle(taken, {GetDeviceCaps(dc_, HORZSIZE), GetDeviceCaps(dc_, VERTSIZE)},
                         {GetDeviceCaps(dc_, HORZRES), GetDeviceCaps(dc_, VERTRES)});
}

bool PrintJob::StartPage()
{
    return ::StartPage(dc_) > 0;
}

bool PrintJob::EndPage()
{
    return ::EndPage(dc_) > 0;
}

void PrintJob::End()
{
    if (!documentOpen_)
        return;
    // The platform abandons a cancelled job through the abort procedure
    // only where it calls it while spooling; abandoning it here holds
    // everywhere.
    if (PrintCancelled())
        AbortDoc(dc_);
    else
        EndDoc(dc_);
    documentOpen_ = g_documentOpen = false;
    if (shown_)
        EnableKestrune(TRUE);
    const bool abortWindowActive = abortWindow_ && GetActiveWindow() == abortWindow_;
    Release();
    if (abortWindowActive && IsWindow(owner_))
        SetActiveWindow(owner_);
}

void PrintJob::Fail(const char *text)
{
    SetCursor(cursor_);
    ShowMessageBox(owner_, text, nullptr, MB_ICONSTOP);
    Release();
}

void PrintJob::Release()
{
    if (abortWindow_) {
        DestroyWindow(abortWindow_);
        ForgetAbortWindow();
        abortWindow_ = nullptr;
    }
    if (dc_)
        DeleteDC(dc_);
    dc_ = nullptr;
}

} // namespace kr

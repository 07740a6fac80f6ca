// Message boxes driven by string resources: a leading severity digit
// (MsgReport) or keyword options before a comma (MsgReportMsg).
#include "krapps.h"

#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

#include "apps/app_registry.h"
#include "apps/message_box.h"
#include "apps/message_options.h"
#include "support/module_instance.h"
#include "krutil_strings.h"
#include "support/runtime_format.h"

// Callers name the messages by the numbers krapps.h publishes.
static_assert(KR_MSG_CANNOT_OPEN == IDS_MSG_CANNOT_OPEN && KR_MSG_CANNOT_WRITE == IDS_MSG_CANNOT_WRITE &&
                  KR_MSG_FILE_EXISTS == IDS_MSG_FILE_EXISTS && KR_MSG_CANNOT_PRINT == IDS_MSG_CANNOT_PRINT &&
                  KR_MSG_PROJECT_NOT_ACCESSIBLE == IDS_MSG_PROJECT_NOT_ACCESSIBLE && KR_MSG_SAVED == IDS_MSG_SAVED,
              "the published message numbers are the string table's");

namespace {

constexpr unsigned short kOutOfMemoryNumber = KR_MSG_OUT_OF_MEMORY;
constexpr UINT kOutOfMemoryStyle = MB_SYSTEMMODAL | MB_ICONHAND;
constexpr UINT kMissingStyle = MB_TASKMODAL | MB_ICONHAND;
constexpr int kMessageBytes = 256;
constexpr int kExpandBytes = 1025; // wvsprintfA writes at most 1024 characters

// A message text and the style of its box.
struct Report {
    char text[kMessageBytes];
    UINT style;
};

void SetOutOfMemory(Report *report)
{
    strcpy(report->text, "Out of memory");
    report->style = kOutOfMemoryStyle;
}

void SetMissing(Report *report, unsigned short number)
{
    kr::FormatText(report->text, sizeof report->text, "Application Error: %u", number);
    report->style = kMissingStyle;
}

// Loads string `number` of the instance and expands it with the arguments,
// cut to the message area. False when there is no such string.
bool LoadExpanded(HINSTANCE instance, unsigned short number, va_list args, char *out)
{
    char format[kMessageBytes];
    if (LoadStringA(instance, number, format, sizeof format) <= 0)
        return false;
    char expanded[kExpandBytes];
    wvsprintfA(expanded, format, args);
    lstrcpynA(out, expanded, kMessageBytes);
    return true;
}

// The module whose strings MsgReportMsg uses when given none: the host
// application's, through its main window.
HINSTANCE HostInstance()
{
    const HWND host = kr::AppRecord(0).mainWindow;
    if (!host || !IsWindow(host))
        return nullptr;
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(host, GWLP_HINSTANCE));
}

} // namespace

const char *KRAPI MsgGetErrorLevel(const char *text, short *style, short *level)
{
    short iconStyle = 0, severity = 3;
    switch (text ? atoi(text) : 0) {
    case 1:
        iconStyle = MB_ICONINFORMATION;
        severity = 1;
        break;
    case 2:
        iconStyle = MB_ICONEXCLAMATION;
        severity = 2;
        break;
    case 3:
        iconStyle = MB_ICONHAND;
        break;
    }
    if (style)
        *style = iconStyle;
    if (level)
        *level = severity;
    if (!text)
        return nullptr;
    while ((*text >= '0' && *text <= '9') || *text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    return text;
}

int KRAPIV MsgReport(unsigned short number, const char *caption, ...)
{
    Report report;
    if (number == kOutOfMemoryNumber) {
        SetOutOfMemory(&report);
    } else {
        va_list args;
        va_start(args, caption);
        const bool loaded = LoadExpanded(kr::ModuleInstance(), number, args, report.text);
        va_end(args);
        if (!loaded) {
            SetMissing(&report, number);
        } else {
            short icon = 0;
            const char *message = MsgGetErrorLevel(report.text, &icon, nullptr);
            memmove(report.text, message, strlen(message) + 1);
            report.style = static_cast<UINT>(icon) | MB_TASKMODAL;
        }
    }
    kr::ShowMessageBox(nullptr, report.text, caption, report.style);
    return 1;
}

int KRAPIV MsgReportMsg(HINSTANCE instance, unsigned short number, const char *caption, ...)
{
    Report report;
    if (number == kOutOfMemoryNumber) {
        SetOutOfMemory(&report);
    } else {
        if (!instance && !(instance = HostInstance()))
            return 0;
        va_list args;
        va_start(args, caption);
        const bool loaded = LoadExpanded(instance, number, args, report.text);
        va_end(args);
        if (!loaded) {
            SetMissing(&report, number);
        } else {
            kr::MessageOptions options;
            if (!kr::SplitMessageOptions(report.text, &options))
                return 0;
            memmove(report.text, options.message, strlen(options.message) + 1);
            report.style = options.style | MB_TASKMODAL;
        }
    }
    if (report.style & 0x30)
        kr::Beep(0xFFFFFFFF);
    return kr::ShowMessageBox(nullptr, report.text, caption ? caption : "Attention", report.style);
}

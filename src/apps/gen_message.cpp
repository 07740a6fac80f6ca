// Message boxes for a dialog's value errors, and focusing a control.
#include "krapps.h"

#include "apps/message_box.h"
#include "support/capped_text.h"

namespace {

constexpr size_t kMessageBytes = 256;

bool HasText(const char *text)
{
    return text && *text;
}

// Hand and exclamation icons beep twice, a question once.
void BeepForIcon(UINT style)
{
    if (style & 0x30)
        kr::Beep(0x30);
    if (style & 0x10)
        kr::Beep(0x10);
}

} // namespace

int KRAPI GenMessage(HWND owner, const char *text, const char *caption, UINT style, const char *min,
                     const char *max)
{
    if (!owner || !IsWindow(owner))
        return -1;
    char message[kMessageBytes];
    kr::CappedText line(message, sizeof message);
    line.Append(text ? text : "");
    if (HasText(min)) {
        line.Append("\nMin Value: ");
        line.Append(min);
    }
    if (HasText(max)) {
        line.Append("\nMax Value: ");
        line.Append(max);
    }
    line.Finish();
    BeepForIcon(style);
    return static_cast<short>(kr::ShowMessageBox(owner, message, caption, style));
}

int KRAPI GenSetFocus(HWND dialog, short id)
{
    if (!dialog || !IsWindow(dialog))
        return 0;
    SetFocus(GetDlgItem(dialog, id));
    SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
    return 1;
}

#include "apps/message_box.h"

namespace kr {
namespace {
MessageBoxObserver g_observer = nullptr;
BeepObserver g_beepObserver = nullptr;
}

int ShowMessageBox(HWND owner, const char *text, const char *caption, UINT style)
{
    if (g_observer)
        g_observer(owner, text, caption, style);
    return MessageBoxA(owner, text, caption, style);
}

MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer)
{
    const MessageBoxObserver previous = g_observer;
    g_observer = observer;
    return previous;
}

void Beep(UINT type)
{
    if (g_beepObserver)
        g_beepObserver(type);
    MessageBeep(type);
}

BeepObserver SetBeepObserver(BeepObserver observer)
{
    const BeepObserver previous = g_beepObserver;
    g_beepObserver = observer;
    return previous;
}

} // namespace kr

#include "apps/message_box.h"

namespace kr {
namespace {
MessageBoxObserver g_observer = nullptr;
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

} // namespace kr

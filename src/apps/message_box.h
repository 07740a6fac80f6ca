// The library's one call site for message boxes, and its one for beeps.
// Every box and beep passes through here, so that a test can observe the
// exact arguments (owner, text, caption, style; the beep type) that the
// platform does not reveal.
#ifndef KR_APPS_MESSAGE_BOX_H
#define KR_APPS_MESSAGE_BOX_H

#include "krdefs.h"

namespace kr {

typedef void(KRAPI *MessageBoxObserver)(HWND owner, const char *text, const char *caption, UINT style);

// MessageBoxA with the observer told first. Returns the button pressed.
int ShowMessageBox(HWND owner, const char *text, const char *caption, UINT style);

// Installs an observer (null removes it) and returns the previous one.
MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer);

typedef void(KRAPI *BeepObserver)(UINT type);

// MessageBeep with the observer told first.
void Beep(UINT type);
BeepObserver SetBeepObserver(BeepObserver observer);

} // namespace kr

#endif

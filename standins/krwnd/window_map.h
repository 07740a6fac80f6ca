// The binding of objects to windows, inside the layer.
#ifndef KRWND_WINDOW_MAP_H
#define KRWND_WINDOW_MAP_H

#include <windows.h>

class CWnd;

namespace krwnd {

CWnd *BoundObject(HWND window);
bool Bind(HWND window, CWnd *object);
void Unbind(HWND window);

// A wrapper for a window no object is bound to, made once per window and
// kept until DeleteTemporaries; null when it cannot be made.
CWnd *TemporaryWrapper(HWND window);
void DeleteTemporaries();

} // namespace krwnd

#endif

// Reading a list box entry that must fit a path buffer.
#ifndef KR_FILES_LIST_ENTRY_H
#define KR_FILES_LIST_ENTRY_H

#include <windows.h>

namespace kr {

// The entry's text; false, the buffer untouched, when there is no entry at
// index or it would not fit with its terminator.
inline bool ListEntryText(HWND list, WPARAM index, char (&text)[MAX_PATH])
{
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    return length >= 0 && length < MAX_PATH && SendMessageA(list, LB_GETTEXT, index, LPARAM(text)) != LB_ERR;
}

} // namespace kr

#endif

// The browse dialog's entry list: the directories of the current directory
// that match the filter, in byte order, shown only where the user may go.
#include "files/browse_dialog.h"
#include "files/browse_rules.h"
#include "files/name_list.h"
#include "files/secure_search.h"
#include "krutil_dialogs.h"
#include "support/capped_text.h"

namespace kr {

bool BrowseDialog::LocationAllowed() const
{
    char location[MAX_PATH];
    WithTrailingBackslash(directory_, location, sizeof location);
    if (checkFileAccess_ && allowTemplateAccess_)
        return CFileAccess::CheckFilename(location) || CFileAccess::CheckTemplateFilename(location);
    if (checkFileAccess_)
        return CFileAccess::CheckFilename(location) != FALSE;
    if (allowTemplateAccess_)
        return CFileAccess::CheckTemplateFilename(location) != FALSE;
    return true;
}

void BrowseDialog::FillEntryList()
{
    HWND list = ::GetDlgItem(m_hWnd, IDC_BROWSE_ENTRIES);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (!LocationAllowed())
        return;
    char pattern[MAX_PATH];
    CappedText text(pattern, sizeof pattern);
    text.Append(directory_);
    text.Append(filter_);
    if (text.Finish() >= sizeof pattern)
        return;
    NameList names;
    bool complete = true;
    ForEachEntry(pattern, [&](const WIN32_FIND_DATAA &entry) {
        complete = !IsDirectory(entry) || names.Add(entry.cFileName);
        return complete;
    });
    if (!complete)
        return; // out of memory: a partial list would mislead
    names.Sort();
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (size_t i = 0; i < names.Count(); ++i)
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names.At(i)));
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

} // namespace kr

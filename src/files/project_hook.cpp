// The hook that turns the platform's old-style open-file dialog (template
// PROJECT_OPEN) into a project picker: projects, being directories, are
// moved from the directory list to the file list, and a confirmed name is
// checked to be a project.
#include <windows.h>

#include <dlgs.h>
#include <string.h>

#include "apps/help_call.h"
#include "apps/message_box.h"
#include "files/list_entry.h"
#include "files/project_dirs.h"
#include "files/project_rules.h"
#include "support/runtime_format.h"

namespace {

// The dialog's state, from WM_INITDIALOG; one dialog at a time.
struct HookState {
    PROJECTOPENDATA *data;
    UINT fileNameOk;       // "commdlg_FileNameOK"
    UINT selectionChanged; // "commdlg_LBSelChangedNotify"
    WNDPROC directoryListProc;
    WNDPROC nameEditProc;
} g_hook;

constexpr ULONG_PTR kHelpContext = 56;

LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wp, LPARAM lp)
{
    return SendDlgItemMessageA(dialog, id, message, wp, lp);
}

// Projects the dialog adds to its directory list go to the file list.
LRESULT CALLBACK DirectoryListProc(HWND list, UINT message, WPARAM wp, LPARAM lp)
{
    if ((message == LB_ADDSTRING || message == LB_INSERTSTRING) && lp &&
        kr::IsProjectEntry(reinterpret_cast<const char *>(lp))) {
        SendItem(GetParent(list), lst1, LB_ADDSTRING, 0, lp);
        return LB_ERR;
    }
    return CallWindowProcA(g_hook.directoryListProc, list, message, wp, lp);
}

// The dialog reads the name field upper-cased, without ".PRO".
LRESULT CALLBACK NameEditProc(HWND edit, UINT message, WPARAM wp, LPARAM lp)
{
    const LRESULT length = CallWindowProcA(g_hook.nameEditProc, edit, message, wp, lp);
    if (message == WM_GETTEXT && wp > 0 && lp)
        kr::ReadAsProjectName(reinterpret_cast<char *>(lp));
    return length;
}

WNDPROC Subclass(HWND dialog, int id, WNDPROC proc)
{
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(GetDlgItem(dialog, id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

// What the dialog listed before the hook saw it: its projects moved, from
// the last to the first, and the entry of the name field selected.
void MoveProjectEntries(HWND dialog)
{
    for (LRESULT i = SendItem(dialog, lst2, LB_GETCOUNT, 0, 0) - 1; i >= 0; --i) {
        char text[MAX_PATH];
        if (!kr::ListEntryText(GetDlgItem(dialog, lst2), WPARAM(i), text) || !kr::IsProjectEntry(text))
            continue;
        SendItem(dialog, lst2, LB_DELETESTRING, WPARAM(i), 0);
        kr::UpperCase(text);
        SendItem(dialog, lst1, LB_ADDSTRING, 0, LPARAM(text));
    }
    char name[MAX_PATH + 1];
    SendItem(dialog, edt1, WM_GETTEXT, sizeof name, LPARAM(name));
    SendItem(dialog, lst1, LB_SELECTSTRING, WPARAM(-1), LPARAM(name));
}

void InitDialog(HWND dialog, const OPENFILENAMEA *dialogData)
{
    g_hook.fileNameOk = RegisterWindowMessageA(FILEOKSTRINGA);
    g_hook.selectionChanged = RegisterWindowMessageA(LBSELCHSTRINGA);
    g_hook.data = dialogData ? reinterpret_cast<PROJECTOPENDATA *>(dialogData->lCustData) : nullptr;
    g_hook.directoryListProc = Subclass(dialog, lst2, DirectoryListProc);
    g_hook.nameEditProc = Subclass(dialog, edt1, NameEditProc);
    MoveProjectEntries(dialog);
    ShowWindow(GetDlgItem(dialog, stc2), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, cmb1), SW_HIDE);
    SetDlgItemTextA(dialog, stc3, "Project &Name:");
}

// The current directory and the file list's selected project.
void TakeSelection(HWND dialog, QZFILE &file)
{
    GetDlgItemTextA(dialog, stc1, file.directory, MAX_PATH);
    const LRESULT selected = SendItem(dialog, lst1, LB_GETCURSEL, 0, 0);
    char text[MAX_PATH];
    if (selected == LB_ERR || !kr::ListEntryText(GetDlgItem(dialog, lst1), WPARAM(selected), text))
        return;
    kr::CopyUpToFirstDot(text, file.name, sizeof file.name);
    strcpy(file.extension, kr::kProjectExtension);
}

// True when the dialog must stay open: the confirmed project does not
// exist and may not, or the user does not want it created.
bool RefuseConfirmedName(HWND dialog, OPENFILENAMEA &dialogData, PROJECTOPENDATA &data)
{
    char *path = dialogData.lpstrFile;
    const size_t length = strlen(path);
    kr::FormatText(path + length, dialogData.nMaxFile - length, ".%s", kr::kProjectExtension);
    kr::TakeConfirmedProject(path, &data.file);
    if (kr::ProjectExists(data.file))
        return false;
    char caption[81];
    GetWindowTextA(dialog, caption, sizeof caption);
    char text[MAX_PATH + 96];
    if (data.flags & PROJECTOPEN_MUST_EXIST) {
        kr::FormatText(text, sizeof text, "%s\n\nThis Project does not exist.\nCheck path and name are correct.", path);
        kr::ShowMessageBox(dialog, text, caption, MB_OK);
        return true;
    }
    kr::FormatText(text, sizeof text, "%s\n\nThis Project does not exist.\nCreate Project directory?", path);
    return kr::ShowMessageBox(dialog, text, caption, MB_YESNO | MB_ICONQUESTION) == IDNO;
}

} // namespace

extern "C" UINT_PTR KRAPI ProFileOpenHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitDialog(dialog, reinterpret_cast<const OPENFILENAMEA *>(lParam));
        return 1;
    case WM_DESTROY:
        g_hook.data = nullptr;
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == pshHelp)
            kr::ShowSuiteHelpContext(dialog, kHelpContext);
        return 0;
    }
    // Both are 0 until the first WM_INITDIALOG registers them.
    if (message == 0 || !g_hook.data)
        return 0;
    if (message == g_hook.fileNameOk && lParam)
        return RefuseConfirmedName(dialog, *reinterpret_cast<OPENFILENAMEA *>(lParam), *g_hook.data) ? 1 : 0;
    if (message == g_hook.selectionChanged) {
        TakeSelection(dialog, g_hook.data->file);
        g_hook.data->file.value1 = 1;
    }
    return 0;
}

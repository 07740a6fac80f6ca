// The open and save dialogs for the file records: the filter from the
// record's extensions, the secure dialog, the chosen path back into the record.
#include "files/file_dialogs.h"

#include <string.h>

#include "custorix.h"
#include "files/chosen_path.h"
#include "files/file_types.h"
#include "files/path_result.h"
#include "krfiles.h"
#include "support/module_instance.h"

namespace {

const DWORD kOpenFlags = OFN_CREATEPROMPT | OFN_NOCHANGEDIR | OFN_HIDEREADONLY; // 0x200C
const DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR; // 14
const size_t kPathBytes = 260;
const size_t kFileNameBytes = 512; // what the name getters write

kr::FileDialogObserver g_observer = nullptr;

struct DialogRequest {
    BOOL open;
    HWND owner;
    DWORD flags;
    const char *filter;
    const char *fileName;
    const char *title; // null or empty: the dialog's own
};

// A text read within `limit` bytes (a record's field need not be
// terminated), cut to the buffer.
size_t CopyWithin(const char *text, size_t limit, char *out, size_t cap)
{
    return kr::CopySpan({text, kr::LengthWithin(text, limit)}, out, cap);
}

// The record's directory as the dialog starts in it: a trailing backslash
// goes, so that E:\ is shown as E:.
void InitialDirectory(const QZFILE &file, char (&out)[kPathBytes])
{
    size_t length = CopyWithin(file.directory, kPathBytes - 1, out, kPathBytes);
    if (length >= 2 && out[length - 1] == '\\')
        out[--length] = '\0';
}

// Shows the secure dialog for the record (its extension already cut to the
// first entry) and, when the user confirms, puts the chosen path into it.
short RunFileDialog(const DialogRequest &request, QZFILE &file)
{
    char directory[kPathBytes];
    InitialDirectory(file, directory);
    const char *title = request.title && *request.title ? request.title : nullptr;
    char defaultExtension[sizeof file.extension + 1];
    CopyWithin(file.extension, sizeof file.extension, defaultExtension, sizeof defaultExtension);
    char chosen[kPathBytes] = "";
    {
        // The rule for every dialog of the library, though a common dialog
        // needs no template of ours.
        CResourceSwitch resources(kr::ModuleInstance());
        CFileDialogS dialog(request.open, defaultExtension, request.fileName, request.flags, request.filter,
                            CWnd::FromHandle(request.owner));
        dialog.m_ofn.lpstrTitle = title;
        if (directory[0])
            dialog.m_ofn.lpstrInitialDir = directory;
        if (g_observer)
            g_observer(request.open, defaultExtension, request.fileName, request.flags, request.filter,
                       request.owner, title, directory[0] ? directory : nullptr);
        if (dialog.DoModal() != IDOK)
            return 0;
        CopyWithin(dialog.m_ofn.lpstrFile, kPathBytes - 1, chosen, sizeof chosen);
    }
    kr::SplitChosenPath(chosen, &file); // confirmed, whatever the split makes of it
    return 1;
}

// The dialog record's title, read within its field.
struct Title {
    explicit Title(const MACFILE &file) { CopyWithin(file.title, sizeof file.title, text, sizeof text); }
    char text[sizeof(MACFILE::title) + 1];
};

short NormalFileDialog(BOOL open, HWND owner, MACFILE *file)
{
    if (!file)
        return 0;
    char filter[kr::kFilterBytes];
    const int known = kr::FillFilterInfo(file->file.extension, sizeof file->file.extension, filter);
    if (open && !known)
        return 0;
    char fileName[kFileNameBytes];
    // The two getters are one rule: no name proposed when the record has none.
    open ? GenGetFileName(file, fileName) : MacGetFileName(file, fileName);
    const Title title(*file);
    return RunFileDialog({open, owner, open ? kOpenFlags : kSaveFlags, filter, fileName, title.text}, file->file);
}

} // namespace

namespace kr {

FileDialogObserver SetFileDialogObserver(FileDialogObserver observer)
{
    const FileDialogObserver previous = g_observer;
    g_observer = observer;
    return previous;
}

} // namespace kr

extern "C" {

short KRAPI GenOpenFile(long /*unused*/, HWND owner, QZFILE *file, unsigned flags, const char *title)
{
    if (!file)
        return 0;
    char filter[kr::kFilterBytes];
    if (!kr::FillFilterInfo(file->extension, sizeof file->extension, filter))
        return 0;
    char fileName[kFileNameBytes];
    GetFileName(file, fileName);
    return RunFileDialog({TRUE, owner, flags ? flags : kOpenFlags, filter, fileName, title}, *file);
}

short KRAPI GenGetNormalFile(long /*unused*/, HWND owner, MACFILE *file)
{
    return NormalFileDialog(TRUE, owner, file);
}

short KRAPI GenSetNormalFile(long /*unused*/, HWND owner, MACFILE *file)
{
    return NormalFileDialog(FALSE, owner, file);
}

} // extern "C"

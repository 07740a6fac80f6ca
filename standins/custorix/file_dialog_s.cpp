// The secure open and save dialog: a confirmed name outside the user's
// locations is refused while secure files are on.
#include "custorix.h"

#include <string.h>

namespace {

// The confirmed path's directory with its trailing backslash; "" when the
// path has no separator.
void DirectoryOf(LPCSTR path, char (&out)[MAX_PATH])
{
    const char *slash = strrchr(path, '\\'), *forward = strrchr(path, '/');
    const char *last = slash > forward ? slash : forward;
    const size_t length = last ? static_cast<size_t>(last - path) + 1 : 0;
    lstrcpynA(out, path, static_cast<int>(length < MAX_PATH ? length + 1 : MAX_PATH));
}

// While a file dialog is open the process's current directory follows the
// user's browsing; the configuration and the default audit log belong to
// the working directory the dialog was opened in.
class InDirectory {
public:
    explicit InDirectory(const char *directory)
    {
        GetCurrentDirectoryA(sizeof previous_, previous_);
        SetCurrentDirectoryA(directory);
    }
    ~InDirectory() { SetCurrentDirectoryA(previous_); }

private:
    char previous_[MAX_PATH];
};

} // namespace

CFileDialogS::CFileDialogS(BOOL open, LPCSTR defaultExtension, LPCSTR fileName, DWORD flags, LPCSTR filter,
                           CWnd *parent)
    : CFileDialog(open, defaultExtension, fileName, flags, filter, parent), m_szWorkingDir()
{
}

CFileDialogS::~CFileDialogS() = default;

INT_PTR CFileDialogS::DoModal()
{
    GetCurrentDirectoryA(sizeof m_szWorkingDir, m_szWorkingDir);
    return CFileDialog::DoModal();
}

BOOL CFileDialogS::OnFileNameOK()
{
    char directory[MAX_PATH];
    DirectoryOf(m_ofn.lpstrFile, directory);
    {
        const InDirectory working(m_szWorkingDir);
        if (!CFileAccess::UsesSecureFiles() || CFileAccess::CheckFilename(directory) ||
            CFileAccess::CheckTemplateFilename(directory))
            return FALSE;
        CFileAccess::LogEventSecurityA(CUSTORIX_EVENT_ACCESS_REFUSED, CUSTORIX_OUTCOME_REFUSED, m_ofn.lpstrFile,
                                       nullptr, 0);
    }
    char text[sizeof CUSTORIX_REFUSED_TEXT + MAX_PATH];
    wsprintfA(text, CUSTORIX_REFUSED_TEXT, directory);
    MessageBoxA(GetSafeHwnd(), text, CUSTORIX_REFUSED_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}

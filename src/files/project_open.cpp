// Picking a project with the directory browser: the choice must be a
// project the user can open, else the browser is shown again.
#include <string.h>

#include "apps/message_box.h"
#include "custorix.h"
#include "files/project_rules.h"

namespace {

// One picker per process: a second call from a message loop running under
// the browser is refused.
bool g_open = false;

class OpenInProgress {
public:
    OpenInProgress() { g_open = true; }
    ~OpenInProgress() { g_open = false; }
    OpenInProgress(const OpenInProgress &) = delete;
    OpenInProgress &operator=(const OpenInProgress &) = delete;
};

// The project directory opens, for reading and unless readOnly for writing.
bool CanOpenProject(const char *path, bool readOnly)
{
    const DWORD access = readOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    HANDLE project = CreateFileS(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const bool opened = GetLastError() == ERROR_ALREADY_EXISTS || project != INVALID_HANDLE_VALUE;
    if (project != INVALID_HANDLE_VALUE)
        CloseHandleS(project);
    return opened;
}

} // namespace

extern "C" int KRAPI ProFileOpen(HWND owner, QZFILE *project, long, const char *title, int readOnly)
{
    if (g_open || !project)
        return 0;
    OpenInProgress inProgress;
    kr::TidyProposedDirectory(project->directory, sizeof project->directory);
    char chosen[MAX_PATH];
    for (;;) {
        if (DirectoryDialog("*.PRO", project->directory, project->name, title, owner, chosen, 1, readOnly) != IDOK)
            return 0;
        if (CanOpenProject(chosen, readOnly != 0))
            break;
        kr::ShowMessageBox(owner, "This project is not accessible", "Invalid Project", MB_ICONHAND);
    }
    kr::TakeChosenProject(chosen, project);
    if (!project->extension[0])
        strcpy(project->extension, kr::kProjectExtension);
    return 1;
}

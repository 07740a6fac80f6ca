// The exported directory browser.
#include "files/browse_dialog.h"
#include "krutil_dialogs.h"
#include "support/module_instance.h"

extern "C" int KRAPI DirectoryDialog(const char *filter, const char *initialDirectory, const char *initialName,
                                     const char *title, HWND owner, char *outPath, int checkFileAccess,
                                     int allowTemplateAccess)
{
    // The template and bitmaps are the library's own.
    CResourceSwitch resources(kr::ModuleInstance());
    kr::BrowseDialog dialog(filter, initialDirectory, initialName, title, CWnd::FromHandle(owner), MAKEINTRESOURCEA(IDD_BROWSE),
                            checkFileAccess != 0, allowTemplateAccess != 0);
    const INT_PTR result = dialog.DoModal();
    if (result != IDCANCEL && outPath) {
        char chosen[MAX_PATH];
        dialog.GetChosenPath(chosen, sizeof chosen);
        GetSecureFilenameA(chosen, outPath);
    }
    return static_cast<int>(result);
}

// The open and save dialogs of the file records, and the seam through which
// a test sees exactly what a dialog was given (the platform's dialog does
// not show its flags or default extension).
#ifndef KR_FILES_FILE_DIALOGS_H
#define KR_FILES_FILE_DIALOGS_H

#include "krdefs.h"

namespace kr {

// Told the secure dialog's constructor arguments (owner as a handle) and the
// title and initial directory set on it (null when not set), just before
// the dialog is shown.
typedef void(KRAPI *FileDialogObserver)(BOOL open, const char *defaultExtension, const char *fileName, DWORD flags,
                                        const char *filter, HWND owner, const char *title,
                                        const char *initialDirectory);

// Installs an observer (null removes it) and returns the previous one.
FileDialogObserver SetFileDialogObserver(FileDialogObserver observer);

} // namespace kr

#endif

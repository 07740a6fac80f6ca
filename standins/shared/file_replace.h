// Files written so that a failed write leaves the old one usable: the new
// content goes to "<name>.tmp" beside it, which then takes the name.
#ifndef STANDINS_FILE_REPLACE_H
#define STANDINS_FILE_REPLACE_H

#include <windows.h>

namespace standins {

// Whether a file may be written in place of `path`: its full path and the
// temporary's fit MAX_PATH, and the file has not the read-only attribute
// (checked, as the platform does not enforce it for every account). A
// directory's read-only attribute only marks a customised folder; a
// directory that refuses new files fails the write itself.
bool MayReplace(LPCSTR path);

// The new content of one file. Nothing is visible under its name until
// Commit; a writer that is not committed removes its temporary.
class FileReplacement {
public:
    explicit FileReplacement(LPCSTR path);
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    bool Write(const void *data, DWORD size);
    // Gives the content the file's name; with `overwrite` false an existing
    // file stays as it is and Commit fails.
    bool Commit(bool overwrite = true);

private:
    char path_[MAX_PATH];
    char temporary_[MAX_PATH];
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool ok_ = false;
};

} // namespace standins

#endif

// The rules of projects that need no system call: how a proposed or chosen
// project path is tidied into a record, which list entries are projects,
// and how the project picker reads its name field. A project's own path is
// ConvertQZFileToPath of its record.
#ifndef KR_FILES_PROJECT_RULES_H
#define KR_FILES_PROJECT_RULES_H

#include <stddef.h>

#include "krfiles.h"

namespace kr {

// "PRO": the extension of every project directory.
extern const char kProjectExtension[];

// A proposed directory before the browser shows it: a run of trailing
// backslashes cut to one, the first three characters never touched. Read
// within its cap bytes, and terminated there.
void TidyProposedDirectory(char *directory, size_t cap);

// The browser's choice into the record: drive and directory into
// `directory`, every backslash that follows another dropped (but for the
// first four characters of a path without a drive, so that a network
// path's leading two stay), ending in one backslash; the file name into
// `name`. The extension is left as it is.
void TakeChosenProject(const char *path, QZFILE *project);

// The project picker's confirmed path into the record: its drive and
// directory as they are, ending in a backslash, and its file name. The
// extension is left as it is.
void TakeConfirmedProject(const char *path, QZFILE *project);

// A list entry names a project when it contains ".PRO" in any case.
bool IsProjectEntry(const char *text);

void UpperCase(char *text);

// The name field as the project picker reads it: upper-cased and cut at
// its first ".PRO".
void ReadAsProjectName(char *text);

// The text before its first dot, cut to cap - 1 characters.
void CopyUpToFirstDot(const char *text, char *out, size_t cap);

} // namespace kr

#endif

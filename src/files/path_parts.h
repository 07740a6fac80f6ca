// The suite's one rule for taking a path apart and putting it together:
// the platform runtime's _splitpath and _makepath, without their length
// limits and without a drive (a drive is kept as part of the directory).
#ifndef KR_FILES_PATH_PARTS_H
#define KR_FILES_PATH_PARTS_H

#include <stddef.h>

#include "support/capped_text.h"

namespace kr {

struct PathParts {
    TextSpan directory; // drive ("E:") and directory, trailing "\" or "/" kept
    TextSpan name;      // up to the last dot after the directory
    TextSpan extension; // from that dot, the dot included; empty if none
};

// Splits a path: the drive is the first two characters when the second is
// ":"; the directory runs to the last "\" or "/" (a UNC prefix lands in it);
// the extension starts at the last dot after the directory. A null path
// splits into empty parts.
PathParts SplitPath(const char *path);

// The extension without its leading dot.
TextSpan ExtensionWithoutDot(const PathParts &parts);

// Joins directory, file name and extension: a backslash goes after a
// directory that does not end in "\" or "/", and a dot before an extension
// that lacks one; null parts count as empty. Writes at most cap - 1
// characters and a NUL (nothing when cap is 0) and returns the length of the
// whole path, so the caller can tell whether it fitted.
size_t JoinPath(const char *directory, const char *name, const char *extension,
                char *out, size_t cap);

// Cuts a run of trailing backslashes down to one ("E:\proj\\\" becomes
// "E:\proj\"); the first `keep` characters are never cut. Returns the new
// length.
size_t TidyTrailingBackslashes(const char *directory, size_t length, size_t keep = 1);

} // namespace kr

#endif

// The suite's one rule for putting a path together from its parts.
#ifndef KR_FILES_PATH_PARTS_H
#define KR_FILES_PATH_PARTS_H

#include <stddef.h>

namespace kr {

// Joins directory, file name and extension: a backslash goes after a
// directory that does not end in "\" or "/", and a dot before an extension
// that lacks one; null parts count as empty. Writes at most cap - 1
// characters and a NUL (nothing when cap is 0) and returns the length of the
// whole path, so the caller can tell whether it fitted.
size_t JoinPath(const char *directory, const char *name, const char *extension,
                char *out, size_t cap);

} // namespace kr

#endif

// Paths in the form in which locations are compared: full path, "." and ".."
// resolved, one trailing backslash; and the test whether a directory lies in
// one of a list of locations.
#ifndef CUSTORIX_LOCATION_RULES_H
#define CUSTORIX_LOCATION_RULES_H

#include <stddef.h>

namespace custorix {

// GetFullPathNameA of `path` into out (MAX_PATH bytes). False for a null or
// empty path or one whose full path does not fit.
bool FullPathForm(const char *path, char *out);

// The same with a backslash added when missing, into out
// (MAX_PATH bytes). False for a null or empty path or one that does not fit.
bool FullDirectoryForm(const char *path, char *out);

// The directory of a search pattern (everything up to its last backslash
// after the full path is made) in the form above.
bool PatternDirectoryForm(const char *pattern, char *out);

// A drive letter, colon and separator, or two separators and a server name.
bool IsAbsolutePath(const char *path);

// Any of * ? " < > | - never part of a location.
bool HasWildcardCharacter(const char *path);

// Whether `directory` (full directory form) is a location of `list` or lies
// below one, ignoring case. `list`: entries in full directory form, each
// NUL-terminated, ended by an empty entry.
bool ListCovers(const char *list, const char *directory);

} // namespace custorix

#endif

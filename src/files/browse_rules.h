// The browse dialog's rules for names and paths, apart from its windows so
// that they can be tested alone. Buffers are MAX_PATH bytes unless a
// capacity is given; results are cut to fit and always terminated.
#ifndef KR_FILES_BROWSE_RULES_H
#define KR_FILES_BROWSE_RULES_H

#include <stddef.h>

namespace kr {

// The extension of a filter: its text from the second character on
// (".PRO" of "*.PRO"); "" for a null or one-character filter.
const char *FilterExtension(const char *filter);

// The proposed name: `name` with the extension appended when the name is
// longer than the extension and does not already end in it (ignoring case).
void ProposeName(const char *name, const char *extension, char *out, size_t cap);

// The length of a directory's root: 2 for "E:...", the length of
// \\server\share for a network path, 0 when it has neither.
size_t RootLength(const char *directory);

// `directory` with a trailing backslash added when it lacks one (an empty
// directory stays empty).
void WithTrailingBackslash(const char *directory, char *out, size_t cap);

// directory + name, with the extension appended unless the name already
// ends in it (ignoring case). Returns the whole length.
size_t ChosenPath(const char *directory, const char *name, const char *extension, char *out, size_t cap);

// Reading the name field back: a name holding a drive or directory part
// gives that part to `directory` (MAX_PATH bytes) and keeps only the file
// name and extension. True when the name held such a part.
bool MoveDirectoryPartOut(char *name, char *directory);

// The drive a drive-list entry stands for: with secure files and a text
// holding two backslashes, the text from its fourth character (the network
// root of "X: \\server\share"); otherwise its first two characters.
void DriveOfEntry(const char *entry, bool secureFiles, char *out, size_t cap);

// Whether a directory entry is kept out of the tree: names beginning with
// "." and those whose last four characters are the extension (ignoring
// case), which the entry list shows instead.
bool HiddenFromTree(const char *name, const char *extension);

// Whether a sub-directory gives its parent an expand button in the tree:
// any but "." and ".." whose last four characters are not the extension.
bool CountsForExpandButton(const char *name, const char *extension);

} // namespace kr

#endif

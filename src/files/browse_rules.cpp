#include "files/browse_rules.h"

#include <string.h>

#include "files/path_parts.h"
#include "support/capped_text.h"
#include "text/case_fold.h"

namespace kr {

const char *FilterExtension(const char *filter)
{
    return (filter && filter[0]) ? filter + 1 : "";
}

void ProposeName(const char *name, const char *extension, char *out, size_t cap)
{
    CappedText text(out, cap);
    text.Append(name);
    if (strlen(name) > strlen(extension) && !EndsWithIgnoringCase(name, extension))
        text.Append(extension);
    text.Finish();
}

size_t RootLength(const char *directory)
{
    if (directory[0] && directory[1] == ':')
        return 2;
    if (directory[0] != '\\' || directory[1] != '\\')
        return 0;
    // \\server\share: up to the backslash after the share, or the end.
    const char *server = strchr(directory + 2, '\\');
    if (!server)
        return strlen(directory);
    const char *share = strchr(server + 1, '\\');
    return share ? static_cast<size_t>(share - directory) : strlen(directory);
}

void WithTrailingBackslash(const char *directory, char *out, size_t cap)
{
    CappedText text(out, cap);
    text.Append(directory);
    const size_t length = strlen(directory);
    if (length > 0 && directory[length - 1] != '\\')
        text.Put('\\');
    text.Finish();
}

size_t ChosenPath(const char *directory, const char *name, const char *extension, char *out, size_t cap)
{
    CappedText text(out, cap);
    text.Append(directory);
    text.Append(name);
    if (!EndsWithIgnoringCase(name, extension))
        text.Append(extension);
    return text.Finish();
}

bool MoveDirectoryPartOut(char *name, char *directory)
{
    const PathParts parts = SplitPath(name);
    if (parts.directory.length == 0)
        return false;
    CopySpan(parts.directory, directory, 260);
    // The file part follows the directory part: move it to the front.
    memmove(name, name + parts.directory.length, strlen(name + parts.directory.length) + 1);
    return true;
}

void DriveOfEntry(const char *entry, bool secureFiles, char *out, size_t cap)
{
    const char *first = strchr(entry, '\\');
    if (secureFiles && first && strchr(first + 1, '\\') && strlen(entry) >= 3) {
        CopySpan({entry + 3, strlen(entry + 3)}, out, cap);
        return;
    }
    CopySpan({entry, strnlen(entry, 2)}, out, cap);
}

namespace {
bool EndsInExtension(const char *name, const char *extension)
{
    const size_t length = strlen(name);
    return length >= 4 && SameIgnoringCase(name + length - 4, extension);
}
} // namespace

bool HiddenFromTree(const char *name, const char *extension)
{
    return name[0] == '.' || EndsInExtension(name, extension);
}

bool CountsForExpandButton(const char *name, const char *extension)
{
    return strcmp(name, ".") != 0 && strcmp(name, "..") != 0 && !EndsInExtension(name, extension);
}

} // namespace kr

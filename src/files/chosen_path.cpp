// The confirmed path of a file dialog into the record's three text fields.
#include "files/chosen_path.h"

#include <string.h>

#include "files/path_result.h"

namespace {

const size_t kPathBytes = 260;

// The first non-empty piece of `text` between dots, at or after `from`;
// length 0 when none is left. `from` moves past it.
kr::TextSpan NextDotPiece(kr::TextSpan text, size_t &from)
{
    while (from < text.length && text.start[from] == '.')
        ++from;
    const size_t start = from;
    while (from < text.length && text.start[from] != '.')
        ++from;
    return {text.start + start, from - start};
}

} // namespace

namespace kr {

int SplitChosenPath(const char *chosen, QZFILE *file)
{
    char path[kPathBytes];
    CopySpan({chosen, LengthWithin(chosen, kPathBytes - 1)}, path, sizeof path);
    size_t end = strlen(path);
    while (end > 0 && path[end - 1] == '\\')
        --end;
    if (end == 0)
        return 0;
    size_t start = end;
    while (start > 0 && path[start - 1] != '\\')
        --start;

    const TextSpan filePart{path + start, end - start};
    size_t from = 0;
    const TextSpan name = NextDotPiece(filePart, from);
    if (name.length == 0)
        return 0;
    CopySpan(name, file->name, sizeof file->name);
    const TextSpan extension = NextDotPiece(filePart, from);
    if (extension.length == 0)
        return 0;
    CopySpan(extension, file->extension, sizeof file->extension);

    const size_t directory = start > 0 ? start - 1 : 0; // the backslash before the file part goes
    memcpy(file->directory, path, directory);
    file->directory[directory] = '\\';
    file->directory[directory + 1] = '\0';
    return 1;
}

} // namespace kr

// A path string into the dialog's file record.
#include <string.h>

#include "files/path_result.h"
#include "krfiles.h"

namespace {

const size_t kPathLimit = 260; // the directory field holds the whole copy

bool IsSeparator(char c)
{
    return c == '\\' || c == ':';
}

// The position of the last dot, when it starts the extension: a dot right
// after another one belongs to ".." and starts none. `length` otherwise.
size_t ExtensionDot(const char *path, size_t length)
{
    const char *dot = strrchr(path, '.');
    if (!dot || (dot > path && dot[-1] == '.'))
        return length;
    return static_cast<size_t>(dot - path);
}

} // namespace

extern "C" void KRAPI GenStringToMacFile(const char *path, MACFILE *file)
{
    if (!path || !file)
        return;
    const size_t length = kr::LengthWithin(path, kPathLimit);
    if (length >= kPathLimit)
        return;
    QZFILE &record = file->file;
    char *directory = record.directory;
    memcpy(directory, path, length + 1);

    const size_t end = ExtensionDot(directory, length);
    if (end < length) {
        kr::CopySpan({directory + end + 1, length - end - 1}, record.extension, sizeof record.extension);
        directory[end] = '\0';
    }
    size_t separator = end;
    while (separator > 0 && !IsSeparator(directory[separator - 1]))
        --separator;
    if (separator > 0 && directory[separator - 1] == ':') {
        kr::CopySpan({directory, end}, record.name, sizeof record.name);
        directory[0] = '\0';
        return;
    }
    kr::CopySpan({directory + separator, end - separator}, record.name, sizeof record.name);
    directory[separator] = '\0';
}

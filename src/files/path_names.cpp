// Building paths from names and defaults, taking them apart, and checking
// names: text rules only, no file system.
#include <string.h>

#include "files/path_parts.h"
#include "files/path_result.h"
#include "krfiles.h"

namespace {

const size_t kPathLimit = 260;             // a full path has fewer characters
const size_t kDefaultDirectoryLimit = 259; // leaves room for the separator
const size_t kExtensionLimit = 256;

bool TooLong(const char *text, size_t limit)
{
    return text && kr::LengthWithin(text, limit) >= limit;
}

// The path, or null when it is missing or too long to be one.
const char *UsablePath(const char *path)
{
    return (path && !TooLong(path, kPathLimit)) ? path : nullptr;
}

bool HasAny(const char *text, const char *forbidden)
{
    return text[strcspn(text, forbidden)] != '\0';
}

} // namespace

extern "C" {

int KRAPI CreatePathName(const char *nameOrPath, const char *defaultDirectory,
                         const char *defaultExtension, char *out, unsigned outSize)
{
    if (TooLong(nameOrPath, kPathLimit) || TooLong(defaultDirectory, kDefaultDirectoryLimit) ||
        TooLong(defaultExtension, kExtensionLimit))
        return 0;

    // Every part is shorter than a full path, so each fits its buffer.
    char directory[kPathLimit], name[kPathLimit], extension[kPathLimit];
    const kr::PathParts parts = kr::SplitPath(nameOrPath);
    kr::CopySpan(parts.directory, directory, sizeof directory);
    kr::CopySpan(parts.name, name, sizeof name);
    kr::CopySpan(parts.extension, extension, sizeof extension);

    if (!*directory && defaultDirectory) {
        const size_t length = strlen(defaultDirectory);
        kr::CopySpan({defaultDirectory, kr::TidyTrailingBackslashes(defaultDirectory, length)},
                     directory, sizeof directory);
    }
    if (!*extension && defaultExtension)
        kr::CopyText(defaultExtension, extension, sizeof extension);

    // Room for the two separators the join may add, so the joined path
    // always fits.
    if (strlen(directory) + strlen(name) + strlen(extension) + 2 >= kPathLimit)
        return 0;
    char path[kPathLimit];
    const size_t length = kr::JoinPath(directory, name, extension, path, sizeof path);
    return kr::ClearAndReturnCut({path, length}, out, outSize);
}

int KRAPI GetPathDirectory(const char *path, char *out, int outSize)
{
    if (!UsablePath(path))
        return 0;
    return kr::ReturnWholeOrClear(kr::SplitPath(path).directory, out, outSize);
}

int KRAPI GetPathName(const char *path, char *out, int outSize)
{
    if (!UsablePath(path))
        return 0;
    return kr::ReturnWholeOrClear(kr::SplitPath(path).name, out, outSize);
}

int KRAPI GetPathExtension(const char *path, char *out, int outSize)
{
    if (!UsablePath(path))
        return 0;
    return kr::ReturnWholeOrClear(kr::ExtensionWithoutDot(kr::SplitPath(path)), out, outSize);
}

int KRAPI ChangePathExtension(const char *path, const char *newExtension, char *out,
                              unsigned outSize)
{
    // Each step falls back to empty text, so the call always gives a result.
    char directory[256], name[256], result[kPathLimit];
    if (!GetPathDirectory(path, directory, sizeof directory))
        *directory = '\0';
    if (!GetPathName(path, name, sizeof name))
        *name = '\0';
    if (!CreatePathName(name, directory, newExtension, result, sizeof result))
        *result = '\0';
    if (out)
        kr::CopyText(result, out, outSize);
    return 1;
}

int KRAPI IsValidFilename(const char *name)
{
    return name && !HasAny(name, "'\\'/:*?<>|.") ? 1 : 0;
}

int KRAPI IsValidPath(const char *path)
{
    return path && !HasAny(path, "/*?<>|") ? 1 : 0;
}

} // extern "C"

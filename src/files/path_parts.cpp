#include "files/path_parts.h"

#include <string.h>

#include "support/capped_text.h"

namespace kr {
namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool EndsWithSeparator(const char *text)
{
    const size_t n = strlen(text);
    return n > 0 && IsSeparator(text[n - 1]);
}

} // namespace

PathParts SplitPath(const char *path)
{
    if (!path)
        path = "";
    const char *afterDirectory = (path[0] && path[1] == ':') ? path + 2 : path;
    const char *lastDot = nullptr;
    const char *end = afterDirectory;
    for (; *end; ++end) {
        if (IsSeparator(*end)) {
            afterDirectory = end + 1;
            lastDot = nullptr;
        } else if (*end == '.') {
            lastDot = end;
        }
    }
    const char *nameEnd = lastDot ? lastDot : end;
    PathParts parts;
    parts.directory = {path, static_cast<size_t>(afterDirectory - path)};
    parts.name = {afterDirectory, static_cast<size_t>(nameEnd - afterDirectory)};
    parts.extension = {nameEnd, static_cast<size_t>(end - nameEnd)};
    return parts;
}

TextSpan ExtensionWithoutDot(const PathParts &parts)
{
    if (parts.extension.length == 0)
        return parts.extension;
    return {parts.extension.start + 1, parts.extension.length - 1};
}

size_t JoinPath(const char *directory, const char *name, const char *extension,
                char *out, size_t cap)
{
    CappedText path(out, cap);
    if (directory && *directory) {
        path.Append(directory);
        if (!EndsWithSeparator(directory))
            path.Append("\\");
    }
    if (name)
        path.Append(name);
    if (extension && *extension) {
        if (*extension != '.')
            path.Append(".");
        path.Append(extension);
    }
    return path.Finish();
}

size_t TidyTrailingBackslashes(const char *directory, size_t length, size_t keep)
{
    while (length > keep && length >= 2 && directory[length - 1] == '\\' && directory[length - 2] == '\\')
        --length;
    return length;
}

} // namespace kr

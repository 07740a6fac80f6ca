#include "files/path_parts.h"

#include <string.h>

#include "support/capped_text.h"

namespace kr {
namespace {

bool EndsWithSeparator(const char *text)
{
    const size_t n = strlen(text);
    return n > 0 && (text[n - 1] == '\\' || text[n - 1] == '/');
}

} // namespace

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

} // namespace kr

#include "text/bounded_search.h"

#include <string.h>

namespace kr {

const char *BoundedSearch(const char *text, const char *pattern, long count)
{
    const long length = static_cast<long>(strlen(pattern));
    if (length == 0)
        return text;
    if (!text || count < length)
        return nullptr;
    for (long remaining = count; remaining >= length && *text; --remaining, ++text)
        if (*text == *pattern && strncmp(text, pattern, length) == 0)
            return text;
    return nullptr;
}

const char *FindKeyLine(const char *text, const char *key, long count)
{
    if (!key || strlen(key) > static_cast<size_t>(kMaxSearchKey))
        return nullptr;
    char pattern[kMaxSearchKey + 4] = "\r\n";
    strcat(pattern, key);
    strcat(pattern, "=");
    const char *match = BoundedSearch(text, pattern, count);
    return match ? match + 2 : nullptr;
}

} // namespace kr

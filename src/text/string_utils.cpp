// The suite's small string helpers. The searches and the copy are the very
// ones the profile text engine uses, so that applications searching profile
// text find what the engine finds.
#include "krtext.h"

#include <limits.h>

#include "support/capped_text.h"
#include "text/bounded_search.h"

char *KRAPI lstrchr(const char *text, int c)
{
    if (!text || c == 0)
        return nullptr;
    for (; *text; ++text)
        if (static_cast<signed char>(*text) == c)
            return const_cast<char *>(text);
    return nullptr;
}

char *KRAPI lstrstr(const char *text, const char *pattern, long count)
{
    if (!pattern)
        return nullptr;
    return const_cast<char *>(kr::BoundedSearch(text, pattern, count));
}

char *KRAPI lstrfind(const char *text, const char *key, long count)
{
    return const_cast<char *>(kr::FindKeyLine(text, key, count));
}

int KRAPI lstrncmp(const char *a, const char *b, long count)
{
    if (!a || !b || !*a || !*b)
        return -1;
    for (long i = 0; i < count && a[i] && b[i]; ++i)
        if (a[i] != b[i])
            return static_cast<signed char>(a[i]) - static_cast<signed char>(b[i]);
    return 0;
}

void KRAPI lstrncpy(char *destination, const char *source, long count)
{
    if (!destination)
        return;
    const long cap = count < 1 ? 1 : (count < INT_MAX ? count + 1 : INT_MAX);
    kr::CopyText(source, destination, static_cast<size_t>(cap));
}

// The suite's one rule for comparing names without regard to case: the
// letters A-Z and a-z fold together; every other byte compares as itself,
// so a comparison never depends on the user's locale.
#ifndef KR_TEXT_CASE_FOLD_H
#define KR_TEXT_CASE_FOLD_H

#include <stddef.h>
#include <string.h>

namespace kr {

inline char FoldCase(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool EqualIgnoringCase(const char *a, const char *b, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

inline bool SameIgnoringCase(const char *a, const char *b)
{
    const size_t length = strlen(a);
    return length == strlen(b) && EqualIgnoringCase(a, b, length);
}

inline bool EndsWithIgnoringCase(const char *text, const char *tail)
{
    const size_t length = strlen(text), tailLength = strlen(tail);
    return length >= tailLength && EqualIgnoringCase(text + length - tailLength, tail, tailLength);
}

inline bool StartsWithIgnoringCase(const char *text, const char *head)
{
    const size_t headLength = strlen(head);
    return strlen(text) >= headLength && EqualIgnoringCase(text, head, headLength);
}

} // namespace kr

#endif

// The suite's bounded substring searches: a match must lie wholly within the
// first `count` bytes, and the scan stops at the text's terminator.
#ifndef KR_TEXT_BOUNDED_SEARCH_H
#define KR_TEXT_BOUNDED_SEARCH_H

namespace kr {

// The longest key FindKeyLine can look for: its pattern "\r\n" key "=" is
// built in a 132-byte area.
constexpr int kMaxSearchKey = 128;

// First occurrence of pattern (case-sensitive) starting no later than
// count - length(pattern); an empty pattern gives the text itself, a null
// text or a count shorter than the pattern gives null.
const char *BoundedSearch(const char *text, const char *pattern, long count);

// The key where "\r\n" key "=" occurs within the first count bytes, or null;
// null too for a null key or one longer than kMaxSearchKey.
const char *FindKeyLine(const char *text, const char *key, long count);

} // namespace kr

#endif

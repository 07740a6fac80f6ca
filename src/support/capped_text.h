// Builds a text into a caller's buffer of `cap` bytes: it keeps the first
// cap - 1 characters and a NUL, and counts the length of the whole text so
// that the caller can tell whether it fitted. Nothing is written past the
// buffer, and nothing at all when cap is 0.
#ifndef KR_SUPPORT_CAPPED_TEXT_H
#define KR_SUPPORT_CAPPED_TEXT_H

#include <stddef.h>
#include <string.h>

namespace kr {

class CappedText {
public:
    CappedText(char *out, size_t cap) : out_(out), cap_(cap) {}

    void Put(char c)
    {
        if (length_ + 1 < cap_)
            out_[length_] = c;
        ++length_;
    }

    void Append(const char *text)
    {
        for (; *text; ++text)
            Put(*text);
    }

    // Counts characters that would follow without writing them.
    void Skip(size_t count) { length_ += count; }

    // True once no further character would be kept.
    bool Full() const { return length_ + 1 >= cap_; }

    // Terminates the kept text and returns the whole length.
    size_t Finish()
    {
        if (cap_ > 0)
            out_[length_ < cap_ ? length_ : cap_ - 1] = '\0';
        return length_;
    }

private:
    char *out_;
    size_t cap_;
    size_t length_ = 0;
};

// A run of characters inside some text (not terminated).
struct TextSpan {
    const char *start;
    size_t length;
};

// Copies a span into a buffer of cap bytes, cut to cap - 1 characters and
// terminated (nothing when cap is 0); returns the span's whole length.
inline size_t CopySpan(TextSpan span, char *out, size_t cap)
{
    CappedText text(out, cap);
    for (size_t i = 0; i < span.length && !text.Full(); ++i)
        text.Put(span.start[i]);
    text.Finish();
    return span.length;
}

// CopySpan of a whole terminated text; a null text copies as empty.
inline size_t CopyText(const char *text, char *out, size_t cap)
{
    return CopySpan({text ? text : "", text ? strlen(text) : 0}, out, cap);
}

} // namespace kr

#endif

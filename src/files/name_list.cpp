#include "files/name_list.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "support/memory.h"

namespace kr {
namespace {
// A bigger block with the old contents, or null (the old block kept).
template <typename T> T *Grown(T *block, size_t used, size_t cap)
{
    T *bigger = static_cast<T *>(MemAlloc(cap * sizeof(T)));
    if (bigger && used)
        memcpy(bigger, block, used * sizeof(T));
    return bigger;
}
} // namespace

NameList::~NameList()
{
    MemFree(text_);
    MemFree(offsets_);
}

bool NameList::Reserve(size_t textBytes)
{
    if (textUsed_ + textBytes > textCap_) {
        const size_t cap = std::max(textCap_ * 2, textUsed_ + textBytes + 4096);
        char *text = Grown(text_, textUsed_, cap);
        if (!text)
            return false;
        MemFree(text_);
        text_ = text;
        textCap_ = cap;
    }
    if (count_ == countCap_) {
        const size_t cap = countCap_ ? countCap_ * 2 : 256;
        size_t *offsets = Grown(offsets_, count_, cap);
        if (!offsets)
            return false;
        MemFree(offsets_);
        offsets_ = offsets;
        countCap_ = cap;
    }
    return true;
}

bool NameList::Add(const char *name)
{
    const size_t bytes = strlen(name) + 1;
    if (!Reserve(bytes))
        return false;
    memcpy(text_ + textUsed_, name, bytes);
    offsets_[count_++] = textUsed_;
    textUsed_ += bytes;
    return true;
}

void NameList::Sort()
{
    const char *text = text_;
    std::sort(offsets_, offsets_ + count_,
              [text](size_t a, size_t b) { return strcmp(text + a, text + b) < 0; });
}

} // namespace kr

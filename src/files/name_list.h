// A growing list of names kept in one block of the library's memory, sorted
// in byte order: the entries a browser lists.
#ifndef KR_FILES_NAME_LIST_H
#define KR_FILES_NAME_LIST_H

#include <stddef.h>

namespace kr {

class NameList {
public:
    NameList() = default;
    ~NameList();
    NameList(const NameList &) = delete;
    NameList &operator=(const NameList &) = delete;

    // False (and the list unchanged) when there is no memory for it.
    bool Add(const char *name);
    // Ascending byte order, case-sensitive, as strcmp orders.
    void Sort();
    size_t Count() const { return count_; }
    const char *At(size_t index) const { return text_ + offsets_[index]; }

private:
    bool Reserve(size_t textBytes);

    char *text_ = nullptr;      // the names, each terminated
    size_t textUsed_ = 0, textCap_ = 0;
    size_t *offsets_ = nullptr; // where each name starts
    size_t count_ = 0, countCap_ = 0;
};

} // namespace kr

#endif

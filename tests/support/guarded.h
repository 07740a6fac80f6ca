// A buffer of `size` bytes followed by guard bytes that no call may touch.
#ifndef KRTEST_GUARDED_H
#define KRTEST_GUARDED_H

#include <string.h>

#include <string>

namespace krtest {

struct Guarded {
    explicit Guarded(size_t size) : size(size), bytes(size + 32, '\xA5') {}
    char *operator()() { return &bytes[0]; }
    bool Untouched(size_t from = 0) const { return bytes.find_first_not_of('\xA5', from) == std::string::npos; }
    bool Intact() const { return Untouched(size); } // nothing written past the buffer
    bool Terminated() const { return size == 0 || memchr(bytes.data(), 0, size); }
    size_t size;
    std::string bytes;
};

} // namespace krtest

#endif

// What every fuzz target shares: an invariant check that prints the case and
// ends the run, so that libFuzzer keeps the input that broke it.
#ifndef KR_FUZZ_CHECK_H
#define KR_FUZZ_CHECK_H

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#define FUZZ_CHECK(condition, ...)                                                                      \
    do {                                                                                                \
        if (!(condition)) {                                                                             \
            fprintf(stderr, "invariant failed at %s:%d: %s\n  case: ", __FILE__, __LINE__, #condition); \
            fprintf(stderr, __VA_ARGS__);                                                               \
            fputc('\n', stderr);                                                                        \
            abort();                                                                                    \
        }                                                                                               \
    } while (0)

// A C string from the input: it ends at its first NUL, as the library sees it.
inline std::string NextText(FuzzedDataProvider &input, size_t most)
{
    return input.ConsumeRandomLengthString(most).c_str();
}

// A buffer of exactly n bytes on the heap, so that a write or read one byte
// past it is caught by the address sanitizer.
class ExactBuffer {
public:
    explicit ExactBuffer(size_t n) : bytes_(new char[n]) { memset(bytes_.get(), 0x5a, n); }
    // A terminated copy of text in a buffer of its own length and the NUL.
    explicit ExactBuffer(const std::string &text) : ExactBuffer(text.size() + 1)
    {
        memcpy(bytes_.get(), text.c_str(), text.size() + 1);
    }
    char *get() { return bytes_.get(); }

private:
    std::unique_ptr<char[]> bytes_;
};

#endif

// The bounded string helpers the profile text engine is built on: no read
// past a terminator or a count, the first match wholly inside the bound,
// a copy that fits count + 1 bytes, a comparison that is antisymmetric.
#include <algorithm>

#include "fuzz_check.h"
#include "krtext.h"

namespace {

// Where pattern first lies wholly within the first count bytes of text.
size_t FirstWithin(const std::string &text, const std::string &pattern, long count)
{
    const size_t bound = std::min(text.size(), static_cast<size_t>(count < 0 ? 0 : count));
    const size_t at = text.substr(0, bound).find(pattern);
    return at == std::string::npos ? std::string::npos : at;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const long count = input.ConsumeIntegralInRange<long>(-2, 300);
    const int c = input.ConsumeIntegral<char>();
    const std::string pattern = NextText(input, 140);
    const std::string text = NextText(input, 1000);
    ExactBuffer t(text), p(pattern);

    const char *found = lstrchr(t.get(), c);
    const size_t at = c ? text.find(static_cast<char>(c)) : std::string::npos;
    FUZZ_CHECK(found == (at == std::string::npos ? nullptr : t.get() + at), "lstrchr(\"%s\", %d)", text.c_str(), c);

    found = lstrstr(t.get(), p.get(), count);
    size_t expected = pattern.empty() ? 0 : FirstWithin(text, pattern, count);
    FUZZ_CHECK(found == (expected == std::string::npos ? nullptr : t.get() + expected), "lstrstr(\"%s\", \"%s\", %ld)",
               text.c_str(), pattern.c_str(), count);

    found = lstrfind(t.get(), p.get(), count);
    expected = pattern.size() > 128 ? std::string::npos : FirstWithin(text, "\r\n" + pattern + "=", count);
    FUZZ_CHECK(found == (expected == std::string::npos ? nullptr : t.get() + expected + 2),
               "lstrfind(\"%s\", \"%s\", %ld)", text.c_str(), pattern.c_str(), count);

    const int forward = lstrncmp(t.get(), p.get(), count), backward = lstrncmp(p.get(), t.get(), count);
    if (!text.empty() && !pattern.empty())
        FUZZ_CHECK((forward > 0) == (backward < 0) && (forward == 0) == (backward == 0),
                   "lstrncmp(\"%s\", \"%s\", %ld) = %d, reversed %d", text.c_str(), pattern.c_str(), count, forward,
                   backward);
    if (!text.empty())
        FUZZ_CHECK(lstrncmp(t.get(), t.get(), count) == 0, "lstrncmp of \"%s\" with itself", text.c_str());

    ExactBuffer copy(static_cast<size_t>(count < 1 ? 1 : count + 1));
    lstrncpy(copy.get(), t.get(), count);
    FUZZ_CHECK(copy.get() == text.substr(0, static_cast<size_t>(count < 0 ? 0 : count)), "lstrncpy(\"%s\", %ld) = \"%s\"",
               text.c_str(), count, copy.get());
    return 0;
}

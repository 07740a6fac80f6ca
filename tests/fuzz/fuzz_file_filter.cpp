// The dialog filter for a list of extensions, whole or read within a limit
// that may cut it before its NUL: the list cut at every "|" and at nothing
// else; the filter within its bytes, a list of name|pattern pairs ending in
// "||" that holds each known type of the list once, in the list's order,
// leaving a type out only when its text would not fit.
#include <algorithm>
#include <set>

#include "files/file_types.h"
#include "fuzz_check.h"
#include "krfiles.h"

namespace {

std::string Folded(std::string text)
{
    for (char &c : text)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
}

// The filter of one extension: "" for an unknown one, else its one pair.
std::string TextFor(const std::string &extension)
{
    ExactBuffer list(extension), filter(kr::kFilterBytes);
    const int result = GenFillFilterInfo(list.get(), filter.get());
    const std::string text = filter.get();
    const size_t bar = text.find('|');
    FUZZ_CHECK(result == !text.empty() &&
                   (text.empty() || (bar > 0 && std::count(text.begin(), text.end(), '|') == 3 &&
                                     text.compare(text.size() - 2, 2, "||") == 0 &&
                                     Folded(text.substr(bar + 1, text.size() - bar - 3)) == "*." + Folded(extension))),
               "\"%s\" gives %d, \"%s\"", extension.c_str(), result, text.c_str());
    return text;
}

// A call on `given`, the list's first `limit` bytes, left `cut` and `filter`.
void Check(const std::string &given, const char *cut, int result, const char *filter)
{
    const std::string list = given.substr(0, given.find('\0'));
    for (size_t i = 0; i < given.size(); ++i)
        FUZZ_CHECK(cut[i] == (i < list.size() && given[i] == '|' ? '\0' : given[i]), "\"%s\" byte %zu: %d",
                   list.c_str(), i, cut[i]);
    FUZZ_CHECK(memchr(filter, 0, kr::kFilterBytes), "\"%s\": filter not terminated", list.c_str());
    const std::string out = filter;
    FUZZ_CHECK(result == !out.empty(), "\"%s\" gives %d, \"%s\"", list.c_str(), result, out.c_str());

    // Each distinct piece's pair in turn, unless it would not fit.
    size_t at = 0;
    std::set<std::string> seen;
    for (size_t start = 0; start <= list.size();) {
        const size_t end = std::min(list.find('|', start), list.size());
        const std::string piece = list.substr(start, end - start);
        start = end + 1;
        if (piece.empty() || !seen.insert(Folded(piece)).second)
            continue;
        const std::string text = TextFor(piece), body = text.substr(0, text.size() ? text.size() - 1 : 0);
        if (!text.empty() && out.compare(at, body.size(), body) == 0)
            at += body.size();
        else
            FUZZ_CHECK(text.empty() || at + text.size() + 1 > kr::kFilterBytes, "\"%s\": \"%s\" left out of \"%s\"",
                       list.c_str(), piece.c_str(), out.c_str());
    }
    FUZZ_CHECK(out.size() == (at ? at + 1 : 0) && (!at || out[at] == '|'), "\"%s\" gives \"%s\"", list.c_str(),
               out.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const size_t limitChoice = input.ConsumeIntegral<uint16_t>();
    const std::string list = input.ConsumeRemainingBytesAsString();

    ExactBuffer whole(list), filter(kr::kFilterBytes);
    Check(std::string(list.c_str(), list.size() + 1), whole.get(), GenFillFilterInfo(whole.get(), filter.get()),
          filter.get());

    // The same list read only within its first `limit` bytes.
    const size_t limit = limitChoice % (list.size() + 2);
    ExactBuffer cut(limit), cutFilter(kr::kFilterBytes);
    memcpy(cut.get(), list.c_str(), limit);
    Check(std::string(list.c_str(), limit), cut.get(), kr::FillFilterInfo(cut.get(), limit, cutFilter.get()),
          cutFilter.get());
    return 0;
}

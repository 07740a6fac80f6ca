// Window placements in their text form: any text reads, without a byte past
// its end, into a record of the documented forms; any record's text fits
// kWindPosTextSize and reads back as the record; and a record read from a
// text reads back the same from its own text.
#include <algorithm>

#include "fuzz_check.h"
#include "settings/wind_pos_text.h"

namespace {

std::string Shown(const INIWINDPOS &p)
{
    char text[96];
    snprintf(text, sizeof text, "{%d,%d,%d,%d,%d,%d}", static_cast<int>(p.visible), p.show,
             static_cast<int>(p.left), static_cast<int>(p.top), static_cast<int>(p.right), static_cast<int>(p.bottom));
    return text;
}

bool Same(const INIWINDPOS &a, const INIWINDPOS &b)
{
    return a.visible == b.visible && a.show == b.show && a.left == b.left && a.top == b.top && a.right == b.right &&
           a.bottom == b.bottom;
}

// The text of a record, in a buffer of exactly the promised size.
std::string Format(const INIWINDPOS &pos)
{
    ExactBuffer out(kr::kWindPosTextSize);
    kr::FormatWindPos(pos, out.get(), kr::kWindPosTextSize);
    FUZZ_CHECK(memchr(out.get(), 0, kr::kWindPosTextSize), "text of %s not terminated", Shown(pos).c_str());
    const std::string text = out.get();
    FUZZ_CHECK(std::count(text.begin(), text.end(), ',') == 5, "text of %s is \"%s\"", Shown(pos).c_str(),
               text.c_str());
    return text;
}

// A record read from an exact copy of text, over a record of garbage.
INIWINDPOS Parse(const std::string &text, bool *read)
{
    ExactBuffer copy(text);
    INIWINDPOS pos;
    memset(&pos, 0x5a, sizeof pos);
    *read = kr::ParseWindPos(copy.get(), &pos);
    return pos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    INIWINDPOS pos{};
    pos.visible = input.ConsumeBool() ? 1 : 0;
    pos.show = input.ConsumeIntegralInRange<short>(SW_SHOWNORMAL, SW_SHOWMAXIMIZED);
    for (LONG *edge : {&pos.left, &pos.top, &pos.right, &pos.bottom})
        *edge = input.ConsumeIntegral<LONG>();
    const std::string text = input.ConsumeRemainingBytesAsString();

    bool read = false;
    const std::string formatted = Format(pos);
    const INIWINDPOS back = Parse(formatted, &read);
    FUZZ_CHECK(read && Same(back, pos), "%s as \"%s\" reads back as %s", Shown(pos).c_str(), formatted.c_str(),
               Shown(back).c_str());

    // A text with no field but commas reads as nothing; any other as a
    // visible flag of 0 or 1 and one of the three show states.
    const INIWINDPOS first = Parse(text, &read);
    const bool hasField = strspn(text.c_str(), ",") < strlen(text.c_str());
    FUZZ_CHECK(read == hasField, "\"%s\" read: %d", text.c_str(), read);
    if (!read) {
        FUZZ_CHECK(Same(first, INIWINDPOS{}), "\"%s\" left %s", text.c_str(), Shown(first).c_str());
        return 0;
    }
    FUZZ_CHECK((first.visible == 0 || first.visible == 1) && first.show >= SW_SHOWNORMAL &&
                   first.show <= SW_SHOWMAXIMIZED,
               "\"%s\" reads as %s", text.c_str(), Shown(first).c_str());
    const std::string again = Format(first);
    const INIWINDPOS second = Parse(again, &read);
    FUZZ_CHECK(read && Same(first, second), "\"%s\" reads as %s, its text \"%s\" as %s", text.c_str(),
               Shown(first).c_str(), again.c_str(), Shown(second).c_str());
    return 0;
}

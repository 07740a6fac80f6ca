#include "settings/wind_pos_text.h"

#include "support/runtime_format.h"

#include <stdlib.h>
#include <string.h>

namespace kr {
namespace {

const char *ShowName(short show)
{
    switch (show) {
    case SW_SHOWMINIMIZED:
        return "SW_SHOWMINIMIZED";
    case SW_SHOWMAXIMIZED:
        return "SW_SHOWMAXIMIZED";
    default:
        return "SW_SHOWNORMAL";
    }
}

// Fields as strtok gives them: empty fields between commas do not count.
class FieldReader {
public:
    explicit FieldReader(const char *text) : next_(text) {}

    bool Next()
    {
        next_ += strspn(next_, ",");
        if (!*next_)
            return false;
        field_ = next_;
        length_ = strcspn(next_, ",");
        next_ += length_;
        return true;
    }

    bool Is(const char *word) const
    {
        return strlen(word) == length_ && memcmp(field_, word, length_) == 0;
    }

    long AsLong() const { return atoi(field_); } // stops at the comma

private:
    const char *next_;
    const char *field_ = nullptr;
    size_t length_ = 0;
};

} // namespace

void FormatWindPos(const INIWINDPOS &pos, char *out, size_t cap)
{
    FormatText(out, cap, "%s,%s,%d,%d,%d,%d", pos.visible ? "TRUE" : "FALSE", ShowName(pos.show),
             static_cast<int>(pos.left), static_cast<int>(pos.top), static_cast<int>(pos.right),
             static_cast<int>(pos.bottom));
}

bool ParseWindPos(const char *text, INIWINDPOS *out)
{
    *out = INIWINDPOS{};
    FieldReader fields(text);
    if (!fields.Next())
        return false;
    out->visible = fields.Is("TRUE") ? 1 : 0;
    if (!fields.Next()) {
        // The flag alone: minimised, in a 100 by 100 rectangle.
        out->show = SW_SHOWMINIMIZED;
        out->right = out->bottom = 100;
        return true;
    }
    out->show = fields.Is("SW_SHOWMINIMIZED")   ? SW_SHOWMINIMIZED
                : fields.Is("SW_SHOWMAXIMIZED") ? SW_SHOWMAXIMIZED
                                                : SW_SHOWNORMAL;
    LONG *edges[] = {&out->left, &out->top, &out->right, &out->bottom};
    for (LONG *edge : edges)
        *edge = fields.Next() ? fields.AsLong() : 0;
    return true;
}

} // namespace kr

#include "settings/record_text.h"

#include <stddef.h>
#include <stdlib.h>
#include <string.h>

#include "support/runtime_format.h"

// The records cross the library boundary: their layout is fixed, the same on
// both architectures (no pointer fields).
static_assert(sizeof(QZFILE) == 784, "QZFILE size");
static_assert(offsetof(QZFILE, number) == 0, "QZFILE.number");
static_assert(offsetof(QZFILE, directory) == 2, "QZFILE.directory");
static_assert(offsetof(QZFILE, name) == 262, "QZFILE.name");
static_assert(offsetof(QZFILE, extension) == 518, "QZFILE.extension");
static_assert(offsetof(QZFILE, value1) == 776, "QZFILE.value1");
static_assert(offsetof(QZFILE, value2) == 780, "QZFILE.value2");
static_assert(sizeof(QZRAWFILE) == 788, "QZRAWFILE size");
static_assert(offsetof(QZRAWFILE, index1) == 784, "QZRAWFILE.index1");
static_assert(offsetof(QZRAWFILE, index2) == 786, "QZRAWFILE.index2");

namespace kr {
namespace {

template <size_t N>
int Bounded(const char (&field)[N])
{
    return static_cast<int>(strnlen(field, N));
}

// 16-bit fields print as 0 to 65535, so that atoi gives back the same bits.
unsigned Unsigned16(short value)
{
    return static_cast<unsigned short>(value);
}

// Copies the field at text (up to a comma, the end, or size - 1 characters)
// into a zero-filled destination when one is given, and returns the text
// after the field's comma, or null when there is none.
const char *NextField(const char *text, char *destination, size_t size)
{
    if (!text)
        return nullptr;
    const char *p = text;
    if (destination) {
        memset(destination, 0, size);
        for (size_t n = 0; *p && *p != ',' && n + 1 < size; ++n)
            destination[n] = *p++;
    }
    const char *comma = strchr(p, ',');
    return comma ? comma + 1 : nullptr;
}

const char *ParseFileFields(const char *text, QZFILE *file)
{
    *file = QZFILE{};
    file->number = static_cast<short>(atoi(text));
    const char *p = NextField(text, nullptr, 0);
    p = NextField(p, file->directory, sizeof file->directory);
    p = NextField(p, file->name, sizeof file->name);
    p = NextField(p, file->extension, sizeof file->extension);
    file->value1 = p ? atol(p) : 0;
    p = NextField(p, nullptr, 0);
    file->value2 = p ? atol(p) : 0;
    return p;
}

} // namespace

int FormatRecord(const QZFILE &f, char *out, size_t cap)
{
    if (cap == 0)
        return -1; // no room even for the terminator: FormatText needs one byte
    return FormatText(out, cap, "%u,%.*s,%.*s,%.*s,%ld,%ld", Unsigned16(f.number), Bounded(f.directory),
                      f.directory, Bounded(f.name), f.name, Bounded(f.extension), f.extension,
                      static_cast<long>(f.value1), static_cast<long>(f.value2));
}

int FormatRecord(const QZRAWFILE &raw, char *out, size_t cap)
{
    const int length = FormatRecord(raw.file, out, cap);
    if (length < 0)
        return -1;
    const int tail = FormatText(out + length, cap - length, ",%u,%u", Unsigned16(raw.index1), Unsigned16(raw.index2));
    return tail < 0 ? -1 : length + tail;
}

void ParseRecord(const char *text, QZFILE *file)
{
    ParseFileFields(text, file);
}

void ParseRecord(const char *text, QZRAWFILE *raw)
{
    const char *p = ParseFileFields(text, &raw->file);
    p = NextField(p, nullptr, 0);
    raw->index1 = static_cast<short>(p ? atoi(p) : 1);
    p = NextField(p, nullptr, 0);
    raw->index2 = static_cast<short>(p ? atoi(p) : 0);
}

} // namespace kr

// Chart blocks of trace descriptions: the getters read nothing past the
// buffer a description lies in (four bytes past its NUL without a visible
// block), units fit 32 bytes, a writer's block fits the 169 bytes promised
// and reads back, and hiding a block keeps its settings.
// Input: one byte of flags, then the buffer: the description up to its NUL,
// then what lies behind it (where a hidden block starts).
#include <math.h>

#include <algorithm>

#include "fuzz_check.h"
#include "krtext.h"

namespace {

constexpr size_t kRoom = 169;

struct Settings {
    float scale, offset;
    int vertical, header, scientific;
    char units[33];
};

Settings Read(const char *text)
{
    ExactBuffer units(32);
    GetCustomChartUnits(text, units.get());
    Settings s{GetCustomChartScaling(text), GetCustomChartOffset(text), GetCustomChartVerticalAxisDecimalDigits(text),
               GetCustomChartHeaderDecimalDigits(text), GetCustomChartUseScientificNotation(text), {}};
    memcpy(s.units, units.get(), 32);
    return s;
}

// Floats as sscanf read them back from "%f": within the 6 decimals.
bool Near(float a, float b, float tolerance)
{
    return a == b || (isnan(a) && isnan(b)) || fabsf(a - b) <= tolerance + fabsf(a) * 1.2e-7f;
}

bool Same(const Settings &a, const Settings &b, float tolerance)
{
    return Near(a.scale, b.scale, tolerance) && Near(a.offset, b.offset, tolerance) && a.vertical == b.vertical &&
           a.header == b.header && a.scientific == b.scientific && strcmp(a.units, b.units) == 0;
}

// Appends with `write` to a copy of description given exactly its room;
// false, checking the copy is untouched, when the writer refuses.
bool Append(const std::string &description, int (*write)(const char *, char *), const char *source, Settings *out)
{
    ExactBuffer buffer(description.size() + 1 + kRoom);
    memcpy(buffer.get(), description.c_str(), description.size() + 1);
    if (write(source, buffer.get()) != 1) {
        FUZZ_CHECK(buffer.get() == description, "refusing writer changed \"%s\"", description.c_str());
        return false;
    }
    FUZZ_CHECK(strncmp(buffer.get(), (description + ",$CC$,").c_str(), description.size() + 6) == 0,
               "appended \"%s\" to \"%s\"", buffer.get(), description.c_str());
    *out = Read(buffer.get());
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 4096)
        return 0;
    std::string bytes(reinterpret_cast<const char *>(data) + 1, size - 1);
    const std::string text = bytes.c_str();
    const bool visible = text.find(",$CC$") != std::string::npos;
    if (visible && (data[0] & 1))
        bytes = text; // a visible block needs nothing past the NUL
    else {
        bytes.resize(std::max(bytes.size(), text.size() + 5), '\0');
        if (bytes.compare(text.size() + 1, 4, "$CC$") == 0 && bytes.find('\0', text.size() + 1) == std::string::npos)
            bytes += '\0'; // a hidden block ends in the buffer
    }
    ExactBuffer buffer(bytes);
    const Settings read = Read(buffer.get());
    const std::string description = text.substr(0, text.find(",$CC$"));

    Settings back;
    if (Append(description, GetCustomChartAnalogParams, buffer.get(), &back)) {
        FUZZ_CHECK(memchr(read.units, '\0', 32), "units of \"%s\" not terminated in 32 bytes", buffer.get());
        FUZZ_CHECK(Same(read, back, 5e-7f), "block of \"%s\" read back as %.9g %.9g %d %d %d [%s]", buffer.get(),
                   back.scale, back.offset, back.vertical, back.header, back.scientific, back.units);
    } else {
        FUZZ_CHECK(read.scale == 1.0f && read.offset == 0.0f && !read.vertical && !read.header && !read.scientific &&
                       static_cast<uint8_t>(read.units[0]) == 0x5a,
                   "defaults of \"%s\"", buffer.get());
    }

    const Settings diodeArray{1e6f, 0.0f, 3, 3, 1, "AU"}, plain{1.0f, 0.0f, 0, 0, 0, "%"};
    const auto diodeArrayWriter = [](const char *, char *b) { return GetCustomChartDADParams(b); };
    FUZZ_CHECK(Append(description, diodeArrayWriter, "", &back) && Same(back, diodeArray, 0),
               "diode-array block after \"%s\"", description.c_str());
    FUZZ_CHECK(Append(description, GetDefaultCustomChartParams, text.c_str(), &back) && Same(back, plain, 0),
               "plain block after \"%s\"", description.c_str());

    // Hiding needs no room: the block already lies behind the new NUL.
    ExactBuffer moved(text);
    FUZZ_CHECK(MoveCustomChartParams(moved.get()) == (visible ? 1 : 0) && moved.get() == description,
               "hiding in \"%s\" left \"%s\"", text.c_str(), moved.get());
    if (visible)
        FUZZ_CHECK(Same(Read(moved.get()), read, 0), "hidden block of \"%s\" reads differently", text.c_str());
    return 0;
}

// The file records' text forms: a text of any cap is terminated within it and
// whole or -1; a record whose text fields hold no comma reads back from its
// text (a field that fills its array cut by one, the number as 16 bits, a raw
// record's indices 1 and 0 when the text lacks them); any text reads into
// terminated fields without commas that keep their values through their text.
#include "fuzz_check.h"
#include "settings/record_text.h"

namespace {

// A text field as the record holds it: up to its NUL or the array's end.
template <size_t N>
std::string Field(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

template <size_t N>
void Fill(char (&field)[N], const std::string &text)
{
    memset(field, 0, N);
    memcpy(field, text.data(), std::min(N, text.size()));
}

template <size_t N>
bool ReadsBack(const char (&read)[N], const char (&original)[N])
{
    return memchr(read, 0, N) && Field(read) == Field(original).substr(0, N - 1);
}

bool ReadsBack(const QZRAWFILE &read, const QZRAWFILE &original)
{
    const QZFILE &r = read.file, &o = original.file;
    return r.number == o.number && ReadsBack(r.directory, o.directory) && ReadsBack(r.name, o.name) &&
           ReadsBack(r.extension, o.extension) && r.value1 == o.value1 && r.value2 == o.value2 &&
           read.index1 == original.index1 && read.index2 == original.index2;
}

// The text of a record in a buffer of exactly cap bytes, checked against
// its whole text.
template <typename Record>
std::string Format(const Record &record, size_t cap)
{
    char whole[1024];
    const int length = kr::FormatRecord(record, whole, sizeof whole);
    FUZZ_CHECK(length >= 0 && static_cast<size_t>(length) == strlen(whole), "length %d of \"%s\"", length, whole);
    ExactBuffer out(cap);
    const int result = kr::FormatRecord(record, out.get(), cap);
    FUZZ_CHECK(result == (static_cast<size_t>(length) < cap ? length : -1) && (cap == 0 || memchr(out.get(), 0, cap)) &&
                   (result < 0 || strcmp(out.get(), whole) == 0),
               "\"%s\" into %zu bytes: %d, \"%.*s\"", whole, cap, result, static_cast<int>(cap), out.get());
    return whole;
}

template <typename Record>
Record Parse(const std::string &text)
{
    ExactBuffer copy(text);
    Record record;
    memset(&record, 0x5a, sizeof record);
    kr::ParseRecord(copy.get(), &record);
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const size_t cap = input.ConsumeIntegralInRange<size_t>(0, 900);
    QZRAWFILE raw;
    raw.file.number = input.ConsumeIntegral<short>();
    raw.file.value1 = input.ConsumeIntegral<LONG>();
    raw.file.value2 = input.ConsumeIntegral<LONG>();
    raw.index1 = input.ConsumeIntegral<short>();
    raw.index2 = input.ConsumeIntegral<short>();
    Fill(raw.file.directory, input.ConsumeRandomLengthString(300));
    Fill(raw.file.name, input.ConsumeRandomLengthString(300));
    Fill(raw.file.extension, input.ConsumeRandomLengthString(300));
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::string rawText = Format(raw, cap), fileText = Format(raw.file, cap);
    const std::string fields = Field(raw.file.directory) + Field(raw.file.name) + Field(raw.file.extension);
    if (fields.find(',') == std::string::npos) {
        FUZZ_CHECK(ReadsBack(Parse<QZRAWFILE>(rawText), raw), "\"%s\" does not read back", rawText.c_str());
        QZRAWFILE defaults = raw;
        defaults.index1 = 1;
        defaults.index2 = 0;
        FUZZ_CHECK(ReadsBack(Parse<QZRAWFILE>(fileText), defaults), "\"%s\" as a raw record", fileText.c_str());
    }

    // Any text: both records read it alike, and read the same from their own text.
    const QZRAWFILE read = Parse<QZRAWFILE>(text);
    const QZFILE file = Parse<QZFILE>(text);
    FUZZ_CHECK(memcmp(&file, &read.file, offsetof(QZFILE, extension) + sizeof file.extension) == 0 &&
                   file.value1 == read.file.value1 && file.value2 == read.file.value2,
               "\"%s\" reads differently as a raw record", text.c_str());
    const std::string readFields = Field(read.file.directory) + Field(read.file.name) + Field(read.file.extension);
    FUZZ_CHECK(readFields.find(',') == std::string::npos && memchr(read.file.directory, 0, 260) &&
                   memchr(read.file.name, 0, 256) && memchr(read.file.extension, 0, 256),
               "\"%s\" gave an unterminated field or one with a comma", text.c_str());
    const std::string again = Format(read, cap);
    FUZZ_CHECK(ReadsBack(Parse<QZRAWFILE>(again), read), "\"%s\" read as \"%s\" reads back differently",
               text.c_str(), again.c_str());
    return 0;
}

// Typed values in the global store: longs, doubles and the file records, in
// their fixed text forms.
#include "krsettings.h"

#include <stdlib.h>

#include "krtext.h"
#include "settings/profile_text.h"
#include "settings/record_text.h"
#include "support/runtime_format.h"

namespace {

constexpr int kNumberBytes = 32;
constexpr int kRecordBytes = 516;
constexpr int kValueBytes = 512;

// Parses the stored text of section/key into *out, cleared first. For a
// missing key the result is 0 and *out stays cleared: a default would only
// stand in for a text that is then not used, so the callers' defaults play
// no part.
template <typename Value, typename Parse>
int ReadValue(const char *section, const char *key, Value *out, Parse parse)
{
    if (!out)
        return 0;
    *out = Value{};
    char text[kValueBytes];
    if (GetGlobalString(section, key, nullptr, text, kValueBytes) < 0)
        return 0;
    parse(text, out);
    return 1;
}

template <typename Record>
void ParseInto(const char *text, Record *record)
{
    kr::ParseRecord(text, record);
}

// A record is stored only whole: a text longer than the key's line holds
// would be cut and read back wrong.
template <typename Record>
int SetRecord(const char *section, const char *key, const Record *record, int create)
{
    if (!record || !key)
        return 0;
    char text[kRecordBytes];
    const int length = kr::FormatRecord(*record, text, sizeof text);
    if (length < 0 || length > kr::MaxValueLength(key))
        return 0;
    return SetGlobalString(section, key, text, create);
}

} // namespace

int KRAPI GetGlobalLong(const char *section, const char *key, long, long *out)
{
    return ReadValue(section, key, out, [](const char *text, long *value) { *value = atol(text); });
}

int KRAPI SetGlobalLong(const char *section, const char *key, long value, int create)
{
    char text[kNumberBytes];
    kr::FormatText(text, sizeof text, "%ld", value);
    return SetGlobalString(section, key, text, create);
}

int KRAPI GetGlobalDouble(const char *section, const char *key, double, double *out)
{
    return ReadValue(section, key, out, [](const char *text, double *value) { *value = atof(text); });
}

int KRAPI SetGlobalDouble(const char *section, const char *key, double value, int create)
{
    char text[kNumberBytes];
    ftoa(value, text, 8);
    return SetGlobalString(section, key, text, create);
}

int KRAPI GetGlobalFile(const char *section, const char *key, const QZFILE *, QZFILE *out)
{
    return ReadValue(section, key, out, ParseInto<QZFILE>);
}

int KRAPI SetGlobalFile(const char *section, const char *key, const QZFILE *file, int create)
{
    return SetRecord(section, key, file, create);
}

int KRAPI GetGlobalRawFile(const char *section, const char *key, const QZRAWFILE *, QZRAWFILE *out)
{
    return ReadValue(section, key, out, ParseInto<QZRAWFILE>);
}

int KRAPI SetGlobalRawFile(const char *section, const char *key, const QZRAWFILE *raw, int create)
{
    return SetRecord(section, key, raw, create);
}

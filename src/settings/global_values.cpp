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

// The stored text of section/key; false when it is missing (the default
// text then never reaches the caller) or the store is unusable.
bool ReadText(const char *section, const char *key, const char *def, char (&text)[kValueBytes])
{
    return GetGlobalString(section, key, def, text, kValueBytes) >= 0;
}

template <typename Record>
int GetRecord(const char *section, const char *key, const Record *def, Record *out)
{
    if (!out)
        return 0;
    *out = Record{};
    char defText[kRecordBytes], text[kValueBytes];
    if (def)
        kr::FormatRecord(*def, defText, sizeof defText);
    if (!ReadText(section, key, def ? defText : nullptr, text))
        return 0;
    kr::ParseRecord(text, out);
    return 1;
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

int KRAPI GetGlobalLong(const char *section, const char *key, long def, long *out)
{
    if (!out)
        return 0;
    *out = 0;
    char defText[kNumberBytes], text[kValueBytes];
    kr::FormatText(defText, sizeof defText, "%ld", def);
    if (!ReadText(section, key, defText, text))
        return 0;
    *out = atol(text);
    return 1;
}

int KRAPI SetGlobalLong(const char *section, const char *key, long value, int create)
{
    char text[kNumberBytes];
    kr::FormatText(text, sizeof text, "%ld", value);
    return SetGlobalString(section, key, text, create);
}

int KRAPI GetGlobalDouble(const char *section, const char *key, double def, double *out)
{
    if (!out)
        return 0;
    *out = 0.0;
    char defText[kNumberBytes], text[kValueBytes];
    ftoa(def, defText, 8);
    if (!ReadText(section, key, defText, text))
        return 0;
    *out = atof(text);
    return 1;
}

int KRAPI SetGlobalDouble(const char *section, const char *key, double value, int create)
{
    char text[kNumberBytes];
    ftoa(value, text, 8);
    return SetGlobalString(section, key, text, create);
}

int KRAPI GetGlobalFile(const char *section, const char *key, const QZFILE *def, QZFILE *out)
{
    return GetRecord(section, key, def, out);
}

int KRAPI SetGlobalFile(const char *section, const char *key, const QZFILE *file, int create)
{
    return SetRecord(section, key, file, create);
}

int KRAPI GetGlobalRawFile(const char *section, const char *key, const QZRAWFILE *def, QZRAWFILE *out)
{
    return GetRecord(section, key, def, out);
}

int KRAPI SetGlobalRawFile(const char *section, const char *key, const QZRAWFILE *raw, int create)
{
    return SetRecord(section, key, raw, create);
}

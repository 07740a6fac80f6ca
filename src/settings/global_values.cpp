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

// A record is stored only whole: a text longer than the key's line holds
// would be cut and read back wrong.
int StoreRecordText(const char *section, const char *key, char *text, int length, int create)
{
    if (!key || length < 0 || length > kr::MaxValueLength(key))
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
    if (!out)
        return 0;
    *out = QZFILE{};
    char defText[kRecordBytes], text[kValueBytes];
    if (def)
        kr::FormatFileRecord(*def, defText, sizeof defText);
    if (!ReadText(section, key, def ? defText : nullptr, text))
        return 0;
    kr::ParseFileRecord(text, out);
    return 1;
}

int KRAPI SetGlobalFile(const char *section, const char *key, const QZFILE *file, int create)
{
    if (!file)
        return 0;
    char text[kRecordBytes];
    const int length = kr::FormatFileRecord(*file, text, sizeof text);
    return StoreRecordText(section, key, text, length, create);
}

int KRAPI GetGlobalRawFile(const char *section, const char *key, const QZRAWFILE *def, QZRAWFILE *out)
{
    if (!out)
        return 0;
    *out = QZRAWFILE{};
    char defText[kRecordBytes], text[kValueBytes];
    if (def)
        kr::FormatRawFileRecord(*def, defText, sizeof defText);
    if (!ReadText(section, key, def ? defText : nullptr, text))
        return 0;
    kr::ParseRawFileRecord(text, out);
    return 1;
}

int KRAPI SetGlobalRawFile(const char *section, const char *key, const QZRAWFILE *raw, int create)
{
    if (!raw)
        return 0;
    char text[kRecordBytes];
    const int length = kr::FormatRawFileRecord(*raw, text, sizeof text);
    return StoreRecordText(section, key, text, length, create);
}

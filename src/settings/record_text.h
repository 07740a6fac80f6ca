// The text forms of the file records in the settings store.
#ifndef KR_SETTINGS_RECORD_TEXT_H
#define KR_SETTINGS_RECORD_TEXT_H

#include <stddef.h>

#include "krfiles.h"

namespace kr {

// The record's text; text fields that fill their whole array without a NUL
// end with the array. Returns the length, or -1 when it does not fit cap.
int FormatRecord(const QZFILE &file, char *out, size_t cap);
int FormatRecord(const QZRAWFILE &raw, char *out, size_t cap);

// Fills the record (cleared first) from its text, field by field: a field
// too long for its array is cut and its remainder skipped; missing numbers
// read as 0 (index1 as 1).
void ParseRecord(const char *text, QZFILE *file);
void ParseRecord(const char *text, QZRAWFILE *raw);

} // namespace kr

#endif

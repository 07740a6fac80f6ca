// The text form of a window placement, e.g. "TRUE,SW_SHOWNORMAL,10,20,610,420".
#ifndef KR_SETTINGS_WIND_POS_TEXT_H
#define KR_SETTINGS_WIND_POS_TEXT_H

#include <stddef.h>

#include "krsettings.h"

namespace kr {

// Large enough for any placement's text.
constexpr size_t kWindPosTextSize = 80;

void FormatWindPos(const INIWINDPOS &pos, char *out, size_t cap);

// Fills *out (cleared first) from a text whose fields are separated by runs
// of commas. False, with the record all zero, when the text has no field.
bool ParseWindPos(const char *text, INIWINDPOS *out);

} // namespace kr

#endif

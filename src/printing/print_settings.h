// The print settings kept in the section of KESTRUNE.INI that the string
// table names ("Print"): what the print dialog starts from and saves on OK,
// and the single keys the printer set-up and the printer resources use.
#ifndef KR_PRINTING_PRINT_SETTINGS_H
#define KR_PRINTING_PRINT_SETTINGS_H

#include "krprinting.h"
#include "printing/print_settings_text.h"

namespace kr {

// Clears the record and reads every key into it.
void LoadPrintSettings(PrintSettings &settings);
// Writes every key, in PrintKey order.
void SavePrintSettings(const PrintSettings &settings);

// One key: read into its field, or written from it.
void LoadPrintSetting(PrintKey key, PrintSettings &settings);
void SavePrintSetting(PrintKey key, const PrintSettings &settings);

} // namespace kr

#endif

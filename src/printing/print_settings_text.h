// The print settings as the values of the "Print" section of KESTRUNE.INI:
// each key's default, how its text reads into the record and how the
// record writes it back. Pure text; the INI file is print_settings.h's.
#ifndef KR_PRINTING_PRINT_SETTINGS_TEXT_H
#define KR_PRINTING_PRINT_SETTINGS_TEXT_H

#include <stddef.h>

#include "krprinting.h"

namespace kr {

// In the order the keys are written.
enum class PrintKey {
    GapLeft,
    GapTop,
    GapRight,
    GapBottom,
    PrintToFile,
    AllWindows,
    Border,
    Black,
    LineWidth,
    FontSize,
    PrintQuality,
    Copies,
    Orientation,
};
constexpr int kPrintKeyCount = 13;

const char *PrintKeyName(PrintKey key);
const char *PrintKeyDefault(PrintKey key);

// Reads the key's value into its field; any text gives a valid value.
void ReadPrintValue(PrintKey key, const char *text, PrintSettings &settings);

// The field as the key's value text.
constexpr size_t kPrintValueBytes = 32;
void WritePrintValue(PrintKey key, const PrintSettings &settings, char (&out)[kPrintValueBytes]);

} // namespace kr

#endif

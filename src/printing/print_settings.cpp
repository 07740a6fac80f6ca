// Reading and writing the print settings in KESTRUNE.INI.
#include "printing/print_settings.h"

#include "krsettings.h"
#include "krutil_strings.h"
#include "support/module_instance.h"

namespace kr {
namespace {

// Values are read into 128-byte buffers.
constexpr short kValueBytes = 128;

// False when the string table lacks the name: nothing is then read or written.
bool PrintSection(char (&out)[32])
{
    return LoadStringA(ModuleInstance(), IDS_PRINT_SECTION, out, sizeof out) > 0;
}

} // namespace

void LoadPrintSetting(PrintKey key, PrintSettings &settings)
{
    char section[32];
    char text[kValueBytes];
    lstrcpynA(text, PrintKeyDefault(key), sizeof text);
    if (PrintSection(section))
        GetIniString(section, PrintKeyName(key), PrintKeyDefault(key), text, sizeof text);
    ReadPrintValue(key, text, settings);
}

void SavePrintSetting(PrintKey key, const PrintSettings &settings)
{
    char section[32];
    char text[kPrintValueBytes];
    WritePrintValue(key, settings, text);
    if (PrintSection(section))
        SetIniString(section, PrintKeyName(key), text, 0);
}

void LoadPrintSettings(PrintSettings &settings)
{
    InitIni(0);
    settings = PrintSettings{};
    for (int key = 0; key < kPrintKeyCount; ++key)
        LoadPrintSetting(static_cast<PrintKey>(key), settings);
}

void SavePrintSettings(const PrintSettings &settings)
{
    for (int key = 0; key < kPrintKeyCount; ++key)
        SavePrintSetting(static_cast<PrintKey>(key), settings);
}

} // namespace kr

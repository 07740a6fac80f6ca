// The texts of the print settings: the forms, defaults and limits of each
// key of the "Print" section.
#include "printing/print_settings_text.h"

#include <stdlib.h>
#include <string.h>

#include "krtext.h"
#include "printing/truncation.h"
#include "text/case_fold.h"

namespace kr {
namespace {

enum class Form {
    Margin,      // centimetres, written with 2 decimals
    Flag,        // "TRUE" or "FALSE"
    LineWidth,   // a whole trace width 0..5
    FontSize,    // points 1..48
    Whole,       // a double written without decimals
    Orientation, // "PORTRAIT" or "LANDSCAPE"
};

struct KeyForm {
    const char *name;
    const char *def;
    Form form;
    size_t offset; // of the field in PrintSettings
};

// In PrintKey order.
const KeyForm kKeys[kPrintKeyCount] = {
    {"GapLeft", "1.00", Form::Margin, offsetof(PrintSettings, margins[PRINT_MARGIN_LEFT])},
    {"GapTop", "1.00", Form::Margin, offsetof(PrintSettings, margins[PRINT_MARGIN_TOP])},
    {"GapRight", "1.00", Form::Margin, offsetof(PrintSettings, margins[PRINT_MARGIN_RIGHT])},
    {"GapBottom", "1.00", Form::Margin, offsetof(PrintSettings, margins[PRINT_MARGIN_BOTTOM])},
    {"PrintToFile", "FALSE", Form::Flag, offsetof(PrintSettings, printToFile)},
    {"AllWindows", "FALSE", Form::Flag, offsetof(PrintSettings, allWindows)},
    {"Border", "TRUE", Form::Flag, offsetof(PrintSettings, border)},
    {"Black", "TRUE", Form::Flag, offsetof(PrintSettings, black)},
    {"LineWidth", "1", Form::LineWidth, offsetof(PrintSettings, lineWidth)},
    {"FontSize", "10", Form::FontSize, offsetof(PrintSettings, fontSize)},
    {"PrintQuality", "300", Form::Whole, offsetof(PrintSettings, printQuality)},
    {"Copies", "1", Form::Whole, offsetof(PrintSettings, copies)},
    {"Orientation", "PORTRAIT", Form::Orientation, offsetof(PrintSettings, orientation)},
};

const KeyForm &FormOf(PrintKey key)
{
    return kKeys[static_cast<int>(key)];
}

template <class T> T &Field(PrintSettings &settings, const KeyForm &form)
{
    return *reinterpret_cast<T *>(reinterpret_cast<char *>(&settings) + form.offset);
}

template <class T> T Field(const PrintSettings &settings, const KeyForm &form)
{
    return *reinterpret_cast<const T *>(reinterpret_cast<const char *>(&settings) + form.offset);
}

// The value truncated; only its low 16 bits are tested against 0..5. A
// value no long can hold has no truncation to test and reads as 1.
long LineWidthOf(double value)
{
    long whole;
    if (!TruncateToLong(value, whole))
        return 1;
    return static_cast<unsigned short>(whole) <= 5 ? whole : 1;
}

long FontSizeOf(const char *text)
{
    const long size = atoi(text);
    return size >= 1 && size <= 48 ? size : 10;
}

} // namespace

const char *PrintKeyName(PrintKey key)
{
    return FormOf(key).name;
}

const char *PrintKeyDefault(PrintKey key)
{
    return FormOf(key).def;
}

void ReadPrintValue(PrintKey key, const char *text, PrintSettings &settings)
{
    const KeyForm &form = FormOf(key);
    switch (form.form) {
    case Form::Margin:
        Field<float>(settings, form) = static_cast<float>(atofL(text));
        break;
    case Form::Flag:
        Field<long>(settings, form) = strcmp(text, "TRUE") == 0;
        break;
    case Form::LineWidth:
        Field<long>(settings, form) = LineWidthOf(atofL(text));
        break;
    case Form::FontSize:
        Field<long>(settings, form) = FontSizeOf(text);
        break;
    case Form::Whole:
        Field<double>(settings, form) = atofL(text);
        break;
    case Form::Orientation: // lower-case letters count as upper-case ones
        Field<long>(settings, form) = SameIgnoringCase(text, "LANDSCAPE") ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        break;
    }
}

void WritePrintValue(PrintKey key, const PrintSettings &settings, char (&out)[kPrintValueBytes])
{
    const KeyForm &form = FormOf(key);
    switch (form.form) {
    case Form::Margin:
        ftoa(Field<float>(settings, form), out, 2);
        break;
    case Form::Flag:
        strcpy(out, Field<long>(settings, form) ? "TRUE" : "FALSE");
        break;
    case Form::LineWidth:
    case Form::FontSize:
        _ltoa(Field<long>(settings, form), out, 10);
        break;
    case Form::Whole:
        ftoa(Field<double>(settings, form), out, 0);
        break;
    case Form::Orientation:
        strcpy(out, Field<long>(settings, form) == DMORIENT_LANDSCAPE ? "LANDSCAPE" : "PORTRAIT");
        break;
    }
}

} // namespace kr

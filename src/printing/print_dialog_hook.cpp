// The print dialog's hook: border, black, trace width and font size, which
// the platform's dialog does not know, and the margins button.
#include "printing/print_dialog_hook.h"

#include <commdlg.h>
#include <dlgs.h>

#include "krutil_dialogs.h"
#include "printing/margins_dialog.h"
#include "printing/print_settings.h"

namespace kr {
namespace {

// The record of the open dialog; the dialog is modal, so one at a time.
PrintSettings *g_settings = nullptr;

constexpr int kTraceWidths = 6; // "0" to "5"

LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wp, LPARAM lp)
{
    return SendDlgItemMessageA(dialog, id, message, wp, lp);
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void ShowSettings(HWND dialog, const PrintSettings &settings)
{
    CheckDlgButton(dialog, IDC_PRINT_BORDER, settings.border ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_PRINT_BLACK, settings.black ? BST_CHECKED : BST_UNCHECKED);
    for (char width = '0'; width < '0' + kTraceWidths; ++width) {
        const char text[2] = {width, '\0'};
        SendItem(dialog, IDC_PRINT_TRACE_WIDTH, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendItem(dialog, IDC_PRINT_TRACE_WIDTH, CB_SETCURSEL, settings.lineWidth, 0);
    SetDlgItemInt(dialog, IDC_PRINT_FONT_SIZE, settings.fontSize, TRUE);
}

void ReadSettings(HWND dialog, PrintSettings &settings)
{
    settings.border = Checked(dialog, IDC_PRINT_BORDER);
    settings.black = Checked(dialog, IDC_PRINT_BLACK);
    // A width outside the list showed no entry; it stays unless one is chosen.
    const LRESULT width = SendItem(dialog, IDC_PRINT_TRACE_WIDTH, CB_GETCURSEL, 0, 0);
    if (width != CB_ERR)
        settings.lineWidth = static_cast<long>(width);
    // Typed text follows the INI file's rule: no number or one outside 1..48 is 10.
    char size[kPrintValueBytes];
    GetDlgItemTextA(dialog, IDC_PRINT_FONT_SIZE, size, sizeof size);
    ReadPrintValue(PrintKey::FontSize, size, settings);
    settings.printToFile = Checked(dialog, chx1);
    settings.allWindows = Checked(dialog, rad1);
}

void Start(HWND dialog, const PRINTDLGA &data)
{
    g_settings = reinterpret_cast<PrintSettings *>(data.lCustData);
    ShowSettings(dialog, *g_settings);
    // Posted, so that the platform's own OK makes the device blocks as for a
    // click. Where OK cannot close it (no printer at all), the Cancel posted
    // after it does: an unseen dialog never waits for a user. Once OK has
    // closed it, the Cancel finds no window and is dropped.
    if (!g_settings->showDialog) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    }
}

// True when the command is the hook's alone.
bool Command(HWND dialog, int id)
{
    switch (id) {
    case IDOK:
        // Unseen, the dialog changed nothing: the settings stay as they are kept.
        if (g_settings->showDialog) {
            ReadSettings(dialog, *g_settings);
            SavePrintSettings(*g_settings);
        }
        return false;
    case IDC_PRINT_BORDER: // an automatic box: it has toggled itself
        return true;
    case IDC_PRINT_MARGINS:
        ShowMarginsDialog(dialog, *g_settings);
        return true;
    default:
        return false;
    }
}

} // namespace

UINT_PTR CALLBACK PrintDialogHook(HWND dialog, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_INITDIALOG) {
        Start(dialog, *reinterpret_cast<const PRINTDLGA *>(lp));
        return TRUE;
    }
    if (message == WM_DESTROY)
        g_settings = nullptr;
    if (message == WM_COMMAND && g_settings)
        return Command(dialog, LOWORD(wp));
    return FALSE;
}

} // namespace kr

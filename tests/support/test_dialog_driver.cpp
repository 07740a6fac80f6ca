// The dialog driver against a probe dialog that logs what reaches it, and
// against an explorer-style file dialog.
#include "support/dialog_driver.h"

#include <dlgs.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/box_answerer.h"

using krtest::Dialog;
using Texts = std::vector<std::string>;

namespace {

enum { EDIT = 100, LIST, COMBO, TREE, CHECK, NESTED };
std::string g_log;

void Log(HWND probe, const std::string &what) // only while shown, not while torn down
{
    if (IsWindowVisible(probe))
        g_log += (g_log.empty() ? "" : " ") + what;
}

HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, const char *text)
{
    TVINSERTSTRUCTA insert = {parent, TVI_LAST, {}};
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char *>(text);
    return TreeView_InsertItem(tree, &insert);
}

INT_PTR ShowProbe(const char *caption);

INT_PTR CALLBACK ProbeProc(HWND probe, UINT message, WPARAM wp, LPARAM lp)
{
    const HWND tree = GetDlgItem(probe, TREE);
    const auto *notice = reinterpret_cast<const NMTREEVIEWA *>(lp);
    char text[64] = "";
    if (message == WM_INITDIALOG) {
        for (const char *entry : {"one", "two", "three"})
            SendDlgItemMessageA(probe, COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        for (int i = 0; i < 30; ++i) {
            const std::string entry = "item" + std::to_string(i);
            SendDlgItemMessageA(probe, LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        AddTreeItem(tree, AddTreeItem(tree, TVI_ROOT, "root"), "____"); // filled when expanded
    } else if (message == WM_NOTIFY && notice->hdr.code == TVN_SELCHANGINGA) {
        Log(probe, "changing");
    } else if (message == WM_NOTIFY && notice->hdr.code == TVN_SELCHANGEDA) {
        Log(probe, "changed:" + Dialog(probe).TreeSelection(TREE));
    } else if (message == WM_NOTIFY && notice->hdr.code == TVN_ITEMEXPANDINGA) {
        Log(probe, "expanding");
        TreeView_DeleteItem(tree, TreeView_GetChild(tree, notice->itemNew.hItem));
        AddTreeItem(tree, notice->itemNew.hItem, "a");
        AddTreeItem(tree, notice->itemNew.hItem, "b");
    } else if (message == WM_COMMAND) {
        GetDlgItemTextA(probe, EDIT, text, sizeof text);
        switch (static_cast<DWORD>(wp)) { // control and notification
        case MAKELONG(EDIT, EN_CHANGE): return Log(probe, "change"), TRUE;
        case MAKELONG(LIST, LBN_SELCHANGE): return Log(probe, "lsel"), TRUE;
        case MAKELONG(LIST, LBN_DBLCLK): return EndDialog(probe, 200 + SendMessageA(HWND(lp), LB_GETCURSEL, 0, 0));
        case MAKELONG(COMBO, CBN_SELCHANGE): return Log(probe, "csel"), TRUE;
        case MAKELONG(CHECK, BN_CLICKED): return Log(probe, IsDlgButtonChecked(probe, CHECK) ? "checked" : "?"), TRUE;
        case MAKELONG(NESTED, BN_CLICKED): return Log(probe, "nested:" + std::to_string(ShowProbe("Nested"))), TRUE;
        case MAKELONG(IDCANCEL, BN_CLICKED): return EndDialog(probe, IDCANCEL);
        case MAKELONG(IDOK, BN_CLICKED):
            Log(probe, std::string("ok:") + text);
            return lstrcmpA(text, "refuse") ? EndDialog(probe, IDOK) : MessageBoxA(probe, "Refused", "Probe", MB_OK);
        }
    }
    return message == WM_INITDIALOG;
}

// An in-memory template: edit, list, combo box, tree, check box, a button
// that opens a nested probe, OK and Cancel.
INT_PTR ShowProbe(const char *caption)
{
    std::vector<WORD> t;
    const auto text = [&t](const char *s) { do t.push_back(static_cast<unsigned char>(*s)); while (*s++); };
    const auto dword = [&t](DWORD v) { t.insert(t.end(), {LOWORD(v), HIWORD(v)}); };
    dword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.insert(t.end(), {0, 0, 8, 0, 0, 240, 150, 0, 0}); // 8 controls, no menu, the standard class
    text(caption);
    t.push_back(8);
    text("MS Shell Dlg");
    const struct { const char *className; DWORD style; short x, y, cx, cy; WORD id; const char *title; } controls[] = {
        {"Edit", ES_AUTOHSCROLL | WS_BORDER, 5, 5, 100, 12, EDIT, ""},
        {"ListBox", LBS_NOTIFY | WS_VSCROLL | WS_BORDER, 5, 20, 100, 60, LIST, ""},
        {"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 5, 85, 100, 60, COMBO, ""},
        {WC_TREEVIEWA, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_BORDER, 110, 5, 120, 80, TREE, ""},
        {"Button", BS_AUTOCHECKBOX, 110, 90, 60, 10, CHECK, "Check"},
        {"Button", BS_PUSHBUTTON, 5, 130, 50, 14, NESTED, "Nested"},
        {"Button", BS_DEFPUSHBUTTON, 120, 130, 50, 14, IDOK, "OK"},
        {"Button", BS_PUSHBUTTON, 180, 130, 50, 14, IDCANCEL, "Cancel"},
    };
    for (const auto &c : controls) {
        t.resize(t.size() + t.size() % 2); // items are DWORD aligned
        dword(c.style | WS_CHILD | WS_VISIBLE | WS_TABSTOP);
        t.insert(t.end(), {0, 0, WORD(c.x), WORD(c.y), WORD(c.cx), WORD(c.cy), c.id});
        text(c.className);
        text(c.title);
        t.push_back(0);
    }
    return DialogBoxIndirectParamA(nullptr, reinterpret_cast<DLGTEMPLATE *>(t.data()), nullptr, ProbeProc, 0);
}

INT_PTR ShowOpenFile()
{
    char file[MAX_PATH] = "";
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lpstrTitle = "Pick a file";
    open.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    open.lpfnHook = [](HWND, UINT, WPARAM, LPARAM) -> UINT_PTR { return 0; };
    const BOOL chosen = GetOpenFileNameA(&open);
    g_log = strrchr(file, '\\') ? strrchr(file, '\\') + 1 : file;
    return chosen;
}

} // namespace

TEST(DialogDriver, ScriptsDialogsAsAPersonWould)
{
    InitCommonControls();
    const std::string typed = "change change change change change change"; // xy, deleted, Ann or refuse
    const auto probe = [] { return ShowProbe("Probe"); };
    const struct {
        const char *name;
        INT_PTR (*show)();
        std::vector<std::pair<std::string, krtest::DialogDriver::Script>> steps;
        INT_PTR result;
        std::string log;
        Texts failures; // the driver's reports; a row without any has its message boxes answered
    } rows[] = {
        {"typing, a check box, list entries clicked, scrolled to, double-clicked", probe, {{"Probe", [](Dialog &d) {
             d.Type(EDIT, "xy");
             d.Type(EDIT, "");
             d.Type(EDIT, "Ann");
             d.Click(CHECK);
             EXPECT_TRUE(d.Checked(CHECK) && d.Text(EDIT) == "Ann" && d.Enabled(LIST) && d.Visible(TREE));
             d.Screenshot("dialog_driver_probe");
             d.SelectListItem(LIST, "item27");
             EXPECT_EQ(27, d.ListSelection(LIST));
             d.SelectListItem(LIST, "item3", true);
         }}}, 203, typed + " checked lsel lsel", {}},
        {"combo box and tree", probe, {{"", [](Dialog &d) {
             d.SelectComboItem(COMBO, "two");
             EXPECT_TRUE(d.ListSelection(COMBO) == 1 && d.ListItems(COMBO) == (Texts{"one", "two", "three"}));
             EXPECT_TRUE(d.TreeChildren(TREE, {}) == Texts{"root"} && d.TreeHasExpandButton(TREE, {"root"}));
             d.ExpandTreeItem(TREE, {"root"});
             EXPECT_EQ((Texts{"a", "b"}), d.TreeChildren(TREE, {"root"}));
             d.SelectTreeItem(TREE, {"root", "b"});
             EXPECT_EQ("b", d.TreeSelection(TREE));
             d.Click(IDCANCEL);
         }}}, IDCANCEL, "csel expanding changing changed:root changing changed:b", {}},
        {"OK refused behind a message box, a nested dialog, OK", probe, {{"Probe", [](Dialog &d) {
             d.Type(EDIT, "refuse");
             d.Click(IDOK);
             EXPECT_TRUE(d.IsOpen());
             d.Click(NESTED);
             d.Type(EDIT, "");
             d.Click(IDOK);
         }}, {"Nested", [](Dialog &d) { d.Click(IDOK); }}}, IDOK, typed + " ok:refuse ok: nested:1 change ok:", {}},
        {"explorer-style file dialog", ShowOpenFile, {{"Pick a file", [](Dialog &d) {
             d.Type(cmb13, "probe.txt");
             d.Click(IDOK);
         }}}, TRUE, "probe.txt", {}},
        {"a box nobody answers, a dialog nobody waits for, a missing control, a dialog left open", probe,
         {{"Probe", [](Dialog &d) {
              d.Type(EDIT, "refuse");
              d.Click(IDOK);
              d.Click(NESTED);
              d.Click(999);
          }}, {"Elsewhere", nullptr}}, IDCANCEL, typed + " ok:refuse nested:2",
         {"\"Probe\" (\"Refused\") shown while no BoxAnswerer", "\"Nested\" came while waiting for \"Elsewhere\"",
          "no control 999", "still open after its script", "no dialog \"Elsewhere\" came"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        g_log.clear();
        testing::TestPartResultArray reported;
        INT_PTR result = -1;
        {
            testing::ScopedFakeTestPartResultReporter intercept(&reported);
            std::unique_ptr<krtest::BoxAnswerer> boxes(row.failures.empty() ? new krtest::BoxAnswerer : nullptr);
            krtest::DialogDriver driver;
            for (const auto &step : row.steps)
                driver.Then(step.first, step.second);
            result = row.show();
        }
        EXPECT_TRUE(row.result == result && row.log == g_log) << result << ": " << g_log;
        std::string failures;
        for (int i = 0; i < reported.size(); ++i)
            failures += std::string(reported.GetTestPartResult(i).message()) + "\n";
        EXPECT_EQ(row.failures.size(), static_cast<size_t>(reported.size())) << failures;
        for (const std::string &expected : row.failures)
            EXPECT_NE(std::string::npos, failures.find(expected)) << expected << " not in\n" << failures;
    }
}

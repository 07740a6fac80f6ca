// The dialog driver against a probe dialog that logs what reaches it.
#include "support/dialog_driver.h"

#include <dlgs.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/box_answerer.h"

using krtest::Dialog;

namespace {

enum { EDIT = 100, LIST, COMBO, TREE, CHECK, NESTED };
std::string g_log;

void Log(const std::string &what) { g_log += (g_log.empty() ? "" : " ") + what; }
// What reaches a probe while it is shown (not while it is torn down).
void Log(HWND probe, const std::string &what)
{
    if (IsWindowVisible(probe))
        Log(what);
}

HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, const char *text)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char *>(text);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

INT_PTR ShowProbe(const char *caption);

INT_PTR CALLBACK ProbeProc(HWND dialog, UINT message, WPARAM wp, LPARAM lp)
{
    const HWND tree = GetDlgItem(dialog, TREE);
    char text[64] = "";
    switch (message) {
    case WM_INITDIALOG:
        for (const char *entry : {"one", "two", "three"})
            SendDlgItemMessageA(dialog, COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        for (int i = 0; i < 30; ++i) {
            const std::string entry = "item" + std::to_string(i);
            SendDlgItemMessageA(dialog, LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        AddTreeItem(tree, AddTreeItem(tree, TVI_ROOT, "root"), "____");
        return TRUE;
    case WM_NOTIFY: {
        const auto *notice = reinterpret_cast<const NMTREEVIEWA *>(lp);
        if (notice->hdr.code == TVN_SELCHANGINGA)
            Log(dialog, "changing");
        if (notice->hdr.code == TVN_SELCHANGEDA)
            Log(dialog, "changed:" + Dialog(dialog).TreeSelection(TREE));
        if (notice->hdr.code == TVN_ITEMEXPANDINGA) {
            Log("expanding");
            const HTREEITEM placeholder = TreeView_GetChild(tree, notice->itemNew.hItem);
            TreeView_DeleteItem(tree, placeholder);
            AddTreeItem(tree, notice->itemNew.hItem, "a");
            AddTreeItem(tree, notice->itemNew.hItem, "b");
        }
        return FALSE;
    }
    case WM_COMMAND:
        switch (static_cast<DWORD>(wp)) { // control and notification
        case MAKELONG(EDIT, EN_CHANGE): Log("change"); break;
        case MAKELONG(LIST, LBN_SELCHANGE): Log("lsel"); break;
        case MAKELONG(LIST, LBN_DBLCLK):
            EndDialog(dialog, 200 + SendDlgItemMessageA(dialog, LIST, LB_GETCURSEL, 0, 0));
            break;
        case MAKELONG(COMBO, CBN_SELCHANGE): Log("csel"); break;
        case MAKELONG(CHECK, BN_CLICKED): Log(IsDlgButtonChecked(dialog, CHECK) ? "checked" : "unchecked"); break;
        case MAKELONG(NESTED, BN_CLICKED): Log("nested:" + std::to_string(ShowProbe("Nested"))); break;
        case MAKELONG(IDCANCEL, BN_CLICKED): EndDialog(dialog, IDCANCEL); break;
        case MAKELONG(IDOK, BN_CLICKED):
            GetDlgItemTextA(dialog, EDIT, text, sizeof text);
            Log(std::string("ok:") + text);
            if (lstrcmpA(text, "refuse") == 0)
                MessageBoxA(dialog, "Refused", "Probe", MB_OK);
            else
                EndDialog(dialog, IDOK);
        }
        return TRUE;
    }
    return FALSE;
}

// An in-memory template: edit, list, combo box, tree, check box, a button
// that opens a nested probe, OK and Cancel.
INT_PTR ShowProbe(const char *caption)
{
    std::vector<WORD> t;
    const auto text = [&t](const char *s) { do t.push_back(static_cast<unsigned char>(*s)); while (*s++); };
    const auto dword = [&t](DWORD v) { t.insert(t.end(), {LOWORD(v), HIWORD(v)}); };
    dword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    dword(0);
    t.insert(t.end(), {8, 0, 0, 240, 150, 0, 0});
    text(caption);
    t.push_back(8);
    text("MS Shell Dlg");
    struct Control { const char *className; DWORD style; short x, y, cx, cy; WORD id; const char *title; };
    const Control controls[] = {
        {"Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 5, 100, 12, EDIT, ""},
        {"ListBox", LBS_NOTIFY | WS_VSCROLL | WS_BORDER, 5, 20, 100, 60, LIST, ""},
        {"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 5, 85, 100, 60, COMBO, ""},
        {WC_TREEVIEWA, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_BORDER, 110, 5, 120, 80, TREE, ""},
        {"Button", BS_AUTOCHECKBOX, 110, 90, 60, 10, CHECK, "Check"},
        {"Button", BS_PUSHBUTTON, 5, 130, 50, 14, NESTED, "Nested"},
        {"Button", BS_DEFPUSHBUTTON, 120, 130, 50, 14, IDOK, "OK"},
        {"Button", BS_PUSHBUTTON, 180, 130, 50, 14, IDCANCEL, "Cancel"},
    };
    t[4] = sizeof controls / sizeof *controls;
    for (const Control &c : controls) {
        if (t.size() % 2)
            t.push_back(0); // items are DWORD aligned
        dword(c.style | WS_CHILD | WS_VISIBLE);
        dword(0);
        t.insert(t.end(), {WORD(c.x), WORD(c.y), WORD(c.cx), WORD(c.cy), c.id});
        text(c.className);
        text(c.title);
        t.push_back(0);
    }
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE *>(t.data()), nullptr,
                                   ProbeProc, 0);
}

UINT_PTR CALLBACK FileHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

INT_PTR ShowOpenFile()
{
    char file[MAX_PATH] = "";
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lpstrTitle = "Pick a file";
    open.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    open.lpfnHook = FileHook;
    const BOOL chosen = GetOpenFileNameA(&open);
    Log(strrchr(file, '\\') ? strrchr(file, '\\') + 1 : file);
    return chosen;
}

} // namespace

TEST(DialogDriver, ScriptsDialogsAsAPersonWould)
{
    InitCommonControls();
    using Steps = std::vector<std::pair<std::string, krtest::DialogDriver::Script>>;
    struct Row {
        const char *name;
        INT_PTR (*show)();
        Steps steps;
        INT_PTR result;
        std::string log;
        std::vector<std::string> failures; // what the driver must report
        bool answerBoxes = true;
    };
    const auto probe = [] { return ShowProbe("Probe"); };
    const std::vector<Row> rows = {
        {"typing, a check box and OK", probe, {{"Probe", [](Dialog &d) {
             d.Type(EDIT, "xy");
             d.Type(EDIT, "");
             d.Type(EDIT, "Ann");
             d.Click(CHECK);
             EXPECT_TRUE(d.Checked(CHECK) && d.Text(EDIT) == "Ann" && d.Enabled(LIST) && d.Visible(TREE));
             d.Screenshot("dialog_driver_probe");
             d.Click(IDOK);
         }}}, IDOK, "change change change change change change checked ok:Ann", {}},
        {"list entries clicked, scrolled to, double-clicked", probe, {{"", [](Dialog &d) {
             d.SelectListItem(LIST, "item27");
             EXPECT_EQ(27, d.ListSelection(LIST));
             d.SelectListItem(LIST, "item3", true);
         }}}, 203, "lsel lsel", {}},
        {"combo box and tree", probe, {{"Probe", [](Dialog &d) {
             d.SelectComboItem(COMBO, "two");
             EXPECT_TRUE(d.ListSelection(COMBO) == 1 && d.Text(COMBO) == "two");
             EXPECT_EQ((std::vector<std::string>{"one", "two", "three"}), d.ListItems(COMBO));
             EXPECT_EQ(std::vector<std::string>{"root"}, d.TreeChildren(TREE, {}));
             EXPECT_TRUE(d.TreeHasExpandButton(TREE, {"root"}));
             d.ExpandTreeItem(TREE, {"root"});
             EXPECT_EQ((std::vector<std::string>{"a", "b"}), d.TreeChildren(TREE, {"root"}));
             d.SelectTreeItem(TREE, {"root", "b"});
             EXPECT_EQ("b", d.TreeSelection(TREE));
             d.Click(IDCANCEL);
         }}}, IDCANCEL, "csel expanding changing changed:root changing changed:b", {}},
        {"OK refused behind a message box, then a nested dialog", probe, {{"Probe", [](Dialog &d) {
             d.Type(EDIT, "refuse");
             d.Click(IDOK);
             EXPECT_TRUE(d.IsOpen());
             d.Click(NESTED);
             d.Click(IDCANCEL);
         }}, {"Nested", [](Dialog &d) { d.Click(IDOK); }}}, IDCANCEL, "change change change change change change "
                                                                      "ok:refuse ok: nested:1", {}},
        {"explorer-style file dialog", ShowOpenFile, {{"Pick a file", [](Dialog &d) {
             d.Type(cmb13, "probe.txt");
             d.Click(IDOK);
         }}}, TRUE, "probe.txt", {}},
        {"a dialog left open, a missing control, a dialog nobody waits for", probe, {{"Probe", [](Dialog &d) {
             d.Click(NESTED);
             d.Click(999);
         }}, {"Elsewhere", nullptr}}, IDCANCEL, "nested:2",
         {"no control 999", "\"Nested\" came while waiting for \"Elsewhere\"", "still open after its script",
          "no dialog \"Elsewhere\" came"}},
        {"a message box without an answerer", probe, {{"Probe", [](Dialog &d) {
             d.Type(EDIT, "refuse");
             d.Click(IDOK);
             d.Click(IDCANCEL);
         }}}, IDCANCEL, "change change change change change change ok:refuse",
         {"\"Probe\" (\"Refused\") shown while no BoxAnswerer"}, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        g_log.clear();
        testing::TestPartResultArray reported;
        INT_PTR result = -1;
        {
            testing::ScopedFakeTestPartResultReporter intercept(&reported);
            std::unique_ptr<krtest::BoxAnswerer> boxes(row.answerBoxes ? new krtest::BoxAnswerer : nullptr);
            krtest::DialogDriver driver;
            for (const auto &step : row.steps)
                driver.Then(step.first, step.second);
            result = row.show();
        }
        EXPECT_EQ(row.result, result);
        EXPECT_EQ(row.log, g_log);
        std::string failures;
        for (int i = 0; i < reported.size(); ++i)
            failures += std::string(reported.GetTestPartResult(i).message()) + "\n";
        EXPECT_EQ(row.failures.size(), static_cast<size_t>(reported.size())) << failures;
        for (const std::string &expected : row.failures)
            EXPECT_NE(std::string::npos, failures.find(expected)) << expected << " not in\n" << failures;
    }
}

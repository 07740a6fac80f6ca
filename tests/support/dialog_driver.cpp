#include "support/dialog_driver.h"

#include <gtest/gtest.h>
#include <string.h>

#include <algorithm>

#include "support/box_answerer.h"
#include "support/screenshot.h"

namespace krtest {
namespace {

DialogDriver *g_driver = nullptr;

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A control among the dialog's children, then among those of its child
// dialogs, depth first.
HWND FindControl(HWND dialog, int id)
{
    if (HWND control = GetDlgItem(dialog, id))
        return control;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == "#32770")
            if (HWND control = FindControl(child, id))
                return control;
    return nullptr;
}

// The control itself when it is an edit, else the edit inside it (a combo
// box's, an extended combo box's).
HWND EditOf(HWND control)
{
    if (!control || lstrcmpiA(ClassOf(control).c_str(), "Edit") == 0)
        return control;
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (HWND edit = EditOf(child))
            return edit;
    return nullptr;
}

void SendClick(HWND window, POINT at, bool doubleClick)
{
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageA(window, WM_LBUTTONUP, 0, where);
    if (doubleClick) {
        SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
        SendMessageA(window, WM_LBUTTONUP, 0, where);
    }
}

std::string TreeItemText(HWND tree, HTREEITEM item)
{
    char text[MAX_PATH] = "";
    TVITEMA data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

HTREEITEM TreeNext(HWND tree, UINT relation, HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::string Joined(const std::vector<std::string> &texts)
{
    std::string all;
    for (const std::string &text : texts)
        all += (all.empty() ? "\"" : ", \"") + text + "\"";
    return "{" + all + "}";
}

// Ends a dialog a script left open: Cancel as a person would press it, and
// if the dialog refuses even that, ended directly.
void Cancel(HWND dialog)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    if (IsWindow(dialog) && IsWindowVisible(dialog))
        EndDialog(dialog, IDCANCEL);
}

} // namespace

HWND Dialog::Item(int id) const
{
    const HWND control = FindControl(hwnd, id);
    if (!control)
        ADD_FAILURE() << "dialog \"" << Caption() << "\" has no control " << id;
    return control;
}

HWND Dialog::Control(int id, const char *className) const
{
    const HWND control = Item(id);
    if (control && lstrcmpiA(ClassOf(control).c_str(), className) != 0) {
        ADD_FAILURE() << "control " << id << " of \"" << Caption() << "\" is a " << ClassOf(control) << ", not a "
                      << className;
        return nullptr;
    }
    return control;
}

std::string Dialog::Caption() const { return WindowText(hwnd); }
std::string Dialog::Text(int id) const { return WindowText(Item(id)); }
bool Dialog::Visible(int id) const { return IsWindowVisible(Item(id)); }
bool Dialog::Enabled(int id) const { return IsWindowEnabled(Item(id)); }
bool Dialog::Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Dialog::IsOpen() const { return IsWindow(hwnd) && IsWindowVisible(hwnd); }

void Dialog::Type(int id, const std::string &text)
{
    const HWND edit = EditOf(Item(id));
    if (!edit || !IsWindowEnabled(edit)) {
        ADD_FAILURE() << "cannot type into control " << id << " of \"" << Caption() << "\"";
        return;
    }
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty())
        SendMessageA(edit, WM_CHAR, VK_BACK, 1); // deletes the selected text
    for (unsigned char c : text)
        SendMessageA(edit, WM_CHAR, c, 1);
}

void Dialog::Click(int id)
{
    const HWND button = Control(id, "Button");
    if (button && (!IsWindowEnabled(button) || !IsWindowVisible(button)))
        ADD_FAILURE() << "button " << id << " of \"" << Caption() << "\" cannot be clicked: "
                      << (IsWindowEnabled(button) ? "hidden" : "disabled");
    else if (button)
        SendMessageA(button, BM_CLICK, 0, 0);
}

std::vector<std::string> Dialog::ListItems(int id) const
{
    const HWND list = Item(id);
    const bool combo = list && lstrcmpiA(ClassOf(list).c_str(), "ComboBox") == 0;
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(SendMessageA(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0) + 1, '\0');
        text.resize(SendMessageA(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0])));
        items.push_back(text);
    }
    return items;
}

int Dialog::ListSelection(int id) const
{
    const HWND list = Item(id);
    const bool combo = list && lstrcmpiA(ClassOf(list).c_str(), "ComboBox") == 0;
    return static_cast<int>(SendMessageA(list, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

int Dialog::ListIndex(int id, const std::string &text) const
{
    const std::vector<std::string> items = ListItems(id);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == text)
            return static_cast<int>(i);
    ADD_FAILURE() << "list " << id << " of \"" << Caption() << "\" has no entry \"" << text << "\" in "
                  << Joined(items);
    return -1;
}

void Dialog::SelectListItem(int id, const std::string &text, bool doubleClick)
{
    const HWND list = Control(id, "ListBox");
    const int index = list ? ListIndex(id, text) : -1;
    if (index < 0)
        return;
    RECT item, client;
    GetClientRect(list, &client);
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    if (item.top < client.top || item.bottom > client.bottom) { // scrolled into view first
        SendMessageA(list, LB_SETTOPINDEX, index, 0);
        SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    }
    SendClick(list, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2}, doubleClick);
}

void Dialog::SelectComboItem(int id, const std::string &text)
{
    const HWND combo = Control(id, "ComboBox");
    const int index = combo ? ListIndex(id, text) : -1;
    if (index < 0)
        return;
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

HTREEITEM Dialog::TreeItem(int id, const std::vector<std::string> &path) const
{
    const HWND tree = Control(id, WC_TREEVIEWA);
    HTREEITEM item = TVI_ROOT;
    for (size_t depth = 0; tree && depth < path.size(); ++depth) {
        HTREEITEM child = TreeNext(tree, depth ? TVGN_CHILD : TVGN_ROOT, item);
        while (child && TreeItemText(tree, child) != path[depth])
            child = TreeNext(tree, TVGN_NEXT, child);
        if (!child) {
            ADD_FAILURE() << "tree " << id << " of \"" << Caption() << "\" has no item " << Joined(path);
            return nullptr;
        }
        item = child;
    }
    return tree ? item : nullptr;
}

std::vector<std::string> Dialog::TreeChildren(int id, const std::vector<std::string> &path) const
{
    std::vector<std::string> texts;
    const HTREEITEM parent = TreeItem(id, path);
    const HWND tree = Item(id);
    for (HTREEITEM child = parent ? TreeNext(tree, path.empty() ? TVGN_ROOT : TVGN_CHILD, parent) : nullptr; child;
         child = TreeNext(tree, TVGN_NEXT, child))
        texts.push_back(TreeItemText(tree, child));
    return texts;
}

bool Dialog::TreeHasExpandButton(int id, const std::vector<std::string> &path) const
{
    const HTREEITEM item = TreeItem(id, path);
    return item && TreeNext(Item(id), TVGN_CHILD, item);
}

std::string Dialog::TreeSelection(int id) const
{
    const HWND tree = Control(id, WC_TREEVIEWA);
    const HTREEITEM item = tree ? TreeNext(tree, TVGN_CARET, nullptr) : nullptr;
    return item ? TreeItemText(tree, item) : "";
}

void Dialog::SelectTreeItem(int id, const std::vector<std::string> &path)
{
    if (const HTREEITEM item = TreeItem(id, path))
        SendMessageA(Item(id), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void Dialog::ExpandTreeItem(int id, const std::vector<std::string> &path)
{
    const HTREEITEM item = TreeItem(id, path);
    const HWND tree = Item(id);
    if (!item)
        return;
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    RECT text;
    memcpy(&text, &item, sizeof item); // the message takes the item in the rectangle
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text));
    // The button lies left of the text: found by the tree's own hit test.
    TVHITTESTINFO hit = {};
    for (hit.pt = POINT{text.left - 1, (text.top + text.bottom) / 2}; hit.pt.x >= 0; --hit.pt.x) {
        SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.hItem == item && (hit.flags & TVHT_ONITEMBUTTON)) {
            SendClick(tree, hit.pt, false);
            return;
        }
    }
    ADD_FAILURE() << "tree " << id << " of \"" << Caption() << "\" shows no expand button at " << Joined(path);
}

void Dialog::SysCommand(UINT command) { SendMessageA(hwnd, WM_SYSCOMMAND, command, 0); }

void Dialog::Screenshot(const std::string &name) const
{
    const std::string path = ArtefactPath(name + ".png");
    EXPECT_TRUE(SaveWindowAsPng(hwnd, path)) << "cannot write the screenshot " << path;
}

DialogDriver::DialogDriver()
{
    g_driver = this;
    hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver()
{
    UnhookWindowsHookEx(hook_);
    g_driver = nullptr;
    for (const Step &step : steps_)
        ADD_FAILURE() << "no dialog \"" << step.caption << "\" came for its script";
}

void DialogDriver::Then(const std::string &caption, Script script) { steps_.push_back({caption, std::move(script)}); }

// A dialog is still hidden and uninitialised when it activates: its script
// runs from a timer that fires inside its modal loop, once it is shown.
LRESULT CALLBACK DialogDriver::CbtProc(int code, WPARAM wp, LPARAM lp)
{
    const HWND window = reinterpret_cast<HWND>(wp);
    if (code == HCBT_ACTIVATE && g_driver && ClassOf(window) == "#32770" &&
        !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD) && !(IsMessageBox(window) && BoxAnswerer::Active())) {
        std::vector<HWND> &seen = g_driver->seen_; // a closed dialog's handle may come again
        seen.erase(std::remove_if(seen.begin(), seen.end(), [](HWND w) { return !IsWindow(w); }), seen.end());
        if (std::find(seen.begin(), seen.end(), window) == seen.end()) {
            seen.push_back(window);
            g_driver->activated_.push_back(window);
            SetTimer(nullptr, 0, 0, RunNext);
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void CALLBACK DialogDriver::RunNext(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (!g_driver || g_driver->activated_.empty())
        return;
    const HWND window = g_driver->activated_.front();
    if (IsWindow(window) && !IsWindowVisible(window)) { // activated before it is shown
        SetTimer(nullptr, 0, 10, RunNext);
        return;
    }
    g_driver->activated_.pop_front();
    g_driver->Run(window);
}

void DialogDriver::Run(HWND window)
{
    if (!IsWindow(window))
        return; // ended before it was shown
    const std::string caption = WindowText(window);
    if (IsMessageBox(window)) {
        ADD_FAILURE() << "message box \"" << caption << "\" (\"" << WindowText(GetDlgItem(window, 0xFFFF))
                      << "\") shown while no BoxAnswerer lives: cancelled";
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    if (steps_.empty() || (!steps_.front().caption.empty() && steps_.front().caption != caption)) {
        ADD_FAILURE() << "dialog \"" << caption << "\" came while "
                      << (steps_.empty() ? "no script was left" : "waiting for \"" + steps_.front().caption + "\"")
                      << ": cancelled";
        Cancel(window);
        return;
    }
    const Script script = std::move(steps_.front().script);
    steps_.pop_front();
    ++run_;
    Dialog dialog(window);
    script(dialog);
    if (dialog.IsOpen()) {
        ADD_FAILURE() << "dialog \"" << caption << "\" was still open after its script: cancelled";
        Cancel(window);
    }
}

} // namespace krtest

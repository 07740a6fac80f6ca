// Drives the library's real dialogs under Wine as a person would: by control
// id, through the messages a person's typing and clicking cause, so that the
// dialog gets the notifications it would get from a person.
#ifndef KRTEST_DIALOG_DRIVER_H
#define KRTEST_DIALOG_DRIVER_H

#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "support/box_answerer.h"

namespace krtest {

// A live dialog the driver is scripting. A control is found among the
// dialog's children and those of its child dialogs (an explorer-style file
// dialog keeps the controls of its hook template in one). Any use of a
// missing control, entry or tree item is a test failure naming it.
class Dialog {
public:
    explicit Dialog(HWND window) : hwnd(window) {}
    HWND hwnd;

    HWND Item(int id, const char *className = nullptr) const; // of that class when one is given
    std::string Caption() const;
    std::string Text(int id) const; // window text of a control
    bool Visible(int id) const;
    bool Enabled(int id) const;
    bool Checked(int id) const;
    bool IsOpen() const; // not ended, neither by the script nor by the dialog

    // Replaces the text of the edit (or combo box) by typing: EN_CHANGE per character.
    void Type(int id, const std::string &text);
    // BM_CLICK; a failure when disabled or hidden, as a person could not click it.
    void Click(int id);

    // List box or combo box entries in order; the selected index or -1.
    std::vector<std::string> ListItems(int id) const;
    int ListSelection(int id) const;
    // The exact entry, clicked with the mouse (LBN_SELCHANGE, LBN_DBLCLK) or
    // chosen in the combo box (CBN_SELCHANGE).
    void SelectListItem(int id, const std::string &text, bool doubleClick = false);
    void SelectComboItem(int id, const std::string &text);

    // Tree items by the texts from the top: {} is the level of the roots.
    std::vector<std::string> TreeChildren(int id, const std::vector<std::string> &path) const;
    std::string TreeSelection(int id) const;
    // The parent gets TVN_SELCHANGING and TVN_SELCHANGED.
    void SelectTreeItem(int id, const std::vector<std::string> &path);
    // Clicks the item's expand button: TVN_ITEMEXPANDING, the selection stays.
    void ExpandTreeItem(int id, const std::vector<std::string> &path);

    void SysCommand(UINT command); // e.g. SC_CONTEXTHELP
    // The dialog as shown, as <test program's directory>\artefacts\<name>.png.
    void Screenshot(const std::string &name) const;

private:
    HTREEITEM TreeItem(int id, const std::vector<std::string> &path) const;
    int ListIndex(int id, const std::string &text) const;
};

// While it lives, scripts the dialogs shown on this thread. Scripts run in
// order, each for the next top-level dialog shown whose caption equals its
// caption ("" matches any), inside the dialog's modal loop once it is shown
// and initialised; message boxes are left to a BoxAnswerer. A dialog still
// open after its script, and a dialog no script waits for, is cancelled
// (IDCANCEL) and is a test failure, so that a test cannot hang; so is a
// message box shown while no BoxAnswerer lives, and a script that never ran.
class DialogDriver {
public:
    using Script = std::function<void(Dialog &)>;
    ~DialogDriver();
    void Then(const std::string &caption, Script script);

private:
    bool Run(HWND window);

    struct Step {
        std::string caption;
        Script script;
    };
    std::deque<Step> steps_;
    DialogWatch watch_{[this](HWND window) { return Run(window); }};
};

} // namespace krtest

#endif

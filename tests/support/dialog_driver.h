// Drives the library's real dialogs under Wine as a person would: by control
// id, through the messages a person's typing and clicking cause, so that the
// dialog gets the notifications it would get from a person.
//
//     krtest::BoxAnswerer boxes;     // message boxes the dialog shows
//     krtest::DialogDriver driver;
//     driver.Then("Select Project", [](krtest::Dialog &d) {
//         d.Type(IDC_NAME, "Study2");
//         d.Click(IDOK);
//     });
//     EXPECT_EQ(IDOK, DirectoryDialog(...));
#ifndef KRTEST_DIALOG_DRIVER_H
#define KRTEST_DIALOG_DRIVER_H

#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace krtest {

// A live dialog the driver is scripting. A control is found among the
// dialog's children and those of its child dialogs (an explorer-style file
// dialog keeps the controls of its hook template in one). Any use of a
// missing control, entry or tree item is a test failure naming it.
class Dialog {
public:
    explicit Dialog(HWND window) : hwnd(window) {}
    HWND hwnd;

    HWND Item(int id) const;
    std::string Caption() const;
    std::string Text(int id) const; // window text of a control
    bool Visible(int id) const;
    bool Enabled(int id) const;
    bool Checked(int id) const;
    // Still shown: not ended, neither by the script nor by the dialog.
    bool IsOpen() const;

    // Focuses the edit (or a combo box's edit) and replaces its text by typing
    // it: the edit tells its parent EN_CHANGE for each character.
    void Type(int id, const std::string &text);
    // A button, check box or option button, clicked (BM_CLICK); a failure
    // when it is disabled or hidden, as a person could not click it.
    void Click(int id);

    // List box or combo box entries in order; the selected index or -1.
    std::vector<std::string> ListItems(int id) const;
    int ListSelection(int id) const;
    // The exact entry, clicked with the mouse (a list box tells its parent
    // LBN_SELCHANGE and, for a double click, LBN_DBLCLK when it has
    // LBS_NOTIFY); for a combo box the parent gets CBN_SELCHANGE.
    void SelectListItem(int id, const std::string &text, bool doubleClick = false);
    void SelectComboItem(int id, const std::string &text);

    // Tree items by the texts from the top: {} is the level of the roots.
    std::vector<std::string> TreeChildren(int id, const std::vector<std::string> &path) const;
    bool TreeHasExpandButton(int id, const std::vector<std::string> &path) const; // has a child item
    std::string TreeSelection(int id) const;
    // The parent gets TVN_SELCHANGING and TVN_SELCHANGED.
    void SelectTreeItem(int id, const std::vector<std::string> &path);
    // Clicks the item's expand button: the parent gets TVN_ITEMEXPANDING, the
    // selection stays.
    void ExpandTreeItem(int id, const std::vector<std::string> &path);

    void SysCommand(UINT command); // e.g. SC_CONTEXTHELP
    // The dialog as shown, as <test program's directory>\artefacts\<name>.png.
    void Screenshot(const std::string &name) const;

private:
    HWND Control(int id, const char *className) const; // Item, checked to be of that class
    HTREEITEM TreeItem(int id, const std::vector<std::string> &path) const;
    int ListIndex(int id, const std::string &text) const;
};

// While it lives, scripts the dialogs shown on this thread. Scripts run in
// order, each for the next top-level dialog activated whose caption equals
// its caption ("" matches any); message boxes are left to a BoxAnswerer. A
// script runs inside the dialog's modal loop once the dialog is shown and
// initialised. A dialog still open after its script, and a dialog no script
// waits for, is cancelled (IDCANCEL) and is a test failure, so that a test
// cannot hang; so is a message box shown while no BoxAnswerer lives, and a
// script that never ran.
class DialogDriver {
public:
    using Script = std::function<void(Dialog &)>;
    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver &) = delete;
    DialogDriver &operator=(const DialogDriver &) = delete;

    void Then(const std::string &caption, Script script);
    int ScriptsRun() const { return run_; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp);
    static void CALLBACK RunNext(HWND, UINT, UINT_PTR timer, DWORD);
    void Run(HWND window);

    struct Step {
        std::string caption;
        Script script;
    };
    HHOOK hook_ = nullptr;
    std::deque<Step> steps_;
    std::deque<HWND> activated_; // waiting for their script
    std::vector<HWND> seen_;     // dialogs already taken (activated again after a nested box)
    int run_ = 0;
};

} // namespace krtest

#endif

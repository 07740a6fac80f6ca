// Answers the message boxes a test makes the library show, and records them:
// what the real box displayed (caption, text, read from the dialog) and the
// exact arguments the library passed (through its message-box observer,
// since the platform's box does not reveal its style).
#ifndef KRTEST_BOX_ANSWERER_H
#define KRTEST_BOX_ANSWERER_H

#include <windows.h>

#include <string>
#include <vector>

namespace krtest {

struct ShownBox {
    // As passed to the library's one MessageBoxA call site.
    HWND owner = nullptr;
    std::string text;
    std::string caption; // "(null)" for a null caption
    UINT style = 0;
    // As the real box on the screen showed them.
    std::string shownCaption;
    std::string shownText;
    HWND shownOwner = nullptr; // the window that owns the box
    std::vector<int> buttons; // ids of the visible buttons, in order
    int defaultButton = 0;    // the button that has the focus
    bool icon = false;        // an icon is shown
};

std::string WindowText(HWND window); // cut to 1023 characters

// A message box, as opposed to another dialog: its dialog procedure is the
// system's own.
bool IsMessageBox(HWND window);

// While it lives, every message box shown on this thread is answered with
// `button` (other dialogs are left to a DialogDriver), and the library's
// message-box observer records each box's arguments.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int button = IDOK);
    static bool Active(); // one lives
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer &) = delete;
    BoxAnswerer &operator=(const BoxAnswerer &) = delete;

    const std::vector<ShownBox> &Boxes() const { return boxes_; }
    void Clear() { boxes_.clear(); }

private:
    // The library's observer type.
    static void __stdcall Observe(HWND owner, const char *text, const char *caption, UINT style);

    static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp);
    static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD);

    int button_;
    HHOOK hook_ = nullptr;
    INT_PTR previousObserver_ = 0;
    HWND pending_ = nullptr;
    std::vector<ShownBox> boxes_;
};

} // namespace krtest

#endif

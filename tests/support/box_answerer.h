// Answers the message boxes a test makes the library show, and records them:
// what the real box displayed (caption, text, read from the dialog) and the
// exact arguments the library passed (through its message-box observer,
// since the platform's box does not reveal its style).
#ifndef KRTEST_BOX_ANSWERER_H
#define KRTEST_BOX_ANSWERER_H

#include <windows.h>

#include <functional>
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
    HWND shownOwner = nullptr;
    bool icon = false;
};

std::string WindowText(HWND window); // cut to 1023 characters

// A message box rather than another dialog: its dialog procedure is the system's own.
bool IsMessageBox(HWND window);

// While it lives, `take` is offered each top-level dialog activated on this
// thread once it is shown (from a timer inside its modal loop: it activates
// hidden and uninitialised), unless an older watch took it (returned true).
class DialogWatch {
public:
    explicit DialogWatch(std::function<bool(HWND)> take);
    ~DialogWatch();
    DialogWatch(const DialogWatch &) = delete; // so are the copies of the classes that hold one
    const std::function<bool(HWND)> take;
};

// While it lives, every message box shown on this thread is answered with
// `button` (other dialogs are left to a DialogDriver), and the library's
// message-box observer records each box's arguments.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int button = IDOK);
    static bool Active(); // one lives
    ~BoxAnswerer();

    const std::vector<ShownBox> &Boxes() const { return boxes_; }
    std::string Passed() const; // "text|caption|style;" for each box, as the library passed them
    void Clear() { boxes_.clear(); }

private:
    static void __stdcall Observe(HWND owner, const char *text, const char *caption, UINT style); // the observer type
    bool Answer(HWND box);

    int button_;
    INT_PTR previousObserver_ = 0;
    std::vector<ShownBox> boxes_;
    DialogWatch watch_{[this](HWND box) { return Answer(box); }};
};

} // namespace krtest

#endif

// A real MDI frame window with its client, for tests of window placement.
#ifndef KRTEST_MDI_FRAME_H
#define KRTEST_MDI_FRAME_H

#include <windows.h>

#include <string>
#include <vector>

namespace krtest {

class MdiFrame {
public:
    MdiFrame();
    ~MdiFrame();
    MdiFrame(const MdiFrame &) = delete;
    MdiFrame &operator=(const MdiFrame &) = delete;

    HWND Frame() const { return frame_; }
    HWND Client() const { return client_; }

    // A create record for a child of the frame's child class.
    static MDICREATESTRUCTA ChildRecord(const char *title);
    // A child created directly with WM_MDICREATE.
    HWND CreateChild(const char *title, int x, int y, int cx, int cy, DWORD style = 0);

private:
    HWND frame_ = nullptr;
    HWND client_ = nullptr;
};

// Records the MDI children activated while it lives, in order.
class ActivationLog {
public:
    ActivationLog();
    ~ActivationLog();
    const std::vector<HWND> &Activated() const { return activated_; }
    void Add(HWND child) { activated_.push_back(child); }

private:
    std::vector<HWND> activated_;
};

// The window's title.
std::string Title(HWND window);

// A plain top-level window of a class of its own, shown normally.
HWND CreateTopLevel(const char *title, int x, int y, int cx, int cy);

// Handles what is waiting in this thread's queue.
void PumpMessages();

} // namespace krtest

#endif

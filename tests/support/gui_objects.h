// What a dialog could leave behind: the process's GDI objects and this
// thread's windows, counted before and after.
#ifndef KRTEST_GUI_OBJECTS_H
#define KRTEST_GUI_OBJECTS_H

namespace krtest {

struct GuiObjects {
    unsigned long gdi = 0;
    unsigned long windows = 0;
    bool operator==(const GuiObjects &o) const { return gdi == o.gdi && windows == o.windows; }
};

// GetGuiResources counts GDI objects where the platform answers; Wine 8
// answers 0, so there every slot of its handle table is probed (Wine takes
// a handle's low word alone as its slot). Windows: the thread's top-level
// windows and all their descendants.
GuiObjects CountGuiObjects();

} // namespace krtest

#endif

// Window placements kept in KESTRUNE.INI and an MDI desktop saved and
// reopened from it.
#include <stdio.h>

#include "demo_common.h"

namespace krdemo {

namespace {

HWND OpenChild(const char *key)
{
    MDICREATESTRUCTA cs{};
    cs.szClass = kChildClass;
    cs.szTitle = key;
    cs.hOwner = GetModuleHandleA(nullptr);
    cs.style = WS_OVERLAPPEDWINDOW;
    HWND child = IniCreateMDIWnd(FrameClient(), "Demo Desktop", key, &cs);
    Pump();
    const bool saved = cs.x != static_cast<int>(CW_USEDEFAULT);
    printf("  opened %-9s at %s\n", key, saved ? IniValue("Demo Desktop", key).c_str() : "default position");
    return child;
}

} // namespace

void TourWindows()
{
    Heading("Window placements and the MDI desktop");
    HWND frame = CreateFrame();
    INIWINDPOS opened;
    ObtainWindPos(frame, &opened);
    printf("  frame opened at %ld,%ld,%ld,%ld (saved as [Demo Windows] Frame when closed)\n", opened.left,
           opened.top, opened.right, opened.bottom);
    HWND spectrum = OpenChild("Spectrum");
    HWND chrom = OpenChild("Chrom");
    HWND tune = OpenChild("Tune");
    MoveWindow(spectrum, 10, 10, 360, 240, TRUE);
    MoveWindow(chrom, 380, 10, 360, 240, TRUE);
    MoveWindow(tune, 10, 260, 730, 250, TRUE);
    SendMessageA(FrameClient(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(tune), 0);
    Pump();
    printf("  arranged the children and maximised Tune; saving the desktop:\n");
    printf("  IniSaveDesktop -> %d\n", IniSaveDesktop(FrameClient(), INI_DESKTOP_MDI, "Demo Desktop", "Children", 0));
    for (const char *key : {"Children", "Spectrum", "Chrom", "Tune"})
        printf("    [Demo Desktop] %-8s = %s\n", key, IniValue("Demo Desktop", key).c_str());
    INIWINDPOS framePos;
    ObtainWindPos(frame, &framePos);
    SetIniWindPos("Demo Windows", "Frame", &framePos, 0);
    DestroyWindow(frame);
    Pump();

    printf("  closed everything; reopening from the INI file:\n");
    frame = CreateFrame();
    OpenChild("Spectrum");
    OpenChild("Chrom");
    HWND reopened = OpenChild("Tune");
    printf("  Tune is %s\n", IsZoomed(reopened) ? "maximised again" : "not maximised");
    DestroyWindow(frame);
    Pump();
}

} // namespace krdemo

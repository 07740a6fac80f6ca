// Projects: one created in the working directory and made current while an
// application of the suite is open, which is asked to close first.
#include <stdio.h>

#include <string>

#include "demo_common.h"

namespace krdemo {

void TourProjects()
{
    Heading("Projects: creating one and making it current");
    char work[MAX_PATH];
    GetKestruneWorkingDir(work);
    QZFILE project = FileRecord((std::string(work) + "\\").c_str(), "Demo", "PRO");
    printf("  ProCreateDirectory(%sDemo.PRO): the path is too long for a project\n", project.directory);
    AnswerNextBoxWith(IDOK);
    printf("  -> %d\n", ProCreateDirectory(nullptr, &project));
    project = FileRecord("", "Demo", "PRO");
    printf("  ProCreateDirectory(Demo.PRO), relative to the working directory -> %d\n",
           ProCreateDirectory(nullptr, &project));
    CreateDirectoryA("Demo.PRO\\DATA\\run01.RAW", nullptr);
    fclose(fopen("Demo.PRO\\SAMPLEDB\\batch1.SPL", "w"));

    // A viewer of the suite is open: the user is asked, the viewer agrees.
    HWND viewer = CreateWindowA("STATIC", "Spectrum viewer", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    APPINFO *app = nullptr;
    GetApplicationInfoPtr(1, &app);
    *app = APPINFO{viewer, 0, 0, 0, 0, nullptr, 1, 0};
    AnswerNextBoxWith(IDYES);
    const int made = ProSetCurrent(nullptr, &project);
    printf("  ProSetCurrent(Demo.PRO) -> %d; the viewer is %s\n", made, IsWindow(viewer) ? "still open" : "closed");
    *app = APPINFO{};
    for (const char *key : {"PROJECT", "CURVE_DB", "RAW", "METHOD_DB", "PEAK_DB", "SAMPLES_DB", "PTABLE_DB"}) {
        char value[512];
        GetGlobalString("SystemList", key, "", value, sizeof value);
        printf("    SystemList %-10s = %s\n", key, value);
    }
}

} // namespace krdemo

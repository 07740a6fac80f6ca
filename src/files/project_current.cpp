// The suite's current project: kept in the global store under SystemList
// PROJECT; changing it closes the open applications first.
#include <string.h>

#include "krsettings.h"

namespace {

const char kSection[] = "SystemList";
const char kKey[] = "PROJECT";

QZFILE DefaultProject()
{
    QZFILE project{};
    strcpy(project.directory, "c:\\kestrune\\");
    strcpy(project.extension, "PRO");
    return project;
}

} // namespace

extern "C" int KRAPI ProGetCurrent(QZFILE *out)
{
    const QZFILE fallback = DefaultProject();
    const int result = GetGlobalFile(kSection, kKey, &fallback, out);
    // The store is seeded with an empty PROJECT: no project chosen yet.
    char stored[2];
    if (out && GetGlobalString(kSection, kKey, nullptr, stored, sizeof stored) <= 0)
        *out = fallback;
    return result;
}

extern "C" int KRAPI ProSetCurrent(HWND owner, const QZFILE *project)
{
    if (!project || !ProShutDownServices(owner))
        return 0;
    SetGlobalFile(kSection, kKey, project, 1);
    ProSetGlobalDirectories(project);
    return 1;
}

// Whether a path is of a type, compared as the platform compares names
// without case (so an accented extension matches its other case too).
#include "krfiles.h"

extern "C" int KRAPI IsFileOfType(const char *path, const char *extension)
{
    char own[256];
    if (!GetPathExtension(path, own, sizeof own))
        return 0;
    return lstrcmpiA(own, extension ? extension : "") == 0 ? 1 : 0;
}

// The suite's working directory: the current directory when first asked for.
#include "krsettings.h"

#include <direct.h>
#include <string.h>

namespace {
char g_workingDir[MAX_PATH];
}

void KRAPI SetKestruneWorkingDir(void)
{
    if (!_getcwd(g_workingDir, sizeof g_workingDir))
        g_workingDir[0] = '\0';
}

int KRAPI GetKestruneWorkingDir(char *out)
{
    if (!g_workingDir[0])
        SetKestruneWorkingDir();
    if (out)
        memcpy(out, g_workingDir, sizeof g_workingDir);
    return 1;
}

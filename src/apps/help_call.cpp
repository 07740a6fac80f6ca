#include "apps/help_call.h"

#include "krsettings.h"
#include "support/runtime_format.h"

namespace kr {
namespace {
HelpObserver g_observer = nullptr;
}

BOOL ShowHelp(HWND owner, const char *file, UINT command, ULONG_PTR data)
{
    if (g_observer)
        return g_observer(owner, file, command, data);
    return WinHelpA(owner, file, command, data);
}

BOOL ShowSuiteHelpContext(HWND owner, ULONG_PTR context)
{
    char directory[MAX_PATH];
    GetKestruneWorkingDir(directory);
    char file[MAX_PATH + 16];
    FormatText(file, sizeof file, "%s\\KESTRUNE.HLP", directory);
    return ShowHelp(owner, file, HELP_CONTEXT, context);
}

HelpObserver SetHelpObserver(HelpObserver observer)
{
    const HelpObserver previous = g_observer;
    g_observer = observer;
    return previous;
}

} // namespace kr

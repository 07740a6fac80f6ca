// The library's attach entry point. It only records the module instance;
// everything else starts at the first call.
#include <windows.h>

#include "support/module_instance.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        kr::RecordModuleInstance(instance);
    return TRUE;
}

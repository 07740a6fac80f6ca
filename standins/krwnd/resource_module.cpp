// The module dialogs and bitmaps are loaded from. A library that shows its
// own dialogs makes itself the resource module for that time.
#include "krwnd.h"

namespace {
HINSTANCE g_resourceModule = nullptr;
}

HINSTANCE KrGetResourceHandle()
{
    return g_resourceModule ? g_resourceModule : GetModuleHandleA(nullptr);
}

void KrSetResourceHandle(HINSTANCE module)
{
    g_resourceModule = module;
}

CResourceSwitch::CResourceSwitch(HINSTANCE module) : previous_(g_resourceModule)
{
    g_resourceModule = module;
}

CResourceSwitch::~CResourceSwitch()
{
    g_resourceModule = previous_;
}

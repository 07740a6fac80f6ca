#include "support/module_instance.h"

namespace kr {
namespace {
HINSTANCE g_instance = nullptr;
}

void RecordModuleInstance(HINSTANCE instance)
{
    g_instance = instance;
}

HINSTANCE ModuleInstance()
{
    return g_instance;
}

} // namespace kr

// The library's own module instance, recorded when the library is attached
// to a process; its string table, dialog templates and bitmaps live there.
#ifndef KR_SUPPORT_MODULE_INSTANCE_H
#define KR_SUPPORT_MODULE_INSTANCE_H

#include <windows.h>

namespace kr {

void RecordModuleInstance(HINSTANCE instance);
HINSTANCE ModuleInstance();

} // namespace kr

#endif

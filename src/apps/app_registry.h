// The registry of the suite's applications in this process, for the
// library's own suite-wide operations.
#ifndef KR_APPS_APP_REGISTRY_H
#define KR_APPS_APP_REGISTRY_H

#include "krapps.h"

namespace kr {

APPINFO &AppRecord(int index); // 0 to KR_APPLICATIONS - 1

// Open, and its main window still exists.
bool IsLive(const APPINFO &app);

} // namespace kr

#endif

#include "settings/ini_rules.h"

namespace kr {

bool IsPlainIniName(const char *name)
{
    if (!name)
        return true;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(name); *p; ++p)
        if (*p < 0x20 || *p >= 0x80)
            return false;
    return true;
}

} // namespace kr

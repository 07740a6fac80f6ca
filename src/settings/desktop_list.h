// The comma-separated list of an MDI desktop's child names, built from the
// front as the children are visited.
#ifndef KR_SETTINGS_DESKTOP_LIST_H
#define KR_SETTINGS_DESKTOP_LIST_H

#include <stddef.h>

#include "settings/ini_rules.h"

namespace kr {

class DesktopList {
public:
    // Puts name in front of the list. A name that would take the list past
    // what one INI value holds is left out whole (false); the list is never
    // cut inside a name.
    bool Prepend(const char *name);

    char *Text() { return text_; }

private:
    char text_[kMaxIniValue + 1] = "";
    size_t length_ = 0;
};

} // namespace kr

#endif

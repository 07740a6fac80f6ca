#include "settings/desktop_list.h"

#include <string.h>

namespace kr {

bool DesktopList::Prepend(const char *name)
{
    const size_t nameLength = strlen(name);
    const size_t separator = length_ > 0 ? 1 : 0;
    if (nameLength + separator + length_ > kMaxIniValue)
        return false;
    memmove(text_ + nameLength + separator, text_, length_ + 1);
    memcpy(text_, name, nameLength);
    if (separator)
        text_[nameLength] = ',';
    length_ += nameLength + separator;
    return true;
}

} // namespace kr

#include "support/runtime_format.h"

#include <stdarg.h>
#include <stdio.h>

namespace kr {

int FormatText(char *out, size_t cap, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    // msvcrt's own: it neither terminates nor counts a text that is cut.
    const int written = _vsnprintf(out, cap, format, args);
    va_end(args);
    if (written < 0 || static_cast<size_t>(written) >= cap) {
        out[cap - 1] = '\0';
        return -1;
    }
    return written;
}

} // namespace kr

// Formatting with the platform runtime's printf family, the one the suite's
// applications themselves use (three-digit exponents, its own rounding),
// rather than the toolchain's replacement. Every formatted text of the
// library goes through here.
#ifndef KR_SUPPORT_RUNTIME_FORMAT_H
#define KR_SUPPORT_RUNTIME_FORMAT_H

#include <stddef.h>

namespace kr {

// printf into out of cap bytes (cap > 0), always terminated. Returns the
// length written, or -1 when the text was cut to fit.
int FormatText(char *out, size_t cap, const char *format, ...)
    __attribute__((format(ms_printf, 3, 4)));

} // namespace kr

#endif

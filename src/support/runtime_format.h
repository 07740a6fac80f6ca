// Formatting with the platform runtime's printf family, the one the suite's
// applications themselves use (three-digit exponents, its own rounding),
// rather than the toolchain's replacement. Every formatted text of the
// library goes through here.
#ifndef KR_SUPPORT_RUNTIME_FORMAT_H
#define KR_SUPPORT_RUNTIME_FORMAT_H

#include <stddef.h>

// The platform runtime's printf checks the formats (ms_printf); a build for
// another host checks them against that host's.
#ifdef _WIN32
#define KR_RUNTIME_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(ms_printf, formatIndex, firstArgument)))
#else
#define KR_RUNTIME_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#endif

namespace kr {

// printf into out of cap bytes (cap > 0), always terminated. Returns the
// length written, or -1 when the text was cut to fit.
int FormatText(char *out, size_t cap, const char *format, ...) KR_RUNTIME_PRINTF_FORMAT(3, 4);

} // namespace kr

#endif

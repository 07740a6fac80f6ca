// Fixed-point and exponent texts of doubles that show at most the 15
// significant digits a double holds faithfully (DBL_DIG); digits past them
// print as zeros. Up to 15 significant digits the text is exactly the
// runtime's sprintf text, rounding included. Past them, runtimes disagree
// (some print the binary value's exact decimal expansion, 1e32 as
// 100000000000000005366162204393472, older ones pad with zeros after 17
// digits); this form prints 1e32 as a 1 and 32 zeros everywhere.
#ifndef KR_TEXT_DECIMAL_TEXT_H
#define KR_TEXT_DECIMAL_TEXT_H

#include <stddef.h>

namespace kr {

// Significant digits shown.
constexpr int kFaithfulDigits = 15;

// "%.*f" (with forcePoint "%#.*f": a point even for 0 decimals). Writes at
// most cap - 1 characters and a NUL (nothing when cap is 0) and returns the
// length of the whole text, so a huge decimal count costs only what is
// written. A negative decimal count counts as 0.
size_t FormatFixed(double value, int decimals, bool forcePoint, char *out, size_t cap);

// "%.*e", with the runtime's form of the exponent. Same contract.
size_t FormatExponent(double value, int decimals, char *out, size_t cap);

} // namespace kr

#endif

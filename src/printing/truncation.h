// Truncation of a double to a whole number, for values read from the user
// that may lie anywhere.
#ifndef KR_PRINTING_TRUNCATION_H
#define KR_PRINTING_TRUNCATION_H

namespace kr {

// The value truncated toward zero into out; false (out untouched) when no
// 32-bit long holds it, NaN included.
inline bool TruncateToLong(double value, long &out)
{
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return false;
    out = static_cast<long>(value);
    return true;
}

// Rounded half up, then truncated toward zero: -1.5 gives -1. The suite
// has always placed and sized what it prints so.
inline long TruncatedHalfUp(double value)
{
    return static_cast<long>(value + 0.5);
}

} // namespace kr

#endif

// How the path functions hand a result to the caller's buffer: cut to
// size - 1 characters, with 1 only when the whole result fits.
#ifndef KR_FILES_PATH_RESULT_H
#define KR_FILES_PATH_RESULT_H

#include <stddef.h>

#include "files/path_parts.h"

namespace kr {

// The getters' form: the result with its terminator when it fits, else the
// whole buffer cleared. Returns 1 or 0.
int ReturnWholeOrClear(TextSpan result, char *out, int outSize);

// The builders' form: the buffer cleared, then the result cut to fit.
// Returns 1 when it fitted, else 0.
int ClearAndReturnCut(TextSpan result, char *out, size_t outSize);

// A bounded length: at most limit characters are looked at, so a field
// that is not terminated within its own bytes is never read past them.
size_t LengthWithin(const char *text, size_t limit);

} // namespace kr

#endif

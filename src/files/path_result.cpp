#include "files/path_result.h"

#include <string.h>

namespace kr {

int ReturnWholeOrClear(TextSpan result, char *out, int outSize)
{
    if (!out || outSize < 1)
        return 0;
    const size_t size = static_cast<size_t>(outSize);
    if (result.length >= size) {
        memset(out, 0, size);
        return 0;
    }
    CopySpan(result, out, size);
    return 1;
}

int ClearAndReturnCut(TextSpan result, char *out, size_t outSize)
{
    if (!out || outSize < 1)
        return 0;
    memset(out, 0, outSize);
    CopySpan(result, out, outSize);
    return result.length < outSize ? 1 : 0;
}

size_t LengthWithin(const char *text, size_t limit)
{
    return text ? strnlen(text, limit) : 0;
}

} // namespace kr

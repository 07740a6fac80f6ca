// The suite's table of file types and the dialog filter built from it.
#ifndef KR_FILES_FILE_TYPES_H
#define KR_FILES_FILE_TYPES_H

#include <stddef.h>

namespace kr {

// The bytes of a dialog filter, terminator included.
constexpr size_t kFilterBytes = 260;

// GenFillFilterInfo on a list that is read only within its first
// listLimit bytes (a file record's field need not be terminated).
int FillFilterInfo(char *list, size_t listLimit, char *filterOut);

} // namespace kr

#endif

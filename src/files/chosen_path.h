// How a path the user confirmed in a file dialog goes into a file record.
#ifndef KR_FILES_CHOSEN_PATH_H
#define KR_FILES_CHOSEN_PATH_H

#include "krfiles.h"

namespace kr {

// Works on a copy cut to 259 characters. The file part is the last
// non-empty piece between backslashes; it is cut at dots, empty pieces
// skipped: its first piece becomes the name, its second the extension (both
// cut to 255 characters), and the directory is the path before the
// backslash that precedes the file part, with one backslash put back.
// Stops, reporting 0, when there is no file part (nothing changed), no
// piece (nothing changed) or no second piece (only the name changed);
// otherwise 1. number, value1 and value2 are never touched.
int SplitChosenPath(const char *path, QZFILE *file);

} // namespace kr

#endif

// Project directories on disk, as the project functions test them: by the
// path's own attributes, not through the secure file access library.
#ifndef KR_FILES_PROJECT_DIRS_H
#define KR_FILES_PROJECT_DIRS_H

#include "krfiles.h"

namespace kr {

// The path exists and is a directory.
bool IsExistingDirectory(const char *path);

// The project path of the record (ConvertQZFileToPath) names a directory.
bool ProjectExists(const QZFILE &project);

} // namespace kr

#endif

// The suite's temporary directory: the configured one, else a directory of
// the suite's own under the system's temporary directory.
#ifndef CUSTORIX_TEMP_DIR_H
#define CUSTORIX_TEMP_DIR_H

#include "security_config.h"

namespace custorix {

// Its full path ending in a backslash into out (MAX_PATH bytes), without
// creating it. False when it does not fit.
bool SuiteTempDir(const SecurityConfig &config, char *out);

// Creates the directory and any missing parents; true when it exists after.
bool MakeDirectoryChain(const char *directory);

} // namespace custorix

#endif

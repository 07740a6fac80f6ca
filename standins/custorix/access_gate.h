// The file-system gate: with secure files on, the disk is reachable only in
// the user's data and template locations and the suite's temporary
// directory.
#ifndef CUSTORIX_ACCESS_GATE_H
#define CUSTORIX_ACCESS_GATE_H

namespace custorix {

// Whether a file or directory may be reached. Sets ERROR_ACCESS_DENIED
// (ERROR_INVALID_PARAMETER for a null or empty path) when not.
bool MayReach(const char *path);

// The same for the directory that a search pattern lists.
bool MaySearch(const char *pattern);

} // namespace custorix

#endif

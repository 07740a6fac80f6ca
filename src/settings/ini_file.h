// The path of KESTRUNE.INI, for the library's own readers and writers.
#ifndef KR_SETTINGS_INI_FILE_H
#define KR_SETTINGS_INI_FILE_H

namespace kr {

// Fixes the path on first use, as InitIni does. Empty when the working
// directory is too long for a 260-byte path with the file name added.
const char *IniPath();

} // namespace kr

#endif

// The suite's rules for what may be written into KESTRUNE.INI.
#ifndef KR_SETTINGS_INI_RULES_H
#define KR_SETTINGS_INI_RULES_H

#include <stddef.h>

namespace kr {

// The longest value written; longer ones are cut.
constexpr size_t kMaxIniValue = 512;

// True when a section or key name holds only characters from 0x20 to 0x7F.
// Empty and null names pass: the Win32 profile functions give them meaning.
bool IsPlainIniName(const char *name);

} // namespace kr

#endif

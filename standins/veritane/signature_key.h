// The per-user signing keys: 32 random bytes each, in
// %APPDATA%\Kestrune\Veritane\<user>.key.
#ifndef VERITANE_SIGNATURE_KEY_H
#define VERITANE_SIGNATURE_KEY_H

#include <windows.h>

#include "digest.h"

namespace veritane {

const DWORD kKeySize = standins::kDigestSize;

// The key of `user`. With `create`, a user who has none gets one now (a
// key file that is there but damaged is never replaced: signatures made
// with it would stop verifying). False when there is none to be had.
bool UserKey(const char *user, bool create, BYTE key[kKeySize]);

} // namespace veritane

#endif

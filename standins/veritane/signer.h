// Who signs here and whether signing is mandatory, from the suite's access
// configuration of the current directory.
#ifndef VERITANE_SIGNER_H
#define VERITANE_SIGNER_H

#include <stddef.h>

namespace veritane {

const size_t kSignerCapacity = 64;

// The User of KRSECURE.INI ([Security] User=, 1 to 63 characters), else
// the logon name, else "unknown".
void CurrentSigner(char out[kSignerCapacity]);

// SigningRequired as the access library reads it.
bool SigningRequired();

} // namespace veritane

#endif

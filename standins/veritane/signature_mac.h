// What a signature's MAC covers, and the MAC itself.
#ifndef VERITANE_SIGNATURE_MAC_H
#define VERITANE_SIGNATURE_MAC_H

#include "digest.h"
#include "signature_store.h"

namespace veritane {

// The entry of `name` for `record` in the one form the MAC is taken over:
// the texts cut to their fields and zero after their end, the reserved
// bytes and the MAC zero. `name` may be cut from a longer buffer.
StoredSignature CanonicalEntry(const char *name, size_t nameCapacity, const VERITANE_SIGNATURE &record);

// HMAC-SHA-256 under `key` over the canonical entry (file name, signer,
// reason, time, application, required) and the file's content digest.
bool SignatureMac(const StoredSignature &canonical, const BYTE content[standins::kDigestSize],
                  const BYTE key[standins::kDigestSize], BYTE mac[standins::kDigestSize]);

} // namespace veritane

#endif

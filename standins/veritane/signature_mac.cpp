#include "signature_mac.h"

#include <string.h>

namespace veritane {
namespace {

// Tells this MAC from any other taken with the same key.
const char kPurpose[] = "Veritane signature 1";

// Copies up to capacity - 1 characters of a text that need not end within
// its buffer; the rest of `out` stays zero.
void CopyText(char *out, size_t capacity, const char *text, size_t textCapacity)
{
    const char *end = static_cast<const char *>(memchr(text, '\0', textCapacity));
    const size_t length = end ? static_cast<size_t>(end - text) : textCapacity;
    memcpy(out, text, length < capacity ? length : capacity - 1);
}

} // namespace

StoredSignature CanonicalEntry(const char *name, size_t nameCapacity, const VERITANE_SIGNATURE &record)
{
    StoredSignature entry;
    memset(&entry, 0, sizeof entry);
    CopyText(entry.name, sizeof entry.name, name, nameCapacity);
    entry.record.isSigned = record.isSigned != 0;
    CopyText(entry.record.signer, sizeof entry.record.signer, record.signer, sizeof record.signer);
    CopyText(entry.record.reason, sizeof entry.record.reason, record.reason, sizeof record.reason);
    entry.record.time = record.time;
    entry.record.application = record.application;
    entry.record.required = record.required != 0;
    return entry;
}

bool SignatureMac(const StoredSignature &canonical, const BYTE content[standins::kDigestSize],
                  const BYTE key[standins::kDigestSize], BYTE mac[standins::kDigestSize])
{
    standins::Digest digest(key, standins::kDigestSize);
    digest.Add(kPurpose, sizeof kPurpose);
    digest.Add(&canonical, sizeof canonical);
    digest.Add(content, standins::kDigestSize);
    return digest.Finish(mac);
}

} // namespace veritane

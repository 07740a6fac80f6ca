// The signatures of the files of one directory, kept in its store file
// (VERITANE_STORE_NAME): the magic "VSG1", then one entry per file.
#ifndef VERITANE_SIGNATURE_STORE_H
#define VERITANE_SIGNATURE_STORE_H

#include <windows.h>

#include "veritane.h"

namespace veritane {

// One file's signature as stored: the file's name without directory, then
// the record with its MAC. 516 bytes on both architectures.
struct StoredSignature {
    char name[MAX_PATH];
    VERITANE_SIGNATURE record;
};
static_assert(sizeof(StoredSignature) == MAX_PATH + sizeof(VERITANE_SIGNATURE), "a store entry has no padding");

// The entry of `name` (compared ignoring case); false when there is none
// or the store is not whole.
bool FindStoredSignature(LPCSTR store, LPCSTR name, StoredSignature &found);

// Writes the store anew with `entry` in place of the earlier entry of its
// name; false, with the store as it was, when it cannot be written or is
// not whole (no entry of others is dropped on the way).
bool StoreSignature(LPCSTR store, const StoredSignature &entry);

} // namespace veritane

#endif

// The exports: making a signature, writing it into a file, checking it.
#include "veritane.h"

#include <string.h>

#include "digest.h"
#include "reason_dialog.h"
#include "signature_key.h"
#include "signature_mac.h"
#include "signature_store.h"
#include "signer.h"

namespace {

// Where the signature of `path` is kept: the full path's name part and
// the store of its directory. False when either does not fit MAX_PATH or
// the path names no file.
struct SignedFile {
    char name[MAX_PATH];
    char store[MAX_PATH];

    bool Locate(LPCSTR path)
    {
        char full[MAX_PATH];
        char *part = nullptr;
        const DWORD length = path ? GetFullPathNameA(path, MAX_PATH, full, &part) : 0;
        if (length == 0 || length >= MAX_PATH || !part)
            return false;
        strcpy(name, part);
        const size_t directory = static_cast<size_t>(part - full);
        if (directory + sizeof VERITANE_STORE_NAME > MAX_PATH)
            return false;
        memcpy(store, full, directory);
        strcpy(store + directory, VERITANE_STORE_NAME);
        return true;
    }
};

} // namespace

extern "C" BOOL WINAPI CreateSignature(DWORD application, VERITANE_SIGNATURE *signature, HWND owner, LPCSTR reason)
{
    if (!signature)
        return FALSE;
    memset(signature, 0, sizeof *signature);
    veritane::CurrentSigner(signature->signer);
    signature->application = application;
    signature->required = veritane::SigningRequired();
    const int capacity = sizeof signature->reason;
    if (reason)
        lstrcpynA(signature->reason, reason, capacity);
    else if (!veritane::AskReason(owner, signature->signer, signature->reason, capacity))
        return FALSE;
    GetSystemTime(&signature->time);
    signature->isSigned = 1;
    return TRUE;
}

extern "C" BOOL WINAPI SetSignatureInFile(LPCSTR path, const VERITANE_SIGNATURE *signature)
{
    SignedFile file;
    if (!signature || !signature->isSigned || !file.Locate(path))
        return FALSE;
    veritane::StoredSignature entry = veritane::CanonicalEntry(file.name, sizeof file.name, *signature);
    char signer[veritane::kSignerCapacity];
    veritane::CurrentSigner(signer);
    BYTE content[standins::kDigestSize];
    BYTE key[veritane::kKeySize];
    // Only the user who signs now can bind a signature, with their own key.
    const bool made = lstrcmpiA(signer, entry.record.signer) == 0 && standins::FileContentDigest(path, content) &&
                      veritane::UserKey(signer, true, key) && veritane::SignatureMac(entry, content, key, entry.record.mac);
    SecureZeroMemory(key, sizeof key);
    return made && veritane::StoreSignature(file.store, entry);
}

extern "C" BOOL WINAPI VerifySignatureInFile(LPCSTR path, VERITANE_SIGNATURE *signature)
{
    SignedFile file;
    veritane::StoredSignature stored;
    if (signature)
        memset(signature, 0, sizeof *signature);
    if (!file.Locate(path) || !veritane::FindStoredSignature(file.store, file.name, stored))
        return FALSE;
    const veritane::StoredSignature entry = veritane::CanonicalEntry(stored.name, sizeof stored.name, stored.record);
    BYTE content[standins::kDigestSize];
    BYTE key[veritane::kKeySize];
    BYTE mac[standins::kDigestSize];
    const bool holds = entry.record.isSigned && standins::FileContentDigest(path, content) &&
                       veritane::UserKey(entry.record.signer, false, key) &&
                       veritane::SignatureMac(entry, content, key, mac) &&
                       memcmp(mac, stored.record.mac, sizeof mac) == 0;
    SecureZeroMemory(key, sizeof key);
    if (holds && signature) {
        *signature = entry.record;
        memcpy(signature->mac, mac, sizeof mac);
    }
    return holds;
}

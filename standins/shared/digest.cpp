#include "digest.h"

#include <bcrypt.h>

namespace standins {

Digest::Digest()
{
    Open(nullptr, 0);
}

Digest::Digest(const BYTE *key, DWORD keySize)
{
    Open(key, keySize);
}

void Digest::Open(const BYTE *key, DWORD keySize)
{
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    const ULONG flags = key ? BCRYPT_ALG_HANDLE_HMAC_FLAG : 0;
    ok_ = BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, flags));
    algorithm_ = algorithm;
    // The provider keeps the hash object itself (none passed).
    ok_ = ok_ && BCRYPT_SUCCESS(BCryptCreateHash(algorithm, &hash, nullptr, 0, const_cast<BYTE *>(key), keySize, 0));
    hash_ = hash;
}

Digest::~Digest()
{
    if (hash_)
        BCryptDestroyHash(hash_);
    if (algorithm_)
        BCryptCloseAlgorithmProvider(algorithm_, 0);
}

void Digest::Add(const void *data, DWORD size)
{
    ok_ = ok_ && BCRYPT_SUCCESS(BCryptHashData(hash_, static_cast<BYTE *>(const_cast<void *>(data)), size, 0));
}

bool Digest::Finish(BYTE out[kDigestSize])
{
    ok_ = ok_ && BCRYPT_SUCCESS(BCryptFinishHash(hash_, out, kDigestSize, 0));
    return ok_;
}

bool FileContentDigest(LPCSTR path, BYTE out[kDigestSize])
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    Digest digest;
    BYTE chunk[16384];
    DWORD got = 0;
    bool read = true;
    while ((read = ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0)
        digest.Add(chunk, got);
    CloseHandle(file);
    return read && digest.Finish(out);
}

bool RandomBytes(BYTE *out, DWORD size)
{
    return BCRYPT_SUCCESS(BCryptGenRandom(nullptr, out, size, BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

} // namespace standins

// SHA-256 and HMAC-SHA-256 through the platform's cryptography (bcrypt),
// and random bytes from its generator.
#ifndef STANDINS_DIGEST_H
#define STANDINS_DIGEST_H

#include <windows.h>

namespace standins {

const DWORD kDigestSize = 32;

// A running SHA-256, or HMAC-SHA-256 when made with a key. Finish may be
// called once; any failure of the provider makes Finish return false.
class Digest {
public:
    Digest();                                  // SHA-256
    Digest(const BYTE *key, DWORD keySize);    // HMAC-SHA-256
    ~Digest();
    Digest(const Digest &) = delete;
    Digest &operator=(const Digest &) = delete;

    void Add(const void *data, DWORD size);
    bool Finish(BYTE out[kDigestSize]);

private:
    void Open(const BYTE *key, DWORD keySize);
    void *algorithm_ = nullptr;
    void *hash_ = nullptr;
    bool ok_ = false;
};

// The SHA-256 of the content of the file `path`; false when it cannot be
// read (a directory cannot).
bool FileContentDigest(LPCSTR path, BYTE out[kDigestSize]);

bool RandomBytes(BYTE *out, DWORD size);

} // namespace standins

#endif

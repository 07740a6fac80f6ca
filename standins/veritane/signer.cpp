#include "signer.h"

#include <string.h>
#include <windows.h>

#include "custorix.h"

namespace veritane {

void CurrentSigner(char out[kSignerCapacity])
{
    char config[MAX_PATH];
    const DWORD length = GetFullPathNameA(CUSTORIX_CONFIG_FILE, MAX_PATH, config, nullptr);
    // One character more than a user name may have, to see one too long.
    char user[kSignerCapacity + 1] = "";
    if (length > 0 && length < MAX_PATH && GetFileAttributesA(config) != INVALID_FILE_ATTRIBUTES)
        GetPrivateProfileStringA("Security", "User", "", user, sizeof user, config);
    DWORD size = kSignerCapacity;
    if (user[0] && strlen(user) < kSignerCapacity)
        strcpy(out, user);
    else if (!GetUserNameA(out, &size))
        strcpy(out, "unknown");
}

bool SigningRequired()
{
    int required = 0;
    CFileAccess::SigSettings(0, nullptr, &required);
    return required != 0;
}

} // namespace veritane

// Takes the address of every export of custorix.dll through its import
// library; linking is the check. Run, it prints nothing and returns 0.
#include "custorix.h"

int main()
{
    const void *volatile exports[] = {
        reinterpret_cast<const void *>(&CreateFileS),
        reinterpret_cast<const void *>(&CloseHandleS),
        reinterpret_cast<const void *>(&_mkdirS),
        reinterpret_cast<const void *>(&FindFirstFileSA),
        reinterpret_cast<const void *>(&FindNextFileSA),
        reinterpret_cast<const void *>(&FindCloseS),
        reinterpret_cast<const void *>(&GetSecureFilenameA),
        reinterpret_cast<const void *>(&SecurityEnquire),
        reinterpret_cast<const void *>(&GetLogVeskFilenameA),
        reinterpret_cast<const void *>(&CFileS::GetStatus),
        reinterpret_cast<const void *>(&CFileAccess::UsesSecureFiles),
        reinterpret_cast<const void *>(&CFileAccess::UsesSecurityLight),
        reinterpret_cast<const void *>(&CFileAccess::CheckFilename),
        reinterpret_cast<const void *>(&CFileAccess::CheckTemplateFilename),
        reinterpret_cast<const void *>(&CFileAccess::GetGlobalTempPathSA),
        reinterpret_cast<const void *>(&CFileAccess::SigSettings),
        reinterpret_cast<const void *>(&CFileAccess::LogEventSecurityA),
        reinterpret_cast<const void *>(&CFileAccess::LogEventAuditA),
        reinterpret_cast<const void *>(&CFileAccess::FindFirstFileSA),
        reinterpret_cast<const void *>(&CFileAccess::FindNextFileSA),
        reinterpret_cast<const void *>(&CFileAccess::FindCloseS),
    };
    return exports[0] ? 0 : 1;
}

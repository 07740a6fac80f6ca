// The exported members of custorix.dll's classes, for the link check
// generated from its .def (which lists only the plain functions).
#include "custorix.h"

int UseClasses()
{
    const void *volatile members[] = {
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
    CFileDialogS dialog(TRUE, "raw", "run01.raw", OFN_HIDEREADONLY, "Data File (*.raw)|*.raw||", nullptr);
    return members[0] != nullptr && dialog.DoModal() == IDOK;
}

#include "files/raw_file_signing.h"

#include <string.h>

#include "apps/message_box.h"
#include "custorix.h"
#include "files/browse_rules.h"
#include "files/name_list.h"
#include "files/secure_search.h"
#include "support/capped_text.h"
#include "tallisk.h"
#include "text/case_fold.h"
#include "veritane.h"

namespace kr {
namespace {
const DWORD kAuditSigned = 8;
const DWORD kAuditNotSigned = 11;
const char kFailedText[] = "Failed to sign file";
const char kFailedCaption[] = "Sign Raw File";

void TellFailure(HWND dialog)
{
    ShowMessageBox(dialog, kFailedText, kFailedCaption, MB_OK | MB_ICONSTOP);
}

// rawPath\entry; false when it does not fit.
bool InRawFile(const char *rawPath, const char *entry, char *out)
{
    CappedText path(out, MAX_PATH);
    path.Append(rawPath);
    path.Put('\\');
    path.Append(entry);
    return path.Finish() < MAX_PATH;
}

// The files of the raw file that signing may take, in the order found.
bool CollectFiles(const char *rawPath, NameList &files)
{
    char pattern[MAX_PATH];
    if (!InRawFile(rawPath, "*.*", pattern))
        return false;
    bool complete = true;
    ForEachEntry(pattern, [&](const WIN32_FIND_DATAA &entry) {
        if (!IsDirectory(entry) && !SkippedBySigning(entry.cFileName))
            complete = files.Add(entry.cFileName);
        return complete;
    });
    return complete;
}

bool SignEveryFile(HWND dialog, const char *rawPath, const NameList &files)
{
    VERITANE_SIGNATURE signature = {};
    if (files.Count() == 0 || !CreateSignature(kRawSigningApplication, &signature, dialog, nullptr))
        return true; // nothing to sign, or the user did not sign
    char path[MAX_PATH];
    for (size_t i = 0; i < files.Count(); ++i)
        if (!InRawFile(rawPath, files.At(i), path) || !SetSignatureInFile(path, &signature))
            return false;
    return true;
}

bool WriteChecksumBlock(const char *path, const VERITANE_SIGNATURE &signature)
{
    HCHECKSUMBLOCK block = CreateAndOpenChecksumBlock(path, GENERIC_READ | GENERIC_WRITE);
    if (!block)
        return false;
    const bool set = SetChecksumBlockSignature(block, &signature, sizeof signature) != FALSE;
    return CloseChecksumBlock(block) && set;
}

void AuditSigning(const char *rawPath, const char *path, const VERITANE_SIGNATURE &signature)
{
    char log[MAX_PATH];
    if (GetLogVeskFilenameA(rawPath, log))
        CFileAccess::LogEventAuditA(log, signature.isSigned ? kAuditSigned : kAuditNotSigned, 0, path);
}

// A declined signature is still recorded where signing is required.
bool SignFirstUnprotectedFile(HWND dialog, const char *rawPath, const NameList &files)
{
    size_t i = 0;
    while (i < files.Count() && strncmp(files.At(i), "protected", 9) == 0)
        ++i;
    char path[MAX_PATH];
    if (i == files.Count() || !InRawFile(rawPath, files.At(i), path))
        return true;
    VERITANE_SIGNATURE signature = {};
    CreateSignature(kRawSigningApplication, &signature, dialog, nullptr);
    if (!signature.isSigned && !signature.required)
        return true;
    if (!WriteChecksumBlock(path, signature))
        return false;
    AuditSigning(rawPath, path, signature);
    return true;
}
} // namespace

size_t RawFilePath(const char *directory, const char *name, char *out, size_t cap)
{
    return ChosenPath(directory, name, EndsWithIgnoringCase(name, "raw") ? "" : ".raw", out, cap);
}

bool SkippedBySigning(const char *fileName)
{
    return StartsWithIgnoringCase(fileName, "_proc") || StartsWithIgnoringCase(fileName, "_history");
}

bool SignRawFile(HWND dialog, const char *rawPath, bool secureFiles, bool securityLight)
{
    if (!secureFiles && !securityLight)
        return true;
    NameList files;
    const bool signedAll = CollectFiles(rawPath, files) && (secureFiles ? SignEveryFile(dialog, rawPath, files)
                                                                        : SignFirstUnprotectedFile(dialog, rawPath, files));
    if (!signedAll)
        TellFailure(dialog);
    return signedAll;
}

} // namespace kr

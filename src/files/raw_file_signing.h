// Signing a raw data file (a directory named *.raw) from the raw-file
// dialog: with secure files every data file inside it carries the
// signature; with light security the first unprotected file's checksum
// block does, and the raw file's audit log says so.
#ifndef KR_FILES_RAW_FILE_SIGNING_H
#define KR_FILES_RAW_FILE_SIGNING_H

#include <windows.h>

#include <stddef.h>

namespace kr {

// The application number the suite signs raw files under.
const DWORD kRawSigningApplication = 15007;

// directory + name, with ".raw" appended unless the name already ends in
// "raw" (ignoring case). Returns the whole length.
size_t RawFilePath(const char *directory, const char *name, char *out, size_t cap);

// Processing results and histories inside a raw file are never signed.
bool SkippedBySigning(const char *fileName);

// Signs the raw file at rawPath for the user at the dialog. False when a
// signature could not be written; the user has then been told.
bool SignRawFile(HWND dialog, const char *rawPath, bool secureFiles, bool securityLight);

} // namespace kr

#endif

// Audit lines: their text form and their appending to a log file, one
// write per line so that concurrent writers never lose or mix lines.
#ifndef CUSTORIX_AUDIT_LOG_H
#define CUSTORIX_AUDIT_LOG_H

#include <stddef.h>
#include <windows.h>

namespace custorix {

// Room for the longest line: time, user, two numbers, 1024 characters of
// text, separators and the line end.
const size_t kAuditLineCapacity = 1200;
const size_t kAuditTextLimit = 1024;

// "<time>\t<user>\t<event>\t<outcome>\t<text>[ - <detail>]\r\n" into out
// (kAuditLineCapacity bytes); returns its length. Tabs and line breaks in
// user, text and detail become spaces; text and detail together are cut to
// kAuditTextLimit characters. Null text or detail count as empty.
size_t FormatAuditLine(const SYSTEMTIME &utc, const char *user, DWORD event, DWORD outcome, const char *text,
                       const char *detail, char *out);

// Appends the bytes to the file (created when missing) in one write on a
// handle opened for appending only. False when it cannot be written.
bool AppendToLog(const char *logPath, const char *line, size_t length);

} // namespace custorix

#endif

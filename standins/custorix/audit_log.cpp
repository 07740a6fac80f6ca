#include "audit_log.h"

#include "support/capped_text.h"

namespace custorix {
namespace {

void PutDigits(kr::CappedText &line, unsigned value, int minWidth)
{
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int pad = n; pad < minWidth; ++pad)
        line.Put('0');
    while (n > 0)
        line.Put(digits[--n]);
}

// One field of free text: its separators and line breaks would split the
// line, so they become spaces. Counts down the characters still allowed.
void PutField(kr::CappedText &line, const char *text, size_t &allowed)
{
    for (; text && *text && allowed > 0; ++text, --allowed) {
        const char c = *text;
        line.Put(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
    }
}

void PutTime(kr::CappedText &line, const SYSTEMTIME &utc)
{
    const struct {
        WORD value;
        int width;
        char after;
    } parts[] = {{utc.wYear, 4, '-'},   {utc.wMonth, 2, '-'},  {utc.wDay, 2, 'T'},          {utc.wHour, 2, ':'},
                 {utc.wMinute, 2, ':'}, {utc.wSecond, 2, '.'}, {utc.wMilliseconds, 3, 'Z'}};
    for (const auto &part : parts) {
        PutDigits(line, part.value, part.width);
        line.Put(part.after);
    }
}

} // namespace

size_t FormatAuditLine(const SYSTEMTIME &utc, const char *user, DWORD event, DWORD outcome, const char *text,
                       const char *detail, char *out)
{
    kr::CappedText line(out, kAuditLineCapacity);
    PutTime(line, utc);
    line.Put('\t');
    size_t userAllowed = 64;
    PutField(line, user, userAllowed);
    line.Put('\t');
    PutDigits(line, event, 1);
    line.Put('\t');
    PutDigits(line, outcome, 1);
    line.Put('\t');
    size_t allowed = kAuditTextLimit;
    PutField(line, text, allowed);
    if (detail && *detail) {
        const char *separator = " - ";
        PutField(line, separator, allowed);
        PutField(line, detail, allowed);
    }
    line.Append("\r\n");
    return line.Finish();
}

bool AppendToLog(const char *logPath, const char *line, size_t length)
{
    if (!logPath || !*logPath)
        return false;
    // Opened for appending, so every write lands at the end of the file; read
    // access only so that the file can be locked.
    HANDLE log = CreateFileA(logPath, GENERIC_READ | FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = GetFileInformationByHandle(log, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    if (ok) {
        // Appending alone does not keep two processes from writing at the same
        // end under every file system: the writers take turns on a lock of a
        // byte far beyond any log's end, which blocks no reader.
        OVERLAPPED turn{};
        turn.OffsetHigh = 0x7FFFFFFF;
        const bool locked = LockFileEx(log, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &turn);
        DWORD written = 0;
        ok = WriteFile(log, line, static_cast<DWORD>(length), &written, nullptr) && written == length;
        if (locked)
            UnlockFileEx(log, 0, 1, 0, &turn);
    }
    CloseHandle(log);
    return ok;
}
} // namespace custorix

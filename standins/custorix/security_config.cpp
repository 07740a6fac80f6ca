#include "security_config.h"

#include <string.h>

#include "custorix.h"
#include "location_rules.h"

namespace custorix {
namespace {

const size_t kMaxFileSize = 64 * 1024;
const size_t kMaxLineLength = 4095;

// A piece of the configuration text: not NUL-terminated.
struct Span {
    const char *begin;
    const char *end;

    size_t Length() const { return static_cast<size_t>(end - begin); }
    bool Empty() const { return begin == end; }
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

Span Trim(Span s)
{
    while (s.begin < s.end && IsBlank(*s.begin))
        ++s.begin;
    while (s.end > s.begin && IsBlank(s.end[-1]))
        --s.end;
    return s;
}

bool EqualsIgnoringCase(Span s, const char *word)
{
    const size_t n = strlen(word);
    return s.Length() == n && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, s.begin, static_cast<int>(n), word,
                                             static_cast<int>(n)) == CSTR_EQUAL;
}

// Copies a span into a NUL-terminated buffer; false when it does not fit.
bool CopySpan(Span s, char *out, size_t cap)
{
    if (s.Length() >= cap)
        return false;
    memcpy(out, s.begin, s.Length());
    out[s.Length()] = '\0';
    return true;
}

// The next piece up to `separator` (or the end); advances `rest` past it.
Span NextPiece(Span &rest, char separator)
{
    const char *stop = static_cast<const char *>(memchr(rest.begin, separator, rest.Length()));
    Span piece{rest.begin, stop ? stop : rest.end};
    rest.begin = stop ? stop + 1 : rest.end;
    return Trim(piece);
}

bool ParseFlag(Span value, bool &flag)
{
    if (value.Length() != 1 || (value.begin[0] != '0' && value.begin[0] != '1'))
        return false;
    flag = value.begin[0] == '1';
    return true;
}

bool ParseUser(Span value, char *user)
{
    return CopySpan(value, user, kUserCapacity);
}

// ";"-separated absolute directories into the NUL-separated list form.
bool ParseLocations(Span value, char *list)
{
    size_t used = 0;
    for (Span rest = value; rest.begin < rest.end;) {
        const Span piece = NextPiece(rest, ';');
        if (piece.Empty())
            continue;
        char entry[MAX_PATH];
        char full[MAX_PATH];
        if (!CopySpan(piece, entry, sizeof entry) || !IsAbsolutePath(entry) || HasWildcardCharacter(entry) ||
            !FullDirectoryForm(entry, full))
            return false;
        const size_t n = strlen(full) + 1;
        if (used + n + 1 > kLocationListCapacity)
            return false;
        memcpy(list + used, full, n);
        used += n;
    }
    list[used] = '\0';
    return true;
}

bool ParseRight(Span piece, DWORD &right)
{
    if (piece.Empty())
        return false;
    unsigned long long number = 0;
    for (const char *c = piece.begin; c < piece.end; ++c) {
        if (*c < '0' || *c > '9')
            return false;
        number = number * 10 + static_cast<unsigned>(*c - '0');
        if (number > 0xFFFFFFFFull)
            return false;
    }
    right = static_cast<DWORD>(number);
    return number > 0;
}

bool ParseRights(Span value, SecurityConfig &config)
{
    for (Span rest = value; rest.begin < rest.end;) {
        const Span piece = NextPiece(rest, ',');
        if (piece.Empty())
            continue;
        if (config.rightCount == kMaxRights || !ParseRight(piece, config.rights[config.rightCount]))
            return false;
        ++config.rightCount;
    }
    return true;
}

bool ParseTempDir(Span value, char *tempDir)
{
    char given[MAX_PATH];
    if (value.Empty())
        return true;
    return CopySpan(value, given, sizeof given) && IsAbsolutePath(given) && !HasWildcardCharacter(given) &&
           FullDirectoryForm(given, tempDir);
}

bool ParseAuditLog(Span value, char *auditLog)
{
    char given[MAX_PATH];
    if (value.Empty())
        return true;
    if (!CopySpan(value, given, sizeof given) || !IsAbsolutePath(given) || HasWildcardCharacter(given))
        return false;
    return FullPathForm(given, auditLog) && auditLog[strlen(auditLog) - 1] != '\\';
}

enum Key { User, SecureFiles, SecurityLight, Signing, SigningRequired, DataLocations, TemplateLocations, Rights,
           TempDir, AuditLog, KeyCount };

const char *const kKeyNames[KeyCount] = {"User", "SecureFiles", "SecurityLight", "Signing", "SigningRequired",
                                         "DataLocations", "TemplateLocations", "Rights", "TempDir", "AuditLog"};

bool ParseValue(Key key, Span value, SecurityConfig &config)
{
    switch (key) {
    case User: return ParseUser(value, config.user);
    case SecureFiles: return ParseFlag(value, config.secureFiles);
    case SecurityLight: return ParseFlag(value, config.securityLight);
    case Signing: return ParseFlag(value, config.signing);
    case SigningRequired: return ParseFlag(value, config.signingRequired);
    case DataLocations: return ParseLocations(value, config.dataLocations);
    case TemplateLocations: return ParseLocations(value, config.templateLocations);
    case Rights: return ParseRights(value, config);
    case TempDir: return ParseTempDir(value, config.tempDir);
    case AuditLog: return ParseAuditLog(value, config.auditLog);
    default: return false;
    }
}

// Reads "key=value" in the [Security] section; false for anything else.
bool ParseSetting(Span line, unsigned &seen, SecurityConfig &config)
{
    const char *equals = static_cast<const char *>(memchr(line.begin, '=', line.Length()));
    if (!equals)
        return false;
    const Span name = Trim(Span{line.begin, equals});
    const Span value = Trim(Span{equals + 1, line.end});
    for (int key = 0; key < KeyCount; ++key) {
        if (!EqualsIgnoringCase(name, kKeyNames[key]))
            continue;
        if (seen & (1u << key))
            return false;
        seen |= 1u << key;
        return ParseValue(static_cast<Key>(key), value, config);
    }
    return false;
}

bool ParseLines(const char *text, size_t length, SecurityConfig &config)
{
    if (memchr(text, '\0', length))
        return false;
    bool inSection = false;
    bool sectionSeen = false;
    unsigned seen = 0;
    Span rest{text, text + length};
    // A byte-order mark, as editors put before UTF-8 text.
    if (length >= 3 && memcmp(text, "\xEF\xBB\xBF", 3) == 0)
        rest.begin += 3;
    while (rest.begin < rest.end) {
        const char *lineStart = rest.begin;
        const Span line = NextPiece(rest, '\n');
        if (static_cast<size_t>(rest.begin - lineStart) > kMaxLineLength + 1)
            return false;
        if (line.Empty() || *line.begin == ';' || *line.begin == '#')
            continue;
        if (*line.begin == '[') {
            if (sectionSeen || !EqualsIgnoringCase(line, "[Security]"))
                return false;
            inSection = sectionSeen = true;
            continue;
        }
        if (!inSection || !ParseSetting(line, seen, config))
            return false;
    }
    return true;
}

void SetAbsent(SecurityConfig &config)
{
    memset(&config, 0, sizeof config);
}

void SetSafeReading(SecurityConfig &config)
{
    SetAbsent(config);
    config.secureFiles = true;
}

// Reads the whole file and its settings; false when any of it is garbled.
bool ReadExistingFile(DWORD attributes, SecurityConfig &config)
{
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    HANDLE file = CreateFileA(CUSTORIX_CONFIG_FILE, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // One byte more than allowed tells an over-long file apart.
    char *text = static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, kMaxFileSize + 1));
    DWORD length = 0;
    const bool ok = text && ReadFile(file, text, kMaxFileSize + 1, &length, nullptr) && length <= kMaxFileSize &&
                    ParseLines(text, length, config);
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    CloseHandle(file);
    return ok;
}

} // namespace

void ReadSecurityConfig(SecurityConfig &config)
{
    SetAbsent(config);
    const DWORD attributes = GetFileAttributesA(CUSTORIX_CONFIG_FILE);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return;
    }
    if (!ReadExistingFile(attributes, config))
        SetSafeReading(config);
}

void AuditUserName(const SecurityConfig &config, char *out, size_t cap)
{
    if (config.user[0]) {
        lstrcpynA(out, config.user, static_cast<int>(cap));
        return;
    }
    DWORD size = static_cast<DWORD>(cap);
    if (!GetUserNameA(out, &size) || !out[0])
        lstrcpynA(out, "unknown", static_cast<int>(cap));
}

} // namespace custorix

#include "settings/profile_text.h"

#include <string.h>

#include "support/capped_text.h"
#include "support/memory.h"
#include "support/runtime_format.h"
#include "text/bounded_search.h"

namespace kr {
namespace {

long TextLength(const ProfileBuffer *pb)
{
    return static_cast<long>(MemGlobalSize(pb->block)) - pb->freeBytes;
}

bool HasLineBreak(const char *text)
{
    return strpbrk(text, "\r\n") != nullptr;
}

// The cache names the current section; empty means none is current, so a
// section named "" is always looked up.
bool IsCurrentSection(const ProfileBuffer *pb, const char *section)
{
    return pb->sectionName[0] != '\0' && strcmp(pb->sectionName, section) == 0;
}

bool HeaderStartsAt(const char *text, long pos, long length)
{
    return pos + 3 <= length && text[pos] == '\r' && text[pos + 1] == '\n' && text[pos + 2] == '[';
}

// Makes room for `bytes` more bytes (plus 100 to spare). On failure the block
// keeps its size and contents; a relock that fails leaves `text` null, and
// the caller returns at once.
bool GrowBlock(ProfileBuffer *pb, long bytes)
{
    const long length = TextLength(pb);
    MemGlobalUnlock(pb->block);
    const HGLOBAL grown =
        MemGlobalReAlloc(pb->block, MemGlobalSize(pb->block) + bytes + 100, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (grown)
        pb->block = grown;
    pb->text = static_cast<char *>(MemGlobalLock(pb->block));
    pb->freeBytes = static_cast<long>(MemGlobalSize(pb->block)) - length;
    return grown && pb->text;
}

// Copies text cut to size - 1 characters; nothing for a size below 1.
void CopyCut(char *out, short size, const char *text)
{
    if (size >= 1)
        CopyText(text, out, static_cast<size_t>(size));
}

// Packs one name into a list being enumerated; returns the new count.
short PackName(char *out, short size, short count, const char *name, long length)
{
    const long room = size - count - 1;
    const long copied = length < room ? length : room;
    memcpy(out + count, name, copied);
    out[count + copied] = '\0';
    return static_cast<short>(count + copied + 1);
}

} // namespace

long MaxValueLength(const char *key)
{
    return 509 - (static_cast<long>(strlen(key)) + 1);
}

bool IsStorableSection(const char *section)
{
    return section && strlen(section) <= static_cast<size_t>(kMaxSectionName) && !strpbrk(section, "]\r\n");
}

bool IsStorableKey(const char *key)
{
    return key && key[0] != '[' && strlen(key) <= static_cast<size_t>(kMaxKey) && !strpbrk(key, "=\r\n");
}

bool IsStorableValue(const char *value)
{
    return value && !HasLineBreak(value);
}

int MoveBytes(char *start, long count, long delta)
{
    if (count > 0 && delta != 0)
        memmove(start + delta, start, count);
    // Also with nothing to move: a shrunk last line leaves its tail here.
    if (delta < 0)
        memset(start + (count > 0 ? count : 0) + delta, 0, -delta);
    return 1;
}

int AddSection(ProfileBuffer *pb, const char *section)
{
    char header[kMaxSectionName + 8];
    const int n = FormatText(header, sizeof header, "\r\n[%s]\r\n", section);
    if (n < 0)
        return 0;
    if (n >= pb->freeBytes && !GrowBlock(pb, n))
        return 0;
    const long length = TextLength(pb);
    memcpy(pb->text + length, header, n + 1);
    pb->sectionOffset = length + n - 2;
    pb->sectionLength = 2;
    CopyText(section, pb->sectionName, sizeof pb->sectionName);
    pb->freeBytes -= n;
    return 1;
}

int FindSection(ProfileBuffer *pb, const char *section, int create)
{
    const char *text = pb->text;
    const long length = TextLength(pb);
    const long nameLength = static_cast<long>(strlen(section));
    pb->sectionName[0] = '\0';

    long nameStart = -1;
    long pos = 0;
    if (length > 0 && text[0] == '[') // a header at the very start, without a line break
        nameStart = 1;
    for (;;) {
        if (nameStart < 0) {
            while (pos < length && !HeaderStartsAt(text, pos, length))
                ++pos;
            if (pos >= length)
                break;
            nameStart = pos + 3;
        }
        if (strncmp(text + nameStart, section, nameLength) == 0 && text[nameStart + nameLength] == ']') {
            CopyText(section, pb->sectionName, sizeof pb->sectionName);
            pb->sectionOffset = nameStart + nameLength + 1;
            long end = pb->sectionOffset;
            while (end < length && text[end] && !HeaderStartsAt(text, end, length))
                ++end;
            pb->sectionLength = end - pb->sectionOffset;
            return 1;
        }
        if (nameStart >= length)
            break;
        pos = nameStart;
        nameStart = -1;
    }
    return create ? AddSection(pb, section) : 0;
}

char *FindLine(ProfileBuffer *pb, const char *section, const char *key, short *lineLength, int create)
{
    (void)section; // the caller has made it current
    char *body = pb->text + pb->sectionOffset;
    char *found = const_cast<char *>(FindKeyLine(body, key, pb->sectionLength));
    if (found) {
        long count = 0;
        while (count < pb->sectionLength && found[count]) {
            if (found[count++] == '\n')
                break;
        }
        *lineLength = static_cast<short>(count);
        return found;
    }
    if (!create)
        return nullptr;

    char line[kMaxKey + 4];
    const int n = FormatText(line, sizeof line, "%s=\r\n", key);
    if (n < 0)
        return nullptr;
    *lineLength = static_cast<short>(n);
    if (n >= pb->freeBytes && !GrowBlock(pb, n)) {
        pb->outOfMemoryIn = "FindLine";
        return nullptr;
    }
    const long insertAt = pb->sectionOffset + pb->sectionLength;
    char *insertion = pb->text + insertAt;
    MoveBytes(insertion, TextLength(pb) - insertAt, n);
    memcpy(insertion, line, n);
    pb->freeBytes -= n;
    pb->sectionLength += n;
    return insertion;
}

int SetString(ProfileBuffer *pb, const char *section, const char *key, char *value, int create)
{
    if (!IsStorableSection(section) || !IsStorableKey(key) || !IsStorableValue(value))
        return 0;
    const long maxValue = MaxValueLength(key);
    if (static_cast<long>(strlen(value)) > maxValue)
        value[maxValue] = '\0';
    char line[516];
    const int n = FormatText(line, sizeof line, "%s=%s\r\n", key, value);

    if (!IsCurrentSection(pb, section) && !FindSection(pb, section, create))
        return 0;
    short old = 0;
    char *start = FindLine(pb, section, key, &old, create);
    if (!start)
        return 0;
    const long delta = static_cast<short>(n - old);
    if (delta >= pb->freeBytes) {
        if (!GrowBlock(pb, delta)) {
            pb->outOfMemoryIn = "SetString";
            return 0;
        }
        start = FindLine(pb, section, key, &old, create);
    }
    if (delta != 0) {
        char *lineEnd = start + old;
        MoveBytes(lineEnd, TextLength(pb) - (lineEnd - pb->text), delta);
        pb->freeBytes -= delta;
        pb->sectionLength += delta;
    }
    memcpy(start, line, n);
    return 1;
}

short EnumSections(ProfileBuffer *pb, char *out, short size)
{
    const char *text = pb->text;
    const long length = TextLength(pb);
    short count = 0;
    for (long pos = 0; pos < length; ++pos) {
        if (count >= size - 2)
            return count;
        if (text[pos] == '[' && (pos == 0 || text[pos - 1] == '\n')) {
            const char *name = text + pos + 1;
            const char *close = strchr(name, ']');
            if (!close)
                return -1;
            count = PackName(out, size, count, name, static_cast<long>(close - name));
        }
    }
    return count;
}

short EnumKeys(ProfileBuffer *pb, char *out, short size)
{
    const char *text = pb->text;
    const long end = pb->sectionOffset + pb->sectionLength - 2;
    long pos = pb->sectionOffset;
    while (pos < end && text[pos] != '\n')
        ++pos;
    short count = 0;
    for (; pos < end; ++pos) {
        if (count >= size - 2)
            return count;
        if (text[pos] != '\n')
            continue;
        while (text[pos] == '\r' || text[pos] == '\n')
            ++pos;
        if (pos < end) {
            const char *keyStart = text + pos;
            const char *equals = strchr(keyStart, '=');
            if (!equals)
                return -1;
            count = PackName(out, size, count, keyStart, static_cast<long>(equals - keyStart));
        }
    }
    return count;
}

short GetString(ProfileBuffer *pb, const char *section, const char *key, const char *def, char *out,
                short size)
{
    if (size < 1)
        return -1;
    if (!section)
        return EnumSections(pb, out, size);
    out[0] = '\0';
    if (!IsStorableSection(section) ||
        (!IsCurrentSection(pb, section) && !FindSection(pb, section, 0))) {
        CopyCut(out, size, def);
        return -1;
    }
    if (!key)
        return EnumKeys(pb, out, size);
    short lineLength = 0;
    const char *line = IsStorableKey(key) ? FindLine(pb, section, key, &lineLength, 0) : nullptr;
    if (!line) {
        CopyCut(out, size, def);
        return -1;
    }
    const char *p = line;
    while (*p && *p != '=' && *p != '\r')
        ++p;
    if (*p != '=')
        return 0;
    ++p;
    short copied = 0;
    while (p[copied] && p[copied] != '\r' && copied < size - 1) {
        out[copied] = p[copied];
        ++copied;
    }
    out[copied] = '\0';
    return copied;
}

} // namespace kr

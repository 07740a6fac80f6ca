// The profile text engine: a set of settings kept as INI-format text in one
// movable, zero-filled global memory block, read, written and listed in
// place. The text is a run of sections, each "\r\n[name]\r\n" followed by
// lines "key=value\r\n"; the bytes after the text up to the end of the block
// are all zero, and there is always at least one of them.
//
// Every operation takes the control record first; the caller has locked the
// block and stored its address in `text`. Growth may move the block: it is
// unlocked, reallocated and locked again, and `text` updated.
#ifndef KR_SETTINGS_PROFILE_TEXT_H
#define KR_SETTINGS_PROFILE_TEXT_H

#include <windows.h>

namespace kr {

constexpr int kMaxSectionName = 31;  // the cached name field holds 31 and a NUL
constexpr int kMaxKey = 128;         // the search pattern's area holds 128
constexpr int kMaxLine = 511;        // a stored line, its CR LF included

struct ProfileBuffer {
    HGLOBAL block;
    char *text;           // valid between the caller's lock and unlock
    long sectionOffset;   // the current section's body: the CR after "]"
    long sectionLength;
    char sectionName[kMaxSectionName + 1]; // "" when no section is current
    long freeBytes;       // block size minus text length
    const char *outOfMemoryIn; // set by a write whose growth failed: "FindLine" or "SetString"
};

// The longest value that a line of this key holds: longer ones are cut.
long MaxValueLength(const char *key);

// What the engine accepts. A section name of at most 31 characters without
// "]", CR or LF (it could not be found again, or would match other headers);
// a key of at most 128 characters without "=", CR or LF and not beginning
// with "[" (its line would read as a header); a value without CR
// or LF (either would break the line structure). Null is never accepted.
bool IsStorableSection(const char *section);
bool IsStorableKey(const char *key);
bool IsStorableValue(const char *value);

// Reads section/key into out (size bytes). A null section lists the section
// names and a null key the section's keys (EnumSections, EnumKeys). A value
// is copied cut to size - 1 characters; the result is its length. A missing
// section or key (or one the engine would never store) gives the default,
// cut likewise ("" for null), and -1. A size below 1 writes nothing.
short GetString(ProfileBuffer *pb, const char *section, const char *key, const char *def, char *out,
                short size);

// Writes section/key = value: 1, or 0 with nothing changed. With create, a
// missing section and key are made; without, only an existing key's value
// is replaced. A value longer than MaxValueLength(key) is first cut in the
// caller's own string. Names and values that IsStorable* refuses give 0.
// When growth fails, outOfMemoryIn names the step, for the caller's
// "Out of memory" box.
int SetString(ProfileBuffer *pb, const char *section, const char *key, char *value, int create);

// Makes a section current: 1 when found (or, with create, appended), else 0
// and no section is current.
int FindSection(ProfileBuffer *pb, const char *section, int create);

// Appends a section header and makes the section current; 0 when the block
// could not grow (no message).
int AddSection(ProfileBuffer *pb, const char *section);

// The start of key's line in the current section, its length (CR LF
// included) in *lineLength; with create, a missing key is appended to the
// section as "key=\r\n". Null when missing, or when growth failed.
char *FindLine(ProfileBuffer *pb, const char *section, const char *key, short *lineLength, int create);

// The names packed one after another, each with its NUL, stopping once
// size - 2 bytes are written; the last name may be cut to fit. Result: bytes
// written, or -1 for a header without "]" (a line without "=").
short EnumSections(ProfileBuffer *pb, char *out, short size);
short EnumKeys(ProfileBuffer *pb, char *out, short size);

// Shifts count bytes at start by delta; a shift down zeroes the bytes it
// vacates at the top. Always 1.
int MoveBytes(char *start, long count, long delta);

} // namespace kr

#endif

/*
 * krsettings.h - shared settings: the suite's INI file KESTRUNE.INI in the
 * working directory, and window placements and MDI desktops saved in it.
 *
 * The INI file is never loaded into memory: every read and write goes
 * straight to the Win32 private-profile functions.
 */
#ifndef KRSETTINGS_H
#define KRSETTINGS_H

#include "krdefs.h"
#include "krfiles.h"

/* A window placement. The rectangle is the window's normal (restored) one,
 * in its parent's client coordinates for a child window, else in screen
 * coordinates. Its text form, the value of an INI key, is for example
 * "TRUE,SW_SHOWNORMAL,10,20,610,420". */
typedef struct tagINIWINDPOS {
    LONG visible; /* 1 when the window existed when the placement was taken */
    short show;   /* 1 SW_SHOWNORMAL, 2 SW_SHOWMINIMIZED, 3 SW_SHOWMAXIMIZED */
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} INIWINDPOS;

KR_EXTERN_C_BEGIN

/* Records the process's current directory as the suite's working directory.
 * A current directory of 260 characters or more records an empty one. */
void KRAPI SetKestruneWorkingDir(void);

/* Copies the working directory into out (260 bytes; may be null), recording
 * it first if it has not been recorded yet. Always 1. */
int KRAPI GetKestruneWorkingDir(char *out);

/* Fixes the INI path, KESTRUNE.INI in the working directory, on the first
 * call; it never changes afterwards. The argument is ignored. Always 1. */
int KRAPI InitIni(long unused);

/* Kept for old callers: the INI file holds no state in memory. Always 1. */
int KRAPI FreeIni(long unused1, long unused2);

/* Always 0: the INI file is never loaded into memory. */
int KRAPI IsIniLoaded(void);

/* Reads section/key of KESTRUNE.INI into out (size bytes), with the Win32
 * rules: a missing key gives the default (null means ""), a null key lists
 * the section's keys and a null section the section names, each list
 * double-NUL terminated. Returns the count GetPrivateProfileStringA returns.
 * A null out or a size below 1 returns 0 and writes nothing. */
int KRAPI GetIniString(const char *section, const char *key, const char *def,
                       char *out, short size);

/* Writes section/key = value into KESTRUNE.INI. Returns 0 with nothing
 * written when the key or the section holds a character below 0x20 or from
 * 0x80 upwards (an empty name passes). A value of 512 characters or more is
 * cut to 512 by writing a NUL at index 512 of the caller's buffer. A null
 * value removes the key, a null key the whole section (the Win32 rules).
 * Otherwise returns the result of WritePrivateProfileStringA. The flag is
 * not used. */
int KRAPI SetIniString(const char *section, const char *key, char *value,
                       long flag);

/* Reads a placement. The record is cleared first; with a default record its
 * text stands in for a missing key. Returns 0 when the value is empty (the
 * record stays all zero), else 1. A value of "TRUE" alone gives visible 1,
 * show 2 and the rectangle 0,0,100,100; missing numbers read as 0. A null
 * out, section or key returns 0: a placement is always one key's value. */
int KRAPI GetIniWindPos(const char *section, const char *key,
                        const INIWINDPOS *def, INIWINDPOS *out);

/* Writes a placement in its text form through SetIniString (flag passed on).
 * Always 1 (0 only for a null placement). */
int KRAPI SetIniWindPos(const char *section, const char *key,
                        const INIWINDPOS *pos, long flag);

/* Takes the placement of a window. A null or dead window gives visible 0,
 * show 1 and an empty rectangle. A minimised or maximised window is first
 * brought to its normal state so that its normal rectangle can be read; a
 * window whose parent is not of class "mdiclient" is left hidden by that.
 * Always 1 (0 only for a null out). */
int KRAPI ObtainWindPos(HWND window, INIWINDPOS *out);

/* Applies a placement: show 2 or 3 minimises or maximises the window and
 * leaves its rectangle alone; otherwise the window is moved to the rectangle
 * without repainting and shown normally. 0 when the window does not exist
 * (or the placement is null), else 1. */
int KRAPI RestoreWindPos(HWND window, const INIWINDPOS *pos);

/* Mode bits of IniSaveDesktop. */
#define INI_DESKTOP_MDI 1    /* window is an MDI client: save all its children */
#define INI_DESKTOP_SINGLE 2 /* save the given window alone */

/* Saves window placements under the "IniParagraph"/"IniLine" names each
 * window carries (see IniCreateMDIWnd). In MDI mode the children are visited
 * from the active one with WM_MDINEXT, and their line names are written as a
 * comma-separated list under section/key, the last visited first. Returns 0
 * for a null section, a mode with neither bit, or a null key where a list or
 * an empty desktop would be written; else 1.
 *
 * Choices of this library:
 * - the list holds at most 512 characters, what one INI value can hold;
 *   names that no longer fit whole are left out of it (their placements are
 *   still saved under their own keys);
 * - a child that carries no "IniParagraph" or "IniLine" name has nothing to
 *   be saved under and is skipped;
 * - the walk stops after as many steps as the client has children, so a
 *   child that WM_MDINEXT never returns to cannot make it loop. */
int KRAPI IniSaveDesktop(HWND window, long mode, const char *section,
                         const char *key, long unused);

/* Creates an MDI child through WM_MDICREATE at its placement saved under
 * section/key (minimised or maximised as saved), or at default positions
 * when none is saved (or section or key is null); the create record's style
 * and position are updated.
 * The child carries section and key as local atoms in its "IniParagraph" and
 * "IniLine" properties. Returns the child, or null when it was not created. */
HWND KRAPI IniCreateMDIWnd(HWND client, const char *section, const char *key,
                           MDICREATESTRUCTA *create);

/* 1 when [Acquisition] IsGCMD of KESTRUNE.INI is "TRUE" at the first call,
 * else 0; later calls return the same answer for the life of the process. */
int KRAPI IsGCMD(void);

/*
 * The global store: the process's settings blackboard, profile text held in
 * the library. It is created on first use and seeded from KESTRUNE.INI with
 * the 192 SystemList keys; every FreeGlobal and UpdateGlobal writes those
 * keys back. Other keys live only as long as the store. Two of them,
 * [SystemList] ACQUISITION and Acquisition, are distinct in the store but
 * one line of the INI file, whose keys ignore case: the one written back
 * last wins.
 *
 * Names and values: section names are matched case-sensitively, have at
 * most 31 characters and no "]"; keys have at most 128 characters, no "="
 * and do not begin with "[" (such a line would read as a section header);
 * neither has CR or LF, and neither do values. A write that breaks one
 * of these rules returns 0 and changes nothing; a read of such a name finds
 * nothing. A value longer than 508 minus the key's length is cut to that
 * length in the caller's own string before it is stored.
 */

/* Creates and seeds the store: 1. When it exists already, raises its use
 * count and returns 0; 0 also when creation or seeding failed. */
int KRAPI InitGlobal(long unused);

/* Writes the SystemList keys back to KESTRUNE.INI (empty values included).
 * Always 1. */
int KRAPI UpdateGlobal(long unused);

/* Writes the SystemList keys back and lowers the use count; at 0 the store
 * is freed. Always 1. */
int KRAPI FreeGlobal(long unused);

/* Reads section/key into out (size bytes, taken as a 16-bit signed number):
 * the value's length, cut to size - 1 characters; -1 for a missing key or
 * section (out then holds the default, or "" for null) or an unusable
 * store. A null section packs the section names into out, a null key the
 * section's keys, each name with its NUL: the result is the bytes written.
 * A null out or a size below 1 returns -1 and writes nothing. */
int KRAPI GetGlobalString(const char *section, const char *key, const char *def, char *out, int size);

/* Writes section/key = value: 1, or 0. With create nonzero a missing
 * section and key are made; with 0 only an existing key is changed. A null
 * section, key or value returns 0 (the store has no removal). */
int KRAPI SetGlobalString(const char *section, const char *key, char *value, int create);

/* Typed values, stored as "%ld", as ftoa with 8 decimals, and as the file
 * records' text forms (see krfiles.h). A getter clears *out first and
 * returns 0 for a missing key, whatever the default (which therefore never
 * reaches *out), and 0 for a null out; else it parses the text and returns
 * 1 (an empty value reads as 0). A double keeps 8 decimals and at most 31
 * characters: 1e35 reads back as 1e30 (its digits cut after 31) and
 * 1.23e-9 as 0 ("0.00000000"). A record whose text is longer than the
 * key's line holds is not stored (0): a cut record would read back wrong. */
int KRAPI GetGlobalLong(const char *section, const char *key, long def, long *out);
int KRAPI SetGlobalLong(const char *section, const char *key, long value, int create);
int KRAPI GetGlobalDouble(const char *section, const char *key, double def, double *out);
int KRAPI SetGlobalDouble(const char *section, const char *key, double value, int create);
int KRAPI GetGlobalFile(const char *section, const char *key, const QZFILE *def, QZFILE *out);
int KRAPI SetGlobalFile(const char *section, const char *key, const QZFILE *file, int create);
int KRAPI GetGlobalRawFile(const char *section, const char *key, const QZRAWFILE *def, QZRAWFILE *out);
int KRAPI SetGlobalRawFile(const char *section, const char *key, const QZRAWFILE *raw, int create);

KR_EXTERN_C_END

#endif /* KRSETTINGS_H */

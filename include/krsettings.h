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

/* A window placement. The rectangle is the window's normal (restored) one,
 * in its parent's client coordinates for a child window, else in screen
 * coordinates. Its text form, the value of an INI key, is for example
 * "TRUE,SW_SHOWNORMAL,10,20,610,420". */
typedef struct tagINIWINDPOS {
    long visible; /* 1 when the window existed when the placement was taken */
    short show;   /* 1 SW_SHOWNORMAL, 2 SW_SHOWMINIMIZED, 3 SW_SHOWMAXIMIZED */
    long left;
    long top;
    long right;
    long bottom;
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

KR_EXTERN_C_END

#endif /* KRSETTINGS_H */

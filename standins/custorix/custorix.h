/*
 * custorix.h - secure file access, user rights and audit trail of the suite.
 *
 * This is the suite's own small implementation, with the interface through
 * which the utility library reaches the disk, so that the full library can
 * replace it. It really enforces what its configuration says.
 *
 * Calling conventions
 *   The plain functions stand in for the Win32 or runtime call of the same
 *   name without the S: same arguments, same results. They are __stdcall
 *   (WINAPI) except _mkdirS, which is __cdecl like _mkdir. In the 32-bit DLL
 *   they are exported under their plain names (custorix.def). The static
 *   members of CFileAccess and CFileS use the compiler's default convention
 *   and are exported with their classes (CUSTORIX_API).
 *   Nothing here throws; nothing allocates memory the caller must free.
 *
 * Configuration: KRSECURE.INI in the process's current directory (the
 * suite's working directory). It is read anew by every call, so a change
 * takes effect at the next call. Example:
 *
 *     ; access control of this workstation
 *     [Security]
 *     User=anna
 *     SecureFiles=1
 *     SecurityLight=0
 *     Signing=1
 *     SigningRequired=0
 *     DataLocations=C:\data;\\server\share\runs
 *     TemplateLocations=C:\templates
 *     Rights=4005,4010
 *     TempDir=C:\temp\krsecure
 *     AuditLog=C:\logs\audit.log
 *
 *   User               name written into audit lines; absent or empty: the
 *                      logon name (GetUserNameA), "unknown" if that fails.
 *                      At most 63 characters.
 *   SecureFiles        0 or 1: access to the disk is limited to the user's
 *                      locations (see "file-system gate" below).
 *   SecurityLight      0 or 1: the light form; the locations and rights are
 *                      checked (CheckFilename, SecurityEnquire) but the
 *                      plain functions reach the whole disk.
 *   Signing            0 or 1: electronic signing is offered.
 *   SigningRequired    0 or 1: signing is mandatory (implies offered).
 *   DataLocations      ";"-separated directories where the user may keep
 *   TemplateLocations  data, and templates. Each entry must be absolute (a
 *                      drive letter, colon and backslash, or \\server\share)
 *                      and is normalised to its full path with one trailing
 *                      backslash; blank entries are skipped. A location
 *                      covers itself and everything below it: C:\data
 *                      covers C:\data\run.raw\ but not C:\database\.
 *   Rights             ","-separated numbers of the rights the user holds
 *                      (4005: delete raw data); blank entries are skipped.
 *   TempDir            absolute directory; absent or empty: the default.
 *   AuditLog           absolute file path; absent or empty: KRAUDIT.LOG in
 *                      the current directory.
 *
 *   Section and key names ignore case. Lines are trimmed; blank lines and
 *   lines starting with ";" or "#" are comments; a UTF-8 byte-order mark is
 *   skipped. Absent keys: flags 0, lists empty (with secure files or light
 *   security on, an empty list allows no location and grants no right),
 *   User, TempDir and AuditLog their defaults. At most 256 rights and 8 KiB
 *   of normalised locations per list.
 *
 * No KRSECURE.INI: security off. Every location is allowed, every right is
 * held, signing is not offered, the plain functions reach the whole disk.
 *
 * A garbled KRSECURE.INI - one that cannot be read, is a directory, exceeds
 * 64 KiB or a line of 4095 characters, contains a NUL byte, has a line that
 * is neither a comment, the [Security] header nor key=value, a key outside
 * [Security] or another section, an unknown or repeated key, a flag other
 * than 0 or 1, a location that is not absolute or holds * ? " < > |, a right
 * that is not a positive 32-bit number, a list over its limits, a User over
 * 63 characters, or a TempDir or AuditLog that is not an absolute path - is
 * read as a whole in the safe way: secure files on, light security off,
 * signing not offered, no location allowed, no right held; user, temporary
 * directory and audit log take their defaults, so refusals can still be
 * audited.
 *
 * File-system gate: with secure files on, CreateFileS, _mkdirS,
 * FindFirstFileSA and CFileS::GetStatus reach a path only when its full path
 * (GetFullPathNameA: "." and ".." resolved, "/" read as "\") lies in a data
 * location, a template location or the suite's temporary directory;
 * otherwise they fail with ERROR_ACCESS_DENIED (errno EACCES for _mkdirS).
 * Template locations are included because the template browsers list them
 * through the same functions. Short (8.3) names and links are not resolved.
 * The gate does not write to the audit log: callers log refusals they show.
 *
 * Audit log lines, one per event, each appended with one write on a handle
 * opened for appending, while holding a lock on one byte far beyond the end
 * of the file (it blocks no reader): concurrent writers, threads or
 * processes, never lose or mix lines.
 *
 *     <UTC time>\t<user>\t<event>\t<outcome>\t<text>\r\n
 *     e.g. "2026-12-06T16:05:57.123Z\tanna\t13022\t6\tC:\\private\\\r\n"
 *
 *   time "YYYY-MM-DDThh:mm:ss.mmmZ"; event and outcome in decimal; tabs,
 *   carriage returns and line feeds inside user or text become spaces; text
 *   is cut to 1024 characters. The log is created when missing, but not its
 *   directory; a log that cannot be opened for appending, or is read-only,
 *   is not written and the logging call returns 0.
 *
 * Secure file dialog: CFileDialogS is the window-class layer's open and save
 * dialog (krwnd.h; custorix.dll links krwnd.dll) with one check. With
 * secure files on, a name the user confirms is refused when its directory
 * (the confirmed full path up to and including its last backslash or
 * slash) lies in neither a data location nor a template location
 * (CheckFilename, CheckTemplateFilename): the dialog stays open, the refusal is written to
 * the audit log (event 13022, outcome 6, text the confirmed full path), and
 * a message box owned by the dialog says so, with the caption and text
 * below (MB_OK | MB_ICONEXCLAMATION; %s is the directory). Light security
 * alone does not limit the dialog, since the plain functions then reach the
 * whole disk. With secure files off every name is accepted. The check and
 * the audit line use the configuration of the current directory at the
 * time DoModal was called (while the dialog is open the current directory
 * follows the user's browsing). The dialog adds nothing else: its
 * arguments, flags and result are those of CFileDialog.
 */
#ifndef CUSTORIX_H
#define CUSTORIX_H

#include <stddef.h>
#include <windows.h>

#ifdef CUSTORIX_BUILD
#define CUSTORIX_API __declspec(dllexport)
#else
#define CUSTORIX_API __declspec(dllimport)
#endif

/* The name of the configuration file in the current directory. */
#define CUSTORIX_CONFIG_FILE "KRSECURE.INI"
/* The audit log when the configuration names none. */
#define CUSTORIX_DEFAULT_AUDIT_LOG "KRAUDIT.LOG"
/* The default temporary directory: this sub-directory of GetTempPathA. */
#define CUSTORIX_TEMP_SUBDIR "Kestrune"
/* The audit log of a raw data file, inside its directory. The "_history"
   prefix keeps it out of the files that signing collects. */
#define CUSTORIX_RAW_LOG_NAME "_history_audit.log"

/* Events and outcomes that the suite's callers record. */
#define CUSTORIX_EVENT_ACCESS_REFUSED 13022
#define CUSTORIX_OUTCOME_REFUSED 6
/* The box that refuses a name in the secure file dialog. */
#define CUSTORIX_REFUSED_CAPTION "Secure File Access"
#define CUSTORIX_REFUSED_TEXT \
    "You may not use this location:\n%s\n\nChoose a file in one of your data or template locations."
/* The right to delete raw data. */
#define CUSTORIX_RIGHT_DELETE_RAW 4005

#ifdef __cplusplus
extern "C" {
#endif

/* CreateFileA behind the file-system gate. */
HANDLE WINAPI CreateFileS(LPCSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                          DWORD creation, DWORD flags, HANDLE templateFile);
/* CloseHandle. */
BOOL WINAPI CloseHandleS(HANDLE handle);
/* _mkdir behind the file-system gate: 0, or -1 with errno set. */
int __cdecl _mkdirS(const char *path);
/* FindFirstFileA behind the file-system gate (the pattern's directory is
   checked); FindNextFileA; FindClose. */
HANDLE WINAPI FindFirstFileSA(LPCSTR pattern, LPWIN32_FIND_DATAA found);
BOOL WINAPI FindNextFileSA(HANDLE search, LPWIN32_FIND_DATAA found);
BOOL WINAPI FindCloseS(HANDLE search);

/* The form of a path under which the functions above reach it: its full
   path (GetFullPathNameA) written into out, which holds MAX_PATH (260)
   bytes. 0 with out = "" for a null or empty path or a full path that does
   not fit; no access check. */
BOOL WINAPI GetSecureFilenameA(LPCSTR path, LPSTR out);

/* Non-zero when the user holds the right numbered `right`. With neither
   secure files nor light security every right is held. `owner` and
   `reserved` (pass 0) are not used: nothing is shown. */
BOOL WINAPI SecurityEnquire(HWND owner, DWORD right, DWORD reserved);

/* The audit log of a raw data file (a directory named *.raw, with or
   without a trailing backslash): <full path of the raw file>\_history_audit.log
   written into out (MAX_PATH bytes). 0 with out = "" when the path is null,
   does not end in ".raw" (any case) or the result does not fit. The raw
   file need not exist. */
BOOL WINAPI GetLogVeskFilenameA(LPCSTR rawFile, LPSTR out);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus

#include "krwnd.h"

/* File status in the classic 32-bit layout: times are seconds since
   1970-01-01 UTC (0 when unknown), the size is a LONG, the attribute byte
   holds the FILE_ATTRIBUTE_* bits of the low byte (0x10: directory). */
struct CFileStatus {
    LONG m_ctime;           // creation
    LONG m_mtime;           // last modification
    LONG m_atime;           // last access
    LONG m_size;            // bytes; 0x7FFFFFFF for files of 2 GiB and more
    BYTE m_attribute;
    BYTE m_padding;         // keeps the name WORD-aligned
    char m_szFullName[MAX_PATH];
};
static_assert(sizeof(CFileStatus) == 280 && offsetof(CFileStatus, m_mtime) == 4 &&
                  offsetof(CFileStatus, m_atime) == 8 && offsetof(CFileStatus, m_size) == 12 &&
                  offsetof(CFileStatus, m_attribute) == 16 && offsetof(CFileStatus, m_szFullName) == 18,
              "the file-status record keeps its 32-bit layout");

class CUSTORIX_API CFileS {
public:
    /* Fills `status` for an existing file or directory (roots included)
       behind the file-system gate; non-zero on success. On failure the
       record is left as it was and GetLastError says why. */
    static BOOL GetStatus(LPCSTR path, CFileStatus &status);
};

class CUSTORIX_API CFileAccess {
public:
    /* The SecureFiles and SecurityLight settings. */
    static BOOL UsesSecureFiles();
    static BOOL UsesSecurityLight();

    /* Non-zero when the user may use `directory` (normally ending in a
       backslash; one is assumed otherwise) for data, or for templates.
       With neither secure files nor light security every location is
       allowed; otherwise the directory must lie in a location of the
       matching list. 0 for a null or empty path. */
    static BOOL CheckFilename(LPCSTR directory);
    static BOOL CheckTemplateFilename(LPCSTR directory);

    /* The suite's temporary directory, created (with its parents) when
       missing: TempDir, or GetTempPathA + "Kestrune\". Written into buffer
       NUL-terminated and ending in a backslash; non-zero on success. 0 with
       buffer = "" (when size > 0) if it does not fit in size bytes or cannot
       be created. */
    static BOOL GetGlobalTempPathSA(DWORD size, LPSTR buffer);

    /* Whether electronic signing is offered (*offered) and mandatory
       (*required), as 0 or 1; both 0 means no signing. The settings are the
       same for every application number. Null pointers are skipped; returns
       non-zero. */
    static BOOL SigSettings(DWORD application, int *offered, int *required);

    /* Records a refused or otherwise security-relevant access in the
       configured audit log: event (13022: access refused), outcome (6:
       refused), path; `detail` (may be null) is added to the text after
       " - ". `reserved`: pass 0. Non-zero when the line was written; 0 when
       the log cannot be written. */
    static BOOL LogEventSecurityA(DWORD event, DWORD outcome, LPCSTR path, LPCSTR detail, DWORD reserved);

    /* Records an audit event (for instance 8 or 11 when a raw file is
       signed) in `logFile` (GetLogVeskFilenameA of the raw file; null or
       empty: the configured audit log), with the outcome and text given.
       Non-zero when the line was written; 0 when the log cannot be written. */
    static BOOL LogEventAuditA(LPCSTR logFile, DWORD event, DWORD outcome, LPCSTR text);

    /* The same as the plain functions of the same names. */
    static HANDLE FindFirstFileSA(LPCSTR pattern, LPWIN32_FIND_DATAA found);
    static BOOL FindNextFileSA(HANDLE search, LPWIN32_FIND_DATAA found);
    static BOOL FindCloseS(HANDLE search);
};

/* The open or save dialog with the secure-files check of the header comment;
   the arguments are those of CFileDialog. */
class CUSTORIX_API CFileDialogS : public CFileDialog {
public:
    CFileDialogS(BOOL open, LPCSTR defaultExtension = nullptr, LPCSTR fileName = nullptr,
                 DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr,
                 CWnd *parent = nullptr);
    ~CFileDialogS() override;
    INT_PTR DoModal() override;

protected:
    BOOL OnFileNameOK() override;

private:
    char m_szWorkingDir[MAX_PATH]; // the current directory when DoModal was called
};

#endif /* __cplusplus */

#endif /* CUSTORIX_H */

/*
 * veritane.h - electronic signatures of the suite.
 *
 * The suite's own small implementation, behind the interface its callers
 * use, so that the full library can replace it. A signature is real: it
 * binds the signer, the time, the reason and the signed file's content
 * with an HMAC-SHA-256 under a key kept per user, and stops verifying once
 * the file changes by one byte.
 *
 * Calling convention: __stdcall (WINAPI), exported under the plain names
 * (veritane.def). Nothing here throws.
 *
 * Making a signature (CreateSignature) fills a VERITANE_SIGNATURE with who
 * signs, when and why; it does not yet bind any file. Writing it into a
 * file (SetSignatureInFile) binds it to that file's content as it is then
 * and stores it with the file, in the file's directory (see below), so the
 * one signature made for a set of files is written into each of them.
 *
 * Signer: the User of the suite's access configuration (KRSECURE.INI in
 * the current directory, [Security] User=, 1 to 63 characters, as the
 * profile functions read it), else the logon name (GetUserNameA), else
 * "unknown". `required` is SigningRequired as the access library reads it
 * (CFileAccess::SigSettings; veritane.dll imports custorix.dll). The time
 * is taken, in UTC, when the user signs. A reason given is cut to 127
 * characters.
 *
 * Reason dialog (template IDD_VERITANE_SIGN of veritane.dll, ids in
 * veritane_dialog.h): caption "Electronic Signature", the signer read-only,
 * a reason edit of at most 127 characters, "Sign" (IDOK), disabled while
 * the reason is empty or blanks only, and "Cancel" (IDCANCEL).
 *
 * Keys: one per signer, 32 random bytes (BCryptGenRandom) in
 * %APPDATA%\Kestrune\Veritane\<signer>.key (CSIDL_APPDATA), where each
 * character of the name other than a letter, digit, ".", "-", "_" or blank
 * is written "%XX". A signer's key is made when they first write a
 * signature into a file; a key file that is there but not 32 bytes is
 * never replaced (that would void their signatures): it makes signing and
 * checking fail. Only the user who signs now (names compared ignoring
 * case) can write a record into a file: SetSignatureInFile fails for a
 * record in another's name. Checking uses the key of the record's signer,
 * whoever checks; it fails when that key is missing.
 *
 * MAC: HMAC-SHA-256 (bcrypt) under the signer's key over a fixed purpose
 * text, the file's name without directory (so a signature cannot be moved
 * to another file), the record (isSigned, signer, reason, time,
 * application, required; texts zero after their end, reserved bytes zero)
 * and the SHA-256 of the file's content.
 *
 * Store (VERITANE_STORE_NAME in the file's directory): the 4 bytes "VSG1",
 * then one 516-byte entry per file: its name without directory (260 bytes,
 * zero-filled) and its VERITANE_SIGNATURE with the MAC. Names are compared
 * ignoring case; a later signature of a file replaces its entry. The store
 * is written anew each time, to "<store>.tmp" first, which then replaces it
 * (MoveFileExA, MOVEFILE_REPLACE_EXISTING), so a failed write leaves the
 * old store as it was. Writing fails when the store file has the
 * read-only attribute (checked: it is not enforced for every account) or
 * the directory takes no new file, when the file's full path or the
 * store's (and its ".tmp") does not fit MAX_PATH, and when the store is
 * not whole (wrong magic or size): then nothing checks until it is
 * removed, and no other file's signature is lost by rewriting it. Writers
 * of one store at the same time are not coordinated; the suite signs a
 * raw file from one dialog at a time.
 */
#ifndef VERITANE_H
#define VERITANE_H

#include <stddef.h>
#include <windows.h>

/* The store of the signatures of the files of one directory, in that
   directory. The "_history" prefix keeps it out of the files that raw-file
   signing collects, so a signature never signs signatures. */
#define VERITANE_STORE_NAME "_history_signatures.vsg"

/* A signature as made and as read back. */
typedef struct tagVERITANE_SIGNATURE {
    DWORD isSigned;        /* 0:  1 when the user signed; 0 when declined */
    char signer[64];       /* 4:  the user who signed */
    char reason[128];      /* 68: why */
    SYSTEMTIME time;       /* 196: when, UTC */
    DWORD application;     /* 212: the application number asked for */
    BYTE reserved[6];      /* 216 */
    BYTE required;         /* 222: 1 when signing is mandatory here */
    BYTE reserved2;        /* 223 */
    BYTE mac[32];          /* 224: HMAC-SHA-256, filled when read back */
} VERITANE_SIGNATURE;
#ifdef __cplusplus
static_assert(sizeof(VERITANE_SIGNATURE) == 256 && offsetof(VERITANE_SIGNATURE, signer) == 4 &&
                  offsetof(VERITANE_SIGNATURE, time) == 196 && offsetof(VERITANE_SIGNATURE, required) == 222 &&
                  offsetof(VERITANE_SIGNATURE, mac) == 224,
              "the signature record keeps its layout on both architectures");
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Makes a signature for `application`: signer and time are filled in;
   with a null `reason` a modal dialog owned by `owner` asks the user for
   one (Sign / Cancel). Non-zero when the user signed; 0 when the user
   declined or the record is null (then isSigned is 0). */
BOOL WINAPI CreateSignature(DWORD application, VERITANE_SIGNATURE *signature, HWND owner, LPCSTR reason);

/* Binds `signature` to the content of the file `path` and stores it with
   the file, replacing an earlier signature of that file. 0 when the
   signature was not signed or is in another user's name than the
   current signer, the file cannot be read, or the store cannot be written
   (read-only, path too long, not whole); the store is then as it was. */
BOOL WINAPI SetSignatureInFile(LPCSTR path, const VERITANE_SIGNATURE *signature);

/* Reads back the signature stored with `path` (may be null to only check)
   and checks it against the file's content as it is now under the
   signer's key. Non-zero only when there is one and it holds; the record
   is filled only then, with its MAC, and cleared otherwise. */
BOOL WINAPI VerifySignatureInFile(LPCSTR path, VERITANE_SIGNATURE *signature);

#ifdef __cplusplus
}
#endif

#endif

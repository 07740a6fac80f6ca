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
   signature was not signed, the file cannot be read, or the store cannot
   be written (read-only, path too long). */
BOOL WINAPI SetSignatureInFile(LPCSTR path, const VERITANE_SIGNATURE *signature);

/* Reads back the signature stored with `path` (may be null to only check)
   and checks it against the file's content as it is now under the
   signer's key. Non-zero only when there is one and it holds. */
BOOL WINAPI VerifySignatureInFile(LPCSTR path, VERITANE_SIGNATURE *signature);

#ifdef __cplusplus
}
#endif

#endif

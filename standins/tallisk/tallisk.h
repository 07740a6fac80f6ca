/*
 * tallisk.h - checksum blocks of the suite's raw data files.
 *
 * The suite's own small implementation, behind the interface its callers
 * use, so that the full library can replace it. The checksum block of a
 * file is a real file beside it, in the raw data directory, holding the
 * SHA-256 of the file's content when the block was opened, the signature
 * record given to it, and a checksum of the block itself.
 *
 * Calling convention: __stdcall (WINAPI), exported under the plain names
 * (tallisk.def). Nothing here throws.
 */
#ifndef TALLISK_H
#define TALLISK_H

#include <windows.h>

/* The block of <dir>\<name> is <dir>\protected_<name>.tsk: the "protected"
   prefix keeps blocks out of the files that light-security signing takes. */
#define TALLISK_BLOCK_PREFIX "protected_"
#define TALLISK_BLOCK_SUFFIX ".tsk"

/* An open checksum block. */
typedef struct TALLISK_BLOCK_TAG *HCHECKSUMBLOCK;

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the checksum block of the file `path`, creating it when missing,
   with the file's checksum taken now. `access`: GENERIC_READ, optionally
   with GENERIC_WRITE (needed to set a signature). Null when the file
   cannot be read or the block cannot be opened so (read-only, name too
   long). */
HCHECKSUMBLOCK WINAPI CreateAndOpenChecksumBlock(LPCSTR path, DWORD access);

/* Keeps `size` bytes of `signature` (at most 4096) in the block, written
   when it is closed. 0 for a block opened without write access, a null
   block or an oversized record. */
BOOL WINAPI SetChecksumBlockSignature(HCHECKSUMBLOCK block, const void *signature, DWORD size);

/* Writes what was set and closes the block. 0 when the write failed (the
   block is closed all the same). */
BOOL WINAPI CloseChecksumBlock(HCHECKSUMBLOCK block);

/* Non-zero when the file `path` has a block that is whole and its
   checksum matches the file's content now; the signature kept in it is
   copied into `signature` (up to `size` bytes; may be null) and its size
   into *stored (may be null). */
BOOL WINAPI VerifyChecksumBlock(LPCSTR path, void *signature, DWORD size, DWORD *stored);

#ifdef __cplusplus
}
#endif

#endif

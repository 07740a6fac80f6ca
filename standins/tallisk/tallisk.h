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
 *
 * The block file: the 4 bytes "TSK1", the version (DWORD 1), the SHA-256
 * of the file's content (32 bytes), the signature's size (DWORD, at most
 * 4096) and bytes, then the SHA-256 of everything before it (bcrypt). A
 * block is whole only when all of that agrees and nothing follows.
 *
 * An open block (HCHECKSUMBLOCK, allocated from the process heap and freed
 * by CloseChecksumBlock) holds the block's name, the content digest taken
 * at opening and the signature set since (none: an empty one). Nothing is
 * read from an existing block when opening. Only a block opened with
 * GENERIC_WRITE is written, as a whole, when it is closed: to
 * "<block>.tmp" first, which then replaces the block (MoveFileExA), so a
 * failed write leaves the earlier block as it was. A block opened with
 * GENERIC_READ alone writes nothing and closes with non-zero.
 *
 * Refusals come at opening: CreateAndOpenChecksumBlock returns null when
 * `access` holds no GENERIC_READ or any other bit than GENERIC_READ and
 * GENERIC_WRITE, when the file cannot be read, when the file's full path
 * or its block's does not fit MAX_PATH, and, for GENERIC_WRITE, when the
 * block's ".tmp" does not fit or the block has the read-only attribute
 * (checked: it is not enforced for every account). CloseChecksumBlock
 * returns 0 when the write fails all the same (a directory that takes no
 * new file).
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

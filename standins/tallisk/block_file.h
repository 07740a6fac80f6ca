// The checksum block file: its name beside the file it protects, and its
// content "TSK1", version, content digest, signature size and bytes, and
// the SHA-256 of all that.
#ifndef TALLISK_BLOCK_FILE_H
#define TALLISK_BLOCK_FILE_H

#include <windows.h>

#include "digest.h"

namespace tallisk {

const DWORD kMaxSignatureSize = 4096;

struct BlockContent {
    BYTE content[standins::kDigestSize]; // of the protected file
    DWORD signatureSize;
    BYTE signature[kMaxSignatureSize];
};

// <directory>\protected_<name>.tsk for the full path of `path`; false when
// the path names no file or the block's name does not fit MAX_PATH.
bool BlockPath(LPCSTR path, char out[MAX_PATH]);

// False when the block is missing or not whole.
bool ReadBlock(LPCSTR blockPath, BlockContent &block);
bool WriteBlock(LPCSTR blockPath, const BlockContent &block);

} // namespace tallisk

#endif

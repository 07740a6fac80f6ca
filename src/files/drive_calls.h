// The platform calls with which the drive list learns the drives, in one
// table, so that a test can show drives a test machine lacks (a floppy
// drive, a network drive whose first answer asks for a larger buffer).
#ifndef KR_FILES_DRIVE_CALLS_H
#define KR_FILES_DRIVE_CALLS_H

#include <windows.h>

namespace kr {

struct DriveCalls {
    DWORD(WINAPI *getLogicalDriveStrings)(DWORD size, LPSTR roots);
    UINT(WINAPI *getDriveType)(LPCSTR root);
    BOOL(WINAPI *getVolumeInformation)(LPCSTR root, LPSTR name, DWORD nameSize, LPDWORD serial,
                                       LPDWORD maxComponent, LPDWORD flags, LPSTR fileSystem, DWORD fileSystemSize);
    DWORD(WINAPI *getUniversalName)(LPCSTR path, DWORD level, LPVOID buffer, LPDWORD size);
};

const DriveCalls &CurrentDriveCalls();
// Null puts the platform's own back. The table is used, not copied.
void ReplaceDriveCalls(const DriveCalls *calls);

} // namespace kr

#endif

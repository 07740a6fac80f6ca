// The text rules of the drive list: where a drive's label comes from, and
// how an entry reads.
#ifndef KR_FILES_DRIVE_ENTRY_H
#define KR_FILES_DRIVE_ENTRY_H

#include <stddef.h>
#include <windows.h>

namespace kr {

enum class DriveLabelSource {
    None,       // no label
    Floppy,     // "Floppy", without touching the drive
    Volume,     // the volume name
    Connection, // the network connection's name
};

// For a root such as "E:\" of the given GetDriveType type. A:\ and B:\ are
// floppy drives: asking them for their volume would start the drive.
DriveLabelSource LabelSourceOf(UINT driveType, const char *root);

// The entry "E: label": the root's first two characters, a blank, the
// label; cut to the buffer of cap bytes.
void FormatDriveEntry(char *out, size_t cap, const char *root, const char *label);

} // namespace kr

#endif

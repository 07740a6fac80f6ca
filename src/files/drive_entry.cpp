#include "files/drive_entry.h"

#include <string.h>

#include "support/runtime_format.h"

namespace kr {

DriveLabelSource LabelSourceOf(UINT driveType, const char *root)
{
    switch (driveType) {
    case DRIVE_REMOVABLE:
    case DRIVE_FIXED:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
        return strcmp(root, "A:\\") == 0 || strcmp(root, "B:\\") == 0 ? DriveLabelSource::Floppy
                                                                       : DriveLabelSource::Volume;
    case DRIVE_REMOTE:
        return DriveLabelSource::Connection;
    default:
        return DriveLabelSource::None;
    }
}

void FormatDriveEntry(char *out, size_t cap, const char *root, const char *label)
{
    FormatText(out, cap, "%.2s %s", root, label);
}

} // namespace kr

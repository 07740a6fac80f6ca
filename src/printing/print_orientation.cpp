#include "printing/print_orientation.h"

#include "krprinting.h"
#include "printing/printer_selection.h"

namespace kr {

short OrientationForMode(long mode, short settings, short current)
{
    switch (LOWORD(mode)) {
    case PRN_ORIENT_SETTINGS:
        return settings;
    case PRN_ORIENT_PORTRAIT:
        return DMORIENT_PORTRAIT;
    case PRN_ORIENT_LANDSCAPE:
        return DMORIENT_LANDSCAPE;
    default:
        return current;
    }
}

JobOrientation::JobOrientation(long mode, short settings)
{
    const HGLOBAL held = HeldDeviceMode();
    // The suite has always restored landscape when there was nothing to read.
    remembered_ = held ? ModeOrientation(held) : DMORIENT_LANDSCAPE;
    SetModeOrientation(held, OrientationForMode(mode, settings, remembered_));
}

JobOrientation::~JobOrientation()
{
    SetModeOrientation(HeldDeviceMode(), remembered_);
}

} // namespace kr

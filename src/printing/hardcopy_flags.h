// What a hard copy draws (PRN_DRAW_* flags) for the caller's print settings.
#ifndef KR_PRINTING_HARDCOPY_FLAGS_H
#define KR_PRINTING_HARDCOPY_FLAGS_H

#include "krprinting.h"

namespace kr {

// All applications placed as on the screen; else the named window, all
// children or the active child of the frame. Each is framed when the
// settings' border is set, and the frame too when a window is named.
long HardcopyFlags(const PrintSettings &settings);

} // namespace kr

#endif

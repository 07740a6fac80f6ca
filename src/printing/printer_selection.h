// The printer chosen for the process: a device-mode and a device-names
// block in the print dialog's formats, attached as the "HDEVMODE" and
// "HDEVNAMES" properties of the host's frame window (application 0's).
// Every print job of the process uses this one pair.
#ifndef KR_PRINTING_PRINTER_SELECTION_H
#define KR_PRINTING_PRINTER_SELECTION_H

#include <windows.h>

namespace kr {

// The held blocks; null while no printer is chosen.
HGLOBAL HeldDeviceMode();
HGLOBAL HeldDeviceNames();

// Makes `mode` and `names` the selection, freeing the blocks they replace.
// Without a host frame window nothing can hold them: they are freed and
// the result is false.
bool AttachPrinter(HGLOBAL mode, HGLOBAL names);

// Frees the held blocks and removes both properties.
void ReleasePrinter();

// The fixed fields of a device-mode block; false when it cannot be read.
bool ReadDeviceMode(HGLOBAL mode, DEVMODEA &fields);

// The orientation (DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE) of a
// device-mode block, or 0 when it cannot be read.
short ModeOrientation(HGLOBAL mode);
void SetModeOrientation(HGLOBAL mode, short orientation);

} // namespace kr

#endif

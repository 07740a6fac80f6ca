// A printer context for the printer chosen for the process, for the
// metafile resources until the print job's own PrnGetPrinterDC is at hand:
// it is the same context, and calls of this one become calls of that.
#ifndef KR_PRINTING_INTERIM_PRINTER_DC_H
#define KR_PRINTING_INTERIM_PRINTER_DC_H

#include <windows.h>

namespace kr {

// A context for the device named by the "HDEVNAMES" block held on the
// host's frame window, with the "HDEVMODE" block when there is one, given
// the suite's printing attributes (KRSetAttribDC). Null when no printer is
// chosen or the device refuses. The caller deletes it.
HDC InterimPrinterDC();

} // namespace kr

#endif

// The orientation a job prints in when the caller names one (PRN_ORIENT_*
// modes), the printer's own put back after the job.
#ifndef KR_PRINTING_PRINT_ORIENTATION_H
#define KR_PRINTING_PRINT_ORIENTATION_H

#include <windows.h>

namespace kr {

// The orientation for the low 16 bits of `mode`: the settings' for
// PRN_ORIENT_SETTINGS, portrait or landscape, else `current` unchanged.
short OrientationForMode(long mode, short settings, short current);

// While it lives, the held printer prints in the orientation `mode` asks
// for; the orientation it had (landscape when no printer is held) is put
// back when it goes.
class JobOrientation {
public:
    JobOrientation(long mode, short settings);
    ~JobOrientation();
    JobOrientation(const JobOrientation &) = delete;
    JobOrientation &operator=(const JobOrientation &) = delete;

private:
    short remembered_;
};

} // namespace kr

#endif

// Which of the suite's applications are enabled on this machine: [Kestrune]
// AppEnabled00 to AppEnabled18 of WIN.INI, read once per process.
#include "krapps.h"

#include "support/runtime_format.h"

namespace {
constexpr int kApplications = 19;
}

int KRAPI AppCtrlIsAppEnabled(int n)
{
    static bool read = false;
    static int enabled[kApplications];
    if (n < 0 || n >= kApplications)
        return 0;
    if (!read) {
        for (int i = 0; i < kApplications; ++i) {
            char key[16], value[81];
            kr::FormatText(key, sizeof key, i < 10 ? "AppEnabled%02d" : "AppEnabled%d", i);
            GetPrivateProfileStringA("Kestrune", key, "TRUE", value, sizeof value, "WIN.INI");
            enabled[i] = lstrcmpiA(value, "FALSE") != 0;
        }
        read = true;
    }
    return enabled[n];
}

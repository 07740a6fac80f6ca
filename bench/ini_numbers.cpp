// The library's INI wrappers against the Win32 profile calls they wrap, and
// its number formats against the plain sprintf they rest on.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "bench_support.h"
#include "krutil.h"

namespace {

using krbench::Compare;

volatile char g_sink;

} // namespace

void RunIniAndNumbers()
{
    const char *ini = krbench::IniPath();
    char keys[20][16];
    for (int k = 0; k < 20; ++k) {
        snprintf(keys[k], sizeof keys[k], "Key%02d", k);
        WritePrivateProfileStringA("Bench", keys[k], "TRUE,SW_SHOWNORMAL,10,20,610,420", ini);
    }
    double values[1000];
    for (int i = 0; i < 1000; ++i)
        values[i] = (i - 500) * 1234.56789 / (i % 7 + 1);

    krbench::PrintHeader("KESTRUNE.INI and number formats");
    char out[600];
    Compare("GetIniString vs GetPrivateProfileStringA", 2000,
            [&](int i) { GetIniString("Bench", keys[i % 20], "", out, sizeof out); },
            [&](int i) { GetPrivateProfileStringA("Bench", keys[i % 20], "", out, sizeof out, ini); });
    char value[] = "TRUE,SW_SHOWMAXIMIZED,1,2,3,4";
    Compare("SetIniString vs WritePrivateProfileStringA", 500,
            [&](int i) { SetIniString("Bench", keys[i % 20], value, 0); },
            [&](int i) { WritePrivateProfileStringA("Bench", keys[i % 20], value, ini); });
    Compare("ftoa(v, 8) vs sprintf(\"%#0.8f\")", 100000,
            [&](int i) { g_sink = *ftoa(values[i % 1000], out, 8); },
            [&](int i) {
                char scratch[100];
                sprintf(scratch, "%#0.8f", values[i % 1000]);
                g_sink = scratch[0];
            });
    Compare("gtoa(v, 4) vs sprintf(\"%.4g\")", 100000,
            [&](int i) { g_sink = *gtoa(values[i % 1000], 4, out); },
            [&](int i) {
                char scratch[100];
                sprintf(scratch, "%.4g", values[i % 1000]);
                g_sink = scratch[0];
            });

    DeleteFileA(ini);
}

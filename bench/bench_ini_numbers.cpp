// Benchmarks, in one run on the same data: the library's INI wrappers
// against the Win32 profile calls they wrap, and its number formats
// against the plain sprintf they rest on. Prints each ratio.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <functional>

#include "krutil.h"

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency.QuadPart;
}

// Best of five runs of `calls` calls, in microseconds per call.
double MicrosPerCall(int calls, const std::function<void(int)> &call)
{
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        const double start = Now();
        for (int i = 0; i < calls; ++i)
            call(i);
        const double elapsed = Now() - start;
        if (elapsed < best)
            best = elapsed;
    }
    return best * 1e6 / calls;
}

void Compare(const char *what, int calls, const std::function<void(int)> &ours,
             const std::function<void(int)> &plain)
{
    const double a = MicrosPerCall(calls, ours);
    const double b = MicrosPerCall(calls, plain);
    printf("%-44s %10.3f us %10.3f us %8.2f\n", what, a, b, a / b);
}

volatile char g_sink;

} // namespace

int main()
{
    char temp[MAX_PATH], dir[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    snprintf(dir, sizeof dir, "%skrbench-%lu", temp, GetCurrentProcessId());
    CreateDirectoryA(dir, nullptr);
    SetCurrentDirectoryA(dir);
    InitIni(0);
    char ini[MAX_PATH];
    snprintf(ini, sizeof ini, "%s\\KESTRUNE.INI", dir);

    char keys[20][16];
    for (int k = 0; k < 20; ++k) {
        snprintf(keys[k], sizeof keys[k], "Key%02d", k);
        WritePrivateProfileStringA("Bench", keys[k], "TRUE,SW_SHOWNORMAL,10,20,610,420", ini);
    }
    double values[1000];
    for (int i = 0; i < 1000; ++i)
        values[i] = (i - 500) * 1234.56789 / (i % 7 + 1);

    printf("%-44s %13s %13s %8s\n", "operation", "library", "plain", "ratio");
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
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(dir);
    return 0;
}

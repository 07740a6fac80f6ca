// The benchmarks, run by hand: each compares, in one run on the same data,
// a routine of the library with the natural alternative and prints the
// ratio (library time / plain time).
#include <windows.h>

#include <stdio.h>

#include "bench_support.h"
#include "krutil.h"

void RunIniAndNumbers();
void RunGlobalStore();
void RunCalCovar();
void RunRegression();
void RunLinearise();
void RunBrowseList();

namespace {
char g_iniPath[MAX_PATH];
}

const char *krbench::IniPath()
{
    return g_iniPath;
}

int main()
{
    // A working directory of its own, so that KESTRUNE.INI starts absent.
    char temp[MAX_PATH], dir[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    snprintf(dir, sizeof dir, "%skrbench-%lu", temp, GetCurrentProcessId());
    CreateDirectoryA(dir, nullptr);
    SetCurrentDirectoryA(dir);
    snprintf(g_iniPath, sizeof g_iniPath, "%s\\KESTRUNE.INI", dir);
    InitIni(0);

    RunIniAndNumbers();
    RunGlobalStore();
    RunCalCovar();
    RunRegression();
    RunLinearise();
    RunBrowseList();

    DeleteFileA(g_iniPath);
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(dir);
    return 0;
}

// The directory browser on a directory of 10,000 raw files (directories
// named *.raw) with secure files on, so that every listing is access-tested:
// the whole dialog - entry list searched, sorted and filled, tree built -
// against a plain FindFirstFile loop and a sort of the same names.
#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench_support.h"
#include "krutil.h"

namespace {

const int kRawFiles = 10000;
HHOOK g_hook = nullptr;

// Closes each browser as soon as it is shown: the time measured is the time
// until a person could use it, plus its closing.
void CALLBACK CloseShown(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND dialog = GetActiveWindow();
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

LRESULT CALLBACK OnActivate(int code, WPARAM wp, LPARAM lp)
{
    if (code == HCBT_ACTIVATE)
        SetTimer(nullptr, 0, 0, CloseShown);
    return CallNextHookEx(g_hook, code, wp, lp);
}

std::vector<std::string> PlainSortedDirectories(const std::string &pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

void RunBrowseList()
{
    char work[MAX_PATH];
    GetCurrentDirectoryA(sizeof work, work);
    const std::string dir = std::string(work) + "\\raws";
    CreateDirectoryA(dir.c_str(), nullptr);
    for (int i = 0; i < kRawFiles; ++i) {
        // Names in an order the disk does not keep, so that the sort has work.
        char name[64];
        snprintf(name, sizeof name, "\\run%05d.raw", (i * 7919) % kRawFiles);
        CreateDirectoryA((dir + name).c_str(), nullptr);
    }
    const std::string config = std::string(work) + "\\KRSECURE.INI";
    const std::string settings = "[Security]\r\nSecureFiles=1\r\nDataLocations=" + std::string(work) + "\r\n";
    HANDLE file = CreateFileA(config.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, settings.data(), static_cast<DWORD>(settings.size()), &written, nullptr);
    CloseHandle(file);

    g_hook = SetWindowsHookExA(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
    krbench::PrintHeader("Directory browser, 10,000 raw files (time per dialog)");
    const double ours = krbench::MicrosPerCall(1, [&](int) {
        DirectoryDialog("*.raw", dir.c_str(), "", "Bench", nullptr, nullptr, 1, 0);
    }, 3);
    size_t listed = 0;
    const double plain = krbench::MicrosPerCall(1, [&](int) {
        listed = PlainSortedDirectories(dir + "\\*.raw").size();
    }, 3);
    UnhookWindowsHookEx(g_hook);
    printf("%-52s %10.0f us %10.0f us %8.2f\n", "browser shown (list, tree) vs FindFirstFile + sort", ours, plain,
           ours / plain);
    printf("%-52s %10.2f us per entry (%zu entries)\n", "browser", ours / kRawFiles, listed);

    for (int i = 0; i < kRawFiles; ++i) {
        char name[64];
        snprintf(name, sizeof name, "\\run%05d.raw", i);
        RemoveDirectoryA((dir + name).c_str());
    }
    RemoveDirectoryA(dir.c_str());
    DeleteFileA(config.c_str());
}

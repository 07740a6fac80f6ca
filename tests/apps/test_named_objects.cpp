// Named events and mutexes in the global namespace, and the running-
// application check across two real processes.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "krapps.h"
#include "support/test_control.h"

namespace {

std::vector<UINT> g_beeps;

void __stdcall RecordBeep(UINT type)
{
    g_beeps.push_back(type);
}

// A name no other test run uses.
std::string Unique(const char *stem)
{
    return std::string(stem) + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
}

// The other process of the running-application check: it checks the mutex,
// signals `ready_`, and ends with code 1 (mutex held already) on `release_`.
class Holder {
public:
    explicit Holder(const std::string &mutexName)
    {
        const std::string ready = Unique("ready"), release = Unique("release");
        ready_ = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
        release_ = CreateEventA(nullptr, TRUE, FALSE, release.c_str());
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, sizeof exe);
        const std::string path = std::string(exe, strrchr(exe, '\\') + 1) + "mutex_holder.exe";
        std::string command = "\"" + path + "\" " + mutexName + " " + ready + " " + release;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        started_ = CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                                  &process_) &&
                   WaitForSingleObject(ready_, 60000) == WAIT_OBJECT_0;
    }
    ~Holder()
    {
        Release();
        CloseHandle(ready_);
        CloseHandle(release_);
    }
    bool Started() const { return started_; }
    DWORD Release() // the exit code
    {
        DWORD code = 99;
        if (process_.hProcess) {
            SetEvent(release_);
            WaitForSingleObject(process_.hProcess, 60000);
            GetExitCodeProcess(process_.hProcess, &code);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
            process_ = PROCESS_INFORMATION{};
        }
        return code;
    }

private:
    HANDLE ready_ = nullptr, release_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

} // namespace

TEST(NamedObjects, NamesLiveInTheGlobalNamespace)
{
    const std::string name = Unique("KrTestMutex");
    HANDLE mutex = CreateGlobalMutexA(nullptr, FALSE, name.c_str());
    ASSERT_NE(nullptr, mutex);
    HANDLE direct = OpenMutexA(SYNCHRONIZE, FALSE, ("Global\\" + name).c_str());
    EXPECT_NE(nullptr, direct);
    HANDLE opened = OpenGlobalMutexW(SYNCHRONIZE, FALSE, std::wstring(name.begin(), name.end()).c_str());
    EXPECT_NE(nullptr, opened);
    CloseHandle(direct);
    CloseHandle(opened);
    CloseHandle(mutex);

    const std::string eventName = Unique("KrTestEvent");
    HANDLE event = CreateGlobalEventW(nullptr, TRUE, FALSE, std::wstring(eventName.begin(), eventName.end()).c_str());
    HANDLE same = OpenGlobalEventA(EVENT_ALL_ACCESS, FALSE, eventName.c_str());
    EXPECT_NE(nullptr, same);
    CloseHandle(same);
    CloseHandle(event);
}

TEST(NamedObjects, CreatedObjectsAreOpenToEveryone)
{
    HANDLE mutex = CreateGlobalMutexA(nullptr, FALSE, Unique("KrTestDacl").c_str());
    char buffer[512];
    DWORD needed = 0;
    ASSERT_TRUE(GetKernelObjectSecurity(mutex, DACL_SECURITY_INFORMATION, buffer, sizeof buffer, &needed));
    BOOL present = FALSE, defaulted = TRUE;
    PACL dacl = reinterpret_cast<PACL>(0x1);
    ASSERT_TRUE(GetSecurityDescriptorDacl(buffer, &present, &dacl, &defaulted));
    EXPECT_TRUE(present);
    EXPECT_EQ(nullptr, dacl); // a null DACL: access for everyone
    CloseHandle(mutex);
    HANDLE unnamed = CreateGlobalEventA(nullptr, FALSE, TRUE, nullptr);
    EXPECT_NE(nullptr, unnamed);
    CloseHandle(unnamed);
}

TEST(NamedObjects, OverlongNamesAndMissingMemoryCreateNothing)
{
    const std::string fits(MAX_PATH - 1 - 7, 'n'), tooLong(MAX_PATH - 7, 'n');
    HANDLE longest = CreateGlobalEventA(nullptr, FALSE, FALSE, fits.c_str());
    EXPECT_NE(nullptr, longest);
    CloseHandle(longest);
    SetLastError(0);
    EXPECT_EQ(nullptr, CreateGlobalEventA(nullptr, FALSE, FALSE, tooLong.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), GetLastError());
    EXPECT_EQ(nullptr, OpenGlobalMutexA(SYNCHRONIZE, FALSE, std::string(400, 'n').c_str()));

    const std::string name = Unique("KrTestMemory");
    for (int nth = 1; nth <= 3; ++nth) { // the name, the descriptor, the attributes
        KrutilTestControl(KRTEST_MEM_FAIL_AT, nth);
        EXPECT_EQ(nullptr, CreateGlobalMutexA(nullptr, FALSE, name.c_str())) << "failing call " << nth;
        KrutilTestControl(KRTEST_MEM_FAIL_AT, 0);
        EXPECT_EQ(nullptr, OpenGlobalMutexA(SYNCHRONIZE, FALSE, name.c_str())) << "failing call " << nth;
    }
}

TEST(ApplicationRunningCheck, SeesTheMutexOfAnotherProcessUntilItEnds)
{
    const std::string name = Unique("KrTestRunning");
    {
        Holder first(name);
        ASSERT_TRUE(first.Started());
        EXPECT_TRUE(ApplicationRunningCheck(name.c_str()));
        EXPECT_EQ(0u, first.Release()); // it was first: it got the mutex
    }
    EXPECT_FALSE(ApplicationRunningCheck(name.c_str())); // abandoned, now ours
    RemoveApplicationRunningCheck(name.c_str());
    Holder second(name);
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(1u, second.Release()); // we still hold it after the remove
}

TEST(ApplicationRunningCheck, AMutexThatCannotBeMadeCountsAsRunning)
{
    g_beeps.clear();
    KrutilTestControl(KRTEST_BEEP_OBSERVER, reinterpret_cast<INT_PTR>(&RecordBeep));
    EXPECT_TRUE(ApplicationRunningCheck(std::string(300, 'r').c_str()));
    KrutilTestControl(KRTEST_BEEP_OBSERVER, 0);
    EXPECT_EQ((std::vector<UINT>{MB_ICONHAND}), g_beeps);
    RemoveApplicationRunningCheck(std::string(300, 'r').c_str());
    RemoveApplicationRunningCheck(Unique("never made").c_str());
}

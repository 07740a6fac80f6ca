// The application registry and the suite-wide operations on real windows,
// named objects across two real processes, message boxes answered on the
// screen and the status bar as real status windows receive it.
#include <gtest/gtest.h>

#include <process.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "krapps.h"
#include "krfiles.h"
#include "support/alloc_sweep.h"
#include "support/box_answerer.h"
#include "support/test_control.h"
#include "support/work_dir.h"
#include "test_strings.h"

using krtest::BoxAnswerer;
using Texts = std::vector<std::string>;

namespace {

// The registry's messages, as the suite's other applications are built with them.
constexpr UINT kQueryQuit = WM_USER + 12, kQuit = WM_USER + 13, kFileUpdate = WM_USER + 15;

std::vector<UINT> g_beeps;

void __stdcall RecordBeep(UINT type)
{
    g_beeps.push_back(type);
}

// A real top-level window standing in for an application, a dialog or a
// status window: replies as the test says and notes what it got.
struct TestApp {
    HWND window = nullptr;
    std::map<UINT, LRESULT> replies; // by message; 0 for the others
    std::vector<UINT> received;      // WM_CLOSE and the messages from WM_USER on
    WPARAM lastWParam = 0;
    LPARAM lastLParam = 0;
    Texts statusTexts; // read while the status message is handled

    bool Got(UINT message) const { return std::count(received.begin(), received.end(), message) > 0; }
};

LRESULT CALLBACK AppProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    auto *app = reinterpret_cast<TestApp *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (app && msg == WM_NCDESTROY)
        app->window = nullptr;
    if (!app || (msg != WM_CLOSE && msg < WM_USER))
        return DefWindowProcA(window, msg, wp, lp);
    app->received.push_back(msg);
    app->lastWParam = wp;
    app->lastLParam = lp;
    char name[300] = "(cleared)";
    if (msg == GetUpDateMessageValue() && (!wp || GlobalGetAtomNameA(static_cast<ATOM>(wp), name, sizeof name)))
        app->statusTexts.push_back(name);
    return app->replies[msg]; // a quit or WM_CLOSE is not acted on
}

class Apps : public testing::Test {
protected:
    void SetUp() override { KrutilTestControl(KRTEST_BEEP_OBSERVER, reinterpret_cast<INT_PTR>(&RecordBeep)); }
    void TearDown() override
    {
        SetApplicationInfo(APPINFOTABLE{});
        for (TestApp &app : apps_)
            DestroyWindow(app.window);
    }
    // A window registered at index 0 to 29, open or not; from 30 on, one
    // outside the registry.
    TestApp &Register(int index, bool open = true, const char *title = "app", const char *cls = "KrTestAppWClass")
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = AppProc;
        wc.lpszClassName = cls;
        RegisterClassA(&wc); // fails harmlessly once registered
        TestApp &app = apps_[index];
        app.window = CreateWindowExA(0, cls, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(app.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&app));
        APPINFO *record = nullptr;
        if (GetApplicationInfoPtr(index, &record))
            *record = APPINFO{app.window, 0, 0, 0, 0, nullptr, open ? 1 : 0, 0};
        return app;
    }

    TestApp apps_[KR_APPLICATIONS + 4];
};

// Runs mutex_holder.exe on the mutex; its exit code, 1 when it was held.
intptr_t RunHolder(const std::string &mutex)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    strcpy(strrchr(exe, '\\') + 1, "mutex_holder.exe");
    return _spawnl(_P_WAIT, exe, "mutex_holder", mutex.c_str(), nullptr);
}

} // namespace

// First in the program, while no other thread has attached the library (gtest
// starts one at its first trace): the library's own string table is found
// from what it recorded when it was attached to the process.
TEST(MsgReport, TakesItsTextsFromTheLibrarysStringTable)
{
    BoxAnswerer answerer;
    MsgReport(KR_MSG_SAVED, "Ok", "Method 4");
    EXPECT_EQ("Method 4 has been saved", answerer.Boxes().at(0).shownText);
}

TEST_F(Apps, SuiteWideOperationsSkipTheHostAndTheDead)
{
    APPINFO *record = nullptr;
    EXPECT_FALSE(GetApplicationInfoPtr(-1, &record) || GetApplicationInfoPtr(KR_APPLICATIONS, &record));
    const HWND open = Register(29).window;
    MoveWindow(open, 40, 50, 320, 240, FALSE);
    EXPECT_TRUE(SetApplicationInfoFrameWnd(29) && SetApplicationInfoClientWnd(29, reinterpret_cast<HWND>(0x1234)));
    ASSERT_EQ(1, GetApplicationInfoPtr(29, &record));
    const APPINFO expected{open, 40, 50, 320, 240, reinterpret_cast<HWND>(0x1234), 1, 0};
    EXPECT_EQ(0, memcmp(&expected, record, sizeof expected));

    EXPECT_TRUE(GetApplicationWnd(29) == open && IsApplicationOpen());
    DestroyWindow(open);
    TestApp &host = Register(0), &closed = Register(2, false);
    DestroyWindow(Register(3).window);
    EXPECT_EQ(0, IsApplicationOpen()); // neither the host, nor closed or dead records
    EXPECT_FALSE(GetApplicationWnd(2) || GetApplicationWnd(3) || GetApplicationWnd(29) || GetApplicationWnd(-1) ||
                 GetApplicationWnd(30));

    // One suite through every operation: host 0, open 1, closed 2, dead 3,
    // refusing 5, 6 after it, 29 last, a dialog in the last slot.
    const UINT custom = WM_USER + 100;
    TestApp &one = Register(1), &refuses = Register(5), &later = Register(6), &last = Register(29);
    TestApp &dialog = Register(KR_APPLICATIONS);
    host.replies = {{kQueryQuit, 1}, {kFileUpdate, 1}};
    one.replies = {{kFileUpdate, 1}, {custom, 0x1}};
    closed.replies[custom] = 0x4;
    refuses.replies[kQueryQuit] = 1;
    dialog.replies[custom] = 0x10;
    EXPECT_FALSE(SetGlobalDialogWnd(KR_DIALOG_SLOTS, dialog.window) || GetGlobalDialogWnd(KR_DIALOG_SLOTS));
    EXPECT_EQ(1, SetGlobalDialogWnd(KR_DIALOG_SLOTS - 1, dialog.window));

    EXPECT_EQ(0, OKToQuitAllApplications());
    EXPECT_TRUE(one.Got(kQueryQuit) && refuses.Got(kQueryQuit));
    EXPECT_FALSE(later.Got(kQueryQuit) || host.Got(kQueryQuit)); // stops at the refusal
    refuses.replies[kQueryQuit] = 0;
    EXPECT_EQ(1, OKToQuitAllApplications());
    EXPECT_EQ(0x15, BroadcastMessage(custom, 3, 4)); // the open flag is not looked at
    EXPECT_TRUE(closed.lastLParam == 4 && !host.Got(custom));
    EXPECT_TRUE(GenFileUpdate(0x5A5A, 0xBEEF) == 2 && one.lastWParam == 0xBEEF && one.lastLParam == 0x5A5A);
    EXPECT_TRUE(later.Got(kFileUpdate) && !closed.Got(kFileUpdate));

    EnableWindow(later.window, FALSE); // by its own application
    EnableKestrune(0);
    EXPECT_FALSE(IsKestruneEnabled() || IsWindowEnabled(host.window) || IsWindowEnabled(one.window));
    EXPECT_EQ(0, GenFileUpdate(0, 1)); // not even the host is told
    EnableKestrune(1);
    EXPECT_TRUE(IsKestruneEnabled() && IsWindowEnabled(host.window) && IsWindowEnabled(one.window));
    EXPECT_FALSE(IsWindowEnabled(later.window));

    MSG forOne{one.window, custom, 0, 0, 0, {0, 0}}, forDialog{dialog.window, custom + 1, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(HandleDialogMessage(&forOne) || HandleDialogMessage(nullptr));
    EXPECT_TRUE(HandleDialogMessage(&forDialog) && dialog.Got(custom + 1)); // handled by dispatching it
    ClearAllGlobalDialogWnd();
    EXPECT_FALSE(GetGlobalDialogWnd(KR_DIALOG_SLOTS - 1) || HandleDialogMessage(&forDialog));

    TestApp &companion = Register(KR_APPLICATIONS + 1, true, "Zizorover Avedeverado");
    EXPECT_EQ(1, QuitAllApplications());
    EXPECT_TRUE(one.Got(kQuit) && last.Got(kQuit) && companion.Got(WM_CLOSE));
    EXPECT_TRUE(!one.window && !last.window && IsWindow(host.window) && IsWindow(closed.window));
}

TEST_F(Apps, DrawingResourcesFollowThePrinterContextAndPropertiesTheirBlocks)
{
    GLOBALRESOURCES screen{{1}}, printer{{2}}, out{}, *pointer = nullptr;
    const HDC dc = reinterpret_cast<HDC>(0x4242);
    EXPECT_TRUE(SetGlobalResources(screen) && SetPrinterResources(dc, &printer));
    EXPECT_TRUE(GetGlobalResources(&out) && out.word[0] == 2 && GetPrinterResources(&out) == dc);
    EXPECT_TRUE(GetGlobalResourcesDC(dc + 1, &out) && out.word[0] == 1); // another context: the screen
    EXPECT_TRUE(GetGlobalResourcesPtrDC(dc, &pointer) && pointer->word[0] == 2);
    EXPECT_TRUE(SetPrinterResources(dc, nullptr) && GetGlobalResourcesPtr(&pointer) && pointer->word[0] == 1);
    EXPECT_TRUE(GetPrinterResources(&out) == nullptr && out.word[0] == 0); // the printer's record is cleared

    const HWND window = Register(1).window;
    EXPECT_FALSE(SetPropPtr(nullptr, "Value", 1) || SetPropPtr(window, nullptr, 1));
    const LONG_PTR big = reinterpret_cast<LONG_PTR>(&window);
    LONG_PTR got = 0;
    krtest::SweepAllocations( // the block and its lock, its lock again for the second value, the reader's lock
        [&] {
            SetPropPtr(window, "Value", 5);
            SetPropPtr(window, "Value", big);
            got = GetPropPtr(window, "Value");
        },
        [&](long, bool failed) {
            EXPECT_EQ(failed ? 0 : big, got);
            RemovePropPtr(window, "Value");
            EXPECT_EQ(nullptr, GetPropA(window, "Value"));
        },
        true);
}

TEST(AppCtrlIsAppEnabled, ReadsWinIniOnceForAllApplications)
{
    krtest::WinIniKeys keys("Kestrune", {{"AppEnabled03", "false"}, {"AppEnabled10", "FALSE"}, {"AppEnabled11", "no"}});
    EXPECT_EQ(0, AppCtrlIsAppEnabled(3)); // reads them all
    keys.Remove();
    for (int n : {3, 0, 10, 11, 18, 19, -1}) // as first read, though the section is gone
        EXPECT_EQ(n == 0 || n == 11 || n == 18 ? 1 : 0, AppCtrlIsAppEnabled(n)) << n;
}

// The named objects, then the running check on one of them, with another
// process and another thread.
TEST_F(Apps, NamedObjectsAreGlobalOpenToEveryoneAndNeverCutAndTellWhatRuns)
{
    const std::string name = "KrTestObject-" + std::to_string(GetCurrentProcessId()); // no other run's
    const std::string fits(MAX_PATH - 1 - 7, 'n'), tooLong(MAX_PATH - 7, 'n');
    const std::wstring wide(name.begin(), name.end()), event = wide + L"-event";
    const HANDLE mutex = CreateGlobalMutexA(nullptr, FALSE, name.c_str()); // kept in being, never held
    char security[512];
    DWORD needed = 0;
    BOOL present = FALSE, defaulted = TRUE;
    PACL dacl = reinterpret_cast<PACL>(0x1);
    EXPECT_TRUE(GetKernelObjectSecurity(mutex, DACL_SECURITY_INFORMATION, security, sizeof security, &needed) &&
                GetSecurityDescriptorDacl(security, &present, &dacl, &defaulted) && present && !dacl); // for all
    EXPECT_EQ(nullptr, CreateGlobalEventA(nullptr, FALSE, FALSE, tooLong.c_str())); // with "Global\"
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), GetLastError());
    for (HANDLE made :
         {CreateGlobalEventW(nullptr, TRUE, FALSE, event.c_str()),
          OpenMutexA(SYNCHRONIZE, FALSE, ("Global\\" + name).c_str()),
          OpenGlobalMutexW(SYNCHRONIZE, FALSE, wide.c_str()),
          OpenGlobalEventA(EVENT_ALL_ACCESS, FALSE, (name + "-event").c_str()),
          CreateGlobalEventA(nullptr, FALSE, TRUE, nullptr), CreateGlobalEventA(nullptr, FALSE, FALSE, fits.c_str())}) {
        EXPECT_NE(nullptr, made);
        CloseHandle(made);
    }
    HANDLE made = nullptr;
    krtest::SweepAllocations([&] { made = CreateGlobalMutexA(nullptr, FALSE, name.c_str()); },
                             [&](long, bool failed) { // the name, the descriptor, the attributes
                                 EXPECT_EQ(failed, made == nullptr);
                                 CloseHandle(made);
                             });

    EXPECT_EQ(0, RunHolder(name));                       // the other process takes it and ends holding it
    EXPECT_FALSE(ApplicationRunningCheck(name.c_str())); // abandoned: now ours
    RemoveApplicationRunningCheck(name.c_str());
    EXPECT_EQ(1, RunHolder(name)); // still ours after the remove
    std::thread([&] { EXPECT_TRUE(ApplicationRunningCheck(name.c_str())); }).join();
    CloseHandle(mutex);
    g_beeps.clear();
    EXPECT_TRUE(ApplicationRunningCheck(std::string(300, 'r').c_str())); // cannot be made
    RemoveApplicationRunningCheck(std::string(300, 'r').c_str());         // nor opened
    EXPECT_EQ((std::vector<UINT>{MB_ICONHAND}), g_beeps);
}

// Every kind of box the library shows, answered: its text, caption, style,
// buttons and beeps as the box on the screen and the library's call had them.
TEST_F(Apps, MessageBoxesShowTheSuitesTextsStylesAndBeeps)
{
    const HWND owner = Register(KR_APPLICATIONS).window;
    const std::string longText(300, 'x');
    const std::vector<UINT> twice{0x30, 0x10}, standard{0xFFFFFFFF};
    const UINT task = MB_TASKMODAL, hand = MB_ICONHAND, question = MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2;
    const UINT info = MB_ICONINFORMATION, bang = MB_ICONEXCLAMATION, memory = MB_SYSTEMMODAL | MB_ICONHAND;
    const struct {
        std::function<int()> show;
        std::string text, caption;
        UINT style;
        std::vector<UINT> beeps;
        int answer = IDOK; // the button pressed, and the result
    } rows[] = {
        // clang-format off
        {[&] { return GenMessage(owner, "Error in TOP value", "Margins", hand, "", ""); },
         "Error in TOP value", "Margins", hand, twice},
        {[&] { return GenMessage(owner, nullptr, nullptr, question, "1", "2"); },
         "\nMin Value: 1\nMax Value: 2", "Error", question, {0x30}, IDNO},
        {[&] { return GenMessage(owner, longText.c_str(), "Long", info, nullptr, "30.00"); },
         longText.substr(45), "Long", info, {}}, // the max line is cut away
        {[] { return MsgReport(KR_MSG_FILE_EXISTS, "Exists", "E:\\run01.raw"); },
         "The file E:\\run01.raw already exists", "Exists", task | bang, {}},
        {[] { return MsgReport(1234, nullptr); }, "Application Error: 1234", "Error", task | hand, {}},
        {[] { return MsgReport(30000, "Memory"); }, "Out of memory", "Memory", memory, {}},
        {[] { return MsgReportMsg(GetModuleHandleA(nullptr), IDS_TEST_DELETE, "Delete", "x"); }, "Delete x?", "Delete",
         task | question, standard, IDNO},
        {[] { return MsgReportMsg(nullptr, IDS_TEST_DONE, nullptr); }, "Done", "Attention", task | bang, standard},
        {[] { return MsgReportMsg(nullptr, 4321, "Host"); }, "Application Error: 4321", "Host", task | hand, standard},
        {[] { return MsgReportMsg(nullptr, 30000, nullptr); }, "Out of memory", "Attention", memory, standard},
    }; // clang-format on
    {
        BoxAnswerer none;
        EXPECT_EQ(0, MsgReportMsg(GetModuleHandleA(nullptr), IDS_TEST_NO_COMMA, "No comma"));
        EXPECT_EQ(0, MsgReportMsg(nullptr, IDS_TEST_DONE, "No host"));
        const HWND dead = Register(KR_APPLICATIONS + 1).window;
        DestroyWindow(dead);
        for (HWND notAWindow : {static_cast<HWND>(nullptr), dead})
            EXPECT_EQ(-1, GenMessage(notAWindow, "x", "y", 0, nullptr, nullptr));
        EXPECT_TRUE(none.Boxes().empty());
    }
    Register(0); // from now on the host's module gives the strings
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text.substr(0, 30));
        g_beeps.clear();
        BoxAnswerer answerer(row.answer);
        EXPECT_EQ(row.answer, row.show()); // MsgReport's 1 is IDOK
        ASSERT_EQ(1u, answerer.Boxes().size());
        const krtest::ShownBox &box = answerer.Boxes()[0];
        EXPECT_EQ(row.text, box.shownText);
        EXPECT_EQ(row.caption, box.shownCaption);
        EXPECT_EQ(row.style, box.style);
        EXPECT_EQ((row.style & (task | MB_SYSTEMMODAL)) ? nullptr : owner, box.owner);
        EXPECT_EQ(row.beeps, g_beeps);
    }
    short style = -1, level = -1;
    EXPECT_STREQ("Disk full", MsgGetErrorLevel("3 Disk full", &style, &level));
    EXPECT_TRUE(style == MB_ICONHAND && level == 3);
    EXPECT_STREQ("Odd", MsgGetErrorLevel("7\t Odd", &style, nullptr));
    EXPECT_TRUE(style == 0 && !MsgGetErrorLevel(nullptr, nullptr, nullptr));
    const HWND edit = CreateWindowExA(0, "EDIT", "selected", WS_CHILD | WS_VISIBLE, 5, 5, 150, 20, owner,
                                      reinterpret_cast<HMENU>(42), nullptr, nullptr);
    EXPECT_TRUE(GenSetFocus(owner, 42) && GetFocus() == edit && !GenSetFocus(nullptr, 42));
    EXPECT_EQ(MAKELONG(0, 8), SendMessageA(edit, EM_GETSEL, 0, 0)); // all of its text
}

TEST_F(Apps, StatusTextsGoAsAtomsToTheSuitesStatusWindow)
{
    EXPECT_TRUE(UpDateKestruneStatusBar("nobody listens") == 0 &&
                GetUpDateMessageValue() == RegisterWindowMessageA("Up_Date_Message_Bar"));
    TestApp &older = Register(30, true, "older", "OmbrelWClass"), &main = Register(31, true, "main", "KestruneWClass");
    TestApp &ui = Register(32, true, "ui", "KestruneUIWClass"), &target = Register(33);
    const UINT query = RegisterWindowMessageA("WMKVESK_KRVB_GET_MESSAGE_HWND");
    ui.replies[query] = reinterpret_cast<LRESULT>(target.window); // its message window
    UpDateKestruneStatusBar("Acquiring: scan 12");
    UpDateKestruneStatusBar(nullptr);
    UpDateKestruneStatusBar(std::string(300, 's').c_str());
    EXPECT_EQ((Texts{"Acquiring: scan 12", "(cleared)", std::string(255, 's')}), target.statusTexts);
    EXPECT_EQ(0, GlobalFindAtomA("Acquiring: scan 12")); // deleted after the send
    ui.replies[query] = 0;                               // none: the suite's main window
    UpDateKestruneStatusBar("to the main window");
    DestroyWindow(main.window);
    UpDateKestruneStatusBar("to the older shell");
    EXPECT_EQ(Texts{"to the main window"}, main.statusTexts);
    EXPECT_EQ(Texts{"to the older shell"}, older.statusTexts);
}

// Projects: changing the project and logging out close the applications.
TEST_F(Apps, ProjectChangeAndLogOutAskOnceThenCloseUntilTheFirstRefusal)
{
    const QZFILE other{0, "C:\\", "Other", "PRO", 0, 0};
    const std::string change = "When changing to a new Project all services are automatically closed down.\nContinue?";
    const struct {
        std::function<int()> call;
        int answer;
        LRESULT refuses; // application 4's reply to kQueryQuit
        int result;
        std::vector<bool> open; // applications 2, 4 and 6 afterwards
        std::string box;
    } rows[] = {{[&] { return ProSetCurrent(nullptr, &other); }, IDYES, 1, 0, {false, true, true}, change + "|Select Project|36;"},
                {[] { return LogoutShutDownServices(nullptr); }, IDNO, 0, 0, {true, true, true},
                 "When logging out all services are automatically closed down.\nContinue?|Log Out|36;"},
                {[] { return ProShutDownServices(nullptr); }, IDYES, 0, 1, {false, false, false}, change + "|Select Project|36;"}};
    for (const auto &row : rows) {
        Register(2);
        Register(4).replies[kQueryQuit] = row.refuses;
        Register(6);
        BoxAnswerer boxes(row.answer);
        EXPECT_EQ(row.result, row.call()) << row.box;
        EXPECT_EQ(row.box, boxes.Passed());
        EXPECT_EQ(row.open, (std::vector<bool>{apps_[2].window != nullptr, apps_[4].window != nullptr, apps_[6].window != nullptr}));
        TearDown();
    }
}

// The application registry and the suite-wide operations on real windows.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "krapps.h"
#include "support/test_control.h"
#include "test_app_windows.h"

using krtest::Received;
using krtest::TestApp;

namespace {

constexpr UINT kCustom = WM_USER + 100;

class Registry : public testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override
    {
        Reset();
        KrutilTestControl(KRTEST_MEM_FAIL_AT, 0);
        for (TestApp &app : apps_)
            if (app.window)
                DestroyWindow(app.window);
    }
    static void Reset()
    {
        SetApplicationInfo(APPINFOTABLE{});
        EnableKestrune(1);
        ClearAllGlobalDialogWnd();
    }
    // A live window registered at index, open or not.
    TestApp &Register(int index, bool open = true)
    {
        TestApp &app = apps_[index];
        krtest::CreateAppWindow(&app);
        APPINFO *record = nullptr;
        EXPECT_EQ(1, GetApplicationInfoPtr(index, &record));
        record->mainWindow = app.window;
        record->open = open ? 1 : 0;
        return app;
    }

    TestApp apps_[KR_APPLICATIONS];
};

} // namespace

TEST_F(Registry, RecordsByIndexAndTheFrameRectangle)
{
    APPINFO *record = reinterpret_cast<APPINFO *>(0x1);
    EXPECT_EQ(0, GetApplicationInfoPtr(-1, &record));
    EXPECT_EQ(0, GetApplicationInfoPtr(KR_APPLICATIONS, &record));
    EXPECT_EQ(reinterpret_cast<APPINFO *>(0x1), record);
    ASSERT_EQ(1, GetApplicationInfoPtr(29, &record));

    TestApp &app = Register(2);
    MoveWindow(app.window, 40, 50, 320, 240, FALSE);
    EXPECT_EQ(1, SetApplicationInfoFrameWnd(2));
    EXPECT_EQ(1, SetApplicationInfoClientWnd(2, reinterpret_cast<HWND>(0x1234)));
    GetApplicationInfoPtr(2, &record);
    EXPECT_EQ(40, record->left);
    EXPECT_EQ(50, record->top);
    EXPECT_EQ(320, record->width);
    EXPECT_EQ(240, record->height);
    EXPECT_EQ(reinterpret_cast<HWND>(0x1234), record->clientWindow);
}

TEST_F(Registry, ApplicationWindowsOnlyWhileOpenAndAlive)
{
    TestApp &open = Register(1);
    Register(2, false);
    TestApp &dead = Register(3);
    DestroyWindow(dead.window);
    EXPECT_EQ(open.window, GetApplicationWnd(1));
    for (int index : {2, 3, -1, 30})
        EXPECT_EQ(nullptr, GetApplicationWnd(index)) << index;
    EXPECT_EQ(1, IsApplicationOpen());
    DestroyWindow(open.window);
    EXPECT_EQ(0, IsApplicationOpen()); // closed and dead records do not count
    Register(0);
    EXPECT_EQ(0, IsApplicationOpen()); // nor does the host
}

TEST_F(Registry, OKToQuitAsksEveryOpenApplicationButTheHost)
{
    TestApp &host = Register(0);
    host.queryQuitReply = 1;
    TestApp &first = Register(1);
    EXPECT_EQ(1, OKToQuitAllApplications());
    TestApp &refuses = Register(5);
    refuses.queryQuitReply = 1;
    TestApp &later = Register(6);
    EXPECT_EQ(0, OKToQuitAllApplications());
    EXPECT_TRUE(Received(first, WM_KR_QUERYQUIT));
    EXPECT_TRUE(Received(refuses, WM_KR_QUERYQUIT));
    EXPECT_FALSE(Received(later, WM_KR_QUERYQUIT)); // the scan stops at the refusal
    EXPECT_FALSE(Received(host, WM_KR_QUERYQUIT));
}

TEST_F(Registry, QuitDestroysTheOpenApplicationsAndClosesTheCompanion)
{
    TestApp &host = Register(0);
    TestApp &one = Register(1);
    TestApp &two = Register(29);
    TestApp &closed = Register(4, false);
    TestApp companion;
    krtest::CreateAppWindow(&companion, "Zizorover Avedeverado");
    EXPECT_EQ(1, QuitAllApplications());
    EXPECT_EQ(nullptr, one.window);
    EXPECT_EQ(nullptr, two.window);
    EXPECT_TRUE(Received(one, WM_KR_QUIT) && Received(two, WM_KR_QUIT));
    EXPECT_TRUE(IsWindow(host.window));
    EXPECT_TRUE(IsWindow(closed.window));
    EXPECT_TRUE(Received(companion, WM_CLOSE));
    DestroyWindow(companion.window);
}

TEST_F(Registry, BroadcastReachesEveryLiveWindowAndDialog)
{
    TestApp &open = Register(1);
    open.otherReply = 0x1;
    TestApp &closed = Register(2, false); // the open flag is not looked at
    closed.otherReply = 0x4;
    TestApp &host = Register(0);
    TestApp dialog;
    krtest::CreateAppWindow(&dialog);
    dialog.otherReply = 0x10;
    SetGlobalDialogWnd(49, dialog.window);
    EXPECT_EQ(0x15, BroadcastMessage(kCustom, 3, 4));
    EXPECT_EQ(4, closed.lastLParam);
    EXPECT_TRUE(Received(dialog, kCustom));
    EXPECT_FALSE(Received(host, kCustom));
    DestroyWindow(dialog.window);
}

TEST_F(Registry, FileUpdatesAreCountedAndStopWhileTheSuiteIsDisabled)
{
    TestApp &host = Register(0);
    host.fileUpdateReply = 1;
    TestApp &noting = Register(3);
    noting.fileUpdateReply = 1;
    TestApp &ignoring = Register(4);
    int data = 0;
    EXPECT_EQ(2, GenFileUpdate(reinterpret_cast<LPARAM>(&data), 0xBEEF));
    EXPECT_EQ(0xBEEFu, noting.lastWParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(&data), noting.lastLParam);
    EXPECT_TRUE(Received(ignoring, WM_KR_FILEUPDATE));

    EnableKestrune(0);
    noting.received.clear();
    EXPECT_EQ(0, GenFileUpdate(0, 1));
    EXPECT_TRUE(noting.received.empty());
}

TEST_F(Registry, DisablingTheSuiteRemembersWhatItDisabled)
{
    TestApp &host = Register(0);
    TestApp &app = Register(1);
    TestApp &alreadyOff = Register(2);
    EnableWindow(alreadyOff.window, FALSE);
    EXPECT_EQ(1, IsKestruneEnabled());
    EnableKestrune(0);
    EXPECT_EQ(0, IsKestruneEnabled());
    EXPECT_FALSE(IsWindowEnabled(host.window));
    EXPECT_FALSE(IsWindowEnabled(app.window));
    EnableKestrune(1);
    EXPECT_TRUE(IsWindowEnabled(host.window));
    EXPECT_TRUE(IsWindowEnabled(app.window));
    EXPECT_FALSE(IsWindowEnabled(alreadyOff.window));
}

TEST_F(Registry, DialogTableHandsKeyboardMessagesToItsDialogs)
{
    HWND dialog = CreateWindowExA(WS_EX_CONTROLPARENT, "#32770", "dialog", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 100, 20, dialog,
                                reinterpret_cast<HMENU>(10), nullptr, nullptr);
    EXPECT_EQ(0, SetGlobalDialogWnd(KR_DIALOG_SLOTS, dialog));
    EXPECT_EQ(nullptr, GetGlobalDialogWnd(KR_DIALOG_SLOTS));
    MSG tab{edit, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_EQ(0, HandleDialogMessage(&tab));
    EXPECT_EQ(1, SetGlobalDialogWnd(7, dialog));
    EXPECT_EQ(dialog, GetGlobalDialogWnd(7));
    EXPECT_EQ(1, HandleDialogMessage(&tab));
    TestApp other;
    krtest::CreateAppWindow(&other);
    MSG elsewhere{other.window, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_EQ(0, HandleDialogMessage(&elsewhere));
    EXPECT_EQ(0, HandleDialogMessage(nullptr));
    ClearAllGlobalDialogWnd();
    EXPECT_EQ(nullptr, GetGlobalDialogWnd(7));
    DestroyWindow(other.window);
    DestroyWindow(dialog);
}

TEST_F(Registry, DrawingResourcesFollowThePrinterContext)
{
    GLOBALRESOURCES screen{}, printer{}, out{};
    for (int i = 0; i < KR_RESOURCE_WORDS; ++i) {
        screen.word[i] = 1000 + i;
        printer.word[i] = 2000 + i;
    }
    const HDC dc = reinterpret_cast<HDC>(0x4242), other = reinterpret_cast<HDC>(0x4343);
    EXPECT_EQ(1, SetGlobalResources(screen));
    GLOBALRESOURCES *pointer = nullptr;
    EXPECT_EQ(1, SetPrinterResources(dc, &printer));
    EXPECT_EQ(1, GetGlobalResources(&out));
    EXPECT_EQ(0, memcmp(&printer, &out, sizeof out));
    EXPECT_EQ(dc, GetPrinterResources(&out));
    EXPECT_EQ(1, GetGlobalResourcesDC(other, &out)); // another context draws on the screen
    EXPECT_EQ(0, memcmp(&screen, &out, sizeof out));
    GetGlobalResourcesPtrDC(dc, &pointer);
    EXPECT_EQ(2085u, pointer->word[85]);

    EXPECT_EQ(1, SetPrinterResources(dc, nullptr));
    GetGlobalResources(&out);
    EXPECT_EQ(0, memcmp(&screen, &out, sizeof out));
    GetGlobalResourcesPtr(&pointer);
    EXPECT_EQ(1085u, pointer->word[85]);
    EXPECT_EQ(nullptr, GetPrinterResources(&out));
    EXPECT_EQ(0u, out.word[0]) << "the printer's record is cleared";
}

TEST_F(Registry, PropertyValuesLiveInTheirOwnBlocks)
{
    TestApp &app = Register(1);
    EXPECT_EQ(0, GetPropPtr(app.window, "Value"));
    const LONG_PTR big = static_cast<LONG_PTR>(reinterpret_cast<INT_PTR>(&app));
    EXPECT_EQ(1, SetPropPtr(app.window, "Value", big));
    EXPECT_EQ(big, GetPropPtr(app.window, "Value"));
    EXPECT_EQ(1, SetPropPtr(app.window, "Value", -7));
    EXPECT_EQ(-7, GetPropPtr(app.window, "Value"));
    RemovePropPtr(app.window, "Value");
    EXPECT_EQ(nullptr, GetPropA(app.window, "Value"));
    RemovePropPtr(app.window, "Value");
    EXPECT_EQ(0, SetPropPtr(nullptr, "Value", 1));
    EXPECT_EQ(0, SetPropPtr(app.window, nullptr, 1));

    KrutilTestControl(KRTEST_MEM_FAIL_AT, 1); // the block
    EXPECT_EQ(0, SetPropPtr(app.window, "Value", 5));
    EXPECT_EQ(nullptr, GetPropA(app.window, "Value"));
    SetPropPtr(app.window, "Value", 5);
    KrutilTestControl(KRTEST_MEM_FAIL_AT, 1); // the lock
    EXPECT_EQ(0, SetPropPtr(app.window, "Value", 6));
    KrutilTestControl(KRTEST_MEM_FAIL_AT, 1);
    EXPECT_EQ(0, GetPropPtr(app.window, "Value"));
    EXPECT_EQ(5, GetPropPtr(app.window, "Value"));
    RemovePropPtr(app.window, "Value");
}

TEST(AppCtrlIsAppEnabled, ReadsWinIniOnceForAllApplications)
{
    WritePrivateProfileStringA("Kestrune", "AppEnabled03", "false", "WIN.INI");
    WritePrivateProfileStringA("Kestrune", "AppEnabled10", "FALSE", "WIN.INI");
    WritePrivateProfileStringA("Kestrune", "AppEnabled11", "no", "WIN.INI");
    const int three = AppCtrlIsAppEnabled(3);
    WritePrivateProfileStringA("Kestrune", nullptr, nullptr, "WIN.INI"); // leave the prefix as it was
    EXPECT_EQ(0, three);
    EXPECT_EQ(0, AppCtrlIsAppEnabled(10));
    EXPECT_EQ(1, AppCtrlIsAppEnabled(11));
    EXPECT_EQ(1, AppCtrlIsAppEnabled(0));
    EXPECT_EQ(1, AppCtrlIsAppEnabled(18));
    EXPECT_EQ(0, AppCtrlIsAppEnabled(19));
    EXPECT_EQ(0, AppCtrlIsAppEnabled(-1));
    EXPECT_EQ(0, AppCtrlIsAppEnabled(3)); // still the first reading
}

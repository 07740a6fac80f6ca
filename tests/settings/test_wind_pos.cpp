// Window placements in KESTRUNE.INI and on real windows.
#include <gtest/gtest.h>

#include <string>

#include "krsettings.h"
#include "support/mdi_frame.h"
#include "support/work_dir.h"

using krtest::ReadIniValue;

namespace {

INIWINDPOS Pos(long visible, short show, long l, long t, long r, long b)
{
    INIWINDPOS p{};
    p.visible = visible;
    p.show = show;
    p.left = l;
    p.top = t;
    p.right = r;
    p.bottom = b;
    return p;
}

::testing::AssertionResult SamePos(const INIWINDPOS &expected, const INIWINDPOS &actual)
{
    if (expected.visible == actual.visible && expected.show == actual.show && expected.left == actual.left &&
        expected.top == actual.top && expected.right == actual.right && expected.bottom == actual.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "actual " << actual.visible << "," << actual.show << "," << actual.left << "," << actual.top << ","
           << actual.right << "," << actual.bottom;
}

INIWINDPOS Obtained(HWND window)
{
    INIWINDPOS pos;
    EXPECT_EQ(1, ObtainWindPos(window, &pos));
    return pos;
}

// Destroys a window at the end of a test.
struct WindowGuard {
    HWND window;
    ~WindowGuard()
    {
        DestroyWindow(window);
        krtest::PumpMessages();
    }
};

} // namespace

TEST(IniWindPos, RoundTripsThroughTheFile)
{
    const INIWINDPOS pos = Pos(1, 1, 10, 20, 610, 420);
    EXPECT_EQ(1, SetIniWindPos("Windows", "Main", &pos, 0));
    EXPECT_EQ("TRUE,SW_SHOWNORMAL,10,20,610,420", ReadIniValue("Windows", "Main"));
    INIWINDPOS read;
    EXPECT_EQ(1, GetIniWindPos("Windows", "Main", nullptr, &read));
    EXPECT_TRUE(SamePos(pos, read));
}

TEST(IniWindPos, ShowValuesOtherThanTwoAndThreeAreWrittenAsNormal)
{
    const INIWINDPOS pos = Pos(0, 5, 1, 2, 3, 4);
    SetIniWindPos("Windows", "Odd", &pos, 0);
    EXPECT_EQ("FALSE,SW_SHOWNORMAL,1,2,3,4", ReadIniValue("Windows", "Odd"));
}

TEST(IniWindPos, MissingOrEmptyValueGivesZeroUnlessDefaulted)
{
    INIWINDPOS read = Pos(9, 9, 9, 9, 9, 9);
    EXPECT_EQ(0, GetIniWindPos("Windows", "Never", nullptr, &read));
    EXPECT_TRUE(SamePos(Pos(0, 0, 0, 0, 0, 0), read));

    const INIWINDPOS def = Pos(0, 3, 1, 2, 3, 4);
    EXPECT_EQ(1, GetIniWindPos("Windows", "Never", &def, &read));
    EXPECT_TRUE(SamePos(def, read));

    WritePrivateProfileStringA("Windows", "Empty", "", krtest::IniFilePath().c_str());
    EXPECT_EQ(0, GetIniWindPos("Windows", "Empty", &def, &read));
    EXPECT_TRUE(SamePos(Pos(0, 0, 0, 0, 0, 0), read));
}

TEST(IniWindPos, ShortValuesFromTheFile)
{
    WritePrivateProfileStringA("Windows", "Flag", "TRUE", krtest::IniFilePath().c_str());
    INIWINDPOS read;
    EXPECT_EQ(1, GetIniWindPos("Windows", "Flag", nullptr, &read));
    EXPECT_TRUE(SamePos(Pos(1, 2, 0, 0, 100, 100), read));
}

TEST(IniWindPos, NullArgumentsAreRefused)
{
    INIWINDPOS read;
    EXPECT_EQ(0, GetIniWindPos("Windows", "Main", nullptr, nullptr));
    EXPECT_EQ(0, GetIniWindPos("Windows", nullptr, nullptr, &read));
    EXPECT_EQ(0, GetIniWindPos(nullptr, nullptr, nullptr, &read));
    EXPECT_EQ(0, SetIniWindPos("Windows", "Main", nullptr, 0));
    EXPECT_EQ(0, ObtainWindPos(nullptr, nullptr));
    EXPECT_EQ(0, RestoreWindPos(GetDesktopWindow(), nullptr));
}

TEST(ObtainWindPos, NullOrDeadWindowIsInvisibleAndEmpty)
{
    EXPECT_TRUE(SamePos(Pos(0, 1, 0, 0, 0, 0), Obtained(nullptr)));
    HWND dead = krtest::CreateTopLevel("dead", 10, 10, 100, 100);
    DestroyWindow(dead);
    EXPECT_TRUE(SamePos(Pos(0, 1, 0, 0, 0, 0), Obtained(dead)));
}

TEST(ObtainWindPos, NormalTopLevelWindowInScreenCoordinates)
{
    WindowGuard w{krtest::CreateTopLevel("normal", 50, 60, 300, 200)};
    EXPECT_TRUE(SamePos(Pos(1, 1, 50, 60, 350, 260), Obtained(w.window)));
    EXPECT_TRUE(IsWindowVisible(w.window));
}

TEST(ObtainWindPos, MaximisedOrMinimisedTopLevelIsRestoredAndLeftHidden)
{
    for (int show : {SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED}) {
        WindowGuard w{krtest::CreateTopLevel("sized", 70, 80, 320, 240)};
        ShowWindow(w.window, show);
        krtest::PumpMessages();
        EXPECT_TRUE(SamePos(Pos(1, static_cast<short>(show), 70, 80, 390, 320), Obtained(w.window)));
        EXPECT_FALSE(IsWindowVisible(w.window));
        EXPECT_FALSE(IsZoomed(w.window) || IsIconic(w.window));
    }
}

TEST(ObtainWindPos, ChildWindowInItsParentsClientCoordinates)
{
    krtest::MdiFrame frame;
    HWND child = frame.CreateChild("child", 15, 25, 300, 200);
    EXPECT_TRUE(SamePos(Pos(1, 1, 15, 25, 315, 225), Obtained(child)));
}

TEST(ObtainWindPos, MaximisedMdiChildIsRestoredThroughShowWindow)
{
    // The MDI client's class reads "MDIClient", which is not the exact
    // "mdiclient" that selects WM_MDIRESTORE: the child is shown normally,
    // then hidden, like any other window.
    krtest::MdiFrame frame;
    char cls[64];
    GetClassNameA(frame.Client(), cls, sizeof cls);
    EXPECT_STRNE("mdiclient", cls);
    HWND child = frame.CreateChild("child", 15, 25, 300, 200);
    SendMessageA(frame.Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    krtest::PumpMessages();
    ASSERT_TRUE(IsZoomed(child));
    EXPECT_TRUE(SamePos(Pos(1, 3, 15, 25, 315, 225), Obtained(child)));
    EXPECT_FALSE(IsZoomed(child));
    EXPECT_FALSE(IsWindowVisible(child));
}

TEST(RestoreWindPos, MovesAndShowsANormalPlacement)
{
    WindowGuard w{krtest::CreateTopLevel("restore", 0, 0, 100, 100)};
    ShowWindow(w.window, SW_HIDE);
    const INIWINDPOS pos = Pos(1, 1, 110, 120, 530, 440);
    EXPECT_EQ(1, RestoreWindPos(w.window, &pos));
    krtest::PumpMessages();
    EXPECT_TRUE(IsWindowVisible(w.window));
    EXPECT_TRUE(SamePos(pos, Obtained(w.window)));
}

TEST(RestoreWindPos, MaximisedOrMinimisedPlacementKeepsTheRectangle)
{
    for (short show : {SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED}) {
        WindowGuard w{krtest::CreateTopLevel("restore", 30, 40, 200, 150)};
        const INIWINDPOS pos = Pos(1, show, 500, 500, 900, 900);
        EXPECT_EQ(1, RestoreWindPos(w.window, &pos));
        EXPECT_TRUE(show == SW_SHOWMAXIMIZED ? IsZoomed(w.window) : IsIconic(w.window));
        EXPECT_TRUE(SamePos(Pos(1, show, 30, 40, 230, 190), Obtained(w.window)));
    }
}

TEST(RestoreWindPos, DeadWindowIsLeftAlone)
{
    HWND dead = krtest::CreateTopLevel("dead", 10, 10, 100, 100);
    DestroyWindow(dead);
    const INIWINDPOS pos = Pos(1, 1, 0, 0, 10, 10);
    EXPECT_EQ(0, RestoreWindPos(dead, &pos));
    EXPECT_EQ(0, RestoreWindPos(nullptr, &pos));
}

// Window placements in KESTRUNE.INI and on real windows.
#include <gtest/gtest.h>

#include <string>

#include "krsettings.h"
#include "support/mdi_frame.h"
#include "support/placement.h"
#include "support/work_dir.h"

using krtest::Pos;
using krtest::ReadIniValue;
using krtest::Text;

namespace {

INIWINDPOS Obtained(HWND window)
{
    INIWINDPOS pos;
    EXPECT_EQ(1, ObtainWindPos(window, &pos));
    return pos;
}

INIWINDPOS ReadPos(const char *key, int expectedResult, const INIWINDPOS *def = nullptr)
{
    INIWINDPOS pos;
    memset(&pos, 0x5A, sizeof pos);
    EXPECT_EQ(expectedResult, GetIniWindPos("Windows", key, def, &pos)) << key;
    return pos;
}

struct WindowGuard {
    HWND window;
    ~WindowGuard() { DestroyWindow(window); }
};

} // namespace

TEST(IniWindPos, WritesTheTextFormAndReadsItBack)
{
    const INIWINDPOS pos = Pos(1, 1, 10, 20, 610, 420);
    EXPECT_EQ(1, SetIniWindPos("Windows", "Main", &pos, 0));
    EXPECT_EQ("TRUE,SW_SHOWNORMAL,10,20,610,420", ReadIniValue("Windows", "Main"));
    EXPECT_EQ(Text(pos), Text(ReadPos("Main", 1)));
    const INIWINDPOS odd = Pos(7, 5, -1, -2, 3, 4);
    SetIniWindPos("Windows", "Odd", &odd, 0);
    EXPECT_EQ("TRUE,SW_SHOWNORMAL,-1,-2,3,4", ReadIniValue("Windows", "Odd"));
}

TEST(IniWindPos, ReadsEveryFormOfTheTextAndDefaultsOnlyMissingKeys)
{
    const INIWINDPOS def = Pos(0, 3, 1, 2, 3, 4);
    const struct { const char *value, *record; int result; } cases[] = {
        {"FALSE,SW_SHOWMAXIMIZED,1,2,3,4", "0,3,1,2,3,4", 1},
        {"TRUE,SW_SHOWMINIMIZED,-5,-6,7,8", "1,2,-5,-6,7,8", 1},
        {"true,SW_SHOWNORMAL,1,2,3,4", "0,1,1,2,3,4", 1},       // words are case-sensitive
        {"TRUE,sw_showmaximized,1,2,3,4", "1,1,1,2,3,4", 1},
        {"TRUE", "1,2,0,0,100,100", 1},                          // the flag alone
        {"TRUE,SW_SHOWNORMAL,10", "1,1,10,0,0,0", 1},            // missing numbers read 0
        {"TRUE,SW_SHOWNORMAL,x,20,y,40", "1,1,0,20,0,40", 1},
        {",,TRUE,,SW_SHOWMAXIMIZED,,1,,,2,3,4,", "1,3,1,2,3,4", 1}, // empty fields do not count
        {"", "0,0,0,0,0,0", 0}, {",,,", "0,0,0,0,0,0", 0},       // present but empty: no default
    };
    for (const auto &c : cases) {
        WritePrivateProfileStringA("Windows", "Form", c.value, krtest::IniFilePath().c_str());
        EXPECT_EQ(c.record, Text(ReadPos("Form", c.result, &def))) << '"' << c.value << '"';
    }
    EXPECT_EQ("0,0,0,0,0,0", Text(ReadPos("Never", 0)));
    EXPECT_EQ(Text(def), Text(ReadPos("Never", 1, &def)));
}

TEST(WindPos, NullArgumentsAndDeadWindowsAreRefused)
{
    INIWINDPOS read;
    EXPECT_EQ(0, GetIniWindPos("Windows", "Main", nullptr, nullptr));
    EXPECT_EQ(0, GetIniWindPos("Windows", nullptr, nullptr, &read));
    EXPECT_EQ(0, GetIniWindPos(nullptr, nullptr, nullptr, &read));
    EXPECT_EQ(0, SetIniWindPos("Windows", "Main", nullptr, 0));
    EXPECT_EQ(0, ObtainWindPos(nullptr, nullptr));
    EXPECT_EQ(0, RestoreWindPos(GetDesktopWindow(), nullptr));
    // A null or dead window reads as invisible, normal and empty.
    EXPECT_EQ("0,1,0,0,0,0", Text(Obtained(nullptr)));
    HWND dead = krtest::CreateTopLevel("dead", 10, 10, 100, 100);
    DestroyWindow(dead);
    EXPECT_EQ("0,1,0,0,0,0", Text(Obtained(dead)));
    const INIWINDPOS pos = Pos(1, 1, 0, 0, 10, 10);
    EXPECT_EQ(0, RestoreWindPos(dead, &pos));
    EXPECT_EQ(0, RestoreWindPos(nullptr, &pos));
}

TEST(ObtainWindPos, TopLevelInScreenCoordinatesMaximisedOrMinimisedRestoredAndHidden)
{
    for (short show : {SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED}) {
        WindowGuard w{krtest::CreateTopLevel("sized", 70, 80, 320, 240)};
        ShowWindow(w.window, show);
        EXPECT_EQ(Text(Pos(1, show, 70, 80, 390, 320)), Text(Obtained(w.window)));
        EXPECT_EQ(show == SW_SHOWNORMAL, IsWindowVisible(w.window) != 0) << show;
        EXPECT_FALSE(IsZoomed(w.window) || IsIconic(w.window)) << show;
    }
}

TEST(ObtainWindPos, MdiChildInTheClientsCoordinates)
{
    // The MDI client's class reads "MDIClient", not the exact "mdiclient"
    // that selects WM_MDIRESTORE: a maximised child is shown normally, then
    // hidden, like any other window.
    krtest::MdiFrame frame;
    char cls[64];
    GetClassNameA(frame.Client(), cls, sizeof cls);
    EXPECT_STRNE("mdiclient", cls);
    HWND child = frame.CreateChild("child", 15, 25, 300, 200);
    EXPECT_EQ("1,1,15,25,315,225", Text(Obtained(child)));
    SendMessageA(frame.Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    ASSERT_TRUE(IsZoomed(child));
    EXPECT_EQ("1,3,15,25,315,225", Text(Obtained(child)));
    EXPECT_FALSE(IsZoomed(child));
    EXPECT_FALSE(IsWindowVisible(child));
}

TEST(RestoreWindPos, ShowsEachStateAndMovesOnlyANormalPlacement)
{
    for (short show : {SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED}) {
        WindowGuard w{krtest::CreateTopLevel("restore", 30, 40, 200, 150)};
        ShowWindow(w.window, SW_HIDE);
        const INIWINDPOS pos = Pos(1, show, 110, 120, 530, 440);
        EXPECT_EQ(1, RestoreWindPos(w.window, &pos));
        EXPECT_TRUE(IsWindowVisible(w.window)) << show;
        EXPECT_EQ(show == SW_SHOWMAXIMIZED, IsZoomed(w.window) != 0) << show;
        EXPECT_EQ(show == SW_SHOWMINIMIZED, IsIconic(w.window) != 0) << show;
        EXPECT_EQ(Text(show == SW_SHOWNORMAL ? pos : Pos(1, show, 30, 40, 230, 190)), Text(Obtained(w.window)));
    }
}

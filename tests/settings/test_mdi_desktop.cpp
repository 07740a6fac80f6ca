// MDI desktops: children created at saved placements, whole desktops saved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "krsettings.h"
#include "support/mdi_frame.h"
#include "support/placement.h"
#include "support/work_dir.h"

using krtest::Pos;
using krtest::ReadIniValue;
using krtest::Text;

namespace {

std::string AtomProp(HWND window, const char *prop)
{
    const ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(window, prop)));
    char name[256] = "";
    if (atom)
        GetAtomNameA(atom, name, sizeof name);
    return name;
}

std::string Place(const MDICREATESTRUCTA &cs)
{
    return std::to_string(cs.x) + "," + std::to_string(cs.y) + "," + std::to_string(cs.cx) + "," + std::to_string(cs.cy);
}

HWND CreateSaved(krtest::MdiFrame &frame, const char *section, const char *key)
{
    MDICREATESTRUCTA cs = krtest::MdiFrame::ChildRecord(key);
    HWND child = IniCreateMDIWnd(frame.Client(), section, key, &cs);
    krtest::PumpMessages();
    return child;
}

HWND Active(const krtest::MdiFrame &frame)
{
    return reinterpret_cast<HWND>(SendMessageA(frame.Client(), WM_MDIGETACTIVE, 0, 0));
}

// Saves the desktop in MDI mode and returns the titles of the children in
// the order they were visited, from the active one on.
std::vector<std::string> SaveTrackingVisits(const krtest::MdiFrame &frame, const char *section, const char *key)
{
    const HWND first = Active(frame);
    std::vector<std::string> visits{krtest::Title(first)};
    krtest::ActivationLog log;
    EXPECT_EQ(1, IniSaveDesktop(frame.Client(), INI_DESKTOP_MDI, section, key, 0));
    for (HWND child : log.Activated()) {
        if (child == first)
            break;
        visits.push_back(krtest::Title(child));
    }
    return visits;
}

// Gives a window the INI names IniCreateMDIWnd would give it.
void Tag(HWND window, const char *section, const char *key)
{
    SetPropA(window, "IniParagraph", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(AddAtomA(section))));
    SetPropA(window, "IniLine", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(AddAtomA(key))));
}

} // namespace

TEST(IniCreateMDIWnd, OpensTheChildAsSavedAndTagsIt)
{
    const INIWINDPOS saved[] = {Pos(1, 1, 10, 20, 410, 320), Pos(1, 3, 5, 5, 305, 205), Pos(1, 2, 5, 5, 305, 205)};
    SetIniWindPos("Create", "Normal", &saved[0], 0);
    SetIniWindPos("Create", "Max", &saved[1], 0);
    SetIniWindPos("Create", "Min", &saved[2], 0);
    krtest::MdiFrame frame;
    MDICREATESTRUCTA cs = krtest::MdiFrame::ChildRecord("Normal");
    HWND child = IniCreateMDIWnd(frame.Client(), "Create", "Normal", &cs);
    ASSERT_NE(nullptr, child);
    EXPECT_EQ("10,20,400,300", Place(cs));
    INIWINDPOS placed;
    ObtainWindPos(child, &placed);
    EXPECT_EQ(Text(saved[0]), Text(placed));
    EXPECT_EQ("Create", AtomProp(child, "IniParagraph"));
    EXPECT_EQ("Normal", AtomProp(child, "IniLine"));

    cs = krtest::MdiFrame::ChildRecord("Max");
    EXPECT_TRUE(IsZoomed(IniCreateMDIWnd(frame.Client(), "Create", "Max", &cs)));
    EXPECT_TRUE(cs.style & WS_MAXIMIZE);
    cs = krtest::MdiFrame::ChildRecord("Min");
    EXPECT_TRUE(IsIconic(IniCreateMDIWnd(frame.Client(), "Create", "Min", &cs)));
    EXPECT_TRUE(cs.style & WS_MINIMIZE);
}

TEST(IniCreateMDIWnd, WithoutASavedPlacementUsesDefaultPositions)
{
    krtest::MdiFrame frame;
    MDICREATESTRUCTA cs = krtest::MdiFrame::ChildRecord("New");
    HWND child = IniCreateMDIWnd(frame.Client(), "Create", "New", &cs);
    ASSERT_NE(nullptr, child);
    const std::string useDefault = std::to_string(static_cast<int>(CW_USEDEFAULT));
    EXPECT_EQ(useDefault + "," + useDefault + "," + useDefault + "," + useDefault, Place(cs));
    EXPECT_EQ("New", AtomProp(child, "IniLine"));

    MDICREATESTRUCTA untagged = krtest::MdiFrame::ChildRecord("Untagged");
    HWND plain = IniCreateMDIWnd(frame.Client(), nullptr, nullptr, &untagged);
    ASSERT_NE(nullptr, plain);
    EXPECT_EQ(nullptr, GetPropA(plain, "IniParagraph"));
    EXPECT_EQ(nullptr, IniCreateMDIWnd(frame.Client(), "Create", "New", nullptr));
}

TEST(IniSaveDesktop, WritesTheNamedChildrenLastVisitedFirst)
{
    // WM_MDINEXT walks the children in Z order: made plain, C, B, A, they
    // are visited A, B, C, plain from the active A; plain has no INI name.
    krtest::MdiFrame frame;
    frame.CreateChild("plain", 10, 10, 100, 100);
    CreateSaved(frame, "Desk", "C");
    CreateSaved(frame, "Desk", "B");
    CreateSaved(frame, "Desk", "A");
    const std::vector<std::string> visits = SaveTrackingVisits(frame, "Desk", "Children");
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C", "plain"}), visits);
    EXPECT_EQ("C,B,A", ReadIniValue("Desk", "Children"));
    for (const char *key : {"A", "B", "C"})
        EXPECT_EQ("TRUE,SW_SHOWNORMAL,", ReadIniValue("Desk", key).substr(0, 19)) << key;
    EXPECT_EQ(std::string::npos, krtest::ReadTextFile(krtest::IniFilePath()).find("[]"));
}

TEST(IniSaveDesktop, MaximisedChildAndMinimisedFrameAreSavedAndRestored)
{
    const INIWINDPOS saved = Pos(1, 1, 20, 30, 320, 230);
    SetIniWindPos("Max", "Big", &saved, 0);
    krtest::MdiFrame frame;
    CreateSaved(frame, "Max", "Small");
    HWND big = CreateSaved(frame, "Max", "Big");
    SendMessageA(frame.Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(big), 0);
    ShowWindow(frame.Frame(), SW_MINIMIZE);
    krtest::PumpMessages();
    ASSERT_TRUE(IsZoomed(big));
    SaveTrackingVisits(frame, "Max", "List");
    EXPECT_EQ("TRUE,SW_SHOWMAXIMIZED,20,30,320,230", ReadIniValue("Max", "Big"));
    EXPECT_FALSE(IsZoomed(big));
    EXPECT_EQ("Small,Big", ReadIniValue("Max", "List"));
    EXPECT_FALSE(IsIconic(frame.Frame()));
    EXPECT_FALSE(IsWindowVisible(frame.Frame()));
}

TEST(IniSaveDesktop, LongListsKeepOnlyWholeNames)
{
    krtest::MdiFrame frame;
    std::vector<std::string> keys;
    for (char c = 'a'; c < 'a' + 8; ++c) {
        keys.push_back(std::string(79, c) + "_");
        CreateSaved(frame, "Long", keys.back().c_str());
    }
    SaveTrackingVisits(frame, "Long", "List");
    const std::string list = ReadIniValue("Long", "List");
    EXPECT_EQ(6u * 80 + 5, list.size()) << list;
    for (size_t at = 0; at < list.size(); at += 81)
        EXPECT_EQ('_', list[at + 79]) << list;
    for (const std::string &key : keys) // every placement is saved nonetheless
        EXPECT_NE("<absent>", ReadIniValue("Long", key.c_str())) << key;
}

TEST(IniSaveDesktop, ArgumentRulesAndTheEmptyDesktop)
{
    krtest::MdiFrame frame;
    EXPECT_EQ(1, IniSaveDesktop(frame.Client(), INI_DESKTOP_MDI, "Rules", "Empty", 0));
    EXPECT_EQ("", ReadIniValue("Rules", "Empty"));
    EXPECT_EQ(0, IniSaveDesktop(frame.Client(), INI_DESKTOP_MDI, "Rules", nullptr, 0));
    CreateSaved(frame, "Rules", "Child");
    EXPECT_EQ(0, IniSaveDesktop(frame.Client(), INI_DESKTOP_MDI, nullptr, "List", 0));
    EXPECT_EQ(0, IniSaveDesktop(frame.Client(), 0, "Rules", "List", 0));
    EXPECT_EQ(0, IniSaveDesktop(frame.Client(), 4, "Rules", "List", 0));
    EXPECT_EQ("<absent>", ReadIniValue("Rules", "Child"));
    // Without a key for the list, the children's placements are still saved.
    EXPECT_EQ(0, IniSaveDesktop(frame.Client(), INI_DESKTOP_MDI, "Rules", nullptr, 0));
    EXPECT_NE("<absent>", ReadIniValue("Rules", "Child"));
}

TEST(IniSaveDesktop, SingleModeSavesTheGivenWindowOnly)
{
    HWND window = krtest::CreateTopLevel("single", 40, 50, 300, 200);
    Tag(window, "Single", "Main");
    EXPECT_EQ(1, IniSaveDesktop(window, INI_DESKTOP_SINGLE, "Single", "List", 0));
    EXPECT_EQ("TRUE,SW_SHOWNORMAL,40,50,340,250", ReadIniValue("Single", "Main"));
    EXPECT_EQ("<absent>", ReadIniValue("Single", "List"));
    DestroyWindow(window);
    EXPECT_EQ(1, IniSaveDesktop(nullptr, INI_DESKTOP_SINGLE, "Single", "List", 0));
    EXPECT_EQ("", ReadIniValue("Single", "List"));
}

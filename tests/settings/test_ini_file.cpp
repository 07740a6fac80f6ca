// KESTRUNE.INI in the working directory, read back from the real file, and
// window placements in it: single windows, MDI children and whole desktops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "krsettings.h"
#include "support/work_dir.h"

using krtest::ReadIniValue;

namespace {

HWND CreateTopLevel(int x, int y, int cx, int cy)
{
    return CreateWindowExA(0, "STATIC", "top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, cx, cy, nullptr, nullptr,
                           nullptr, nullptr);
}

// A frame with its MDI client; `record` keeps the last child's create record.
struct MdiFrame {
    MdiFrame()
    {
        WNDCLASSA child{}; // registering it again fails harmlessly
        child.lpfnWndProc = DefMDIChildProcA;
        child.lpszClassName = "KrTestChildWClass";
        RegisterClassA(&child);
        CLIENTCREATESTRUCT ccs{nullptr, 1000};
        client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 880, 640, frame, nullptr,
                                 nullptr, &ccs);
    }
    ~MdiFrame() { DestroyWindow(frame); }
    HWND Child(const char *section, const char *key)
    {
        record = MDICREATESTRUCTA{"KrTestChildWClass", key, nullptr, 0, 0, 0, 0, WS_OVERLAPPEDWINDOW, 0};
        return IniCreateMDIWnd(client, section, key, &record);
    }

    HWND frame = CreateTopLevel(0, 0, 900, 700), client;
    MDICREATESTRUCTA record;
};

// A placement's fields in order, so that a failed comparison shows them all.
std::vector<long> Fields(const INIWINDPOS &p)
{
    return {p.visible, p.show, p.left, p.top, p.right, p.bottom};
}

std::vector<long> Obtained(HWND window)
{
    INIWINDPOS pos;
    EXPECT_EQ(1, ObtainWindPos(window, &pos));
    return Fields(pos);
}

} // namespace

TEST(IniFile, StaysInTheFirstWorkingDirectoryAndKeepsItsRules)
{
    const auto WorkingDir = [] {
        char dir[MAX_PATH];
        EXPECT_EQ(1, GetKestruneWorkingDir(dir));
        return std::string(dir);
    };
    EXPECT_EQ(krtest::WorkDir(), WorkingDir());
    EXPECT_EQ(1, GetKestruneWorkingDir(nullptr));
    EXPECT_EQ(1, InitIni(0));
    const std::string sub = krtest::WorkPath("sub");
    CreateDirectoryA(sub.c_str(), nullptr);
    SetCurrentDirectoryA(sub.c_str());
    EXPECT_EQ(krtest::WorkDir(), WorkingDir());
    SetKestruneWorkingDir();
    EXPECT_EQ(sub, WorkingDir());
    char value[] = "v";
    EXPECT_NE(0, SetIniString("Path", "Probe", value, 0));
    EXPECT_EQ("v", ReadIniValue("Path", "Probe")); // in the first working directory
    SetCurrentDirectoryA(krtest::WorkDir().c_str());
    SetKestruneWorkingDir();
    EXPECT_EQ(1, FreeIni(1, 2));
    EXPECT_EQ(0, IsIniLoaded());

    char out[8] = "###";
    EXPECT_EQ(0, GetIniString("Nowhere", "Nothing", "x", out, 0)); // an unusable buffer reads nothing
    EXPECT_STREQ("###", out);
    EXPECT_EQ(0, GetIniString("Nowhere", "Nothing", "x", nullptr, sizeof out));
    EXPECT_EQ(0, GetIniString("Nowhere", "Nothing", nullptr, out, sizeof out));
    EXPECT_STREQ("", out);
    for (const char *key : {"tab\there", "\x1F", "\x80"})
        EXPECT_EQ(0, SetIniString("Names", key, value, 0)) << key;
    EXPECT_EQ(0, SetIniString("Caf\xE9", "key", value, 0));
    EXPECT_NE(0, SetIniString("Names", "all ~ printable \x7F", value, 0));
    EXPECT_EQ(WritePrivateProfileStringA("Names", "", "v", krtest::IniFilePath().c_str()),
              SetIniString("Names", "", value, 0));
    std::string longValue(600, 'x'); // cut to 512 in the caller's buffer
    longValue[511] = 'y';
    EXPECT_NE(0, SetIniString("Long", "Value", &longValue[0], 0));
    EXPECT_EQ(std::string(511, 'x') + "y", ReadIniValue("Long", "Value"));
    EXPECT_EQ('\0', longValue[512]);
    EXPECT_NE(0, SetIniString("Long", nullptr, nullptr, 0)); // a null key removes the section
    EXPECT_EQ("<absent>", ReadIniValue("Long", "Value"));
    // IsGCMD reads its flag once for the life of the process.
    WritePrivateProfileStringA("Acquisition", "IsGCMD", "TRUE", krtest::IniFilePath().c_str());
    EXPECT_EQ(1, IsGCMD());
    WritePrivateProfileStringA("Acquisition", "IsGCMD", "FALSE", krtest::IniFilePath().c_str());
    EXPECT_EQ(1, IsGCMD());
}

TEST(IniWindPos, TextFormsWrittenAndRead)
{
    const struct { INIWINDPOS pos; const char *text; } writes[] = {
        {{1, 1, 10, 20, 610, 420}, "TRUE,SW_SHOWNORMAL,10,20,610,420"},
        {{0, 2, -1, -2, 3, 4}, "FALSE,SW_SHOWMINIMIZED,-1,-2,3,4"},
        {{7, 5, 1, 2, 3, 4}, "TRUE,SW_SHOWNORMAL,1,2,3,4"},
    };
    for (const auto &row : writes) {
        EXPECT_EQ(1, SetIniWindPos("Windows", "Pos", &row.pos, 0));
        EXPECT_EQ(row.text, ReadIniValue("Windows", "Pos"));
    }
    const INIWINDPOS def{0, 3, 1, 2, 3, 4};
    const struct { const char *text; INIWINDPOS pos; int result; } reads[] = {
        {"TRUE,SW_SHOWMINIMIZED,-5,-6,7,8", {1, 2, -5, -6, 7, 8}, 1},
        {"true,SW_SHOWNORMAL,1,2,3,4", {0, 1, 1, 2, 3, 4}, 1}, // words are case-sensitive
        {"TRUE", {1, 2, 0, 0, 100, 100}, 1},                   // the flag alone
        {"TRUE,SW_SHOWNORMAL,10,x", {1, 1, 10, 0, 0, 0}, 1},   // missing numbers read 0
        {",,TRUE,,SW_SHOWMAXIMIZED,,1,,,2,3,4,", {1, 3, 1, 2, 3, 4}, 1}, // empty fields do not count
        {",,,", {}, 0},                                        // present but empty: no default
        {nullptr, def, 1},                                     // absent: the default
    };
    INIWINDPOS pos;
    for (const auto &row : reads) {
        WritePrivateProfileStringA("Windows", "Pos", row.text, krtest::IniFilePath().c_str());
        EXPECT_EQ(row.result, GetIniWindPos("Windows", "Pos", &def, &pos)) << row.text;
        EXPECT_EQ(Fields(row.pos), Fields(pos)) << row.text;
    }
    EXPECT_EQ(0, GetIniWindPos("Windows", "Pos", nullptr, nullptr));
    EXPECT_EQ(0, GetIniWindPos("Windows", nullptr, nullptr, &pos)); // would list names
    EXPECT_EQ(0, SetIniWindPos("Windows", "Pos", nullptr, 0));
}

TEST(IniCreateMDIWnd, OpensTheChildAsSavedToBeTakenAndRestoredAgain)
{
    // Taken in the client's coordinates. The client's class reads "MDIClient",
    // not the exact "mdiclient" that selects WM_MDIRESTORE: a minimised or
    // maximised child is taken normal and left hidden, like any window.
    MdiFrame frame;
    HWND child = nullptr;
    for (const INIWINDPOS &saved : {INIWINDPOS{1, 3, 5, 5, 305, 205}, INIWINDPOS{1, 2, 5, 5, 305, 205},
                                    INIWINDPOS{1, 1, 15, 25, 315, 225}}) {
        const std::string key = "Show" + std::to_string(saved.show);
        SetIniWindPos("Create", key.c_str(), &saved, 0);
        child = frame.Child("Create", key.c_str());
        const MDICREATESTRUCTA &cs = frame.record;
        EXPECT_EQ(Fields(saved), Fields({1, saved.show, cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy}));
        EXPECT_EQ(saved.show == SW_SHOWMAXIMIZED, (cs.style & WS_MAXIMIZE) && IsZoomed(child)) << key;
        EXPECT_EQ(saved.show == SW_SHOWMINIMIZED, (cs.style & WS_MINIMIZE) && IsIconic(child)) << key;
        EXPECT_EQ(Fields(saved), Obtained(child));
        EXPECT_EQ(saved.show == SW_SHOWNORMAL, IsWindowVisible(child) != 0) << key;
        EXPECT_FALSE(IsZoomed(child) || IsIconic(child)) << key;
    }
    // Restoring shows each state; only a normal placement moves the window.
    const INIWINDPOS moved{1, 1, 110, 120, 530, 440};
    for (short show : {SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED, SW_SHOWNORMAL}) {
        ShowWindow(child, SW_HIDE);
        const INIWINDPOS pos{1, show, 110, 120, 530, 440};
        EXPECT_EQ(1, RestoreWindPos(child, &pos));
        EXPECT_TRUE(IsWindowVisible(child)) << show;
        EXPECT_EQ(Fields(show == SW_SHOWNORMAL ? moved : INIWINDPOS{1, show, 15, 25, 315, 225}), Obtained(child));
    }
    EXPECT_EQ(0, RestoreWindPos(child, nullptr));
    DestroyWindow(child);
    for (HWND gone : {child, HWND()}) { // taken as invisible, normal and empty; not restored
        EXPECT_EQ(Fields({0, 1, 0, 0, 0, 0}), Obtained(gone));
        EXPECT_EQ(0, RestoreWindPos(gone, &moved));
    }
    EXPECT_EQ(0, ObtainWindPos(nullptr, nullptr));
    frame.Child("Create", "New"); // nothing saved: default positions
    EXPECT_EQ(std::vector<int>(4, CW_USEDEFAULT),
              (std::vector<int>{frame.record.x, frame.record.y, frame.record.cx, frame.record.cy}));
    EXPECT_EQ(nullptr, IniCreateMDIWnd(frame.client, "Create", "New", nullptr));
}

TEST(IniSaveDesktop, WritesTheNamedChildrenLastVisitedFirstInOneValue)
{
    // WM_MDINEXT walks the children in Z order from the active one, the last
    // made, here maximised in a minimised frame (both are left restored). Six
    // names of 80 characters and one of 26 fill the list's 512 characters;
    // "plain" has no INI names, and "left out" no longer fits the list.
    MdiFrame frame; // empty: an empty list
    EXPECT_EQ(1, IniSaveDesktop(frame.client, INI_DESKTOP_MDI, "Desk", "List", 0));
    EXPECT_EQ("", ReadIniValue("Desk", "List"));
    frame.Child("Desk", "left out"); // alone; without a key for the list its placement is saved all the same
    EXPECT_EQ(0, IniSaveDesktop(frame.client, INI_DESKTOP_MDI, "Desk", nullptr, 0));
    EXPECT_EQ("TRUE,SW_SHOWNORMAL,", ReadIniValue("Desk", "left out").substr(0, 19));
    WritePrivateProfileStringA("Desk", "left out", nullptr, krtest::IniFilePath().c_str()); // saved again below
    const std::string last(80, 'f');
    std::string list;
    for (const std::string &key : {std::string(26, 'z'), std::string("plain"), std::string(80, 'a'),
                                   std::string(80, 'b'), std::string(80, 'c'), std::string(80, 'd'),
                                   std::string(80, 'e'), last}) {
        const bool named = key != "plain";
        frame.Child(named ? "Desk" : nullptr, named ? key.c_str() : nullptr);
        list += !named ? "" : (list.empty() ? "" : ",") + key;
    }
    EXPECT_EQ(0, IniSaveDesktop(frame.client, 4, "Desk", "List", 0)); // neither mode
    EXPECT_EQ(0, IniSaveDesktop(frame.client, INI_DESKTOP_MDI, nullptr, "List", 0));
    EXPECT_EQ("<absent>", ReadIniValue("Desk", "left out"));
    const HWND active = GetWindow(frame.client, GW_CHILD);
    SendMessageA(frame.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active), 0);
    ShowWindow(frame.frame, SW_MINIMIZE);
    EXPECT_EQ(1, IniSaveDesktop(frame.client, INI_DESKTOP_MDI, "Desk", "List", 0));
    EXPECT_EQ(list, ReadIniValue("Desk", "List"));
    EXPECT_EQ("TRUE,SW_SHOWMAXIMIZED,", ReadIniValue("Desk", last.c_str()).substr(0, 22));
    EXPECT_EQ("TRUE,SW_SHOWNORMAL,", ReadIniValue("Desk", "left out").substr(0, 19));
    EXPECT_EQ(std::string::npos, krtest::ReadTextFile(krtest::IniFilePath()).find("[]"));
    EXPECT_FALSE(IsZoomed(active) || IsIconic(frame.frame) || IsWindowVisible(frame.frame));
}

TEST(IniSaveDesktop, SingleModeSavesTheGivenWindowAlone)
{
    const HWND window = CreateTopLevel(40, 50, 300, 200);
    SetPropA(window, "IniParagraph", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(AddAtomA("Single"))));
    SetPropA(window, "IniLine", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(AddAtomA("Main"))));
    ShowWindow(window, SW_SHOWMAXIMIZED);
    EXPECT_EQ(1, IniSaveDesktop(window, INI_DESKTOP_SINGLE, "Single", "List", 0));
    EXPECT_EQ("TRUE,SW_SHOWMAXIMIZED,40,50,340,250", ReadIniValue("Single", "Main")); // normal, in screen coordinates
    EXPECT_EQ("<absent>", ReadIniValue("Single", "List"));
    DestroyWindow(window);
}

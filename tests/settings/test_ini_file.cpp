// The working directory and KESTRUNE.INI, read back from the real file.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "krsettings.h"
#include "support/work_dir.h"

using krtest::IniFilePath;
using krtest::ReadIniValue;
using krtest::WorkDir;

namespace {

std::string WorkingDir()
{
    char dir[MAX_PATH];
    EXPECT_EQ(1, GetKestruneWorkingDir(dir));
    return dir;
}

// Reads through GetIniString into a buffer of `size` bytes followed by canaries.
std::string IniString(const char *section, const char *key, const char *def, short size = 256)
{
    char out[600];
    memset(out, '#', sizeof out);
    const int count = GetIniString(section, key, def, out, size);
    EXPECT_EQ('#', out[size]) << "written past " << size << " bytes";
    EXPECT_EQ(static_cast<int>(strlen(out)), count);
    return out;
}

} // namespace

TEST(WorkingDir, RecordedOnceAndMovedOnlyWhenAskedTo)
{
    EXPECT_EQ(WorkDir(), WorkingDir());
    EXPECT_EQ(1, GetKestruneWorkingDir(nullptr));
    EXPECT_EQ(1, InitIni(0)); // fixes the INI path, if no earlier call did
    const std::string sub = krtest::WorkPath("sub");
    CreateDirectoryA(sub.c_str(), nullptr);
    SetCurrentDirectoryA(sub.c_str());
    EXPECT_EQ(WorkDir(), WorkingDir());
    SetKestruneWorkingDir();
    EXPECT_EQ(sub, WorkingDir());

    // The INI path stays where the first call that needed it put it.
    EXPECT_EQ(1, InitIni(0));
    char value[] = "here";
    EXPECT_NE(0, SetIniString("Path", "Probe", value, 0));
    EXPECT_EQ("here", ReadIniValue("Path", "Probe"));
    EXPECT_FALSE(krtest::FileExists(sub + "\\KESTRUNE.INI"));

    SetCurrentDirectoryA(WorkDir().c_str());
    SetKestruneWorkingDir();
    EXPECT_EQ(1, FreeIni(1, 2));
    EXPECT_EQ(0, IsIniLoaded());
}

TEST(IniString, WritesAndReadsTheFile)
{
    char value[] = "TRUE,SW_SHOWNORMAL";
    EXPECT_NE(0, SetIniString("Read Write", "Key One", value, 0));
    EXPECT_NE(std::string::npos, krtest::ReadTextFile(IniFilePath()).find("[Read Write]\r\nKey One=TRUE,SW_SHOWNORMAL"));
    EXPECT_EQ("TRUE,SW_SHOWNORMAL", IniString("Read Write", "Key One", "default"));
    EXPECT_EQ("fallback", IniString("Nowhere", "Nothing", "fallback"));
    EXPECT_EQ("", IniString("Nowhere", "Nothing", nullptr));
    EXPECT_EQ("TRUE", IniString("Read Write", "Key One", nullptr, 5));
    EXPECT_EQ("lon", IniString("Nowhere", "Nothing", "longer default", 4));
    EXPECT_EQ("", IniString("Read Write", "Key One", "x", 1));
    char out[4] = "###"; // unusable buffers read nothing
    EXPECT_EQ(0, GetIniString("Cut", "Long", "x", out, 0));
    EXPECT_EQ(0, GetIniString("Cut", "Long", "x", out, -5));
    EXPECT_EQ(0, GetIniString("Cut", "Long", "x", nullptr, 4));
    EXPECT_STREQ("###", out);
}

TEST(IniString, NamesMustBePlainPrintableText)
{
    char value[] = "v";
    const std::string before = krtest::ReadTextFile(IniFilePath());
    for (const char *key : {"tab\there", "line\nbreak", "\x80", "\x1F"})
        EXPECT_EQ(0, SetIniString("Names", key, value, 0)) << key;
    EXPECT_EQ(0, SetIniString("Caf\xE9", "key", value, 0));
    EXPECT_EQ(before, krtest::ReadTextFile(IniFilePath()));

    EXPECT_NE(0, SetIniString("Names", "all ~ printable \x7F", value, 0));
    EXPECT_EQ(WritePrivateProfileStringA("Names", "", "v", IniFilePath().c_str()),
              SetIniString("Names", "", value, 0));
}

TEST(IniString, ValuesAreCutTo512CharactersInTheCallersBuffer)
{
    std::string longValue(600, 'x');
    longValue[511] = 'y';
    EXPECT_NE(0, SetIniString("Long", "Value", &longValue[0], 0));
    EXPECT_EQ(std::string(511, 'x') + "y", ReadIniValue("Long", "Value"));
    EXPECT_EQ('\0', longValue[512]);
    std::string exact(512, 'z');
    EXPECT_NE(0, SetIniString("Long", "Exact", &exact[0], 0));
    EXPECT_EQ(exact, ReadIniValue("Long", "Exact"));
}

TEST(IniString, NullNamesListAndNullValuesRemove)
{
    char a[] = "1", b[] = "2";
    SetIniString("Listed", "First", a, 0);
    SetIniString("Listed", "Second", b, 0);
    char out[256];
    const int count = GetIniString("Listed", nullptr, nullptr, out, sizeof out);
    EXPECT_EQ(std::string("First\0Second\0\0", 14), std::string(out, count + 1));
    GetIniString(nullptr, nullptr, nullptr, out, sizeof out);
    bool found = false;
    for (const char *p = out; *p; p += strlen(p) + 1)
        found = found || strcmp(p, "Listed") == 0;
    EXPECT_TRUE(found);

    EXPECT_NE(0, SetIniString("Listed", "First", nullptr, 0));
    EXPECT_EQ("<absent>", ReadIniValue("Listed", "First"));
    EXPECT_EQ("2", ReadIniValue("Listed", "Second"));
    EXPECT_NE(0, SetIniString("Listed", nullptr, nullptr, 0));
    EXPECT_EQ(std::string::npos, krtest::ReadTextFile(IniFilePath()).find("[Listed]"));
}

TEST(IsGCMD, ReadsTheFlagOnceForTheLifeOfTheProcess)
{
    WritePrivateProfileStringA("Acquisition", "IsGCMD", "TRUE", IniFilePath().c_str());
    EXPECT_EQ(1, IsGCMD());
    WritePrivateProfileStringA("Acquisition", "IsGCMD", "FALSE", IniFilePath().c_str());
    EXPECT_EQ(1, IsGCMD());
}

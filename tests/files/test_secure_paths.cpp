// The two path functions that reach the disk, on real directories, with
// the secure file access library's configuration written for each case.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "krutil.h"
#include "support/work_dir.h"

using krtest::WorkPath;

namespace {

class SecurePaths : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryA(WorkPath("allowed").c_str(), nullptr);
        CreateDirectoryA(WorkPath("private").c_str(), nullptr);
        krtest::WriteTextFile(WorkPath("plain.txt"), "x");
    }
    void TearDown() override { DeleteFileA(WorkPath("KRSECURE.INI").c_str()); }

    static void Secure(const std::string &extra = "")
    {
        krtest::WriteTextFile(WorkPath("KRSECURE.INI"), "[Security]\r\nUser=anna\r\nSecureFiles=1\r\nDataLocations=" +
                                                            WorkPath("allowed") + "\r\n" + extra);
    }
};

} // namespace

TEST_F(SecurePaths, DirectoryExistsOnlyForDirectoriesTheUserMayReach)
{
    for (const char *path : {"allowed", "allowed\\", "private"})
        EXPECT_EQ(1, DirectoryExists(WorkPath(path).c_str())) << path;
    for (const char *path : {"plain.txt", "missing"})
        EXPECT_EQ(0, DirectoryExists(WorkPath(path).c_str())) << path;
    EXPECT_EQ(0, DirectoryExists(""));
    EXPECT_EQ(0, DirectoryExists(nullptr));

    Secure();
    EXPECT_EQ(1, DirectoryExists(WorkPath("allowed").c_str()));
    EXPECT_EQ(0, DirectoryExists(WorkPath("private").c_str())) << "outside the user's locations";
}

TEST_F(SecurePaths, CurrentSampleFileLiesInTheSuitesTemporaryDirectory)
{
    const std::string temp = WorkPath("allowed\\temp");
    Secure("TempDir=" + temp + "\r\n");
    char out[MAX_PATH];
    ASSERT_EQ(out, GetCurSampTxtName(out, sizeof out));
    EXPECT_EQ(temp + "\\KRCurSmp.txt", out);
    EXPECT_EQ(1, DirectoryExists(temp.c_str())) << "made on demand";

    char small[8];
    memset(small, '#', sizeof small);
    ASSERT_EQ(small, GetCurSampTxtName(small, 5));
    EXPECT_EQ(temp.substr(0, 4) + '\0' + '#', std::string(small, 6)) << "cut to the buffer, terminated";
    EXPECT_EQ(nullptr, GetCurSampTxtName(small, 0));
    EXPECT_EQ(nullptr, GetCurSampTxtName(nullptr, 8));

    // A directory so long that the file's path would not fit: no name, and
    // the buffer as it was.
    const std::string workDir = krtest::WorkDir() + "\\";
    Secure("TempDir=" + workDir + std::string(249 - workDir.size(), 't') + "\r\n");
    memset(out, '#', sizeof out);
    EXPECT_EQ(nullptr, GetCurSampTxtName(out, sizeof out));
    EXPECT_EQ('#', out[0]);
}

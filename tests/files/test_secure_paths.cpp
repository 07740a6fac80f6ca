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

// Security on for user anna, who may keep data only under "allowed".
void Secure(const std::string &extra)
{
    krtest::WriteTextFile(WorkPath("KRSECURE.INI"), "[Security]\r\nUser=anna\r\nSecureFiles=1\r\nDataLocations=" +
                                                        WorkPath("allowed") + "\r\n" + extra);
}

} // namespace

TEST(SecurePaths, DirectoryExistsOnlyForDirectoriesTheUserMayReach)
{
    CreateDirectoryA(WorkPath("allowed").c_str(), nullptr);
    CreateDirectoryA(WorkPath("private").c_str(), nullptr);
    krtest::WriteTextFile(WorkPath("plain.txt"), "x");
    const struct { const char *path; int open, secure; } cases[] = {
        {"allowed", 1, 1}, {"allowed\\", 1, 1}, {"private", 1, 0}, {"plain.txt", 0, 0}, {"missing", 0, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(c.open, DirectoryExists(WorkPath(c.path).c_str())) << c.path;
    EXPECT_EQ(0, DirectoryExists(""));
    EXPECT_EQ(0, DirectoryExists(nullptr));
    Secure("");
    for (const auto &c : cases)
        EXPECT_EQ(c.secure, DirectoryExists(WorkPath(c.path).c_str())) << c.path << " with security on";

    // The current-sample file lies in the suite's temporary directory, made on demand.
    const std::string temp = WorkPath("allowed\\temp");
    Secure("TempDir=" + temp + "\r\n");
    char out[MAX_PATH];
    ASSERT_EQ(out, GetCurSampTxtName(out, sizeof out));
    EXPECT_EQ(temp + "\\KRCurSmp.txt", out);
    EXPECT_EQ(1, DirectoryExists(temp.c_str()));
    memset(out, '#', sizeof out);
    ASSERT_EQ(out, GetCurSampTxtName(out, 5));
    EXPECT_EQ(temp.substr(0, 4) + '\0' + '#', std::string(out, 6)) << "cut to the buffer, terminated";
    EXPECT_EQ(nullptr, GetCurSampTxtName(out, 0));
    EXPECT_EQ(nullptr, GetCurSampTxtName(nullptr, 8));
    // A directory so long that the file's path would not fit: no name, and the buffer as it was.
    const std::string workDir = krtest::WorkDir() + "\\";
    Secure("TempDir=" + workDir + std::string(249 - workDir.size(), 't') + "\r\n");
    memset(out, '#', sizeof out);
    EXPECT_EQ(nullptr, GetCurSampTxtName(out, sizeof out));
    EXPECT_EQ('#', out[0]);
    DeleteFileA(WorkPath("KRSECURE.INI").c_str());
}

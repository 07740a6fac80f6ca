// Locations, rights and the file-system gate as the configuration file
// sets them, through custorix.dll.
#include <gtest/gtest.h>

#include <errno.h>
#include <sys/stat.h>

#include <string>

#include "custorix.h"
#include "standins/custorix_config.h"

using namespace krtest;

namespace {

const DWORD kDenied = ERROR_ACCESS_DENIED;

class AccessControl : public testing::Test {
protected:
    void SetUp() override
    {
        data_ = MadeDir("data");
        database_ = MadeDir("database");
        templates_ = MadeDir("templates");
    }
    void TearDown() override { RemoveSecurityConfig(); }

    // Secure files (or the light form) with data and template locations.
    void Configure(const char *mode)
    {
        WriteSecurityConfig(std::string(mode) + "=1\r\nDataLocations=" + data_ + ";" + WorkPath("runs") +
                            "\r\nTemplateLocations=" + templates_ + "\\\r\nRights=4005, 4010\r\n");
    }

    std::string data_, database_, templates_;
};

struct LocationCase {
    const char *directory; // below the working directory
    BOOL data;
    BOOL templates;
};

const LocationCase kLocations[] = {
    {"data\\", TRUE, FALSE},
    {"data", TRUE, FALSE},            // the backslash is assumed
    {"DATA\\Run1.raw\\", TRUE, FALSE}, // case does not matter
    {"runs\\a\\b\\", TRUE, FALSE},     // need not exist
    {"database\\", FALSE, FALSE},      // a longer name is another place
    {"dat\\", FALSE, FALSE},
    {"data\\..\\database\\", FALSE, FALSE},
    {"data/../templates/x/", FALSE, TRUE},
    {"templates\\", FALSE, TRUE},
    {"", FALSE, FALSE}, // the working directory itself, above them all
};

TEST_F(AccessControl, LocationsAreCheckedWithSecureFilesAndWithTheLightForm)
{
    for (const char *mode : {"SecureFiles", "SecurityLight"}) {
        Configure(mode);
        for (const LocationCase &c : kLocations) {
            const std::string directory = WorkPath(c.directory);
            EXPECT_EQ(c.data, CFileAccess::CheckFilename(directory.c_str())) << mode << " " << c.directory;
            EXPECT_EQ(c.templates, CFileAccess::CheckTemplateFilename(directory.c_str())) << mode << " " << c.directory;
        }
    }
    EXPECT_FALSE(CFileAccess::CheckFilename(nullptr));
    EXPECT_FALSE(CFileAccess::CheckFilename(""));
}

TEST_F(AccessControl, WithoutSecurityEverythingIsAllowedAndEveryRightHeld)
{
    WriteSecurityConfig("SecureFiles=0\r\nDataLocations=" + data_ + "\r\nRights=4005\r\n");
    EXPECT_TRUE(CFileAccess::CheckFilename(database_.c_str()));
    EXPECT_TRUE(SecurityEnquire(nullptr, 4006, 0));
    RemoveSecurityConfig();
    EXPECT_FALSE(CFileAccess::UsesSecureFiles() || CFileAccess::UsesSecurityLight());
    EXPECT_TRUE(CFileAccess::CheckTemplateFilename("C:\\anywhere\\"));
    EXPECT_TRUE(SecurityEnquire(nullptr, CUSTORIX_RIGHT_DELETE_RAW, 0));
}

TEST_F(AccessControl, RightsAndSigningFollowEachChangeOfTheFile)
{
    Configure("SecurityLight");
    EXPECT_TRUE(SecurityEnquire(nullptr, 4005, 0));
    EXPECT_TRUE(SecurityEnquire(nullptr, 4010, 0));
    EXPECT_FALSE(SecurityEnquire(nullptr, 4006, 0));
    EXPECT_FALSE(SecurityEnquire(nullptr, 0, 0));
    WriteSecurityConfig("SecurityLight=1\r\nRights=4010\r\n");
    EXPECT_FALSE(SecurityEnquire(nullptr, 4005, 0));

    // (settings, offered, required); no file offers nothing.
    const struct {
        const char *settings;
        int offered, required;
    } signing[] = {{nullptr, 0, 0}, {"Signing=0\r\n", 0, 0}, {"Signing=1\r\n", 1, 0}, {"SigningRequired=1\r\n", 1, 1}};
    for (const auto &c : signing) {
        RemoveSecurityConfig();
        if (c.settings)
            WriteSecurityConfig(c.settings);
        int offered = -1, required = -1;
        EXPECT_TRUE(CFileAccess::SigSettings(15007, &offered, &required));
        EXPECT_EQ(c.offered, offered) << (c.settings ? c.settings : "no file");
        EXPECT_EQ(c.required, required) << (c.settings ? c.settings : "no file");
    }
    EXPECT_TRUE(CFileAccess::SigSettings(15007, nullptr, nullptr));
}

TEST_F(AccessControl, TheGateReachesTheDiskOnlyInsideTheLocations)
{
    Configure("SecureFiles");
    EXPECT_TRUE(CreatedThroughGate(data_ + "\\new.txt"));
    EXPECT_TRUE(FileExists(data_ + "\\new.txt"));
    SetLastError(0);
    EXPECT_FALSE(CreatedThroughGate(database_ + "\\new.txt"));
    EXPECT_EQ(kDenied, GetLastError());
    EXPECT_FALSE(FileExists(database_ + "\\new.txt"));

    EXPECT_EQ(0, _mkdirS((data_ + "\\sub").c_str()));
    EXPECT_TRUE(FileExists(data_ + "\\sub"));
    errno = 0;
    EXPECT_EQ(-1, _mkdirS((data_ + "\\..\\database\\sub").c_str()));
    EXPECT_EQ(EACCES, errno);
    EXPECT_FALSE(FileExists(database_ + "\\sub"));

    // The suite's temporary directory stays reachable.
    char temp[MAX_PATH];
    ASSERT_TRUE(CFileAccess::GetGlobalTempPathSA(sizeof temp, temp));
    EXPECT_TRUE(CreatedThroughGate(std::string(temp) + "KRCurSmp.txt"));
}

TEST_F(AccessControl, SearchesListOnlyAllowedDirectories)
{
    WriteTextFile(data_ + "\\a.lst", "a");
    WriteTextFile(database_ + "\\b.txt", "b");
    Configure("SecureFiles");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileSA((data_ + "\\*.lst").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_STREQ("a.lst", found.cFileName);
    EXPECT_FALSE(CFileAccess::FindNextFileSA(search, &found));
    EXPECT_TRUE(CFileAccess::FindCloseS(search));

    for (const std::string &pattern : {database_ + "\\*.txt", data_ + "\\..\\database\\*", WorkPath("*")}) {
        SetLastError(0);
        EXPECT_EQ(INVALID_HANDLE_VALUE, CFileAccess::FindFirstFileSA(pattern.c_str(), &found)) << pattern;
        EXPECT_EQ(kDenied, GetLastError()) << pattern;
    }
    RemoveSecurityConfig();
    search = FindFirstFileSA((database_ + "\\*.txt").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_STREQ("b.txt", found.cFileName);
    FindCloseS(search);
}

TEST_F(AccessControl, FileStatusMatchesTheRuntimeAndKeepsItsLayout)
{
    const std::string file = data_ + "\\five.txt";
    WriteTextFile(file, "12345");
    struct _stat reference;
    ASSERT_EQ(0, _stat(file.c_str(), &reference));

    CFileStatus status{};
    ASSERT_TRUE(CFileS::GetStatus(file.c_str(), status));
    EXPECT_EQ(5, status.m_size);
    EXPECT_EQ(static_cast<LONG>(reference.st_mtime), status.m_mtime);
    EXPECT_EQ(0, status.m_attribute & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_STREQ(file.c_str(), status.m_szFullName);
    ASSERT_TRUE(CFileS::GetStatus((data_ + "\\").c_str(), status));
    EXPECT_TRUE(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(CFileS::GetStatus((data_ + "\\absent").c_str(), status));

    Configure("SecureFiles");
    EXPECT_TRUE(CFileS::GetStatus(data_.c_str(), status));
    CFileStatus untouched{};
    EXPECT_FALSE(CFileS::GetStatus(database_.c_str(), untouched));
    EXPECT_EQ(kDenied, GetLastError());
    EXPECT_EQ(0, untouched.m_attribute);
}

TEST(CustorixPaths, SecureFilenameIsTheFullPath)
{
    char out[MAX_PATH];
    ASSERT_TRUE(GetSecureFilenameA("x.raw", out));
    EXPECT_EQ(WorkPath("x.raw"), out);
    ASSERT_TRUE(GetSecureFilenameA("C:\\a\\..\\b/c", out));
    EXPECT_STREQ("C:\\b\\c", out);
    EXPECT_FALSE(GetSecureFilenameA(nullptr, out));
    EXPECT_STREQ("", out);
    EXPECT_FALSE(GetSecureFilenameA(("C:\\" + std::string(300, 'a')).c_str(), out));
    EXPECT_STREQ("", out);
}

} // namespace

// How the configuration file is read: its accepted forms, the safe reading
// of a garbled file, and the temporary directory.
#include <gtest/gtest.h>

#include <string>

#include "custorix.h"
#include "standins/custorix_config.h"

using namespace krtest;

namespace {

class SecurityConfig : public testing::Test {
protected:
    void SetUp() override { data_ = MadeDir("data"); }
    void TearDown() override { RemoveSecurityConfig(); }

    // Everything open, as the settings before the garbled line would say.
    std::string OpenSettings() const
    {
        return "SecureFiles=0\r\nSigning=1\r\nRights=4005\r\nDataLocations=" + data_ + "\r\n";
    }

    // The safe reading: secure files on, nothing allowed, nothing held.
    void ExpectSafeReading(const std::string &what)
    {
        EXPECT_TRUE(CFileAccess::UsesSecureFiles()) << what;
        EXPECT_FALSE(CFileAccess::UsesSecurityLight()) << what;
        EXPECT_FALSE(CFileAccess::CheckFilename(data_.c_str())) << what;
        EXPECT_FALSE(SecurityEnquire(nullptr, 4005, 0)) << what;
        int offered = -1, required = -1;
        CFileAccess::SigSettings(15007, &offered, &required);
        EXPECT_EQ(0, offered) << what;
        EXPECT_FALSE(CreatedThroughGate(data_ + "\\x")) << what;
    }

    std::string data_;
};

TEST_F(SecurityConfig, GarbledFilesAreReadTheSafeWay)
{
    const std::string garbled[] = {
        "SecureFiles=2\r\n",
        "SecureFile=0\r\n",             // unknown key
        "SecureFiles=0\r\n",            // repeated
        "just words\r\n",
        "[Other]\r\nX=1\r\n",
        "DataLocations=data\r\n",       // not absolute
        "DataLocations=C:\\da*ta\r\n",
        "TemplateLocations=C:\\t;\\\\\r\n",
        "Rights=4005,abc\r\n",
        "Rights=-1\r\n",
        "Rights=4294967296\r\n",
        "TempDir=tmp\r\n",
        "AuditLog=C:\\logs\\\r\n",
        "User=" + std::string(64, 'u') + "\r\n",
        std::string("User=a\0b\r\n", 10),
        "; " + std::string(4100, 'c') + "\r\n", // a line too long
        std::string(70000, '\n'),              // a file too large (blank lines)
    };
    for (const std::string &line : garbled) {
        WriteSecurityConfig(OpenSettings() + line);
        ExpectSafeReading(line.substr(0, 40));
    }
    WriteTextFile(ConfigPath(), OpenSettings()); // settings before any section
    ExpectSafeReading("no section");
    RemoveSecurityConfig();
    CreateDirectoryA(ConfigPath().c_str(), nullptr);
    ExpectSafeReading("a directory");
}

TEST_F(SecurityConfig, CommentsBlanksCaseAndEmptyEntriesAreAccepted)
{
    WriteTextFile(ConfigPath(), "\xEF\xBB\xBF; written by hand\n\n[security]\n  securitylight = 1  \n# note\n"
                                "RIGHTS=, 4005 ,,7\nuser=\nDataLocations=;" + data_ + "; ;\nTempDir=\nAuditLog=\n");
    EXPECT_TRUE(CFileAccess::UsesSecurityLight());
    EXPECT_FALSE(CFileAccess::UsesSecureFiles());
    EXPECT_TRUE(SecurityEnquire(nullptr, 4005, 0));
    EXPECT_TRUE(SecurityEnquire(nullptr, 7, 0));
    EXPECT_TRUE(CFileAccess::CheckFilename(data_.c_str()));
    EXPECT_FALSE(CFileAccess::CheckFilename(WorkPath("other").c_str()));
    // An empty file: the section alone, every setting at its default.
    WriteSecurityConfig("");
    EXPECT_FALSE(CFileAccess::UsesSecureFiles());
    EXPECT_TRUE(CFileAccess::CheckFilename(WorkPath("other").c_str()));
}

TEST_F(SecurityConfig, TheTemporaryDirectoryIsMadeOnDemand)
{
    char temp[MAX_PATH], system[MAX_PATH];
    GetTempPathA(sizeof system, system);
    ASSERT_TRUE(CFileAccess::GetGlobalTempPathSA(sizeof temp, temp));
    EXPECT_EQ(std::string(system) + "Kestrune\\", temp);
    EXPECT_TRUE(GetFileAttributesA(temp) & FILE_ATTRIBUTE_DIRECTORY);

    const std::string nested = WorkPath("tmp\\a\\b\\");
    WriteSecurityConfig("TempDir=" + WorkPath("tmp/a/b") + "\r\n");
    ASSERT_TRUE(CFileAccess::GetGlobalTempPathSA(sizeof temp, temp));
    EXPECT_EQ(nested, temp);
    EXPECT_TRUE(FileExists(nested));

    // Exactly the room it needs, and one byte less.
    EXPECT_TRUE(CFileAccess::GetGlobalTempPathSA(static_cast<DWORD>(nested.size() + 1), temp));
    char small[MAX_PATH] = "untouched";
    EXPECT_FALSE(CFileAccess::GetGlobalTempPathSA(static_cast<DWORD>(nested.size()), small));
    EXPECT_STREQ("", small);

    WriteTextFile(WorkPath("plain.txt"), "x");
    WriteSecurityConfig("TempDir=" + WorkPath("plain.txt\\sub") + "\r\n");
    EXPECT_FALSE(CFileAccess::GetGlobalTempPathSA(sizeof temp, temp));
    EXPECT_STREQ("", temp);
}

} // namespace

// The secure file access stand-in through its DLL: how it reads its
// configuration file, the locations, rights and file-system gate that the
// file sets, and its audit lines, with a second process writing at once.
#include <gtest/gtest.h>

#include <errno.h>
#include <process.h>
#include <stdio.h>
#include <sys/stat.h>

#include <regex>
#include <sstream>
#include <string>

#include "custorix.h"
#include "support/box_answerer.h"
#include "support/dialog_driver.h"
#include "support/work_dir.h"

using namespace krtest;

namespace {

const char kConfig[] = "KRSECURE.INI"; // in the working directory

// A log's text with each line's time stamp, which must have the form of
// one, replaced by "T".
std::string Untimed(const std::string &log)
{
    return std::regex_replace(ReadTextFile(log), std::regex(R"(20\d\d-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z\t)"), "T\t");
}

class Custorix : public testing::Test {
protected:
    void TearDown() override { DeleteFileA(kConfig); }

    static void Configure(const std::string &settings) { WriteTextFile(kConfig, "[Security]\r\n" + settings); }

    const std::string data_ = WorkPath("data"), templates_ = WorkPath("templates"), database_ = WorkPath("database");
};

} // namespace

// Each text is a whole file. A garbled one is read the safe way: secure
// files on, no location, no right, no signing.
TEST_F(Custorix, GarbledConfigurationsAreReadTheSafeWay)
{
    const std::string head = "[Security]\r\nSecurityLight=1\r\nSigning=1\r\nDataLocations=" + data_ + "\r\n";
    const char *safe = "secure", *open = " light data signing";
    const struct {
        std::string text;
        const char *reading;
    } rows[] = {
        {"\xEF\xBB\xBF; by hand\n\n[security]\n securitylight = 1 \n# note\nSIGNING=1\ndatalocations=;" + data_ + "; ;",
         open},
        {"[Security]\r\nSecureFiles=0\r\nSigningRequired=1", " data signing required 4005"}, // offered too
        {head + "SecureFiles=2", safe},
        {head + "securitylight=1", safe}, // repeated
        {head + "SecureFile=0", safe},
        {head + "SecureFiles", safe}, // no "="
        {head + "[Other]\r\nX=1", safe},
        {"Signing=1\r\n" + head, safe}, // outside the section
        {head + "TemplateLocations=C:templates", safe},
        {head + "TemplateLocations=C:\\da*ta", safe},
        {head + "TemplateLocations=;C:\\t; ;\\\\server\\share", open},
        {head + "Rights=4005,abc", safe},
        {head + "Rights=0", safe},
        {head + "Rights=4294967296", safe},
        {head + "Rights=, 4294967295 ,4005,7", " light data signing 4005"},
        {head + "TempDir=tmp", safe},
        {head + "AuditLog=C:\\logs\\", safe},
        {head + "TempDir=\r\nAuditLog=\r\nUser=" + std::string(63, 'u'), open},
        {head + "User=" + std::string(64, 'u'), safe},
        {head + std::string("User=a\0b", 8), safe},
        {head + "; " + std::string(4100, 'c'), safe},          // a line too long
        {head + std::string(65536 - head.size(), '\n'), open}, // 64 KiB exactly
        {head + std::string(65537 - head.size(), '\n'), safe},
    };
    const auto reading = [&] {
        int offered = -1, required = -1;
        CFileAccess::SigSettings(15007, &offered, &required);
        return std::string(CFileAccess::UsesSecureFiles() ? "secure" : "") +
               (CFileAccess::UsesSecurityLight() ? " light" : "") +
               (CFileAccess::CheckFilename(data_.c_str()) ? " data" : "") + (offered ? " signing" : "") +
               (required ? " required" : "") + (SecurityEnquire(nullptr, 4005, 0) ? " 4005" : "");
    };
    for (const auto &row : rows) {
        WriteTextFile(kConfig, row.text);
        EXPECT_EQ(row.reading, reading()) << row.text.substr(0, 80) << " (" << row.text.size() << " bytes)";
    }
    DeleteFileA(kConfig);
    CreateDirectoryA(kConfig, nullptr);
    EXPECT_EQ(safe, reading());
    RemoveDirectoryA(kConfig);
}

// Locations and rights are checked with secure files and with the light
// form; only secure files keep the calls behind the gate to the data and
// template locations and the suite's temporary directory, made on demand.
TEST_F(Custorix, LocationsRightsTheTemporaryDirectoryAndTheGateAsTheFileSetsThem)
{
    const struct {
        const char *directory; // below the working directory
        BOOL data, templates;
    } locations[] = {
        {"data", TRUE, FALSE}, // the backslash is assumed
        {"DATA\\Run1.raw\\", TRUE, FALSE},
        {"runs\\a\\b\\", TRUE, FALSE}, // need not exist
        {"database\\", FALSE, FALSE},
        {"data/../templates/x/", FALSE, TRUE},
        {"", FALSE, FALSE}, // above them all
    };
    char temp[MAX_PATH], system[MAX_PATH];
    GetTempPathA(sizeof system, system);
    EXPECT_TRUE(CFileAccess::GetGlobalTempPathSA(sizeof temp, temp) && std::string(system) + "Kestrune\\" == temp);
    for (const bool light : {false, true}) {
        SCOPED_TRACE(light ? "light" : "secure files");
        Configure(std::string(light ? "SecurityLight" : "SecureFiles") + "=1\r\nDataLocations=" + data_ + ";" +
                  WorkPath("runs") + "\r\nTemplateLocations=" + templates_ + "\\\r\n");
        for (const auto &row : locations) {
            const std::string directory = WorkPath(row.directory);
            EXPECT_EQ(row.data, CFileAccess::CheckFilename(directory.c_str())) << row.directory;
            EXPECT_EQ(row.templates, CFileAccess::CheckTemplateFilename(directory.c_str())) << row.directory;
        }
        EXPECT_FALSE(CFileAccess::CheckTemplateFilename(nullptr) || CFileAccess::CheckFilename("") || !_mkdirS(""));
        for (const std::string &dir : {data_, templates_, temp + std::string("gate"), database_, WorkDir()}) {
            SCOPED_TRACE(dir);
            const bool reached = light || (dir != database_ && dir != WorkDir());
            const std::string file = dir + "\\gate.txt";
            CreateDirectoryA(dir.c_str(), nullptr);
            WriteTextFile(file, "12345");
            RemoveDirectoryA((dir + "\\sub").c_str());
            const HANDLE handle = CreateFileS(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            EXPECT_EQ(reached ? 0u : ERROR_ACCESS_DENIED, // or closed through the library
                      handle == INVALID_HANDLE_VALUE ? GetLastError() : !CloseHandleS(handle));
            EXPECT_EQ(reached ? 0 : EACCES, _mkdirS((dir + "\\sub").c_str()) ? errno : 0);
            WIN32_FIND_DATAA found;
            const HANDLE search = CFileAccess::FindFirstFileSA((dir + "\\gate.t?t").c_str(), &found);
            EXPECT_EQ(reached ? "gate.txt" : "", search == INVALID_HANDLE_VALUE ? "" : std::string(found.cFileName));
            EXPECT_TRUE(search == INVALID_HANDLE_VALUE ||
                        (!CFileAccess::FindNextFileSA(search, &found) && CFileAccess::FindCloseS(search)));
            struct _stat reference {};
            CFileStatus status{};
            char full[MAX_PATH];
            EXPECT_EQ(reached, CFileS::GetStatus(file.c_str(), status) && !_stat(file.c_str(), &reference));
            EXPECT_EQ(reached ? reference.st_mtime : 0, status.m_mtime); // untouched when refused
            EXPECT_EQ(reached ? 5 : 0, status.m_size);
            EXPECT_STREQ(reached ? _fullpath(full, file.c_str(), sizeof full) : "", status.m_szFullName);
        }
    }
    const std::string nested = WorkPath("tmp\\a\\b\\");
    const DWORD room = static_cast<DWORD>(nested.size() + 1);
    Configure("TempDir=" + WorkPath("tmp/a/b"));
    EXPECT_FALSE(CFileAccess::GetGlobalTempPathSA(room - 1, temp) || temp[0] || FileExists(nested));
    EXPECT_TRUE(CFileAccess::GetGlobalTempPathSA(room, temp) && nested == temp && FileExists(nested));
    Configure("TempDir=" + WorkPath("KRSECURE.INI\\sub")); // below a file: cannot be made
    EXPECT_FALSE(CFileAccess::GetGlobalTempPathSA(sizeof temp, temp) || temp[0]);
    char out[MAX_PATH];
    EXPECT_TRUE(GetSecureFilenameA("C:\\a\\..\\b/c", out) && std::string(out) == "C:\\b\\c");
    EXPECT_FALSE(GetSecureFilenameA(("C:\\" + std::string(300, 'a')).c_str(), out) || out[0]);
    EXPECT_TRUE(!GetSecureFilenameA(nullptr, out) && CFileAccess::SigSettings(15007, nullptr, nullptr));
}

// Audit lines in the default log, the configured one and a raw file's own;
// logs that cannot be written give zero and stay as they were.
TEST_F(Custorix, AuditLinesAreTimestampedTabSeparatedAndCutRawFilesKeepTheirOwn)
{
    char user[256];
    DWORD size = sizeof user;
    ASSERT_TRUE(GetUserNameA(user, &size));
    ASSERT_TRUE(CFileAccess::LogEventSecurityA(13022, 6, "D:\\x\\", nullptr, 0)); // no file: the defaults
    EXPECT_EQ("T\t" + std::string(user) + "\t13022\t6\tD:\\x\\\r\n", Untimed(WorkPath("KRAUDIT.LOG")));

    const std::string log = WorkPath("audit.log");
    Configure("User=anna\r\nAuditLog=" + log);
    ASSERT_TRUE(CFileAccess::LogEventSecurityA(CUSTORIX_EVENT_ACCESS_REFUSED, CUSTORIX_OUTCOME_REFUSED, "C:\\private\\",
                                               nullptr, 0));
    ASSERT_TRUE(CFileAccess::LogEventSecurityA(1, 2, "a\tb\r\nc", "why\tnot", 0));
    ASSERT_TRUE(CFileAccess::LogEventSecurityA(3, 4, std::string(2000, 'x').c_str(), "cut", 0));
    EXPECT_EQ("T\tanna\t13022\t6\tC:\\private\\\r\nT\tanna\t1\t2\ta b  c - why not\r\nT\tanna\t3\t4\t" +
                  std::string(1024, 'x') + "\r\n",
              Untimed(log));

    const std::string longRaw = "E:\\" + std::string(240, 'r') + ".raw"; // its log would not fit
    const char *rows[][2] = {{"E:\\d\\x\\..\\run.RAW\\", "E:\\d\\run.RAW\\_history_audit.log"},
                             {"E:\\d\\run.txt", ""}, {nullptr, ""}, {longRaw.c_str(), ""}};
    for (const auto &row : rows) {
        char out[MAX_PATH] = "untouched";
        EXPECT_EQ(row[1][0] != '\0', GetLogVeskFilenameA(row[0], out) != 0) << row[1];
        EXPECT_STREQ(row[1], out);
    }
    char out[MAX_PATH];
    CreateDirectoryA(WorkPath("run.raw").c_str(), nullptr);
    ASSERT_TRUE(GetLogVeskFilenameA("run.raw", out) && CFileAccess::LogEventAuditA(out, 8, 0, "signed"));
    EXPECT_NE(std::string::npos, ReadTextFile(WorkPath("run.raw\\_history_audit.log")).find("\t8\t0\tsigned\r\n"));

    Configure("AuditLog=" + WorkPath("missing\\audit.log"));
    EXPECT_FALSE(CFileAccess::LogEventSecurityA(13022, 6, "C:\\x\\", nullptr, 0) || FileExists(WorkPath("missing")));
    const std::string readOnly = WorkPath("read-only.log");
    WriteTextFile(readOnly, "kept\r\n");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(CFileAccess::LogEventAuditA(readOnly.c_str(), 8, 0, "read-only"));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("kept\r\n", ReadTextFile(readOnly));
}

// Two audit_writer.exe processes append 1500 lines each to one log at once:
// every line whole, each writer's lines all there and in its own order.
TEST_F(Custorix, TwoProcessesWritingAtOnceLoseNoLine)
{
    const std::string log = WorkPath("shared.log"), quoted = "\"" + log + "\"";
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    strcpy(strrchr(exe, '\\') + 1, "audit_writer.exe");
    const intptr_t writers[] = {_spawnl(_P_NOWAIT, exe, "audit_writer", quoted.c_str(), "writer0", "1500", nullptr),
                                _spawnl(_P_NOWAIT, exe, "audit_writer", quoted.c_str(), "writer1", "1500", nullptr)};
    for (const intptr_t writer : writers) {
        int code = 99;
        EXPECT_TRUE(writer != -1 && _cwait(&code, writer, 0) == writer && code == 0);
    }
    int next[2] = {0, 0};
    std::istringstream lines(ReadTextFile(log));
    for (std::string line; std::getline(lines, line);) {
        int writer = -1, number = -1;
        ASSERT_EQ(2, sscanf(line.c_str() + 24, "\t%*[^\t]\t8\t0\twriter%d %d", &writer, &number)) << line;
        ASSERT_TRUE(writer == 0 || writer == 1) << line;
        EXPECT_EQ(next[writer]++, number) << line;
    }
    EXPECT_TRUE(next[0] == 1500 && next[1] == 1500);
}

// The secure dialog driven like a user: with secure files on, a name outside
// the data and template locations keeps it open, is audited and told in a
// box it owns; light security alone lets every name through.
TEST_F(Custorix, SecureDialogRefusesNamesOutsideTheLocations)
{
    const std::string log = WorkPath("dialog.log"), outside = database_ + "\\a.raw";
    const std::string rows[][2] = {{"SecureFiles", data_ + "\\a.raw"}, {"SecureFiles", templates_ + "\\a.raw"},
                                   {"SecureFiles", outside}, {"SecurityLight", outside}};
    for (const std::string &dir : {data_, templates_, database_})
        CreateDirectoryA(dir.c_str(), nullptr);
    for (const auto &row : rows) {
        Configure(row[0] + "=1\r\nUser=anna\r\nAuditLog=" + log + "\r\nDataLocations=" + data_ +
                  "\r\nTemplateLocations=" + templates_);
        DeleteFileA(log.c_str());
        CFileDialogS dialog(FALSE, "raw", "x.raw", OFN_NOCHANGEDIR, "Data File (*.raw)|*.raw||", nullptr);
        BoxAnswerer boxes;
        DialogDriver driver;
        driver.Then("", [&](Dialog &shown) {
            shown.Type(1148, row[1]);
            shown.Click(IDOK); // a box is answered inside; a refused name leaves the dialog open
            if (shown.IsOpen())
                shown.Click(IDCANCEL);
        });
        std::string result = std::to_string(dialog.DoModal()); // then what it left behind
        result += "|" + std::string(dialog.m_ofn.lpstrFile) + "|" + Untimed(log);
        for (const ShownBox &box : boxes.Boxes())
            result += box.shownCaption + ": " + box.shownText + (box.shownOwner && box.icon ? "!" : ""); // owned
        const std::string refusal = "2|" + outside + "|T\tanna\t13022\t6\t" + outside + "\r\nSecure File Access: " +
                                    "You may not use this location:\n" + database_ +
                                    "\\\n\nChoose a file in one of your data or template locations.!";
        EXPECT_EQ(row[0] + "|" + row[1] == "SecureFiles|" + outside ? refusal : "1|" + row[1] + "|", result);
    }
}

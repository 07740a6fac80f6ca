// Audit lines: their exact form, where they go, that none is lost when two
// processes write at once, and a log that cannot be written.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "custorix.h"
#include "standins/custorix_config.h"

using namespace krtest;

namespace {

std::string IsoTime(const SYSTEMTIME &t)
{
    char text[32];
    snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond, t.wMilliseconds);
    return text;
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class AuditTrail : public testing::Test {
protected:
    void SetUp() override
    {
        MadeDir("logs");
        log_ = WorkPath("logs\\audit.log");
        DeleteFileA(log_.c_str());
    }
    void TearDown() override { RemoveSecurityConfig(); }

    std::string log_;
};

TEST_F(AuditTrail, SecurityEventsAreTimestampedLinesOfTheConfiguredLog)
{
    WriteSecurityConfig("User=anna\r\nAuditLog=" + log_ + "\r\n");
    SYSTEMTIME before, after;
    GetSystemTime(&before);
    ASSERT_TRUE(CFileAccess::LogEventSecurityA(CUSTORIX_EVENT_ACCESS_REFUSED, CUSTORIX_OUTCOME_REFUSED,
                                               "C:\\private\\", nullptr, 0));
    GetSystemTime(&after);
    ASSERT_TRUE(CFileAccess::LogEventSecurityA(1, 2, "a\tb\r\nc", "why\tnot", 0));
    ASSERT_TRUE(CFileAccess::LogEventSecurityA(3, 4, std::string(2000, 'x').c_str(), "cut", 0));

    const std::string text = ReadTextFile(log_);
    ASSERT_EQ("\r\n", text.substr(text.size() - 2));
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(3u, lines.size());
    const std::string time = lines[0].substr(0, 24);
    EXPECT_LE(IsoTime(before), time);
    EXPECT_GE(IsoTime(after), time);
    EXPECT_EQ("\tanna\t13022\t6\tC:\\private\\", lines[0].substr(24));
    EXPECT_EQ("\tanna\t1\t2\ta b  c - why not", lines[1].substr(24));
    EXPECT_EQ("\tanna\t3\t4\t" + std::string(1024, 'x'), lines[2].substr(24));
}

TEST_F(AuditTrail, WithoutConfigurationTheLogonNameGoesToTheDefaultLog)
{
    const std::string defaultLog = WorkPath("KRAUDIT.LOG");
    DeleteFileA(defaultLog.c_str());
    ASSERT_TRUE(CFileAccess::LogEventSecurityA(13022, 6, "D:\\x\\", nullptr, 0));
    char user[256];
    DWORD size = sizeof user;
    ASSERT_TRUE(GetUserNameA(user, &size));
    EXPECT_EQ("\t" + std::string(user) + "\t13022\t6\tD:\\x\\\r\n", ReadTextFile(defaultLog).substr(24));
}

TEST_F(AuditTrail, RawFilesKeepTheirOwnLog)
{
    const struct {
        const char *raw;
        const char *log; // "" when refused
    } cases[] = {
        {"E:\\d\\run.raw", "E:\\d\\run.raw\\_history_audit.log"},
        {"E:\\d\\run.RAW\\", "E:\\d\\run.RAW\\_history_audit.log"},
        {"E:\\d\\x\\..\\run.raw", "E:\\d\\run.raw\\_history_audit.log"},
        {"E:\\d\\run.txt", ""},
        {"E:\\d\\raw", ""},
        {"", ""},
    };
    for (const auto &c : cases) {
        char out[MAX_PATH] = "untouched";
        EXPECT_EQ(c.log[0] != '\0', GetLogVeskFilenameA(c.raw, out) != 0) << c.raw;
        EXPECT_STREQ(c.log, out) << c.raw;
    }
    char out[MAX_PATH];
    const std::string longRaw = "E:\\" + std::string(240, 'r') + ".raw"; // fits, its log does not
    EXPECT_FALSE(GetLogVeskFilenameA(longRaw.c_str(), out));
    EXPECT_FALSE(GetLogVeskFilenameA(nullptr, out));

    MadeDir("run.raw");
    ASSERT_TRUE(GetLogVeskFilenameA("run.raw", out));
    ASSERT_TRUE(CFileAccess::LogEventAuditA(out, 8, 0, "signed"));
    EXPECT_NE(std::string::npos, ReadTextFile(WorkPath("run.raw\\_history_audit.log")).find("\t8\t0\tsigned\r\n"));
}

TEST_F(AuditTrail, ALogThatCannotBeWrittenGivesZero)
{
    WriteSecurityConfig("AuditLog=" + WorkPath("missing\\audit.log") + "\r\n");
    EXPECT_FALSE(CFileAccess::LogEventSecurityA(13022, 6, "C:\\x\\", nullptr, 0));
    EXPECT_FALSE(FileExists(WorkPath("missing")));

    EXPECT_FALSE(CFileAccess::LogEventAuditA(WorkPath("logs").c_str(), 8, 0, "a directory"));

    WriteTextFile(log_, "kept\r\n");
    SetFileAttributesA(log_.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(CFileAccess::LogEventAuditA(log_.c_str(), 8, 0, "read-only"));
    SetFileAttributesA(log_.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("kept\r\n", ReadTextFile(log_));
}

// Starts a writer process that waits for `start`; returns its process handle.
HANDLE StartWriter(const std::string &log, const char *tag, int count, const char *start)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string path = exe;
    path = path.substr(0, path.rfind('\\') + 1) + "audit_writer.exe";
    std::string command = "\"" + path + "\" \"" + log + "\" " + tag + " " + std::to_string(count) + " " + start;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

TEST_F(AuditTrail, TwoProcessesWritingAtOnceLoseNoLine)
{
    const int count = 1500;
    const char *startName = "custorix-audit-writers-start";
    HANDLE start = CreateEventA(nullptr, TRUE, FALSE, startName);
    HANDLE writers[2] = {StartWriter(log_, "first", count, startName), StartWriter(log_, "second", count, startName)};
    ASSERT_TRUE(writers[0] && writers[1]);
    SetEvent(start);
    for (HANDLE writer : writers) {
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(writer, 100000));
        DWORD code = 99;
        GetExitCodeProcess(writer, &code);
        EXPECT_EQ(0u, code);
        CloseHandle(writer);
    }
    CloseHandle(start);

    // Every line whole, each writer's lines all there and in its own order.
    int next[2] = {0, 0};
    const std::vector<std::string> lines = Lines(ReadTextFile(log_));
    ASSERT_EQ(2u * count, lines.size());
    for (const std::string &line : lines) {
        char tag[16] = "";
        int number = -1;
        ASSERT_EQ(2, sscanf(line.c_str() + 24, "\t%*[^\t]\t8\t0\t%15s %d", tag, &number)) << line;
        const int writer = std::string(tag) == "first" ? 0 : 1;
        EXPECT_EQ(next[writer]++, number) << line;
    }
    EXPECT_EQ(count, next[0]);
    EXPECT_EQ(count, next[1]);
}

} // namespace

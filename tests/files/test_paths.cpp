// Path and file-name rules through the DLL: fixed cases (tests/fuzz/fuzz_paths.cpp tries millions of others), and
// the two functions that reach the disk, on real directories with secure file access configured.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "krutil.h"
#include "support/work_dir.h"

using krtest::WorkPath;
using namespace std::string_literals;

namespace {

const std::string kLongest = "C:\\" + std::string(250, 'n') + ".abc"; // 257: 259 with two separators
const std::string kTooLong = "C:\\" + std::string(253, 'n') + ".raw"; // 260

// Security on for user anna, who may keep data only under "allowed".
void Secure(const std::string &extra)
{
    krtest::WriteTextFile(WorkPath("KRSECURE.INI"), "[Security]\r\nUser=anna\r\nSecureFiles=1\r\nDataLocations=" +
                                                        WorkPath("allowed") + "\r\n" + extra);
}

} // namespace

TEST(CreatePathName, DefaultsFillOnlyWhatIsMissing)
{
    const std::string run = "E:\\d" + std::string(254, '\\'), tooLongRun = run + "\\"; // 258, 259
    const std::string extension(255, 'e'), tooLongExtension = extension + "e", named = "f." + extension;
    const std::string tooLongPath = kLongest + "d";
    // The result, or "<0>" when the function returned 0.
    const struct { const char *name, *directory, *extension, *expected; } cases[] = {
        {"data", "E:\\proj\\\\\\", "raw", "E:\\proj\\data.raw"}, {"data", "E:\\proj", ".raw", "E:\\proj\\data.raw"},
        {"D:\\x\\f.txt", "E:\\proj", "raw", "D:\\x\\f.txt"}, {nullptr, "E:\\tmp\\", "txt", "E:\\tmp\\.txt"},
        {"E:f", "C:\\d", "raw", "E:\\f.raw"}, {"f.", "E:\\d", "raw", "E:\\d\\f."}, // a bare dot is an extension
        {"E:\\a\\\\\\f", nullptr, nullptr, "E:\\a\\\\\\f"},                       // only a default is tidied
        {"f", "\\\\\\", nullptr, "\\f"},                                          // the first backslash stays
        // The limits: default directory below 259, default extension below 256, the parts below 258 together.
        {"f", run.c_str(), nullptr, "E:\\d\\f"}, {"f", tooLongRun.c_str(), nullptr, "<0>"},
        {"f", nullptr, extension.c_str(), named.c_str()}, {"f", nullptr, tooLongExtension.c_str(), "<0>"},
        {kLongest.c_str(), nullptr, nullptr, kLongest.c_str()}, {tooLongPath.c_str(), nullptr, nullptr, "<0>"},
    };
    for (const auto &c : cases) {
        char out[300];
        const int result = CreatePathName(c.name, c.directory, c.extension, out, sizeof out);
        EXPECT_EQ(c.expected, std::string(result ? out : "<0>")) << "case " << &c - cases;
    }
}

TEST(PathBuffers, BuiltPathsAreCutChangedOnesNotCleared)
{
    using Call = int (*)(char *out, int size);
    const Call create = [](char *o, int n) { return CreatePathName("f", "E:\\d", "raw", o, n); };
    const Call change = [](char *o, int n) { return ChangePathExtension("E:\\d\\run.raw", "txt", o, n); };
    // What the call left in a buffer of '#', up to the byte after its size.
    const struct { Call call; int size, result; std::string left; } cases[] = {
        {create, 10, 0, "E:\\d\\f.ra\0#"s}, {create, 11, 1, "E:\\d\\f.raw\0#"s}, {create, 1, 0, "\0#"s},
        {[](char *o, int n) { return CreatePathName(kTooLong.c_str(), "", "", o, n); }, 4, 0, "#####"},
        {create, 0, 0, "#"}, {change, 16, 1, "E:\\d\\run.txt\0###"s}, {change, 5, 1, "E:\\d\0#"s},
        {[](char *o, int n) { return ChangePathExtension("E:\\d\\x.y.z", "txt", o, n); }, 16, 1, "E:\\d\\x.y\0"s},
        {[](char *o, int n) { return ChangePathExtension(kTooLong.c_str(), "txt", o, n); }, 16, 1, ".txt\0"s},
        {[](char *, int n) { return GetPathName("E:\\d\\f", nullptr, n); }, 16, 0, "#"}, // no buffer
    };
    for (const auto &c : cases) {
        std::string out(16, '#');
        EXPECT_EQ(c.result, c.call(&out[0], c.size)) << "case " << &c - cases;
        EXPECT_EQ(c.left, out.substr(0, c.left.size())) << "case " << &c - cases;
    }
}

TEST(PathNames, TypesAndForbiddenCharacters)
{
    const struct { const char *path, *extension; int result; } types[] = {
        {"a\\b.TXT", "txt", 1}, {"a\\b.TXT", "tx", 0}, {"a\\b", "", 1}, {"a\\b", nullptr, 1}, // null is empty
        {kTooLong.c_str(), "raw", 0}, {nullptr, "", 0}};
    for (const auto &c : types)
        EXPECT_EQ(c.result, IsFileOfType(c.path, c.extension)) << "case " << &c - types;
    for (int c = 1; c < 256; ++c) {
        const char text[] = {'a', static_cast<char>(c), 'b', '\0'};
        EXPECT_EQ(strchr("'\\/:*?<>|.", c) ? 0 : 1, IsValidFilename(text)) << c;
        EXPECT_EQ(strchr("/*?<>|", c) ? 0 : 1, IsValidPath(text)) << c;
    }
    EXPECT_EQ(1, IsValidFilename("") & IsValidPath(""));
    EXPECT_EQ(0, IsValidFilename(nullptr) | IsValidPath(nullptr));
}

TEST(FileRecord, DefaultsForAPathAndNullArguments)
{
    QZFILE file;
    EXPECT_EQ(1, ConvertPathToQZFile(&file, "E:\\data\\old.raw"));
    const struct { const QZFILE *record; int useExtension; const char *path; } made[] = {
        {&file, 1, "E:\\data\\new.raw"}, {&file, 0, "E:\\data\\new"}, {nullptr, 1, "new"}};
    char out[300];
    for (const auto &c : made) {
        EXPECT_EQ(1, CreateQZFilePathName("new", c.record, c.useExtension, out, sizeof out));
        EXPECT_STREQ(c.path, out);
    }
    EXPECT_EQ(0, ConvertPathToQZFile(&file, nullptr));
    EXPECT_STREQ("", file.directory);
    EXPECT_EQ(0, ConvertPathToQZFile(nullptr, "a"));
    EXPECT_EQ(0, ConvertQZFileToPath(out, sizeof out, nullptr));
}

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

    // The current-sample file lies in the suite's temporary directory.
    const std::string temp = WorkPath("allowed\\temp");
    Secure("TempDir=" + temp + "\r\n");
    char out[MAX_PATH];
    ASSERT_EQ(out, GetCurSampTxtName(out, 5));
    EXPECT_EQ(temp.substr(0, 4), out) << "cut to the buffer, terminated";
    ASSERT_EQ(out, GetCurSampTxtName(out, sizeof out));
    EXPECT_EQ(temp + "\\KRCurSmp.txt", out);
    EXPECT_EQ(nullptr, GetCurSampTxtName(out, 0));
    EXPECT_EQ(nullptr, GetCurSampTxtName(nullptr, sizeof out));
    // A directory so long that the file's path would not fit: no name, and the buffer as it was.
    const std::string workDir = krtest::WorkDir() + "\\";
    Secure("TempDir=" + workDir + std::string(249 - workDir.size(), 't') + "\r\n");
    EXPECT_EQ(nullptr, GetCurSampTxtName(out, sizeof out));
    EXPECT_EQ(temp + "\\KRCurSmp.txt", out);
    DeleteFileA(WorkPath("KRSECURE.INI").c_str());
}

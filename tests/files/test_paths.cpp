// Path and file-name rules through the DLL: building paths from names and
// defaults, the buffer and length limits and the file record. How paths
// split and join is checked against the runtime by the fuzz test.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "krutil.h"

using namespace std::string_literals;

namespace {

const std::string kLongest = "C:\\" + std::string(250, 'n') + ".abc"; // 257: 259 with two separators
const std::string kTooLong = "C:\\" + std::string(253, 'n') + ".raw"; // 260

// The result, or "<0>" when the function returned 0.
std::string Create(const char *name, const char *directory, const char *extension)
{
    char out[300];
    return CreatePathName(name, directory, extension, out, sizeof out) ? out : "<0>";
}

} // namespace

TEST(CreatePathName, DefaultsFillOnlyWhatIsMissing)
{
    const std::string run = "E:\\d" + std::string(254, '\\'), tooLongRun = run + "\\"; // 258, 259
    const std::string extension(255, 'e'), tooLongExtension = extension + "e", named = "f." + extension;
    const std::string tooLongPath = kLongest + "d";
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
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, Create(c.name, c.directory, c.extension)) << "case " << &c - cases;
}

TEST(PathBuffers, WholeResultOrClearedOrCut)
{
    using Call = int (*)(char *out, int size);
    const Call create = [](char *o, int n) { return CreatePathName("f", "E:\\d", "raw", o, n); };
    const Call name = [](char *o, int n) { return GetPathName("E:\\d\\run01.raw", o, n); };
    // What the call left in a buffer of '#', up to the byte after its size.
    const struct { Call call; int size, result; std::string left; } cases[] = {
        {create, 10, 0, "E:\\d\\f.ra\0#"s}, {create, 11, 1, "E:\\d\\f.raw\0#"s}, {create, 1, 0, "\0#"s},
        {create, 0, 0, "#"}, {[](char *o, int n) { return CreatePathName(kTooLong.c_str(), "", "", o, n); }, 4, 0, "#####"},
        {name, 5, 0, "\0\0\0\0\0#"s}, {name, 6, 1, "run01\0#"s}, {name, 0, 0, "#"},
        {[](char *o, int n) { return GetPathName(nullptr, o, n); }, 1, 0, "##"},
        {[](char *o, int n) { return GetPathDirectory("file.raw", o, n); }, 1, 1, "\0#"s},
        {[](char *o, int n) { return GetPathDirectory("E:file.raw", o, n); }, 3, 1, "E:\0#"s},
        {[](char *o, int n) { return GetPathExtension(kTooLong.c_str(), o, n); }, 4, 0, "#####"},
        {[](char *o, int n) { return GetPathExtension(kTooLong.substr(1).c_str(), o, n); }, 4, 1, "raw\0#"s},
        {[](char *o, int n) { return ChangePathExtension("E:\\d\\run.raw", "txt", o, n); }, 5, 1, "E:\\d\0#"s},
    };
    for (const auto &c : cases) {
        char out[16];
        memset(out, '#', sizeof out);
        EXPECT_EQ(c.result, c.call(out, c.size)) << "case " << &c - cases;
        EXPECT_EQ(c.left, std::string(out, c.left.size())) << "case " << &c - cases;
    }
    EXPECT_EQ(0, GetPathExtension("f.raw", nullptr, 16));
}

TEST(PathNames, ChangedExtensionsTypesAndForbiddenCharacters)
{
    const struct { const char *path, *extension, *changed; } changes[] = {
        {"E:\\d\\run.raw", "txt", "E:\\d\\run.txt"}, {"E:\\d\\run", ".txt", "E:\\d\\run.txt"},
        {"E:\\d\\x.y.z", "txt", "E:\\d\\x.y"}, // the name's own dot wins
        {"E:\\d\\run.raw", nullptr, "E:\\d\\run"}, {kTooLong.c_str(), "txt", ".txt"},
    };
    for (const auto &c : changes) {
        char out[300];
        EXPECT_EQ(1, ChangePathExtension(c.path, c.extension, out, sizeof out));
        EXPECT_STREQ(c.changed, out) << c.path;
    }
    const struct { const char *path, *extension; int result; } types[] = {
        {"a\\b.TXT", "txt", 1}, {"a\\b.TXT", "tx", 0}, {"a\\b", "", 1}, {"a\\b", nullptr, 1}, {"a\\b", "txt", 0},
        {kTooLong.c_str(), "raw", 0},
    };
    for (const auto &c : types)
        EXPECT_EQ(c.result, IsFileOfType(c.path, c.extension)) << c.path << " " << (c.extension ? c.extension : "null");
    for (const char *good : {"sample1", "", "a b", "e\xE9"})
        EXPECT_EQ(1, IsValidFilename(good)) << good;
    for (const char *bad : {"sample.1", "a:b", "it's", "a\\b", "a/b", "a*", "a?", "a<", "a>", "a|", (const char *)0})
        EXPECT_EQ(0, IsValidFilename(bad)) << (bad ? bad : "(null)");
    for (const char *good : {"E:\\data\\x.raw", "", "\\\\srv\\share\\a.b"})
        EXPECT_EQ(1, IsValidPath(good)) << good;
    for (const char *bad : {"E:/data", "a*", "a?", "a<", "a>", "a|", (const char *)0})
        EXPECT_EQ(0, IsValidPath(bad)) << (bad ? bad : "(null)");
}

TEST(FileRecord, PathToRecordAndBack)
{
    QZFILE file;
    memset(&file, 'x', sizeof file);
    file.number = 7;
    EXPECT_EQ(1, ConvertPathToQZFile(&file, "E:\\data\\run01.raw"));
    EXPECT_EQ("E:\\data\\|run01|raw"s, file.directory + "|"s + file.name + "|" + file.extension);
    EXPECT_EQ(7, file.number) << "only the path fields change";
    EXPECT_EQ('\0', file.extension[255]) << "fields are cleared whole";
    char out[300];
    EXPECT_EQ(1, ConvertQZFileToPath(out, sizeof out, &file));
    EXPECT_STREQ("E:\\data\\run01.raw", out);
    const struct { const QZFILE *record; int useExtension; const char *path; } made[] = {
        {&file, 1, "E:\\data\\new.raw"}, {&file, 0, "E:\\data\\new"}, {nullptr, 1, "new"}};
    for (const auto &c : made) {
        EXPECT_EQ(1, CreateQZFilePathName("new", c.record, c.useExtension, out, sizeof out));
        EXPECT_STREQ(c.path, out);
    }
    EXPECT_EQ(1, StringToFile("run01", &file));
    EXPECT_EQ("|run01|"s, file.directory + "|"s + file.name + "|" + file.extension);
}

TEST(FileRecord, OverlongPartsAndFields)
{
    // Each part is cut to its field and the result says so.
    QZFILE file{};
    EXPECT_EQ(0, ConvertPathToQZFile(&file, ("C:\\" + std::string(300, 'n') + ".raw").c_str()));
    EXPECT_EQ(255u, strlen(file.name));
    EXPECT_STREQ("raw", file.extension);
    EXPECT_EQ(0, ConvertPathToQZFile(&file, ("C:\\" + std::string(300, 'd') + "\\f").c_str()));
    EXPECT_EQ(259u, strlen(file.directory));
    EXPECT_EQ(0, ConvertPathToQZFile(&file, nullptr));
    EXPECT_STREQ("", file.directory);
    EXPECT_EQ(0, ConvertPathToQZFile(nullptr, "a"));

    // Back to a path: the three fields must stay below 258 characters together.
    char out[300];
    strcpy(file.directory, ("C:\\" + std::string(250, 'd')).c_str());
    strcpy(file.name, "ab");
    strcpy(file.extension, "cd");
    EXPECT_EQ(1, ConvertQZFileToPath(out, sizeof out, &file));
    EXPECT_EQ(259u, strlen(out));
    strcpy(file.extension, "cde");
    memset(out, '#', sizeof out);
    EXPECT_EQ(0, ConvertQZFileToPath(out, sizeof out, &file));
    EXPECT_EQ('\0', out[299]) << "the buffer is cleared even when refused";

    // Fields without terminators are read only within their own bytes.
    memset(&file, 'z', sizeof file);
    EXPECT_EQ(0, ConvertQZFileToPath(out, sizeof out, &file));
    EXPECT_EQ(0, CreateQZFilePathName("f", &file, 1, out, sizeof out));
    EXPECT_EQ(0, ConvertQZFileToPath(out, sizeof out, nullptr));
}

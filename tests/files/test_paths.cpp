// Path and file-name rules through the DLL: building paths from names and
// defaults, the buffer and length limits and the file record. How paths
// split is checked against the runtime by the fuzz test.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "krutil.h"

namespace {

const char kGuard = '#';

std::string Create(const char *name, const char *dir, const char *ext)
{
    char out[300];
    return CreatePathName(name, dir, ext, out, sizeof out) ? out : "<0>";
}

std::string Part(int(KRAPI *getter)(const char *, char *, int), const char *path)
{
    char out[300];
    return getter(path, out, sizeof out) ? out : "<0>";
}

} // namespace

TEST(CreatePathName, DefaultsFillOnlyWhatIsMissing)
{
    struct Case {
        const char *name, *dir, *ext, *expected;
    } cases[] = {
        {"data", "E:\\proj\\\\\\", "raw", "E:\\proj\\data.raw"},
        {"data", "E:\\proj", "raw", "E:\\proj\\data.raw"},
        {"data", "E:\\proj", ".raw", "E:\\proj\\data.raw"},
        {"D:\\x\\f.txt", "E:\\proj", "raw", "D:\\x\\f.txt"},
        {nullptr, "E:\\tmp\\", "txt", "E:\\tmp\\.txt"},
        {"", "E:\\tmp\\", "txt", "E:\\tmp\\.txt"},
        {"E:f", "C:\\d", "raw", "E:\\f.raw"},
        {"\\\\server\\share\\f", "E:\\d", "raw", "\\\\server\\share\\f.raw"},
        {"sub/f", "E:\\d", "raw", "sub/f.raw"},
        {"E:\\a\\\\\\f", nullptr, nullptr, "E:\\a\\\\\\f"}, // only a default is tidied
        {"f.", "E:\\d", "raw", "E:\\d\\f."},                // a bare dot is an extension
        {"f", "\\\\\\", nullptr, "\\f"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.expected, Create(c.name, c.dir, c.ext)) << (c.name ? c.name : "(null)");
}

TEST(CreatePathName, LongestPathAndBufferSizes)
{
    // The parts and two separators must stay below 260 characters.
    const std::string longest = "C:\\" + std::string(250, 'n') + ".ab"; // 256
    EXPECT_EQ(longest + "c", Create((longest + "c").c_str(), nullptr, nullptr));
    char out[300];
    memset(out, kGuard, sizeof out);
    EXPECT_EQ(0, CreatePathName((longest + "cd").c_str(), nullptr, nullptr, out, sizeof out));
    EXPECT_EQ(kGuard, out[0]) << "a refused path leaves the buffer untouched";
    EXPECT_EQ(0, CreatePathName(std::string(260, 'n').c_str(), nullptr, nullptr, out, sizeof out));
    EXPECT_EQ(0, CreatePathName("f", std::string(259, 'd').c_str(), nullptr, out, sizeof out));
    EXPECT_EQ(0, CreatePathName("f", nullptr, std::string(256, 'e').c_str(), out, sizeof out));

    // E:\d\f.raw is 10 characters: size 10 gives the cut copy and 0.
    EXPECT_EQ(0, CreatePathName("f", "E:\\d", "raw", out, 10));
    EXPECT_STREQ("E:\\d\\f.ra", out);
    EXPECT_EQ(1, CreatePathName("f", "E:\\d", "raw", out, 11));
    EXPECT_STREQ("E:\\d\\f.raw", out);
    memset(out, kGuard, sizeof out);
    EXPECT_EQ(0, CreatePathName("f", "E:\\d", "raw", out, 1));
    EXPECT_EQ(0, CreatePathName("f", "E:\\d", "raw", out, 0));
    EXPECT_EQ('\0', out[0]);
    EXPECT_EQ(kGuard, out[1]);
}

TEST(PathParts, WorkedExamplesAndBufferRules)
{
    struct Case {
        const char *path, *directory, *name, *extension;
    } cases[] = {
        {"E:\\data\\run01.raw", "E:\\data\\", "run01", "raw"},
        {"file.raw", "", "file", "raw"},
        {"E:file.raw", "E:", "file", "raw"},
        {"a\\b.TXT", "a\\", "b", "TXT"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.directory, Part(GetPathDirectory, c.path)) << c.path;
        EXPECT_EQ(c.name, Part(GetPathName, c.path)) << c.path;
        EXPECT_EQ(c.extension, Part(GetPathExtension, c.path)) << c.path;
    }

    // Too small a buffer is cleared whole and nothing beyond it is touched.
    char out[16];
    memset(out, kGuard, sizeof out);
    EXPECT_EQ(0, GetPathName("E:\\d\\run01.raw", out, 5));
    EXPECT_EQ(std::string(5, '\0') + kGuard, std::string(out, 6));
    EXPECT_EQ(1, GetPathName("E:\\d\\run01.raw", out, 6));
    EXPECT_STREQ("run01", out);
    EXPECT_EQ(1, GetPathDirectory("file.raw", out, 1));
    EXPECT_EQ(0, GetPathExtension("f.raw", out, 0));
    EXPECT_EQ(0, GetPathExtension("f.raw", nullptr, 16));
    EXPECT_EQ(0, GetPathName(nullptr, out, 16));

    // 259 characters is the longest path; 260 and 261 are refused untouched.
    char big[300];
    for (size_t length : {259u, 260u, 261u}) {
        const std::string path = "C:\\" + std::string(length - 7, 'n') + ".raw";
        memset(big, kGuard, sizeof big);
        EXPECT_EQ(length == 259 ? 1 : 0, GetPathExtension(path.c_str(), big, sizeof big)) << length;
        EXPECT_EQ(length == 259 ? 'r' : kGuard, big[0]) << length;
    }
}

TEST(ChangePathExtension, RebuildsFromDirectoryAndName)
{
    char out[300];
    const std::string tooLong = "C:\\" + std::string(257, 'n');
    struct Case {
        const char *path, *ext, *expected;
    } cases[] = {
        {"E:\\d\\run.raw", "txt", "E:\\d\\run.txt"},
        {"E:\\d\\run", ".txt", "E:\\d\\run.txt"},
        {"E:\\d\\x.y.z", "txt", "E:\\d\\x.y"}, // the name's own dot wins
        {"E:\\d\\run.raw", nullptr, "E:\\d\\run"},
        {tooLong.c_str(), "txt", ".txt"}, // too long to split
    };
    for (const Case &c : cases) {
        EXPECT_EQ(1, ChangePathExtension(c.path, c.ext, out, sizeof out));
        EXPECT_STREQ(c.expected, out) << c.path;
    }
    memset(out, kGuard, sizeof out);
    EXPECT_EQ(1, ChangePathExtension("E:\\d\\run.raw", "txt", out, 5));
    EXPECT_STREQ("E:\\d", out);
    EXPECT_EQ(kGuard, out[5]);
}

TEST(NameChecks, TypesAndForbiddenCharacters)
{
    EXPECT_EQ(1, IsFileOfType("a\\b.TXT", "txt"));
    EXPECT_EQ(0, IsFileOfType("a\\b.TXT", "tx"));
    EXPECT_EQ(1, IsFileOfType("a\\b", ""));
    EXPECT_EQ(1, IsFileOfType("a\\b", nullptr));
    EXPECT_EQ(0, IsFileOfType("a\\b", "txt"));
    EXPECT_EQ(0, IsFileOfType(("C:\\" + std::string(257, 'n') + ".txt").c_str(), "txt"));

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
    EXPECT_STREQ("E:\\data\\", file.directory);
    EXPECT_STREQ("run01", file.name);
    EXPECT_STREQ("raw", file.extension);
    EXPECT_EQ(7, file.number) << "only the path fields change";
    EXPECT_EQ('\0', file.extension[255]) << "fields are cleared whole";
    char out[300];
    EXPECT_EQ(1, ConvertQZFileToPath(out, sizeof out, &file));
    EXPECT_STREQ("E:\\data\\run01.raw", out);

    EXPECT_EQ(1, StringToFile("run01", &file));
    EXPECT_STREQ("", file.directory);
    EXPECT_STREQ("", file.extension);

    // A record written by hand: the separators are added.
    strcpy(file.directory, "E:\\data");
    strcpy(file.extension, ".raw");
    EXPECT_EQ(1, ConvertQZFileToPath(out, sizeof out, &file));
    EXPECT_STREQ("E:\\data\\run01.raw", out);

    ConvertPathToQZFile(&file, "E:\\proj\\Data\\old.raw");
    EXPECT_EQ(1, CreateQZFilePathName("new", &file, 1, out, sizeof out));
    EXPECT_STREQ("E:\\proj\\Data\\new.raw", out);
    EXPECT_EQ(1, CreateQZFilePathName("new", &file, 0, out, sizeof out));
    EXPECT_STREQ("E:\\proj\\Data\\new", out);
    EXPECT_EQ(1, CreateQZFilePathName("D:\\x\\new.txt", &file, 1, out, sizeof out));
    EXPECT_STREQ("D:\\x\\new.txt", out);
    EXPECT_EQ(1, CreateQZFilePathName("new", nullptr, 1, out, sizeof out));
    EXPECT_STREQ("new", out);
}

TEST(FileRecord, OverlongPartsAndFields)
{
    QZFILE file{};
    // Each part is cut to its field and the result says so.
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
    memset(&file, 0, sizeof file);
    strcpy(file.directory, ("C:\\" + std::string(250, 'd')).c_str()); // 253
    strcpy(file.name, "ab");
    strcpy(file.extension, "cd");
    EXPECT_EQ(1, ConvertQZFileToPath(out, sizeof out, &file)); // 259 with separators
    EXPECT_EQ(259u, strlen(out));
    strcpy(file.extension, "cde");
    memset(out, kGuard, sizeof out);
    EXPECT_EQ(0, ConvertQZFileToPath(out, sizeof out, &file));
    EXPECT_EQ('\0', out[299]) << "the buffer is cleared even when refused";

    // Fields without terminators are read only within their own bytes.
    memset(&file, 'z', sizeof file);
    EXPECT_EQ(0, ConvertQZFileToPath(out, sizeof out, &file));
    EXPECT_EQ(0, CreateQZFilePathName("f", &file, 1, out, sizeof out));
    EXPECT_EQ(0, ConvertQZFileToPath(out, sizeof out, nullptr));
}

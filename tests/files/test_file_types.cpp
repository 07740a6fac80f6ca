// File types, the dialog record and its name getters, and the split of a
// confirmed dialog path: text rules only, no dialog.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "files/chosen_path.h"
#include "krfiles.h"
#include "support/guarded.h"

using krtest::Guarded;

namespace {

const std::string kRaw = "Data File (*.raw)|*.raw||", kTxt = "Simple Text File (*.txt)|*.txt||";

// The patterns of a filter in order ("idb raw"), which says which rows were joined.
std::string Patterns(const std::string &filter)
{
    std::string patterns;
    const std::regex pattern(R"(\|\*\.(\w+)\|)");
    for (std::sregex_iterator it(filter.begin(), filter.end(), pattern), end; it != end; ++it)
        patterns += (patterns.empty() ? "" : " ") + (*it)[1].str();
    return patterns;
}

QZFILE Record(const char *directory, const char *name, const char *extension)
{
    QZFILE file = {7, {}, {}, {}, 11, 12};
    strcpy(file.directory, directory);
    strcpy(file.name, name);
    strcpy(file.extension, extension);
    return file;
}

} // namespace

TEST(FileTypes, FilterJoinsKnownTypesOnceWithinItsBytes)
{
    const std::string fits = "idb|raw|pdb|ldb|mdb|sdb|ndb|db|cal"; // 259 characters joined
    const struct {
        std::string list, listAfter, filter;
        size_t length; // of the filter, when filter is a pattern list
        int result;
    } rows[] = {
        {"raw|RAW|txt", "raw", kRaw.substr(0, kRaw.size() - 1) + kTxt, 0, 1},
        {"xyz", "xyz", "", 0, 0},
        {"", "", "", 0, 0},
        {"idb", "idb", "Library (*.idb)|*.idb||", 0, 1},
        {"|IDB||Db|xyz|idb|", "", "Library (*.idb)|*.idb|Database (*.db)|*.db||", 0, 1},
        {"xyz|cdf", "xyz", "Network Common Data Format (*.cdf)|*.cdf||", 0, 1},
        {fits, "idb", "idb raw pdb ldb mdb sdb ndb db cal", 259, 1},
        {fits + "|db|txt", "idb", "idb raw pdb ldb mdb sdb ndb db cal", 259, 1},
        // tdb would make 260; the shorter exe after it still fits
        {"idb|raw|pdb|ldb|mdb|sdb|ndb|db|tdb|exe", "idb", "idb raw pdb ldb mdb sdb ndb db exe", 247, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.list);
        Guarded list(row.list.size() + 1), filter(260);
        memcpy(list(), row.list.c_str(), row.list.size() + 1);
        EXPECT_EQ(row.result, GenFillFilterInfo(list(), filter()));
        EXPECT_EQ(row.listAfter, list());
        const std::string out = filter();
        EXPECT_EQ(row.filter, row.length ? Patterns(out) : out);
        EXPECT_EQ(row.length ? row.length : row.filter.size(), out.size());
        EXPECT_TRUE(out.empty() || out.substr(out.size() - 2) == "||");
        EXPECT_TRUE(list.Intact() && filter.Intact());
    }
    Guarded filter(260);
    char list[] = "raw";
    EXPECT_EQ(0, GenFillFilterInfo(nullptr, filter()));
    EXPECT_EQ('\0', filter()[0]);
    EXPECT_EQ(0, GenFillFilterInfo(list, nullptr));
}

TEST(FileTypes, NameGettersJoinNameAndExtension)
{
    MACFILE mac = {};
    const struct {
        std::string name, extension, getFileName, macGetFileName;
    } rows[] = {
        {"run01", "raw", "run01.raw", "run01.raw"},
        {"", "raw", ".raw", ""},
        {"run01", "", "run01.", "run01."},
        {std::string(256, 'n'), std::string(256, 'e'), std::string(255, 'n') + "." + std::string(255, 'e'), ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.getFileName);
        mac.file = QZFILE{}; // the longest texts fill their fields unterminated
        memcpy(mac.file.name, row.name.data(), row.name.size());
        memcpy(mac.file.extension, row.extension.data(), row.extension.size());
        Guarded a(512), b(512), c(512);
        EXPECT_EQ(a(), GetFileName(&mac.file, a()));
        EXPECT_EQ(row.getFileName, a());
        EXPECT_EQ(row.name.size() == 256 ? row.getFileName : row.macGetFileName, MacGetFileName(&mac, b()));
        EXPECT_EQ(std::string(b()), GenGetFileName(&mac, c()));
        EXPECT_TRUE(a.Intact() && b.Intact() && c.Intact());
    }
    char out[4] = "x";
    EXPECT_STREQ("", GetFileName(nullptr, out));
    EXPECT_STREQ("", MacGetFileName(nullptr, out));
    EXPECT_EQ(nullptr, GetFileName(&mac.file, nullptr));
}

TEST(FileTypes, StringToMacFileTakesTheLastDotOfTheWholePath)
{
    const std::string longest = "C:\\" + std::string(254, 'n') + ".r"; // 259
    const struct {
        std::string path, directory, name, extension;
    } rows[] = {
        {"E:\\data\\run01.raw", "E:\\data\\", "run01", "raw"},
        {"E:run01.raw", "", "E:run01", "raw"},
        {"..\\run01", "..\\", "run01", "old"},
        {"run01", "", "run01", "old"},
        {"E:\\a.b\\c", "E:\\", "a", "b\\c"},
        {".raw", "", "", "raw"},
        {"a." + std::string(257, 'e'), "", "a", std::string(255, 'e')},
        {longest, "C:\\", std::string(254, 'n'), "r"},
        {longest + "x", "D0", "N0", "old"}, // 260: too long for the directory
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.path);
        MACFILE mac = {{1, 2, 3, 4, 5, 6, 7, 8}, "Title", Record("D0", "N0", "old")};
        const MACFILE before = mac;
        GenStringToMacFile(row.path.c_str(), &mac);
        EXPECT_EQ(row.directory, mac.file.directory);
        EXPECT_EQ(row.name, mac.file.name);
        EXPECT_EQ(row.extension, mac.file.extension);
        EXPECT_EQ(0, memcmp(&before, &mac, offsetof(MACFILE, file.directory)));
        EXPECT_TRUE(mac.file.value1 == 11 && mac.file.value2 == 12);
    }
    MACFILE mac = {};
    GenStringToMacFile(nullptr, &mac);
    GenStringToMacFile("E:\\x.raw", nullptr);
    EXPECT_EQ('\0', mac.file.name[0]);
}

TEST(FileTypes, ConfirmedPathSplitsIntoTheRecord)
{
    const std::string n252(252, 'n');
    const struct {
        std::string path, directory, name, extension;
        int result;
    } rows[] = {
        {"E:\\data\\run01.raw", "E:\\data\\", "run01", "raw", 1},
        {"E:\\data\\run01.v2.raw", "E:\\data\\", "run01", "v2", 1},
        {"E:\\data\\run01.raw\\\\", "E:\\data\\", "run01", "raw", 1},
        {"E:\\data\\\\..run01..raw", "E:\\data\\\\", "run01", "raw", 1},
        {"E:\\data\\run01", "D0", "run01", "X0", 0},
        {"E:\\data\\.raw", "D0", "raw", "X0", 0},
        {"E:\\data\\...", "D0", "N0", "X0", 0},
        {"\\\\", "D0", "N0", "X0", 0},
        {"", "D0", "N0", "X0", 0},
        {"C:\\" + n252 + ".raw", "C:\\", n252, "raw", 1}, // 259
        {"C:\\" + n252 + "n.raw", "C:\\", n252 + "n", "ra", 1}, // 260: the copy keeps 259
        {"C:\\" + n252 + "nn.raw", "C:\\", n252 + "nn", "r", 1},
        {"\\" + std::string(258, 'n'), "D0", std::string(255, 'n'), "X0", 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.path);
        QZFILE file = Record("D0", "N0", "X0");
        EXPECT_EQ(row.result, kr::SplitChosenPath(row.path.c_str(), &file));
        EXPECT_EQ(row.directory, file.directory);
        EXPECT_EQ(row.name, file.name);
        EXPECT_EQ(row.extension, file.extension);
        EXPECT_TRUE(file.number == 7 && file.value1 == 11 && file.value2 == 12);
    }
}

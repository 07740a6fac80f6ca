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

std::string Fields(const QZFILE &file)
{
    return std::string(file.directory) + "|" + file.name + "|" + file.extension;
}

} // namespace

TEST(FileTypes, FilterJoinsKnownTypesOnceWithinItsBytes)
{
    const std::string fits = "idb|raw|pdb|ldb|mdb|sdb|ndb|db|cal"; // 259 characters joined
    const struct {
        std::string list, listAfter, filter; // filter: the patterns when length is given
        size_t length;
    } rows[] = {
        {"raw|RAW|txt", "raw", "Data File (*.raw)|*.raw|Simple Text File (*.txt)|*.txt||", 56},
        {"xyz", "xyz", "", 0}, {"", "", "", 0}, {"idb", "idb", "Library (*.idb)|*.idb||", 23},
        {"|IDB||Db|xyz|idb|", "", "Library (*.idb)|*.idb|Database (*.db)|*.db||", 44},
        {fits, "idb", "idb raw pdb ldb mdb sdb ndb db cal", 259},
        {fits + "|db|txt", "idb", "idb raw pdb ldb mdb sdb ndb db cal", 259},
        // tdb would make 260; the shorter exe after it still fits
        {"idb|raw|pdb|ldb|mdb|sdb|ndb|db|tdb|exe", "idb", "idb raw pdb ldb mdb sdb ndb db exe", 247},
    };
    for (const auto &row : rows) {
        Guarded list(row.list.size() + 1), filter(260);
        memcpy(list(), row.list.c_str(), row.list.size() + 1);
        EXPECT_EQ(row.length > 0, GenFillFilterInfo(list(), filter())) << row.list;
        const std::string out = filter();
        // A long filter as its patterns in order ("idb raw"): which rows were joined.
        const std::string patterns = std::regex_replace(out, std::regex(R"([^|]+\|\*\.(\w+)\|\|?)"), " $1");
        EXPECT_EQ(row.listAfter + "|" + row.filter, list() + ("|" + (out.size() > 60 ? patterns.substr(1) : out)));
        EXPECT_TRUE(out.size() == row.length && list.Intact() && filter.Intact()) << row.list;
    }
    char list[] = "raw", filter[260] = "x";
    EXPECT_FALSE(GenFillFilterInfo(nullptr, filter) || filter[0] || GenFillFilterInfo(list, nullptr));
}

TEST(FileTypes, NameGettersJoinNameAndExtension)
{
    MACFILE mac = {};
    strcpy(mac.file.extension, "raw");
    Guarded a(512), b(512), c(512);
    const auto get = [&] {
        return std::string(GetFileName(&mac.file, a())) + "|" + MacGetFileName(&mac, b()) + "|" + GenGetFileName(&mac, c());
    };
    EXPECT_EQ(".raw||", get());
    memset(mac.file.name, 'n', 256), memset(mac.file.extension, 'e', 256); // unterminated: 255 of each are read
    const std::string longest = std::string(255, 'n') + "." + std::string(255, 'e');
    EXPECT_EQ(longest + "|" + longest + "|" + longest, get());
    EXPECT_TRUE(a.Intact() && b.Intact() && c.Intact());
    char out[4] = "x";
    EXPECT_TRUE(!*GetFileName(nullptr, out) && !*MacGetFileName(nullptr, out) && !GetFileName(nullptr, nullptr));
}

TEST(FileTypes, StringToMacFileTakesTheLastDotOfTheWholePath)
{
    const std::string longest = "C:\\" + std::string(254, 'n') + ".r"; // 259
    const std::string rows[][2] = {
        {"E:\\data\\run01.raw", "E:\\data\\|run01|raw"}, {"E:run01.raw", "|E:run01|raw"},
        {"..\\run01", "..\\|run01|old"}, {"run01", "|run01|old"}, {"E:\\a.b\\c", "E:\\|a|b\\c"}, {".raw", "||raw"},
        {"a." + std::string(257, 'e'), "|a|" + std::string(255, 'e')},
        {longest, "C:\\|" + std::string(254, 'n') + "|r"}, {longest + "x", "D0|N0|old"}, // 260: too long
    };
    for (const auto &row : rows) {
        MACFILE mac = {{1, 2, 3, 4, 5, 6, 7, 8}, "Title", {7, "D0", "N0", "old", 11, 12}};
        const MACFILE before = mac;
        GenStringToMacFile(row[0].c_str(), &mac);
        EXPECT_EQ(row[1], Fields(mac.file)) << row[0];
        EXPECT_TRUE(!memcmp(&before, &mac, offsetof(MACFILE, file.directory)) && mac.file.value2 == 12) << row[0];
    }
    GenStringToMacFile(nullptr, nullptr);
}

TEST(FileTypes, ConfirmedPathSplitsIntoTheRecord)
{
    const std::string n252(252, 'n');
    const std::string rows[][2] = {
        {"E:\\data\\run01.raw", "1E:\\data\\|run01|raw"}, {"E:\\data\\run01.v2.raw", "1E:\\data\\|run01|v2"},
        {"E:\\data\\run01.raw\\\\", "1E:\\data\\|run01|raw"}, {"E:\\d\\\\..run01..raw", "1E:\\d\\\\|run01|raw"},
        {"E:\\data\\run01", "0D0|run01|X0"}, {"E:\\data\\.raw", "0D0|raw|X0"}, {"E:\\data\\...", "0D0|N0|X0"},
        {"\\\\", "0D0|N0|X0"}, {"\\" + std::string(258, 'n'), "0D0|" + std::string(255, 'n') + "|X0"},
        {"C:\\" + n252 + ".raw", "1C:\\|" + n252 + "|raw"}, // 259; then 260, cut to 259
        {"C:\\" + n252 + "n.raw", "1C:\\|" + n252 + "n|ra"},
    };
    for (const auto &row : rows) {
        QZFILE file = {7, "D0", "N0", "X0", 11, 12};
        const int result = kr::SplitChosenPath(row[0].c_str(), &file);
        EXPECT_EQ(row[1], std::to_string(result) + Fields(file));
        EXPECT_TRUE(file.number == 7 && file.value1 == 11 && file.value2 == 12) << row[0];
    }
}

// File types, the dialog record and the split of a confirmed dialog path:
// text rules only, no dialog.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "files/chosen_path.h"
#include "krfiles.h"

// Each row: the list, then the list afterwards and the filter; a long filter
// as its patterns in order ("idb raw": which rows were joined) and its length.
TEST(FileTypes, FilterJoinsKnownTypesOnceWithinItsBytes)
{
    const std::string rows[][2] = {
        {"raw|RAW|txt", "raw|Data File (*.raw)|*.raw|Simple Text File (*.txt)|*.txt||"}, {"xyz", "xyz|"}, {"", "|"},
        {"idb", "idb|Library (*.idb)|*.idb||"}, {"|IDB||Db|xyz|idb|", "|Library (*.idb)|*.idb|Database (*.db)|*.db||"},
        {"idb|raw|pdb|ldb|mdb|sdb|ndb|db|cal|db|txt", "idb|idb raw pdb ldb mdb sdb ndb db cal (259)"}, // then full
        {"idb|raw|pdb|ldb|mdb|sdb|ndb|db|tdb|exe", "idb|idb raw pdb ldb mdb sdb ndb db exe (247)"}, // tdb: 260
    };
    for (const auto &row : rows) {
        std::string list = row[0] + '\0' + "guard", filter = std::string(260, 'x') + "guard"; // nothing written past
        const int result = GenFillFilterInfo(&list[0], &filter[0]);
        const std::string out = filter.c_str(), size = "(" + std::to_string(out.size()) + ")";
        const std::string patterns = std::regex_replace(out, std::regex(R"([^|]+\|\*\.(\w+)\|\|?)"), "$1 ") + size;
        EXPECT_EQ(row[1], list.c_str() + ("|" + (out.size() > 60 ? patterns : out)));
        EXPECT_TRUE(result == !out.empty() && list.substr(row[0].size() + 1) + filter.substr(260) == "guardguard")
            << row[0];
    }
    char list[] = "raw", filter[260] = "x";
    EXPECT_FALSE(GenFillFilterInfo(nullptr, filter) || filter[0] || GenFillFilterInfo(list, nullptr));
}

// The same paths into the dialog record (GenStringToMacFile) and as a confirmed
// dialog path (the split, with its result first), over fields D0, N0, X0.
TEST(FileTypes, PathsIntoTheRecord)
{
    const std::string n252(252, 'n'), n255(255, 'n'), e255(255, 'e');
    const auto fields = [](const QZFILE &f) { return std::string(f.directory) + "|" + f.name + "|" + f.extension; };
    const std::string rows[][3] = {
        {"E:\\data\\run01.raw", "E:\\data\\|run01|raw", "1E:\\data\\|run01|raw"},
        {"E:run01.raw", "|E:run01|raw", "1\\|E:run01|raw"},
        {"..\\run01", "..\\|run01|X0", "0D0|run01|X0"},
        {"E:\\a.b\\c", "E:\\|a|b\\c", "0D0|c|X0"},
        {".raw", "||raw", "0D0|raw|X0"},
        {"E:\\d\\run01.v2.raw", "E:\\d\\|run01.v2|raw", "1E:\\d\\|run01|v2"},
        {"E:\\d\\run01.raw\\\\", "E:\\d\\|run01|raw\\\\", "1E:\\d\\|run01|raw"},
        {"E:\\d\\\\..run01..raw", "E:\\d\\\\|..run01..raw|X0", "1E:\\d\\\\|run01|raw"},
        {"E:\\d\\...", "E:\\d\\|...|X0", "0D0|N0|X0"},
        {"\\\\", "\\\\||X0", "0D0|N0|X0"},
        {"\\" + std::string(258, 'n'), "\\|" + n255 + "|X0", "0D0|" + n255 + "|X0"},
        {"a." + std::string(257, 'e'), "|a|" + e255, "1\\|a|" + e255},
        {"C:\\" + n252 + ".raw", "C:\\|" + n252 + "|raw", "1C:\\|" + n252 + "|raw"}, // 259
        {"C:\\" + n252 + "n.raw", "D0|N0|X0", "1C:\\|" + n252 + "n|ra"}, // 260: too long; the split cuts it
    };
    for (const auto &row : rows) {
        MACFILE mac = {{1, 2, 3, 4, 5, 6, 7, 8}, "Title", {7, "D0", "N0", "X0", 11, 12}};
        const MACFILE before = mac;
        GenStringToMacFile(row[0].c_str(), &mac);
        EXPECT_EQ(row[1], fields(mac.file)) << row[0];
        mac.file = before.file;
        const int split = kr::SplitChosenPath(row[0].c_str(), &mac.file);
        EXPECT_EQ(row[2], std::to_string(split) + fields(mac.file));
        EXPECT_TRUE(!memcmp(&before, &mac, offsetof(MACFILE, file.directory)) && mac.file.value2 == 12) << row[0];
    }
    GenStringToMacFile(nullptr, nullptr);
    char out[4] = "x"; // the getters' names come through the dialogs
    EXPECT_TRUE(!*GetFileName(nullptr, out) && !*MacGetFileName(nullptr, out) && !GetFileName(nullptr, nullptr));
}

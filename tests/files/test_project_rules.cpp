// How chosen and confirmed project paths go into the record; the other rules
// are tested through the exported functions.
#include <gtest/gtest.h>

#include "files/project_rules.h"

TEST(ProjectRules, ChosenAndConfirmedPathsIntoTheRecord)
{
    const char *const rows[][4] = { // Chosen or conFirmed; path; directory; name
        {"C", "C:\\a\\\\b\\\\\\Study1.PRO", "C:\\a\\b\\", "Study1"}, {"C", "C:Study1.PRO", "C:\\", "Study1"},
        {"C", "\\\\\\server\\\\share\\\\p.PRO", "\\\\\\server\\share\\", "p"}, {"F", "C:\\a\\\\p.x.PRO", "C:\\a\\\\", "p.x"}};
    for (const auto &row : rows) {
        QZFILE file{0, "", "", "kept", 0, 0};
        (*row[0] == 'C' ? kr::TakeChosenProject : kr::TakeConfirmedProject)(row[1], &file);
        EXPECT_EQ(std::string(row[2]) + "|" + row[3] + "|kept", std::string(file.directory) + "|" + file.name + "|" + file.extension) << row[1];
    }
}

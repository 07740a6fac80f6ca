// The directory browser, driven under Wine as a person would use it, on real
// directory trees in the test's working directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>

#include "krfiles.h"
#include "krutil_dialogs.h"
#include "support/box_answerer.h"
#include "support/dialog_driver.h"
#include "support/gui_objects.h"
#include "support/help_recorder.h"
#include "support/test_control.h"
#include "support/work_dir.h"

namespace {

using krtest::Dialog;
using Path = std::vector<std::string>;

const char kCaption[] = "Select Project";
const char kRefused[] = "Kestrune security is not currently configured to allow you access to this location\n"
                        "Please see your Kestrune administrator";

// A tree the browser lists: three projects (one a plain file of the same
// pattern), directories with and without sub-directories of their own.
std::string MakeTree(const std::string &name)
{
    const std::string root = krtest::WorkPath(name);
    for (const char *dir : {"", "\\A.PRO", "\\b.PRO", "\\C.PRO", "\\plain", "\\deep", "\\deep\\inner", "\\deep\\Q.PRO",
                            "\\only_pro", "\\only_pro\\Y.PRO", "\\.hidden"})
        CreateDirectoryA((root + dir).c_str(), nullptr);
    krtest::WriteTextFile(root + "\\X.PRO", "a file, not a project");
    return root + "\\";
}

// The tree path of a directory: "C:\" and its components.
Path TreePath(const std::string &directory)
{
    Path path{directory.substr(0, 2) + "\\"};
    std::stringstream rest(directory.substr(3));
    for (std::string part; std::getline(rest, part, '\\');)
        if (!part.empty())
            path.push_back(part);
    return path;
}

int Browse(const std::string &directory, const char *name, char *out, int check = 0)
{
    return DirectoryDialog("*.PRO", directory.c_str(), name, kCaption, nullptr, out, check, 0);
}

TEST(DirectoryDialog, ListsMatchingDirectoriesInByteOrderAndFollowsTheTree)
{
    const std::string dir = MakeTree("listing");
    const Path here = TreePath(dir);
    krtest::DialogDriver driver;
    driver.Then(kCaption, [&](Dialog &d) {
        EXPECT_EQ(dir, d.Text(IDC_BROWSE_DIRECTORY));
        EXPECT_EQ("c.pro", d.Text(IDC_BROWSE_NAME)) << "a name ending in the extension keeps its own";
        EXPECT_EQ((std::vector<std::string>{"A.PRO", "C.PRO", "b.PRO"}), d.ListItems(IDC_BROWSE_ENTRIES));
        EXPECT_EQ(1, d.ListSelection(IDC_BROWSE_ENTRIES)) << "the proposed name is selected";
        EXPECT_EQ(here.back(), d.TreeSelection(IDC_BROWSE_TREE));
        EXPECT_EQ((std::vector<std::string>{"deep", "only_pro", "plain"}), d.TreeChildren(IDC_BROWSE_TREE, here));
        const Path deep = TreePath(dir + "deep"), plain = TreePath(dir + "plain"), onlyPro = TreePath(dir + "only_pro");
        EXPECT_EQ((std::vector<std::string>{"____"}), d.TreeChildren(IDC_BROWSE_TREE, deep)); // an expand button
        EXPECT_TRUE(d.TreeChildren(IDC_BROWSE_TREE, plain).empty());
        EXPECT_TRUE(d.TreeChildren(IDC_BROWSE_TREE, onlyPro).empty()) << "a project is not a sub-directory to open";
        d.ExpandTreeItem(IDC_BROWSE_TREE, deep);
        EXPECT_EQ((std::vector<std::string>{"inner"}), d.TreeChildren(IDC_BROWSE_TREE, deep));
        d.Screenshot("browse_dialog");
        d.SelectTreeItem(IDC_BROWSE_TREE, deep);
        EXPECT_EQ(dir + "deep\\", d.Text(IDC_BROWSE_DIRECTORY));
        EXPECT_EQ((std::vector<std::string>{"Q.PRO"}), d.ListItems(IDC_BROWSE_ENTRIES));
        d.SelectListItem(IDC_BROWSE_ENTRIES, "Q.PRO", true); // a double click chooses it
    });
    char out[MAX_PATH] = "untouched";
    EXPECT_EQ(IDOK, Browse(dir, "c.pro", out));
    EXPECT_EQ(dir + "deep\\Q.PRO", out);
}

TEST(DirectoryDialog, RefusedLocationIsAuditedToldAndKeepsTheDialogOpen)
{
    const std::string dir = MakeTree("refused");
    const std::string log = krtest::WorkPath("audit.log");
    // The shown directory is refused; the one typed into the name is allowed:
    // the test is made before the name can move the directory.
    krtest::WriteTextFile("KRSECURE.INI", "[Security]\r\nSecurityLight=1\r\nDataLocations=" + dir + "plain\r\nAuditLog=" + log + "\r\n");
    krtest::BoxAnswerer boxes;
    krtest::DialogDriver driver;
    driver.Then(kCaption, [&](Dialog &d) {
        EXPECT_TRUE(d.ListItems(IDC_BROWSE_ENTRIES).empty()) << "no entries where the user may not go";
        d.Type(IDC_BROWSE_NAME, dir + "plain\\Study3");
        d.Click(IDOK);
        d.Click(IDCANCEL); // a failure unless still open
    });
    EXPECT_EQ(IDCANCEL, Browse(dir, "", nullptr, 1));
    EXPECT_EQ(kRefused + std::string("|Kestrune Security|16;"), boxes.Passed()); // MB_OK | MB_ICONSTOP
    EXPECT_NE(std::string::npos, krtest::ReadTextFile(log).find("\t13022\t6\t" + dir + "plain\\Study3.PRO"))
        << krtest::ReadTextFile(log);
    DeleteFileA("KRSECURE.INI");
}

TEST(DirectoryDialog, StartsInTheProgramsDirectoryChangesDriveAndLeaksNothing)
{
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    *(strrchr(program, '\\') + 1) = '\0';
    krtest::HelpRecorder help;
    krtest::GuiObjects before;
    for (int round = 0; round < 2; ++round) { // the first round loads what the platform keeps for later
        before = krtest::CountGuiObjects();
        krtest::DialogDriver driver;
        driver.Then("Select <File / Project etc>", [&](Dialog &d) { // without a title, the template's
            EXPECT_EQ(program, d.Text(IDC_BROWSE_DIRECTORY));
            EXPECT_EQ("Study4.PRO", d.Text(IDC_BROWSE_NAME));
            d.SysCommand(SC_CONTEXTHELP);
            std::string drive;
            for (const std::string &entry : d.ListItems(IDC_BROWSE_DRIVES))
                if (entry.compare(0, 2, "Z:") == 0)
                    drive = entry;
            ASSERT_FALSE(drive.empty());
            d.SelectComboItem(IDC_BROWSE_DRIVES, drive);
            EXPECT_EQ("Z:\\", d.Text(IDC_BROWSE_DIRECTORY));
            EXPECT_EQ("", d.Text(IDC_BROWSE_NAME));
            EXPECT_EQ((std::vector<std::string>{"Z:\\"}), d.TreeChildren(IDC_BROWSE_TREE, {}));
            d.Click(IDCANCEL);
        });
        char out[MAX_PATH] = "untouched";
        EXPECT_EQ(IDCANCEL, DirectoryDialog("*.PRO", "", "Study4", nullptr, nullptr, out, 0, 0));
        EXPECT_STREQ("untouched", out);
    }
    EXPECT_EQ(krtest::HelpRecorder::SuiteContext(56), help.Last());
    const krtest::GuiObjects after = krtest::CountGuiObjects();
    EXPECT_TRUE(before == after) << "GDI objects " << before.gdi << " -> " << after.gdi << ", windows "
                                 << before.windows << " -> " << after.windows;
}

TEST(DirectoryDialog, BadInputAndNoMemoryForTheList)
{
    const std::string dir = MakeTree("bad");
    krtest::DialogDriver driver;
    driver.Then("", [&](Dialog &d) { d.Click(IDOK); }); // every argument null
    driver.Then(kCaption, [&](Dialog &d) {
        EXPECT_TRUE(d.ListItems(IDC_BROWSE_ENTRIES).empty()) << "a directory that does not exist";
        d.Click(IDCANCEL);
    });
    driver.Then(kCaption, [&](Dialog &d) {
        EXPECT_TRUE(d.ListItems(IDC_BROWSE_ENTRIES).empty()) << "no memory: no partial list";
        EXPECT_EQ(3u, d.TreeChildren(IDC_BROWSE_TREE, TreePath(dir)).size());
        d.Click(IDOK);
    });
    EXPECT_EQ(IDOK, DirectoryDialog(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0));
    EXPECT_EQ(IDCANCEL, Browse(dir + "missing\\", "", nullptr));
    for (size_t length : {259, 260, 261}) { // directories that do not leave room for a name
        const std::string deep = dir + std::string(length - dir.size(), 'd');
        driver.Then(kCaption, [&](Dialog &d) { d.Click(IDOK); });
        char out[MAX_PATH + 8];
        memset(out, '#', sizeof out);
        EXPECT_EQ(IDOK, Browse(deep, "p", out)) << length;
        EXPECT_GT(sizeof out, strlen(out) + 8) << length;
    }
    KrutilTestControl(KRTEST_MEM_FAIL_FROM, 1);
    char out[MAX_PATH];
    EXPECT_EQ(IDOK, Browse(dir, std::string(300, 'n').c_str(), out));
    KrutilTestControl(KRTEST_MEM_FAIL_AT, 0);
    EXPECT_EQ(259u, strlen(out)) << "a chosen path too long is cut to the buffer";
}

} // namespace

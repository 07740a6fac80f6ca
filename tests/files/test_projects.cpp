// Projects under Wine, on real trees: made current and created, picked with the directory
// browser and with the old-style open-file dialog (asking the applications: test_apps).
#include <gtest/gtest.h>

#include "krutil.h"

#include <dlgs.h>

#include "krutil_dialogs.h"
#include "support/box_answerer.h"
#include "support/dialog_driver.h"
#include "support/help_recorder.h"
#include "support/work_dir.h"

namespace {

const char kTitle[] = "Pick Project";

QZFILE Project(const std::string &path)
{
    QZFILE file{};
    ConvertPathToQZFile(&file, path.c_str());
    return file;
}

void MakeTree(const std::vector<std::string> &entries)
{
    for (const std::string &entry : entries)
        entry.back() == '\\' ? void(CreateDirectoryA(entry.c_str(), nullptr)) : krtest::WriteTextFile(entry, "");
}

TEST(Projects, CurrentProjectPointsTheFileKeysAtItsSubDirectories)
{
    QZFILE current;
    ASSERT_EQ(1, ProGetCurrent(&current));
    EXPECT_EQ("c:\\kestrune\\||PRO", std::string(current.directory) + "|" + current.name + "|" + current.extension);
    const QZFILE project = Project("Set1.PRO");
    ASSERT_EQ(1, ProCreateDirectory(nullptr, &project));
    MakeTree({"Set1.PRO\\DATA\\x.RAW", "Set1.PRO\\DATA\\run1.RAW\\", "Set1.PRO\\METHDB\\m.1.MDB", "Set1.PRO\\PEAKDB\\pk.PDB",
              "Set1.PRO\\SAMPLEDB\\a.SDB", "Set1.PRO\\SAMPLEDB\\b.SPL"});
    krtest::BoxAnswerer boxes;
    ASSERT_EQ(1, ProSetCurrent(nullptr, &project));
    EXPECT_EQ("", boxes.Passed()) << "no application is open: nothing to ask";
    const char *const keys[][2] = {{"CURVE_DB", "CURVEDB\\,Set1,CDB"}, {"RAW", "DATA\\,run1,RAW"}, {"METHOD_DB", "METHDB\\,m,MDB"},
                                   {"PEAK_DB", "PEAKDB\\,pk,PDB"}, {"SAMPLES_DB", "SAMPLEDB\\,b,SPL"}, {"PTABLE_DB", "TABLEDB\\,Set1,TDB"}};
    InitGlobal(0);
    FreeGlobal(0); // the store stays, its SystemList keys written to KESTRUNE.INI
    for (const auto &key : keys) {
        char text[512];
        GetGlobalString("SystemList", key[0], "(none)", text, sizeof text);
        EXPECT_EQ(std::string("0,Set1.PRO\\") + key[1] + ",1,1", text) << key[0];
        EXPECT_EQ(text, krtest::ReadIniValue("SystemList", key[0])) << key[0];
    }
}

TEST(Projects, CreateDirectoryMakesWhatIsMissingOrSaysWhyNot)
{
    MakeTree({"part.PRO\\", "part.PRO\\DATA\\", "blk.PRO\\", "blk.PRO\\CURVEDB"});
    const std::string cannot = "Unable to create Project directory";
    const struct {
        std::string name, security, box;
        int result, made; // made: sub-directories there afterwards, -1 not even the project's
    } rows[] = {{std::string(25, 'a'), "", "", 1, 6}, // a project path of 29 characters
                {std::string(26, 'b'), "", cannot + "\nTry moving this project up a directory level|Create Project|0;", 0, -1},
                {"part", "", "", 1, 6},
                {"deny", "[Security]\r\nSecureFiles=1\r\nDataLocations=C:\\elsewhere\r\n", cannot + "|Create Project|0;", 0, -1},
                {"blk", "", "Unable to create Project sub-directory|Create Project|0;", 0, 0}};
    for (const auto &row : rows) {
        krtest::WriteTextFile("KRSECURE.INI", row.security);
        krtest::BoxAnswerer boxes;
        const QZFILE project = Project(row.name + ".PRO");
        EXPECT_EQ(row.result, ProCreateDirectory(nullptr, &project)) << row.name;
        DeleteFileA("KRSECURE.INI");
        EXPECT_EQ(row.box, boxes.Passed()) << row.name;
        int made = GetFileAttributesA((row.name + ".PRO").c_str()) == FILE_ATTRIBUTE_DIRECTORY ? 0 : -1;
        for (const char *sub : {"CURVEDB", "DATA", "METHDB", "PEAKDB", "SAMPLEDB", "TABLEDB"})
            made += GetFileAttributesA((row.name + ".PRO\\" + sub).c_str()) == FILE_ATTRIBUTE_DIRECTORY;
        EXPECT_EQ(row.made, made) << row.name;
    }
}

TEST(Projects, FileOpenRetriesAnInaccessibleChoiceAndAllowsOnePickerAtATime)
{
    MakeTree({"Pick1.PRO\\"});
    const std::string work = krtest::WorkDir() + "\\";
    QZFILE project = Project(work + "\\\\");
    krtest::BoxAnswerer boxes;
    krtest::DialogDriver driver;
    driver.Then(kTitle, [](auto &d) {
        QZFILE other{};
        EXPECT_EQ(0, ProFileOpen(nullptr, &other, 0, kTitle, 0)) << "a second picker is refused";
        d.Type(IDC_BROWSE_NAME, "Nope");
        d.Click(IDOK);
    });
    driver.Then(kTitle, [](auto &d) {
        d.Type(IDC_BROWSE_NAME, "Pick1");
        d.Click(IDOK);
    });
    ASSERT_EQ(1, ProFileOpen(nullptr, &project, 0, kTitle, 0));
    EXPECT_EQ(work + "|Pick1|PRO", std::string(project.directory) + "|" + project.name + "|" + project.extension);
    EXPECT_EQ("This project is not accessible|Invalid Project|16;", boxes.Passed());
    strcpy(project.directory, (work + "\\\\").c_str());
    driver.Then(kTitle, [](auto &d) { d.Click(IDCANCEL); });
    EXPECT_EQ(0, ProFileOpen(nullptr, &project, 0, kTitle, 1));
    EXPECT_EQ(work, project.directory) << "trailing backslashes are cut to one before the browser starts";
}

TEST(Projects, HookListsProjectsAsFilesAndChecksTheConfirmedName)
{
    MakeTree({"hook\\", "hook\\Study1.PRO\\", "hook\\b.pro\\", "hook\\plain\\", "hook\\X.PRO"});
    const std::string dir = krtest::WorkPath("hook"), missing = dir + "\\MISSING.PRO\n\nThis Project does not exist.\n";
    krtest::HelpRecorder help;
    PROJECTOPENDATA data{{}, {}, PROJECTOPEN_MUST_EXIST};
    krtest::BoxAnswerer boxes(IDNO); // closes the box that only tells, too
    krtest::DialogDriver driver;
    driver.Then(kTitle, [&](auto &d) {
        // Wine fills the directory list with LB_DIR, as "[name]": the moved
        // projects keep the brackets, and the list's subclass sees no entry.
        EXPECT_EQ((std::vector<std::string>{"[B.PRO]", "[STUDY1.PRO]", "X.PRO"}), d.ListItems(lst1));
        EXPECT_EQ((std::vector<std::string>{"[..]", "[plain]"}), d.ListItems(lst2));
        EXPECT_TRUE(d.Text(stc3) == "Project &Name:" && !d.Visible(stc2) && !d.Visible(cmb1));
        d.SelectListItem(lst1, "[STUDY1.PRO]");
        EXPECT_EQ("[STUDY1|PRO|1", std::string(data.file.name) + "|" + data.file.extension + "|" + std::to_string(data.file.value1));
        d.Click(pshHelp);
        d.Type(edt1, "missing.pro"); // read as MISSING
        d.Click(IDOK);               // must exist: told
        data.flags = 0;
        d.Click(IDOK); // may be created: asked, and declined
        d.Type(edt1, "study1");
        d.Click(IDOK);
    });
    char file[MAX_PATH] = "";
    OPENFILENAMEA dialog{sizeof dialog, nullptr, GetModuleHandleA("krutil.dll"), "Projects\0*.PRO\0", nullptr, 0, 1, file,
                         MAX_PATH, nullptr, 0, dir.c_str(), kTitle, OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_SHOWHELP, 0, 0,
                         nullptr, reinterpret_cast<LPARAM>(&data), ProFileOpenHookProc, "PROJECT_OPEN", nullptr, 0, 0};
    EXPECT_TRUE(GetOpenFileNameA(&dialog));
    EXPECT_EQ(krtest::HelpRecorder::SuiteContext(56), help.Last());
    EXPECT_EQ(dir + "\\|STUDY1|PRO", std::string(data.file.directory) + "|" + data.file.name + "|" + data.file.extension);
    EXPECT_EQ(missing + "Check path and name are correct.|" + kTitle + "|0;" + missing + "Create Project directory?|" + kTitle + "|36;",
              boxes.Passed());
}

} // namespace

// The raw-file browser driven under Wine: what the caller's callbacks see,
// the display options to and from the options word, and signing.
#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>

#include "krfiles.h"
#include "krutil_dialogs.h"
#include "support/box_answerer.h"
#include "support/dialog_driver.h"
#include "support/gui_objects.h"
#include "support/help_recorder.h"
#include "support/work_dir.h"
#include "tallisk.h"
#include "veritane.h"
#include "veritane_dialog.h"

namespace {

using krtest::Dialog;
using Texts = std::vector<std::string>;

const char kCaption[] = "Open Raw File";
const char kLongFunction[] = "Function 3: a scan function with a name longer than the list is wide";

Texts g_calls;          // what each callback saw, in order
Texts g_functions;      // what the information callback offers
int g_accept = 1;       // what the information callback answers

void Saw(const std::string &what, const RAWFILEDIALOGDATA *data)
{
    const QZFILE &file = data->rawFile.file;
    char line[600];
    snprintf(line, sizeof line, "%s %s.%s n%d v%ld i%d,%d o%lx", what.c_str(), file.name, file.extension,
             file.number, file.value1, data->rawFile.index1, data->rawFile.index2, data->options);
    g_calls.push_back(line);
}

int KRAPI Information(HWND dialog, RAWFILEDIALOGDATA *data)
{
    Saw("information", data);
    if (SendDlgItemMessageA(dialog, RAWFILE_IDC_FUNCTION, CB_GETCOUNT, 0, 0) == 0)
        for (const std::string &function : g_functions)
            SendDlgItemMessageA(dialog, RAWFILE_IDC_FUNCTION, CB_ADDSTRING, 0, LPARAM(function.c_str()));
    return g_accept;
}
int KRAPI History(HWND, RAWFILEDIALOGDATA *data)
{
    Saw("history", data);
    data->rawFile.file.value1 = 7;
    return 1;
}
int KRAPI Experiment(HWND, RAWFILEDIALOGDATA *data, int show)
{
    Saw("experiment" + std::to_string(show), data);
    return 1;
}
int KRAPI Remove(HWND, RAWFILEDIALOGDATA *data)
{
    Saw("remove", data);
    return RemoveDirectoryA((std::string(data->rawFile.file.directory) + data->rawFile.file.name + ".raw").c_str());
}
RAWFILECALLBACKS g_callbacks = {History, Experiment, Remove, Information};

std::string MakeRawFiles(const std::string &name)
{
    const std::string root = krtest::WorkPath(name) + "\\";
    for (const char *dir : {"", "run01.raw", "run02.raw", "run03.RAW", "sub"})
        CreateDirectoryA((root + dir).c_str(), nullptr);
    krtest::WriteTextFile(root + "x.raw", "a file, not a raw file");
    return root;
}

int OpenRaw(const std::string &dir, RAWFILEDIALOGDATA *data, char *out)
{
    g_calls.clear();
    return RawFileDialog("*.raw", dir.c_str(), "run01", kCaption, nullptr, data, &g_callbacks, out);
}

TEST(RawFileDialog, CallbacksSeeTheRecordFilledAndResetAsTheSelectionMoves)
{
    const std::string dir = MakeRawFiles("callbacks");
    g_functions = {"TIC", "BPI", "Function 3"};
    RAWFILEDIALOGDATA data = {};
    data.rawFile.file.value1 = 5;
    data.rawFile.index1 = 9;
    data.options = RAWFILE_SHOW_DISPLAY | RAWFILE_SHOW_TRACES | RAWFILE_SPECTRUM;
    krtest::HelpRecorder help;
    krtest::DialogDriver driver;
    driver.Then(kCaption, [&](Dialog &d) {
        EXPECT_EQ((Texts{"run01.raw", "run02.raw", "run03.RAW"}), d.ListItems(IDC_BROWSE_ENTRIES));
        d.SelectComboItem(IDC_RAW_FUNCTION, "Function 3");
        d.Click(IDC_RAW_HISTORY);
        d.Click(IDC_RAW_EXPERIMENT);
        d.SelectListItem(IDC_BROWSE_ENTRIES, "run02.raw");
        d.Click(IDC_RAW_DELETE);
        EXPECT_EQ((Texts{"run01.raw", "run03.RAW"}), d.ListItems(IDC_BROWSE_ENTRIES));
        d.SysCommand(SC_CONTEXTHELP);
        d.SelectListItem(IDC_BROWSE_ENTRIES, "run03.RAW");
        d.Click(IDC_RAW_CHROMATOGRAM);
        d.Click(IDC_RAW_SPECTRUM);
        d.Click(IDC_RAW_REPLACE);
        g_accept = 0;
        d.Click(IDOK);
        EXPECT_TRUE(d.IsOpen()) << "the information callback refused OK";
        g_accept = 1;
        d.Click(IDOK);
    });
    char out[MAX_PATH] = "";
    EXPECT_EQ(IDOK, OpenRaw(dir, &data, out));
    EXPECT_EQ((Texts{"information run01.RAW n0 v5 i9,0 o51", "history run01.RAW n0 v5 i3,0 o51",
                     "information run01.RAW n0 v1 i3,0 o51", "experiment1 run01.RAW n0 v1 i3,0 o51",
                     "information run02.RAW n0 v1 i1,0 o51", "remove run02.RAW n0 v1 i1,0 o51",
                     "information .RAW n0 v1 i1,0 o51", "information run03.RAW n0 v1 i1,0 o51",
                     "information run03.RAW n0 v1 i1,0 o35", "information run03.RAW n0 v1 i1,0 o35"}),
              g_calls);
    EXPECT_EQ(dir, data.rawFile.file.directory);
    EXPECT_EQ(dir + "run03.RAW", out);
    EXPECT_EQ(krtest::HelpRecorder::SuiteContext(49), help.Last());
}

// The controls as shown: Add, Replace, New Window, Replace All, Chromatogram,
// Spectrum, History, Sign; "-" hidden, "o" shown, "x" shown and checked.
std::string Controls(const Dialog &d)
{
    std::string shown;
    for (int id : {IDC_RAW_ADD, IDC_RAW_REPLACE, IDC_RAW_NEW_WINDOW, IDC_RAW_REPLACE_ALL, IDC_RAW_CHROMATOGRAM,
                   IDC_RAW_SPECTRUM, IDC_RAW_HISTORY, IDC_RAW_SIGN})
        shown += !d.Visible(id) ? '-' : d.Checked(id) ? 'x' : 'o';
    return shown;
}

TEST(RawFileDialog, OptionsWordSetsTheControlsALongFunctionWidensNothingLeaksNullRecordsServe)
{
    const std::string dir = MakeRawFiles("options");
    const struct {
        unsigned long options;
        const char *controls;
    } rows[] = {{0x0, "------o-"},  {0x9, "oox---o-"},  {0xD, "oxo---o-"},
                {0x91, "oooxooo-"}, {0x21, "xooo--o-"}, {0x170, "----xx--"}};
    RECT narrow = {}, narrowOk = {};
    krtest::GuiObjects before;
    for (const auto &row : rows) {
        const bool widened = &row == &rows[5];
        g_functions = {"TIC", widened ? kLongFunction : "BPI"};
        RAWFILEDIALOGDATA data = {};
        data.options = row.options;
        krtest::DialogDriver driver;
        driver.Then(kCaption, [&](Dialog &d) {
            EXPECT_EQ(row.controls, Controls(d)) << std::hex << row.options;
            RECT frame, ok;
            GetWindowRect(d.hwnd, &frame);
            GetWindowRect(d.Item(IDOK), &ok);
            if (!widened) {
                narrow = frame;
                narrowOk = ok;
            } else {
                EXPECT_GT(frame.right - frame.left, narrow.right - narrow.left);
                EXPECT_EQ((frame.right - frame.left) - (narrow.right - narrow.left),
                          (ok.left - frame.left) - (narrowOk.left - narrow.left)) << "OK moves as the dialog grows";
                d.Screenshot("raw_file_dialog");
            }
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, OpenRaw(dir, &data, nullptr)) << std::hex << row.options;
        if (&row == &rows[0])
            before = krtest::CountGuiObjects(); // once the platform has loaded what it keeps
    }
    const krtest::GuiObjects after = krtest::CountGuiObjects();
    EXPECT_TRUE(before == after) << "GDI objects " << before.gdi << " -> " << after.gdi;
    krtest::DialogDriver driver;
    driver.Then(kCaption, [](Dialog &d) { d.Click(IDOK); });
    char out[MAX_PATH] = "";
    EXPECT_EQ(IDOK, RawFileDialog("*.raw", dir.c_str(), "run02", kCaption, nullptr, nullptr, nullptr, out));
    EXPECT_EQ(dir + "run02.raw", out) << "without a record or callbacks";
}

// Signing the selected raw file: with secure files every data file carries
// the signature; with light security the first unprotected file's checksum
// block does, and the raw file's audit log says so; a block that cannot be
// written is told. Without the right to delete, Delete does nothing.
TEST(RawFileDialog, SignsWhatTheSecurityFormAsksAndTellsAFailedBlock)
{
    const struct {
        const char *name, *security, *files, *signedFiles, *blocked, *box;
    } rows[] = {
        {"secure", "SecureFiles=1", "a.dat b.dat _proc01.txt _HISTORY.txt", "a.dat b.dat", "", ""},
        {"light", "SecurityLight=1", "protected.dat a.dat _Proc.txt", "", "a.dat", ""},
        {"readonly", "SecurityLight=1", "a.dat protected_a.dat.tsk", "", "", "Sign Raw File: Failed to sign file 16"},
        {"nothing to sign", "SecureFiles=1", "_proc01.txt", "", "", ""}, // and no signature asked for
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const std::string dir = MakeRawFiles(row.name), raw = dir + "run01.raw\\";
        std::stringstream files(row.files);
        for (std::string file; files >> file;)
            krtest::WriteTextFile(raw + file, "content of " + file);
        SetFileAttributesA((raw + "protected_a.dat.tsk").c_str(), FILE_ATTRIBUTE_READONLY);
        krtest::WriteTextFile("KRSECURE.INI", "[Security]\r\nUser=rf-anna\r\nSigning=1\r\nDataLocations=" +
                                                  krtest::WorkDir() + "\r\n" + row.security + "\r\n");
        krtest::BoxAnswerer boxes;
        krtest::DialogDriver driver;
        driver.Then(kCaption, [&](Dialog &d) {
            d.Click(IDC_RAW_DELETE);
            d.Click(IDC_RAW_SIGN);
            d.Click(IDCANCEL);
        });
        if (&row != &rows[3])
            driver.Then("Electronic Signature", [](Dialog &d) {
                d.Type(IDC_VERITANE_REASON, "approved");
                d.Click(IDOK);
            });
        RAWFILEDIALOGDATA data = {};
        EXPECT_EQ(IDCANCEL, OpenRaw(dir, &data, nullptr));
        EXPECT_EQ(1u, g_calls.size()) << "only the first information, no delete";
        std::string signedFiles, blocked;
        for (const char *file : {"a.dat", "b.dat", "protected.dat", "_proc01.txt", "_HISTORY.txt", "_Proc.txt"}) {
            VERITANE_SIGNATURE signature = {};
            if (VerifySignatureInFile((raw + file).c_str(), &signature) && std::string(signature.reason) == "approved")
                signedFiles += (signedFiles.empty() ? "" : " ") + std::string(file);
            if (VerifyChecksumBlock((raw + file).c_str(), &signature, sizeof signature, nullptr) && signature.isSigned)
                blocked += file;
        }
        EXPECT_EQ(row.signedFiles, signedFiles);
        EXPECT_EQ(row.blocked, blocked);
        const std::string audit = krtest::ReadTextFile(raw + "_history_audit.log");
        EXPECT_EQ(*row.blocked != 0, audit.find("\t8\t") != std::string::npos) << audit;
        EXPECT_EQ(row.box, boxes.Boxes().empty() ? "" : boxes.Boxes()[0].caption + ": " + boxes.Boxes()[0].text + " " +
                                                            std::to_string(boxes.Boxes()[0].style));
    }
    DeleteFileA("KRSECURE.INI");
}

} // namespace

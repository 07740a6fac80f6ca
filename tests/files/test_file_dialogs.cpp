// The open and save dialogs through the DLL, driven like a user: what the
// secure dialog was given (through the library's observer: the platform's
// dialog does not show its flags), what it shows, and the record afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "krutil.h"
#include "support/alloc_sweep.h"
#include "support/dialog_driver.h"
#include "support/gui_objects.h"
#include "support/test_control.h"
#include "support/work_dir.h"

namespace {

const int kName = 1148, kLookIn = 1137, kType = 1136; // the platform dialog's fields
std::string g_given; // the last dialog's arguments, "|"-joined

void __stdcall Observe(BOOL open, const char *extension, const char *name, DWORD flags, const char *filter, HWND,
                       const char *title, const char *directory)
{
    char text[1024];
    wsprintfA(text, "%d|%s|%s|%#x|%s|%s|%s", open, extension, name, flags, filter, title, directory); // null: (null)
    g_given = text;
}

} // namespace

// No record, or no known type for an open dialog: no dialog. Each dialog cancelled (0, the record as the filter
// left it) and confirmed with run01.raw (into the record); a second round leaves nothing (heap, GDI, windows).
TEST(FileDialogs, CancelledOrConfirmed)
{
    const std::string data = krtest::WorkPath("data"), run01 = data + "\\run01.raw", t28(28, 'T'), n255(255, 'n');
    const std::string raw = "Data File (*.raw)|*.raw||", txt = "Simple Text File (*.txt)|*.txt||";
    CreateDirectoryA(data.c_str(), nullptr);
    HWND owner = nullptr;
    MACFILE file = {{1, 2, 3, 4, 5, 6, 7, 8}, "", {9, "", "run01", "", 10, 11}};
    const auto show = [&](int dialog, const char *extensions, const std::string &title, unsigned flags) {
        (title + std::string(sizeof file.title, '\0')).copy(file.title, sizeof file.title); // NUL-padded; 28 fill it
        strcpy(file.file.extension, extensions);
        return dialog == 0 ? GenOpenFile(0, owner, &file.file, flags, title == "(null)" ? nullptr : title.c_str())
                           : (dialog == 1 ? GenGetNormalFile : GenSetNormalFile)(0, owner, &file);
    };
    const INT_PTR previous = KrutilTestControl(KRTEST_FILE_DIALOG_OBSERVER, reinterpret_cast<INT_PTR>(&Observe));
    EXPECT_FALSE(GenOpenFile(0, owner, nullptr, 0, "") || GenGetNormalFile(0, owner, nullptr) ||
                 GenSetNormalFile(0, owner, nullptr) || show(0, "xyz", "", 0) || show(1, "|", "", 0) ||
                 !g_given.empty());
    const struct {
        int dialog, flags; // flags: GenOpenFile's
        const char *extensions;
        std::string name, directory, title, shown, given; // shown: caption|look in|type|name
    } rows[] = {
        {0, 0, "raw|txt", "x", data + "\\", "Pick", "Pick|data|Data File (*.raw)|x.raw",
         "1|raw|x.raw|0x200c|" + raw.substr(0, 24) + txt + "|Pick|" + data},
        {0, OFN_FILEMUSTEXIST, "RAW", "", "C:\\", "(null)", "Open||Data File (*.raw)|.RAW",
         "1|RAW|.RAW|0x1000|" + raw + "|(null)|C:"},
        {1, 0, "txt|raw", "", "\\", "", "Open||Simple Text File (*.txt)|", // an empty title: the dialog's own
         "1|txt||0x200c|" + txt.substr(0, 31) + raw + "|(null)|\\"},
        {2, 0, "xyz|abc", n255 + "n", data + "\\", t28, t28 + "|data||" + n255 + ".xyz", // fields filled: 255 read
         "0|xyz|" + n255 + ".xyz|0xe||" + t28 + "|" + data},
    };
    std::pair<size_t, krtest::GuiObjects> before; // heap bytes, GDI objects and windows
    for (int round = 0; round < 2; ++round) {
        before = {krtest::BusyHeapBytes(), krtest::CountGuiObjects()};
        DestroyWindow(owner); // a new window each round: the layer wraps it anew
        owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
        for (const auto &row : rows) {
            for (const int button : {IDCANCEL, IDOK}) {
                SCOPED_TRACE(row.given + (button == IDOK ? " confirmed" : " cancelled"));
                DeleteFileA(run01.c_str()); // absent for the save dialog, which would ask to replace it
                if (row.dialog != 2)
                    krtest::WriteTextFile(run01, "");
                strcpy(file.file.directory, row.directory.c_str());
                (row.name + std::string(sizeof file.file.name, '\0')).copy(file.file.name, sizeof file.file.name);
                krtest::DialogDriver driver;
                driver.Then("", [&](krtest::Dialog &dialog) {
                    const bool inData = row.shown.find("|data|") != std::string::npos;
                    EXPECT_EQ(row.shown, dialog.Caption() + "|" + (inData ? dialog.Text(kLookIn) : "") + "|" +
                                             dialog.Text(kType) + "|" + dialog.Text(kName));
                    EXPECT_EQ(owner, GetWindow(dialog.hwnd, GW_OWNER));
                    if (&row == rows && round == 0 && button == IDOK)
                        dialog.Screenshot("file_dialog");
                    dialog.Type(kName, button == IDOK ? run01 : "typed, then cancelled");
                    dialog.Click(button);
                });
                MACFILE expected = file; // cancelled: the list as the filter left it, cut at its first "|"
                strcpy(expected.file.extension, row.extensions);
                strtok(expected.file.extension, "|");
                if (button == IDOK) {
                    strcpy(expected.file.directory, (data + "\\").c_str());
                    strcpy(expected.file.name, "run01");
                    strcpy(expected.file.extension, "raw");
                }
                EXPECT_EQ(button == IDOK ? 1 : 0, show(row.dialog, row.extensions, row.title, row.flags));
                EXPECT_EQ(row.given, g_given);
                EXPECT_TRUE(!memcmp(&expected.file, &file.file, sizeof file.file) && file.reserved[7] == 8);
            }
        }
    }
    EXPECT_TRUE(before == std::make_pair(krtest::BusyHeapBytes(), krtest::CountGuiObjects()));
    DestroyWindow(owner);
    KrutilTestControl(KRTEST_FILE_DIALOG_OBSERVER, previous);
    SetCurrentDirectoryA(krtest::WorkDir().c_str()); // a dialog without OFN_NOCHANGEDIR moves it
}

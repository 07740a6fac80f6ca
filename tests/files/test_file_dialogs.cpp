// The open and save dialogs through the DLL, driven like a user: what the
// secure dialog was given (through the library's observer: the platform's
// dialog does not show its flags), what it shows, the typed path back in the
// record, and what a cancelled dialog leaves behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "krutil.h"
#include "support/alloc_sweep.h"
#include "support/dialog_driver.h"
#include "support/test_control.h"
#include "support/work_dir.h"

namespace {

const int kName = 1148, kLookIn = 1137, kType = 1136; // the platform dialog's fields
std::string g_given; // the last dialog's arguments, "|"-joined

void __stdcall Observe(BOOL open, const char *extension, const char *name, DWORD flags, const char *filter, HWND owner,
                       const char *title, const char *directory)
{
    char text[1024];
    wsprintfA(text, "%d|%s|%s|%#x|%s|%s|%s|%d", open, extension, name, flags, filter, title ? title : "(null)",
              directory ? directory : "(null)", owner != nullptr);
    g_given = text;
}

struct FileDialogs : testing::Test {
    void SetUp() override { CreateDirectoryA(data.c_str(), nullptr); }
    void TearDown() override // a dialog without OFN_NOCHANGEDIR moves the current directory
    {
        DestroyWindow(owner), KrutilTestControl(KRTEST_FILE_DIALOG_OBSERVER, 0);
        SetCurrentDirectoryA(krtest::WorkDir().c_str());
    }

    // GenOpenFile (0), GenGetNormalFile (1) or GenSetNormalFile (2) on the record; the title goes to both.
    short Show(int dialog, const char *extensions, const char *title = nullptr, unsigned flags = 0)
    {
        g_given.clear();
        memset(file.title, 0, sizeof file.title); // 28 characters fill the field unterminated
        std::string(title ? title : "").copy(file.title, sizeof file.title);
        strcpy(file.file.extension, extensions);
        return dialog == 0 ? GenOpenFile(0, owner, &file.file, flags, title)
                           : (dialog == 1 ? GenGetNormalFile : GenSetNormalFile)(0, owner, &file);
    }
    static HWND NewOwner() { return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, 0, 0, 0, nullptr); }

    const std::string data = krtest::WorkPath("data"), run01 = data + "\\run01.raw";
    HWND owner = NewOwner();
    MACFILE file = {{1, 2, 3, 4, 5, 6, 7, 8}, "", {9, "", "run01", "", 10, 11}};
    const INT_PTR observer = KrutilTestControl(KRTEST_FILE_DIALOG_OBSERVER, reinterpret_cast<INT_PTR>(&Observe));
};

} // namespace

// Each dialog with its arguments; run01.raw typed and confirmed comes back into the record.
TEST_F(FileDialogs, ChosenPathComesBackIntoTheRecord)
{
    const std::string t28(28, 'T'), raw = "Data File (*.raw)|*.raw||", txt = "Simple Text File (*.txt)|*.txt||";
    const struct {
        int dialog;
        unsigned flags;
        const char *extensions, *name;
        std::string directory, title, shown, given; // shown: caption|look in|type|name
    } rows[] = {
        {0, 0, "raw|txt", "x", data + "\\", "Pick", "Pick|data|Data File (*.raw)|x.raw",
         "1|raw|x.raw|0x200c|" + raw.substr(0, 24) + txt + "|Pick|" + data + "|1"},
        {0, OFN_FILEMUSTEXIST, "RAW", "", "C:\\", "", "Open||Data File (*.raw)|.RAW", "1|RAW|.RAW|0x1000|" + raw + "|(null)|C:|1"},
        {1, 0, "txt|raw", "", "\\", "Get", "Get||Simple Text File (*.txt)|", "1|txt||0x200c|" + txt.substr(0, 31) + raw + "|Get|\\|1"},
        {2, 0, "xyz", "run01", data + "\\", t28, t28 + "|data||run01.xyz", "0|xyz|run01.xyz|0xe||" + t28 + "|" + data + "|1"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.given);
        row.dialog == 2 ? (void)DeleteFileA(run01.c_str()) : krtest::WriteTextFile(run01, ""); // no question asked
        strcpy(file.file.directory, row.directory.c_str());
        strcpy(file.file.name, row.name);
        krtest::DialogDriver driver;
        driver.Then("", [&](krtest::Dialog &dialog) {
            const std::string lookIn = row.shown.find("|data|") != std::string::npos ? dialog.Text(kLookIn) : "";
            EXPECT_EQ(row.shown, dialog.Caption() + "|" + lookIn + "|" + dialog.Text(kType) + "|" + dialog.Text(kName));
            EXPECT_EQ(owner, GetWindow(dialog.hwnd, GW_OWNER));
            if (row.dialog == 0 && row.flags == 0)
                dialog.Screenshot("file_dialog");
            dialog.Type(kName, run01);
            dialog.Click(IDOK);
        });
        EXPECT_EQ(1, Show(row.dialog, row.extensions, row.title.c_str(), row.flags));
        EXPECT_EQ(row.given, g_given);
        EXPECT_EQ(data + "\\|run01|raw|9", std::string(file.file.directory) + "|" + file.file.name + "|" +
                                                file.file.extension + "|" + std::to_string(file.file.number));
        EXPECT_TRUE(file.reserved[7] == 8 && file.file.value1 == 10 && file.file.value2 == 11);
    }
}

// No record, or no known type for an open dialog: 0 and no dialog; the save
// dialog shows anyway. Cancelled: 0 and the record as the filter left it,
// with nothing left behind across a second round (heap, windows, GUI objects).
TEST_F(FileDialogs, NothingChangesWithoutAConfirmedName)
{
    EXPECT_FALSE(GenOpenFile(0, owner, nullptr, 0, "") || GenGetNormalFile(0, owner, nullptr) ||
                 GenSetNormalFile(0, owner, nullptr) || Show(0, "xyz") || Show(1, "|") || !g_given.empty());
    size_t heap = 0, user = 0, windows = 0;
    const auto gui = [] { return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS) * 1000 +
                                 GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); };
    const auto count = [] {
        size_t n = 0;
        EnumThreadWindows(GetCurrentThreadId(), [](HWND, LPARAM p) { return ++*reinterpret_cast<size_t *>(p), TRUE; },
                          reinterpret_cast<LPARAM>(&n));
        return n;
    };
    for (int round = 0; round < 2; ++round) {
        heap = krtest::BusyHeapBytes(), user = gui(), windows = count();
        DestroyWindow(owner), owner = NewOwner(); // a new window: the layer wraps it anew
        for (const int dialog : {0, 1, 2}) {
            const char *extensions = dialog == 2 ? "xyz|raw" : "txt|raw";
            krtest::DialogDriver driver;
            driver.Then("", [](krtest::Dialog &box) { box.Click(IDCANCEL); });
            MACFILE expected = file;
            strcpy(expected.file.extension, extensions);
            expected.file.extension[3] = '\0';
            EXPECT_EQ(0, Show(dialog, extensions));
            EXPECT_TRUE(!memcmp(&expected, &file, sizeof file) && driver.ScriptsRun() == 1) << dialog;
        }
    }
    EXPECT_TRUE(heap == krtest::BusyHeapBytes() && user == gui() && windows == count());
}

// The library's dialogs on a small tree of projects and data in the working
// directory: the directory browser and the open-file dialog. Each dialog is
// answered a moment after it is shown, as a person would answer it: an
// entry picked or a name typed, a screenshot taken, OK pressed.
#include <stdio.h>

#include <functional>
#include <string>

#include "demo_common.h"
#include "krutil_dialogs.h"
#include "support/screenshot.h"

namespace krdemo {
namespace {

using Answer = std::function<void(HWND dialog)>;
Answer g_answer;
HHOOK g_hook = nullptr;
HWND g_dialog = nullptr;

void CALLBACK AnswerShownDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    g_answer(g_dialog);
}

LRESULT CALLBACK WatchActivation(int code, WPARAM wp, LPARAM lp)
{
    if (code == HCBT_ACTIVATE && !g_dialog) {
        g_dialog = reinterpret_cast<HWND>(wp);
        SetTimer(nullptr, 0, 700, AnswerShownDialog);
    }
    return CallNextHookEx(g_hook, code, wp, lp);
}

// Runs `show` with `answer` waiting for the dialog it shows.
void AnswerNextDialog(const Answer &answer, const std::function<void()> &show)
{
    g_answer = answer;
    g_dialog = nullptr;
    g_hook = SetWindowsHookExA(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId());
    show();
    UnhookWindowsHookEx(g_hook);
}

// Into the working directory: the open-file dialog moves the current one.
void SaveShot(HWND dialog, const char *name)
{
    char work[MAX_PATH];
    GetKestruneWorkingDir(work);
    const std::string directory = std::string(work) + "\\screenshots\\", path = directory + name;
    CreateDirectoryA(directory.c_str(), nullptr);
    printf("    screenshot %s: %s\n", path.c_str(), krtest::SaveWindowAsBitmap(dialog, path) ? "saved" : "failed");
}

void Press(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string MakeDemoTree()
{
    char work[MAX_PATH];
    GetCurrentDirectoryA(sizeof work, work);
    const std::string root = std::string(work) + "\\Studies\\";
    for (const char *dir : {"", "Alpha.PRO", "Beta.PRO", "gamma.PRO", "Archive", "Archive\\Old.PRO", "Data",
                            "Data\\run01.raw", "Data\\run02.raw"})
        CreateDirectoryA((root + dir).c_str(), nullptr);
    HANDLE file = CreateFileA((root + "Data\\run01.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    return root;
}

// The application's part of the raw-file dialog: the panel for the selection.
int KRAPI ShowRawFileInformation(HWND dialog, RAWFILEDIALOGDATA *data)
{
    printf("    information callback: %s.%s, function %d, options 0x%lx\n", data->rawFile.file.name,
           data->rawFile.file.extension, data->rawFile.index1, data->options);
    SetDlgItemTextA(dialog, RAWFILE_IDC_DESCRIPTION, data->rawFile.file.name);
    SetDlgItemTextA(dialog, RAWFILE_IDC_ACQUIRED, "07-Dec-2026 09:30");
    HWND functions = GetDlgItem(dialog, RAWFILE_IDC_FUNCTION);
    if (SendMessageA(functions, CB_GETCOUNT, 0, 0) == 0) {
        for (const char *function : {"1: TOF MS ES+", "2: Diode array 200-400 nm"})
            SendMessageA(functions, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(function));
        SendMessageA(functions, CB_SETCURSEL, 0, 0);
    }
    return 1;
}

void OpenRawFile(const std::string &root)
{
    RAWFILEDIALOGDATA data{};
    data.options = RAWFILE_SHOW_DISPLAY | RAWFILE_NEW_WINDOW | RAWFILE_SHOW_TRACES | RAWFILE_SPECTRUM;
    RAWFILECALLBACKS callbacks{nullptr, nullptr, nullptr, ShowRawFileInformation};
    char chosen[MAX_PATH] = "";
    int result = 0;
    AnswerNextDialog(
        [](HWND dialog) {
            printf("    picking run02.raw, function 2 and Chromatogram\n");
            HWND list = GetDlgItem(dialog, IDC_BROWSE_ENTRIES);
            SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("run02.raw"));
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BROWSE_ENTRIES, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
            HWND functions = GetDlgItem(dialog, RAWFILE_IDC_FUNCTION);
            SendMessageA(functions, CB_SETCURSEL, 1, 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(RAWFILE_IDC_FUNCTION, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(functions));
            SendDlgItemMessageA(dialog, IDC_RAW_CHROMATOGRAM, BM_CLICK, 0, 0);
            SaveShot(dialog, "raw_file_dialog.bmp");
            Press(dialog, IDOK);
        },
        [&] { result = RawFileDialog("*.raw", (root + "Data").c_str(), "", "Open Raw File", nullptr, &data,
                                     &callbacks, chosen); });
    printf("  RawFileDialog = %d, chosen %s, function %d, options 0x%lx\n", result, chosen, data.rawFile.index1,
           data.options);
}

} // namespace

void TourDialogs()
{
    Heading("Dialogs: the directory browser, the open-file dialog and the raw-file dialog");
    const std::string root = MakeDemoTree();

    char chosen[MAX_PATH] = "";
    int result = 0;
    AnswerNextDialog(
        [](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_BROWSE_ENTRIES);
            const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
            printf("    the browser lists %ld projects; picking Beta.PRO\n", static_cast<long>(count));
            SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Beta.PRO"));
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BROWSE_ENTRIES, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
            SaveShot(dialog, "browse_dialog.bmp");
            Press(dialog, IDOK);
        },
        [&] { result = DirectoryDialog("*.PRO", root.c_str(), "", "Select Project", nullptr, chosen, 0, 0); });
    printf("  DirectoryDialog(*.PRO, %s) = %d, chosen %s\n", root.c_str(), result, chosen);

    MACFILE file{};
    lstrcpynA(file.title, "Open a text file", sizeof file.title);
    file.file = FileRecord((root + "Data\\").c_str(), "", "txt|raw");
    AnswerNextDialog(
        [](HWND dialog) {
            printf("    typing run01.txt into the file dialog\n");
            SetDlgItemTextA(dialog, 1148, "run01.txt"); // the platform dialog's name field
            SaveShot(dialog, "file_dialog.bmp");
            Press(dialog, IDOK);
        },
        [&] { result = GenGetNormalFile(0, nullptr, &file); });
    printf("  GenGetNormalFile = %d: directory \"%s\", name \"%s\", extension \"%s\"\n", result, file.file.directory,
           file.file.name, file.file.extension);
    OpenRawFile(root);
}

} // namespace krdemo

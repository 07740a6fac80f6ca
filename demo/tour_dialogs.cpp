// The library's dialogs on a small tree of projects and data in the working
// directory: the directory browser and the open-file dialog. Each dialog is
// answered a moment after it is shown, as a person would answer it: an
// entry picked or a name typed, a screenshot taken, OK pressed.
#include <stdio.h>

#include <deque>
#include <functional>
#include <string>

#include "demo_common.h"
#include "krutil_dialogs.h"
#include "support/screenshot.h"
#include "veritane.h"
#include "veritane_dialog.h"

namespace krdemo {
namespace {

using Answer = std::function<void(HWND dialog)>;
std::deque<Answer> g_answers;
HHOOK g_hook = nullptr;
std::deque<HWND> g_shown; // dialogs waiting for their answer
HWND g_last = nullptr;

void CALLBACK AnswerShownDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const Answer answer = g_answers.front();
    const HWND dialog = g_shown.front();
    g_answers.pop_front();
    g_shown.pop_front();
    answer(dialog);
}

// A dialog activated again after one it opened closed is not new.
LRESULT CALLBACK WatchActivation(int code, WPARAM wp, LPARAM lp)
{
    const HWND window = reinterpret_cast<HWND>(wp);
    if (code == HCBT_ACTIVATE && g_answers.size() > g_shown.size() && window != g_last &&
        !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
        g_shown.push_back(g_last = window);
        SetTimer(nullptr, 0, 700, AnswerShownDialog);
    }
    return CallNextHookEx(g_hook, code, wp, lp);
}

// Runs `show` with `answers` waiting, in order, for the dialogs it shows.
void AnswerDialogs(std::deque<Answer> answers, const std::function<void()> &show)
{
    g_answers = std::move(answers);
    g_shown.clear();
    g_last = nullptr;
    g_hook = SetWindowsHookExA(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId());
    show();
    UnhookWindowsHookEx(g_hook);
}

void AnswerNextDialog(const Answer &answer, const std::function<void()> &show)
{
    AnswerDialogs({answer}, show);
}

// Into the working directory: the open-file dialog moves the current one.
void SaveShot(HWND dialog, const char *name)
{
    char work[MAX_PATH];
    GetKestruneWorkingDir(work);
    const std::string directory = std::string(work) + "\\screenshots\\", path = directory + name;
    CreateDirectoryA(directory.c_str(), nullptr);
    printf("    screenshot %s: %s\n", path.c_str(), krtest::SaveWindowAsPng(dialog, path) ? "saved" : "failed");
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
    for (const char *file : {"Data\\run02.raw\\spectra.dat", "Data\\run02.raw\\traces.dat",
                             "Data\\run02.raw\\_proc_peaks.txt"}) {
        FILE *data = fopen((root + file).c_str(), "w");
        fputs("acquired data\n", data);
        fclose(data);
    }
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
    // Signing is offered only where secure files (or light security) are on.
    char work[MAX_PATH];
    GetKestruneWorkingDir(work);
    SetCurrentDirectoryA(work); // the open-file dialog moved it
    FILE *security = fopen("KRSECURE.INI", "w");
    fprintf(security, "[Security]\nUser=demo\nSecureFiles=1\nSigning=1\nDataLocations=%s\n", root.c_str());
    fclose(security);
    RAWFILEDIALOGDATA data{};
    data.options = RAWFILE_SHOW_DISPLAY | RAWFILE_NEW_WINDOW | RAWFILE_SHOW_TRACES | RAWFILE_SPECTRUM;
    RAWFILECALLBACKS callbacks{nullptr, nullptr, nullptr, ShowRawFileInformation};
    char chosen[MAX_PATH] = "";
    int result = 0;
    const Answer pickAndSign = [](HWND dialog) {
        printf("    picking run02.raw, function 2 and Chromatogram, then Sign\n");
        HWND list = GetDlgItem(dialog, IDC_BROWSE_ENTRIES);
        SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("run02.raw"));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BROWSE_ENTRIES, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        HWND functions = GetDlgItem(dialog, RAWFILE_IDC_FUNCTION);
        SendMessageA(functions, CB_SETCURSEL, 1, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(RAWFILE_IDC_FUNCTION, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(functions));
        SendDlgItemMessageA(dialog, IDC_RAW_CHROMATOGRAM, BM_CLICK, 0, 0);
        SaveShot(dialog, "raw_file_dialog.png");
        SendDlgItemMessageA(dialog, IDC_RAW_SIGN, BM_CLICK, 0, 0);
        Press(dialog, IDOK);
    };
    const Answer giveReason = [](HWND dialog) {
        printf("    the signature dialog asks why: \"reviewed and approved\"\n");
        SetDlgItemTextA(dialog, IDC_VERITANE_REASON, "reviewed and approved");
        SaveShot(dialog, "signature_dialog.png");
        Press(dialog, IDOK);
    };
    AnswerDialogs({pickAndSign, giveReason}, [&] {
        result = RawFileDialog("*.raw", (root + "Data").c_str(), "", "Open Raw File", nullptr, &data, &callbacks,
                               chosen);
    });
    printf("  RawFileDialog = %d, chosen %s, function %d, options 0x%lx\n", result, chosen, data.rawFile.index1,
           data.options);
    const std::string spectra = std::string(chosen) + "\\spectra.dat";
    for (const char *when : {"as signed", "after one byte is added"}) {
        VERITANE_SIGNATURE signature{};
        const BOOL holds = VerifySignatureInFile(spectra.c_str(), &signature);
        printf("  the signature of spectra.dat %s: %s", when, holds ? "holds, " : "does not hold\n");
        if (holds)
            printf("signed by %s because \"%s\"\n", signature.signer, signature.reason);
        FILE *file = fopen(spectra.c_str(), "a");
        fputc('!', file);
        fclose(file);
    }
    VERITANE_SIGNATURE unsigned_{};
    printf("  _proc_peaks.txt is never signed: %s\n",
           VerifySignatureInFile((std::string(chosen) + "\\_proc_peaks.txt").c_str(), &unsigned_) ? "signed!" : "yes");
    DeleteFileA("KRSECURE.INI");
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
            SaveShot(dialog, "browse_dialog.png");
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
            SaveShot(dialog, "file_dialog.png");
            Press(dialog, IDOK);
        },
        [&] { result = GenGetNormalFile(0, nullptr, &file); });
    printf("  GenGetNormalFile = %d: directory \"%s\", name \"%s\", extension \"%s\"\n", result, file.file.directory,
           file.file.name, file.file.extension);
    OpenRawFile(root);
}

} // namespace krdemo

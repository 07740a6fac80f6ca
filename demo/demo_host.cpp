// The demo host: a small application of the suite that loads krutil.dll as
// every application does and tours what the library offers, printing what
// it did. It runs in the current directory, the suite's working directory.
#include <windows.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "custorix.h"
#include "krutil.h"

namespace {

const char kFrameClass[] = "DemoFrameWClass";
const char kChildClass[] = "DemoChildWClass";
HWND g_client = nullptr;

void Heading(const char *title)
{
    printf("\n== %s ==\n", title);
}

std::string IniValue(const char *section, const char *key)
{
    char value[600];
    GetIniString(section, key, "(none)", value, sizeof value);
    return value;
}

LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(window, g_client, msg, wp, lp);
}

LRESULT CALLBACK ChildProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefMDIChildProcA(window, msg, wp, lp);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

HWND CreateFrame()
{
    WNDCLASSA wc{};
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = kChildClass;
    RegisterClassA(&wc);

    INIWINDPOS pos;
    const INIWINDPOS def = {1, SW_SHOWNORMAL, 20, 20, 820, 620};
    if (!GetIniWindPos("Demo Windows", "Frame", &def, &pos))
        pos = def;
    HWND frame = CreateWindowExA(0, kFrameClass, "Kestrune demo host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 100;
    g_client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 780, 560,
                               frame, nullptr, wc.hInstance, &ccs);
    RestoreWindPos(frame, &pos);
    Pump();
    return frame;
}

HWND OpenChild(const char *key)
{
    MDICREATESTRUCTA cs{};
    cs.szClass = kChildClass;
    cs.szTitle = key;
    cs.hOwner = GetModuleHandleA(nullptr);
    cs.style = WS_OVERLAPPEDWINDOW;
    HWND child = IniCreateMDIWnd(g_client, "Demo Desktop", key, &cs);
    Pump();
    const bool saved = cs.x != static_cast<int>(CW_USEDEFAULT);
    printf("  opened %-9s at %s\n", key, saved ? IniValue("Demo Desktop", key).c_str() : "default position");
    return child;
}

void TourWorkingDirectory()
{
    Heading("Working directory and KESTRUNE.INI");
    char dir[MAX_PATH];
    GetKestruneWorkingDir(dir);
    InitIni(0);
    printf("  working directory: %s\n", dir);
    printf("  INI file:          %s\\KESTRUNE.INI (loaded in memory: %d)\n", dir, IsIniLoaded());
}

void TourSettings()
{
    Heading("Settings in KESTRUNE.INI");
    char operatorName[] = "A. Analyst";
    printf("  SetIniString [Demo] Operator=%s -> %d\n", operatorName, SetIniString("Demo", "Operator", operatorName, 0));
    char read[64];
    const int count = GetIniString("Demo", "Operator", "", read, sizeof read);
    printf("  GetIniString [Demo] Operator -> \"%s\" (%d characters)\n", read, count);
    printf("  GetIniString [Demo] Missing  -> \"%s\" (the default)\n", IniValue("Demo", "Missing").c_str());
    char value[] = "x";
    printf("  SetIniString with a tab in the key -> %d (refused, nothing written)\n",
           SetIniString("Demo", "bad\tkey", value, 0));
    std::string longValue(600, 'L');
    SetIniString("Demo", "Long", &longValue[0], 0);
    printf("  a 600-character value is stored as %u characters\n",
           static_cast<unsigned>(IniValue("Demo", "Long").size()));
    char gcmd[] = "TRUE";
    SetIniString("Acquisition", "IsGCMD", gcmd, 0);
    printf("  [Acquisition] IsGCMD=TRUE -> IsGCMD() = %d", IsGCMD());
    char off[] = "FALSE";
    SetIniString("Acquisition", "IsGCMD", off, 0);
    printf(", after setting FALSE still %d (read once per process)\n", IsGCMD());
}

void TourWindows()
{
    Heading("Window placements and the MDI desktop");
    HWND frame = CreateFrame();
    INIWINDPOS opened;
    ObtainWindPos(frame, &opened);
    printf("  frame opened at %ld,%ld,%ld,%ld (saved as [Demo Windows] Frame when closed)\n", opened.left,
           opened.top, opened.right, opened.bottom);
    HWND spectrum = OpenChild("Spectrum");
    HWND chrom = OpenChild("Chrom");
    HWND tune = OpenChild("Tune");
    MoveWindow(spectrum, 10, 10, 360, 240, TRUE);
    MoveWindow(chrom, 380, 10, 360, 240, TRUE);
    MoveWindow(tune, 10, 260, 730, 250, TRUE);
    SendMessageA(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(tune), 0);
    Pump();
    printf("  arranged the children and maximised Tune; saving the desktop:\n");
    printf("  IniSaveDesktop -> %d\n", IniSaveDesktop(g_client, INI_DESKTOP_MDI, "Demo Desktop", "Children", 0));
    for (const char *key : {"Children", "Spectrum", "Chrom", "Tune"})
        printf("    [Demo Desktop] %-8s = %s\n", key, IniValue("Demo Desktop", key).c_str());
    INIWINDPOS framePos;
    ObtainWindPos(frame, &framePos);
    SetIniWindPos("Demo Windows", "Frame", &framePos, 0);
    DestroyWindow(frame);
    Pump();

    printf("  closed everything; reopening from the INI file:\n");
    frame = CreateFrame();
    OpenChild("Spectrum");
    OpenChild("Chrom");
    HWND reopened = OpenChild("Tune");
    printf("  Tune is %s\n", IsZoomed(reopened) ? "maximised again" : "not maximised");
    DestroyWindow(frame);
    Pump();
}

void TourNumbers()
{
    Heading("Numbers in the suite's short forms");
    char out[40];
    printf("  ftoa(2.0, 0)          = %s\n", ftoa(2.0, out, 0));
    printf("  ftoa(1.5, 8)          = %s\n", ftoa(1.5, out, 8));
    printf("  ftoa(1e32, 8)         = %s (cut to 31 characters)\n", ftoa(1e32, out, 8));
    printf("  etoa(1234.5, 2)       = %s\n", etoa(1234.5, out, 2));
    printf("  etoa(0.00042, 1)      = %s\n", etoa(0.00042, out, 1));
    printf("  gtoa(12346, 4)        = %s\n", gtoa(12346.0, 4, out));
    printf("  gtoa(123.456, 4)      = %s\n", gtoa(123.456, 4, out));
    printf("  gtoa(0.00123, 4)      = %s\n", gtoa(0.00123, 4, out));
    FormatFloat(15.0f, 3, 1, out);
    printf("  FormatFloat(15, 3, e) = %s\n", out);
    FormatFloat(0.00125f, 3, 1, out);
    printf("  FormatFloat(0.00125)  = %s\n", out);
    printf("  atofL(\"2.5e2\")        = %g\n", atofL("2.5e2"));
    for (const char *text : {"42", " -4.2", "0x1F", "12 ", "1 e2.5", "1.5e2"})
        printf("  IsNumber(\"%s\")%*s= %d\n", text, static_cast<int>(10 - strlen(text)), "", IsNumber(text));
}

QZFILE FileRecord(const char *directory, const char *name, const char *extension)
{
    QZFILE file{};
    lstrcpynA(file.directory, directory, sizeof file.directory);
    lstrcpynA(file.name, name, sizeof file.name);
    lstrcpynA(file.extension, extension, sizeof file.extension);
    return file;
}

std::string StoreValue(const char *section, const char *key)
{
    char value[512];
    return GetGlobalString(section, key, "(missing)", value, sizeof value) >= 0 ? value : "(missing)";
}

void TourGlobalStore()
{
    Heading("The global store");
    printf("  InitGlobal -> %d (created and seeded from KESTRUNE.INI)\n", InitGlobal(0));
    char sections[512];
    const int bytes = GetGlobalString(nullptr, nullptr, nullptr, sections, sizeof sections);
    printf("  sections:");
    for (const char *s = sections; s < sections + bytes; s += strlen(s) + 1)
        printf(" %s", s);
    printf("\n");

    QZFILE project = FileRecord("C:\\Kestrune\\Projects\\", "Demo", "PRO");
    const int projectSet = SetGlobalFile("SystemList", "PROJECT", &project, 1);
    printf("  SetGlobalFile [SystemList] PROJECT -> %d, stored as \"%s\"\n", projectSet,
           StoreValue("SystemList", "PROJECT").c_str());
    QZRAWFILE raw{};
    raw.file = FileRecord("C:\\Kestrune\\Projects\\Demo.PRO\\Data\\", "run01", "raw");
    raw.index1 = 2;
    const int rawSet = SetGlobalRawFile("SystemList", "RAW", &raw, 1);
    printf("  SetGlobalRawFile [SystemList] RAW -> %d, stored as \"%s\"\n", rawSet,
           StoreValue("SystemList", "RAW").c_str());
    QZRAWFILE current;
    GetGlobalRawFile("SystemList", "RAW", nullptr, &current);
    printf("  the current raw file reads back as %s%s.%s, selection %d\n", current.file.directory,
           current.file.name, current.file.extension, current.index1);

    SetGlobalDouble("Demo Values", "LockMass", 556.2771, 1);
    SetGlobalLong("Demo Values", "Scans", 1200, 1);
    long scans = 0;
    GetGlobalLong("Demo Values", "Scans", 0, &scans);
    printf("  [Demo Values] LockMass stored as \"%s\", Scans read back as %ld\n",
           StoreValue("Demo Values", "LockMass").c_str(), scans);
    char bad[] = "two\r\nlines";
    printf("  a value with a line break -> %d (refused)\n", SetGlobalString("Demo Values", "Bad", bad, 1));

    printf("  FreeGlobal -> %d: the SystemList keys go to KESTRUNE.INI, custom ones go with the store\n",
           FreeGlobal(0));
    printf("    KESTRUNE.INI [SystemList] PROJECT=%s\n", IniValue("SystemList", "PROJECT").c_str());
    printf("    KESTRUNE.INI [SystemList] RAW=%s\n", IniValue("SystemList", "RAW").c_str());
    printf("  a fresh store reads PROJECT as \"%s\" and [Demo Values] Scans as %s\n",
           StoreValue("SystemList", "PROJECT").c_str(), StoreValue("Demo Values", "Scans").c_str());
    FreeGlobal(0);
}

// ---- applications, messages and the status bar ----

struct DemoApp {
    const char *name;
    bool refuseToQuit;
    HWND window;
};
DemoApp g_demoApps[3] = {{"Demo host", false, nullptr}, {"Spectrum viewer", false, nullptr},
                         {"Acquisition", true, nullptr}};

LRESULT CALLBACK DemoAppProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    for (DemoApp &app : g_demoApps) {
        if (app.window != window)
            continue;
        if (msg == WM_KR_QUERYQUIT) {
            printf("    %s is asked whether it may quit: %s\n", app.name,
                   app.refuseToQuit ? "no, it is still acquiring" : "yes");
            return app.refuseToQuit ? 1 : 0;
        }
        if (msg == WM_KR_QUIT)
            printf("    %s is told to quit\n", app.name);
        if (msg == WM_KR_FILEUPDATE) {
            printf("    %s takes note of file update %u\n", app.name, static_cast<unsigned>(wp));
            return 1;
        }
    }
    return DefWindowProcA(window, msg, wp, lp);
}

LRESULT CALLBACK StatusProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == GetUpDateMessageValue()) {
        char text[256] = "";
        if (wp)
            GlobalGetAtomNameA(static_cast<ATOM>(wp), text, sizeof text);
        printf(wp ? "    the status window shows: \"%s\"\n" : "    the status window is cleared\n", text);
        return 0;
    }
    return DefWindowProcA(window, msg, wp, lp);
}

// Reads and answers the box the library shows, as a user would, after a
// moment (the box is visible on the display meanwhile).
UINT g_answer = IDOK;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = FindWindowA("#32770", nullptr);
    if (!box)
        return;
    KillTimer(nullptr, timer);
    char caption[128] = "", text[512] = "";
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    for (char *p = text; *p; ++p)
        if (*p == '\n')
            *p = ' ';
    printf("    message box \"%s\": %s\n", caption, text);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(g_answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, g_answer)));
}

void AnswerNextBoxWith(UINT button)
{
    g_answer = button;
    SetTimer(nullptr, 0, 700, AnswerBox);
}

void TourApplications()
{
    Heading("Applications, messages and the status bar");
    WNDCLASSA wc{};
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpfnWndProc = DemoAppProc;
    wc.lpszClassName = "DemoAppWClass";
    RegisterClassA(&wc);
    wc.lpfnWndProc = StatusProc;
    wc.lpszClassName = "KestruneWClass";
    RegisterClassA(&wc);
    HWND status = CreateWindowExA(0, "KestruneWClass", "status", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);

    printf("  ApplicationRunningCheck(\"KestruneDemoHost\") -> %d (no other demo host runs)\n",
           ApplicationRunningCheck("KestruneDemoHost"));
    APPINFOTABLE table{};
    for (int i = 0; i < 3; ++i) {
        g_demoApps[i].window = CreateWindowExA(0, "DemoAppWClass", g_demoApps[i].name, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                               40 + 30 * i, 40 + 30 * i, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
        table.app[i].mainWindow = g_demoApps[i].window;
        table.app[i].open = 1;
    }
    SetApplicationInfo(table);
    printf("  registered the host and two applications; IsApplicationOpen -> %d\n", IsApplicationOpen());
    printf("  GenFileUpdate(code 7) -> %d applications took note\n", GenFileUpdate(0, 7));
    EnableKestrune(0);
    printf("  EnableKestrune(0): the Acquisition window is %s\n",
           IsWindowEnabled(g_demoApps[2].window) ? "enabled" : "disabled");
    EnableKestrune(1);
    printf("  OKToQuitAllApplications:\n");
    printf("  -> %d\n", OKToQuitAllApplications());
    g_demoApps[2].refuseToQuit = false;
    printf("  after the acquisition ends, OKToQuitAllApplications:\n");
    printf("  -> %d\n", OKToQuitAllApplications());

    AnswerNextBoxWith(IDYES);
    const int answer = MsgReportMsg(nullptr, 3001, nullptr, 2);
    printf("    answered %s\n", answer == IDYES ? "Yes" : "No");
    if (answer == IDYES) {
        QuitAllApplications();
        printf("  QuitAllApplications: Spectrum viewer %s, Acquisition %s, the host %s\n",
               IsWindow(g_demoApps[1].window) ? "open" : "closed", IsWindow(g_demoApps[2].window) ? "open" : "closed",
               IsWindow(g_demoApps[0].window) ? "still open" : "closed");
    }
    AnswerNextBoxWith(IDOK);
    MsgReport(1106, "Kestrune demo", "Method 4");
    printf("  UpDateKestruneStatusBar:\n");
    UpDateKestruneStatusBar("2 applications closed");
    UpDateKestruneStatusBar(nullptr);
    DestroyWindow(g_demoApps[0].window);
    DestroyWindow(status);
    SetApplicationInfo(APPINFOTABLE{});
}

void TourCalibration()
{
    Heading("Calibration covariances");
    // The decomposition of a root-mass calibration fit in Legendre
    // polynomials P0..P2: V and the singular values.
    const double rows[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const double *v[3] = {rows[0], rows[1], rows[2]};
    const double w[3] = {1e3, 1e4, 1e6};
    double packed[6];
    printf("  MakeCovariances0 -> %d; power-basis covariances:", MakeCovariances0(v, w, 3, 0.0, packed, 6));
    for (double c : packed)
        printf(" %.3g", c);
    printf("\n");
    const CCalCovar model(v, w, 3, false, true, 1.0);
    char text[256];
    printf("  its text form:\n    %s\n", model.Format(text, sizeof text));
    const float masses[] = {200.0f, 500.0f, 1000.0f};
    float sigmas[] = {0.05f, 0.05f, 0.05f};
    CalibrateSigmas(packed, 2, 100.0f, 1200.0f, masses, sigmas, 3);
    printf("  peak sigmas of 0.05 widened by the calibration:");
    for (int i = 0; i < 3; ++i)
        printf(" m %.0f -> %.4f", masses[i], sigmas[i]);
    printf("\n  two-sigma band:");
    float band[6];
    GetVariances(0, packed, 2, 100.0f, 200.0f, 6, band);
    for (int i = 0; i < 6; ++i)
        printf(" %.0f: %.4f", 100.0 + 200.0 * i, band[i]);
    printf("\n");
}

void TourDateAndChartText()
{
    Heading("The date and time, and a chart block kept in a trace description");
    char time[DATETIME_TEXT_BYTES], date[DATETIME_TEXT_BYTES], both[DATETIME_TEXT_BYTES];
    GetCurrentDateTime(time, date, DATETIME_REREAD_SETTINGS);
    GetCurrentDateTime(both, nullptr, 0);
    printf("  by WIN.INI [intl]: time \"%s\", date \"%s\", together \"%s\"\n", time, date, both);

    char description[256] = "UV trace 1";
    GetCustomChartDADParams(description);
    printf("  written:  %s\n", description);
    MoveCustomChartParams(description);
    char units[32] = "";
    GetCustomChartUnits(description, units);
    printf("  hidden:   the text reads \"%s\"; behind it \"%s\"\n", description,
           description + strlen(description) + 1);
    printf("  read back: scale %g, offset %g, %d axis and %d header decimals, scientific %d, units %s\n",
           GetCustomChartScaling(description), GetCustomChartOffset(description),
           GetCustomChartVerticalAxisDecimalDigits(description), GetCustomChartHeaderDecimalDigits(description),
           GetCustomChartUseScientificNotation(description), units);
    char copy[256] = "UV trace 2";
    GetCustomChartAnalogParams(description, copy);
    printf("  copied:   %s\n", copy);
}

void TourPeaksAndIndices()
{
    Heading("A chromatographic peak: apex, half-area position, retention index");
    // A peak of sigma 0.04 min at 3.37 min, sampled every 0.02 min, on a
    // small noisy baseline.
    float time[61], signal[61], weighted[122];
    for (int i = 0; i < 61; ++i) {
        time[i] = 2.8f + 0.02f * i;
        const double d = time[i] - 3.37;
        signal[i] = static_cast<float>(1000.0 * exp(-d * d / (2 * 0.04 * 0.04)) + 5.0 * ((i * 7) % 3));
    }
    const int apex = FindPeak(time, signal, 61, 3.4f, 0.2f, 1, 100.0f);
    printf("  FindPeak, most intense within 3.40 +- 0.20 min: sample %d at %.2f min (%.0f counts)\n", apex,
           time[apex], signal[apex]);
    const QuantileProfile profile{time, signal, 61};
    const QuantileRange range{static_cast<float>(apex - 10), static_cast<float>(apex + 10), 0.5f};
    QuantileResult square;
    SquareQuantile(&profile, &range, &square);
    printf("  SquareQuantile, samples %d..%d: half the area (%.0f) at %.4f min\n", apex - 10, apex + 10,
           square.area, square.position);
    const GaussianProfile gaussian{time, signal, weighted, 61};
    QuantilePeak peak{apex, apex - 10, apex + 10, 0.5f};
    QuantileResult weightedHalf;
    GaussianQuantile(&gaussian, &peak, &weightedHalf);
    printf("  GaussianQuantile: weighted peak spans samples %d..%d, half its area at %.4f min\n", peak.left,
           peak.right, weightedHalf.position);

    RetentionCalibration calibration{};
    const float times[] = {1.00f, 2.50f, 4.00f, 6.00f}, indices[] = {800, 900, 1000, 1100},
                logPs[] = {1.5f, 2.1f, 2.8f, 3.6f};
    for (int j = 0; j < 4; ++j) {
        calibration.time[j] = times[j];
        calibration.index[j] = indices[j];
        calibration.logP[j] = logPs[j];
    }
    calibration.numberOfPoints = 4;
    calibration.calibrated = 1;
    calibration.startIndex = 8;
    calibration.endIndex = 11;
    calibration.increment = 1;
    RTIndicesSetRetentionCalibration(nullptr, &calibration);
    printf("  calibration stored in [ChrRetentionCalibration]:");
    for (const char *key : {"NumberOfChannels", "StartIndex", "Time1", "Index1", "LogP1", "Time4"})
        printf(" %s=%s", key, IniValue("ChrRetentionCalibration", key).c_str());
    RetentionCalibration loaded;
    RTIndicesGetRetentionCalibration(nullptr, &loaded);
    float index = 0.0f, logP = 0.0f;
    const int ok = RTIndicesCalculateIndex(weightedHalf.position, &loaded, &index);
    RTIndicesCalculateLogP(weightedHalf.position, &loaded, &logP);
    printf("\n  the peak at %.2f min: retention index %.1f, logP %.2f (result %d)\n", weightedHalf.position, index,
           logP, ok);
    printf("  at 7.00 min, past the last point: result %d\n", RTIndicesCalculateIndex(7.0f, &loaded, &index));
}

void TourFiles()
{
    Heading("Paths and file records");
    char path[MAX_PATH];
    CreatePathName("run01", "E:\\Kestrune\\Demo.PRO\\Data\\\\", "raw", path, sizeof path);
    printf("  CreatePathName(run01, E:\\Kestrune\\Demo.PRO\\Data\\\\, raw) = %s\n", path);
    QZFILE file{};
    ConvertPathToQZFile(&file, path);
    printf("  as a record: directory \"%s\", name \"%s\", extension \"%s\"\n", file.directory, file.name,
           file.extension);
    CreateQZFilePathName("run02", &file, 1, path, sizeof path);
    printf("  a sibling from the record's defaults: %s\n", path);
    ChangePathExtension(path, "txt", path, sizeof path);
    printf("  its extension changed: %s (of type txt: %d)\n", path, IsFileOfType(path, "TXT"));
    ConvertPathToQZFile(&file, "\\\\server\\share\\runs\\run03.raw");
    ConvertQZFileToPath(path, sizeof path, &file);
    printf("  a network path, split and joined: directory \"%s\" -> %s\n", file.directory, path);
    printf("  valid names: sample1 %d, sample.1 %d, it's %d; valid path E:/data %d\n", IsValidFilename("sample1"),
           IsValidFilename("sample.1"), IsValidFilename("it's"), IsValidPath("E:/data"));

    Heading("Secure file access: an allowed and a refused location");
    char dir[MAX_PATH];
    GetKestruneWorkingDir(dir);
    const std::string data = std::string(dir) + "\\data", locked = std::string(dir) + "\\locked";
    CreateDirectoryA(data.c_str(), nullptr);
    CreateDirectoryA(locked.c_str(), nullptr);
    const std::string log = std::string(dir) + "\\KRAUDIT.LOG";
    DeleteFileA(log.c_str());
    FILE *config = fopen("KRSECURE.INI", "w");
    fprintf(config, "[Security]\nUser=demo\nSecureFiles=1\nDataLocations=%s\nTempDir=%s\\temp\nAuditLog=%s\n",
            data.c_str(), data.c_str(), log.c_str());
    fclose(config);
    printf("  KRSECURE.INI: secure files on, data only under %s\n", data.c_str());
    printf("  DirectoryExists(data) = %d, DirectoryExists(locked) = %d\n", DirectoryExists(data.c_str()),
           DirectoryExists(locked.c_str()));
    char sample[MAX_PATH];
    printf("  current-sample file: %s\n", GetCurSampTxtName(sample, sizeof sample));
    const std::string refused = locked + "\\";
    if (!CFileAccess::CheckFilename(refused.c_str())) {
        printf("  %s is refused; the refusal is audited\n", refused.c_str());
        CFileAccess::LogEventSecurityA(CUSTORIX_EVENT_ACCESS_REFUSED, CUSTORIX_OUTCOME_REFUSED, refused.c_str(),
                                       nullptr, 0);
    }
    char line[1200];
    FILE *audit = fopen(log.c_str(), "r");
    while (audit && fgets(line, sizeof line, audit))
        printf("  audit: %s", line);
    if (audit)
        fclose(audit);
    DeleteFileA("KRSECURE.INI");
}

void TourRegression()
{
    Heading("Polynomial regression");
    // A detector calibration line: responses at five standard concentrations,
    // the middle one measured three times (so weighted 3), a blank that is
    // excluded, and an outlier given weight 0.
    const struct {
        double concentration, response, weight;
        bool excluded;
    } standards[] = {{0.0, 0.8, 1, true},  {1.0, 10.9, 1, false}, {2.0, 21.2, 1, false}, {5.0, 50.6, 3, false},
                     {8.0, 80.1, 1, false}, {9.0, 140.0, 0, false}, {10.0, 99.5, 1, false}};
    CLinearRegression line;
    for (const auto &s : standards)
        line.AddRegressionPoint(s.concentration, s.response, s.weight, s.excluded);
    double c[3];
    for (bool force : {false, true}) {
        line.SetForceOrigin(force);
        const bool ok = line.Calculate();
        line.GetPolynomial(c);
        printf("  line%s: Calculate -> %d, response = %.4f + %.4f x, r^2 %.6f, r %.6f\n",
               force ? " through the origin" : "", ok, c[0], c[1], line.GetRSquared(), line.GetR());
    }
    line.SetForceOrigin(false);
    line.SetPolynomialOrder(2);
    const bool ok = line.Calculate();
    printf("  quadratic: Calculate -> %d, coefficients (%d):", ok, line.GetNumCoefficients());
    line.GetPolynomial(c);
    for (double k : c)
        printf(" %.6g", k);
    printf(", r^2 %.6f\n", line.GetRSquared());
}

void PrintResampled(const char *what, const LinearisedDataset &out)
{
    printf("  %s, from %.1f step %.1f:", what, out.start, out.step);
    const float *values = static_cast<const float *>(GlobalLock(out.data));
    double total = 0;
    for (int i = 0; i < out.count; ++i) {
        printf(" %.2f", values[i]);
        total += values[i];
    }
    printf("  (sum %.2f)\n", total);
    GlobalUnlock(out.data);
    GlobalFree(out.data);
}

void TourResampling()
{
    Heading("Resampling a spectrum onto a regular axis");
    // A peak sampled at irregular mass positions.
    const float mass[] = {100.0f, 100.3f, 100.9f, 101.2f, 101.4f, 102.1f, 102.8f, 103.0f};
    const float intensity[] = {1, 4, 12, 20, 15, 6, 2, 1};
    printf("  input (mass: intensity):");
    for (int k = 0; k < 8; ++k)
        printf(" %.1f: %.0f", mass[k], intensity[k]);
    printf("  (sum 61)\n");
    LinearisedDataset out;
    if (LineariseDataset(mass, intensity, 8, 0.5f, &out) == 0)
        PrintResampled("flux-preserving", out);
    if (LineariseDatasetNoFluxPreserve(mass, intensity, 8, 0.5f, &out) == 0)
        PrintResampled("interpolated   ", out);
    float psf[16] = {0, 2, 8, 2, 0};
    int count = 0;
    LinScalePSF(-1.0f, 0.5f, psf, 5, &count, 2.0f);
    printf("  a 5-point peak shape stretched twice as wide, %d points:", count);
    for (int i = 0; i < count; ++i)
        printf(" %.2f", psf[i]);
    printf("\n");
}

void ShowIniFile()
{
    Heading("KESTRUNE.INI as the demo leaves it (empty SystemList keys not shown)");
    FILE *f = fopen("KESTRUNE.INI", "rb");
    if (!f)
        return;
    char line[700];
    while (fgets(line, sizeof line, f)) {
        const size_t length = strcspn(line, "\r\n");
        if (length > 0 && line[length - 1] == '=')
            continue;
        line[strcspn(line, "\r\n")] = '\0';
        if (strlen(line) > 70)
            strcpy(line + 60, " ...");
        printf("  | %s\n", line);
    }
    fclose(f);
}

} // namespace

int main()
{
    printf("Kestrune utility library: demo host\n");
    DeleteFileA("KESTRUNE.INI"); // every tour starts from a fresh file
    TourWorkingDirectory();
    TourSettings();
    TourWindows();
    TourNumbers();
    TourGlobalStore();
    TourApplications();
    TourCalibration();
    TourDateAndChartText();
    TourFiles();
    TourPeaksAndIndices();
    TourRegression();
    TourResampling();
    ShowIniFile();
    return 0;
}

// What a hard copy puts on the page: which windows are asked to draw, in
// which order and where, and the printer's fonts, pens and brushes.
#include <gtest/gtest.h>

#include <map>

#include "apps/app_registry.h"
#include "krprinting.h"
#include "printing/hardcopy_drawing.h"
#include "printing/printer_resources.h"
#include "printing/resource_words.h"
#include "support/gui_objects.h"
#include "support/module_instance.h"
#include "support/print_output.h"
#include "support/work_dir.h"

namespace {

// The string table that names the "Print" section.
[[maybe_unused]] const bool kLibraryResources = (kr::RecordModuleInstance(LoadLibraryA("krutil.dll")), true);

template <typename Description> Description Of(DWORD word)
{
    Description described{};
    GetObjectA(ULongToHandle(word), sizeof described, &described);
    return described;
}

// Pens 5, 11, 12 and 82 wide, 82's colour | brush 81's colour | font 27's height | colour value 85.
std::string Described(const GLOBALRESOURCES &made)
{
    char text[100];
    snprintf(text, sizeof text, "%ld %ld %ld %ld %lx|%lx|%ld|%lx", Of<LOGPEN>(made.word[5]).lopnWidth.x,
             Of<LOGPEN>(made.word[11]).lopnWidth.x, Of<LOGPEN>(made.word[12]).lopnWidth.x,
             Of<LOGPEN>(made.word[82]).lopnWidth.x, Of<LOGPEN>(made.word[82]).lopnColor,
             Of<LOGBRUSH>(made.word[81]).lbColor, Of<LOGFONTA>(made.word[27]).lfHeight, made.word[85]);
    return text;
}

// What the printed windows were asked: "p" prepared with the printer resources registered ("!"
// without), "caption(rectangle on the page)" drawn (a line with the resources' pen 32), "e " ended;
// and the printer resources they found.
std::string g_log, g_found;

LRESULT CALLBACK Printee(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HDC dc = reinterpret_cast<HDC>(wParam);
    if (message == PRN_MSG_PREPARE)
        g_log += !dc ? "e " : GetPrinterResources(nullptr) == dc ? "p" : "!";
    if (message == PRN_MSG_DRAW) {
        const RECT &area = *reinterpret_cast<const RECT *>(lParam);
        POINT at;
        GetViewportOrgEx(dc, &at);
        char entry[64];
        const int named = GetWindowTextA(window, entry, 8);
        snprintf(entry + named, 40, "(%ld,%ld,%ld,%ld)", at.x - 9, at.y - 9, at.x + area.right + 3, at.y + area.bottom + 3);
        g_log += entry;
        GLOBALRESOURCES found;
        GetPrinterResources(&found);
        g_found = Described(found);
        SelectObject(dc, ULongToHandle(found.word[32]));
        MoveToEx(dc, 100, 100, nullptr);
        LineTo(dc, 1000, 100);
    }
    const bool mdi = GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD;
    return (mdi ? DefMDIChildProcA : DefWindowProcA)(window, message, wParam, lParam);
}

// "name parent left top right bottom [min|max|app<n>|app-<n>]; ...", siblings front to back: parent "-"
// makes a frame (app: of application n, open or closed), name "M" an MDI client with MDI children.
std::map<std::string, HWND> BuildScene(std::string scene)
{
    static const WNDCLASSA type = {0, Printee, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, "KrPrintee"};
    [[maybe_unused]] static const ATOM registered = RegisterClassA(&type);
    std::map<std::string, HWND> made;
    for (char *line = strtok(&scene[0], ";"); line; line = strtok(nullptr, ";")) {
        char name[8], parent[8], show[8] = "";
        RECT r;
        sscanf(line, "%7s %7s %ld %ld %ld %ld %7s", name, parent, &r.left, &r.top, &r.right, &r.bottom, show);
        CLIENTCREATESTRUCT mdi = {nullptr, 100};
        made[name] = CreateWindowExA(*parent == 'M' ? WS_EX_MDICHILD : 0, *name == 'M' ? "MDIClient" : "KrPrintee", name,
                                     *parent == '-' ? WS_POPUP : WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                     r.bottom - r.top, made[parent], nullptr, nullptr, &mdi);
        SetWindowPos(made[name], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (*show == 'm')
            ShowWindow(made[name], show[1] == 'a' ? SW_MAXIMIZE : SW_MINIMIZE);
        if (*show == 'a')
            kr::AppRecord(abs(atoi(show + 3))) = {made[name], 0, 0, 0, 0, nullptr, show[3] != '-', 0};
    }
    return made;
}

TEST(HardcopyDrawing, WindowsDrawThemselvesWhereTheyLieOnThePage)
{
    const RECT page = {40, 60, 1040, 1060}, half = {40, 60, 440, 260};
    const RECT screen = {10, 20, 10 + GetSystemMetrics(SM_CXSCREEN) * 3 / 2, 20 + GetSystemMetrics(SM_CYSCREEN) * 3 / 2};
    const std::string frame = "F - 101 51 501 351", mdi = "; M F 0 0 200 100; m M 10 20 130 60";
    const std::string children = frame + "; a F 11 21 111 71; b F 51 61 251 161; c F 1 1 51 51 min; d F 5 5 5 50";
    // Flags ~0: every application's frame.
    const struct { std::string scene; DWORD flags; const char *child; const RECT &page; const char *log; } rows[] = {
        {frame, 0, "", page, "pF(40,60,1040,1060)e "},
        {children, 6, "", page, "pF(40,60,1040,1060)e pb(91,121,291,221)e pa(51,81,151,131)e "},
        {children, 0x26, "", screen, "pF(162,97,762,547)e pb(239,189,539,339)e pa(179,129,329,204)e "},
        {children, 0x40, "b", page, "pF(40,60,1040,1060)e pb(40,60,440,360)e "},
        {frame + "; a F 11 21 111 71 max; b F 51 61 251 161", 6, "", page, "pF(40,60,1040,1060)e pa(40,60,440,360)e "},
        {frame + " min", 0x20, "", screen, ""},
        {frame + " max; a F 11 21 111 71", 0x26, "", page, "pF(40,60,1040,1060)e pa(51,81,151,131)e "},
        {frame + mdi + "; n M 60 50 190 95", 7, "", half, "pF(40,60,440,260)e pn(160,160,420,250)e pm(60,100,300,180)e "},
        {frame + mdi + "; n M 60 50 190 95", 3, "", half, "pF(40,60,440,260)e pn(40,60,440,260)e "},
        {"G - 301 201 401 301 app1; " + frame + " app12" + mdi + "; H - 0 0 9 9 app5; I - 0 0 9 9 app-2", ~0u, "", screen,
         "pG(462,322,612,472)e pF(162,97,762,547)e pm(192,187,552,367)e "},
    };
    const HDC dc = CreateCompatibleDC(nullptr);
    for (const auto &row : rows) {
        auto scene = BuildScene(row.scene);
        g_log.clear();
        if (row.flags == ~0u)
            kr::DrawAllApplications(dc, 0, row.page);
        else
            kr::DrawHardcopy(dc, scene["F"], scene[row.child], row.flags, row.page);
        EXPECT_EQ(row.log, g_log) << row.scene << " flags " << row.flags;
        for (const auto &[name, window] : scene)
            DestroyWindow(window);
    }
    DeleteDC(dc);
}

// The printer's resources from the screen's (fonts 16 pixels high, red pens 1 wide, red brushes,
// colour values 0x123456) for the default printer, with hard copies through the spooler drawn with them.
TEST(PrinterResources, SizedForThePrinterBlackWithBlackReleasedAndPrinted)
{
    auto scene = BuildScene("F - 0 0 400 300");
    kr::AppRecord(0).mainWindow = scene["F"];
    PrnCanPrint();
    const HDC printer = PrnGetPrinterDC(); // 300 dots per inch
    ASSERT_TRUE(printer) << "scripts/test.sh makes the PDF queue the default printer";
    const HGDIOBJ kinds[] = {CreateFontA(-16, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"),
                             CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), CreateSolidBrush(RGB(255, 0, 0))};
    GLOBALRESOURCES screen;
    for (int word = 0; word < KR_RESOURCE_WORDS; ++word)
        screen.word[word] = kr::KindOfWord(word) == kr::ResourceWord::Colour ? 0x123456
                                                                             : HandleToULong(kinds[int(kr::KindOfWord(word))]);
    SetGlobalResources(screen);
    // The printed line: as wide as LineWidth says (0: one dot), in colour only without Black.
    const struct { const char *keys, *found; int dots; bool coloured; } rows[] = {
        {"LineWidth=3\nBlack=TRUE", "1 4 3 3 0|0|-49|0", 3, false},
        {"LineWidth=0\nBlack=FALSE", "0 1 0 0 ff|ff|-49|123456", 1, true},
    };
    for (const auto &row : rows) {
        krtest::WriteTextFile(krtest::IniFilePath(), std::string("[Print]\n") + row.keys + "\n");
        const krtest::GuiObjects before = krtest::CountGuiObjects();
        const std::string title = krtest::UniqueJobTitle("resources");
        const DOCINFOA doc = {sizeof doc, title.c_str(), nullptr, nullptr, 0};
        StartDocA(printer, &doc);
        StartPage(printer);
        kr::DrawHardcopy(printer, scene["F"], nullptr, 0, {0, 0, 2000, 2000});
        EndPage(printer);
        EndDoc(printer);
        EXPECT_EQ(row.found, g_found) << row.keys;
        EXPECT_TRUE(before == krtest::CountGuiObjects() && !GetPrinterResources(nullptr)) << row.keys;
        const krtest::PrintedPdf pdf(title);
        EXPECT_NEAR(row.dots * 25.4 / 300, pdf.InkMm(1).bottom - pdf.InkMm(1).top, 0.1) << row.keys;
        std::string coloured; // pixels whose red, green and blue differ
        krtest::RunHostCommand("pdftoppm -r 72 " + pdf.HostPath() + " | python3 -c 'import sys; d = sys.stdin.buffer."
                               "read().split(None, 4)[4]; print(sum(max(d[i:i+3]) - min(d[i:i+3]) > 60 for i in range(0, "
                               "len(d), 3)))'", &coloured);
        EXPECT_EQ(row.coloured, coloured != "0\n") << row.keys << coloured;
    }
    // Around a metafile the shared record itself is the printer's, its colour values kept.
    krtest::WriteTextFile(krtest::IniFilePath(), "[Print]\nLineWidth=1\nBlack=TRUE\n");
    const krtest::GuiObjects before = krtest::CountGuiObjects();
    GLOBALRESOURCES saved, shared;
    EXPECT_TRUE(GetPrnResourceForMetafile(scene["F"], nullptr, &saved, nullptr));
    GetGlobalResourcesDC(nullptr, &shared);
    EXPECT_EQ("1 2 1 1 0|0|-49|123456", Described(shared));
    GetPrnResourceForMetafile(nullptr, nullptr, &saved, nullptr);
    GetGlobalResourcesDC(nullptr, &shared);
    EXPECT_TRUE(!GetPrinterResources(nullptr) && !memcmp(&screen, &shared, sizeof shared));
    EXPECT_TRUE(before == krtest::CountGuiObjects());
    // Points at the printer's resolution: 10 at 300 dots per inch are 41.67 dots.
    const HGDIOBJ font = SelectObject(printer, PrnCreateFont(printer, 10, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New"));
    const LOGFONTA bold = Of<LOGFONTA>(HandleToULong(PrnCreateBoldFont(printer)));
    EXPECT_EQ("-42 700 Courier New", std::to_string(bold.lfHeight) + " " + std::to_string(bold.lfWeight) + " " + bold.lfFaceName);
    DeleteObject(SelectObject(printer, font));
    DeleteDC(printer);
    PrnTidyUp();
    DestroyWindow(scene["F"]);
}

} // namespace

// Message boxes in the suite's style, answered by the test helper, and the
// status bar, received by real status windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "krapps.h"
#include "krutil_strings.h"
#include "support/box_answerer.h"
#include "support/test_control.h"
#include "test_app_windows.h"
#include "test_strings.h"

using krtest::BoxAnswerer;
using krtest::ShownBox;

namespace {

std::vector<UINT> g_beeps;

void __stdcall RecordBeep(UINT type)
{
    g_beeps.push_back(type);
}

// Every test answers boxes with `button` and observes boxes and beeps.
class Messages : public testing::Test {
protected:
    void SetUp() override
    {
        g_beeps.clear();
        KrutilTestControl(KRTEST_MESSAGE_BOX_OBSERVER, reinterpret_cast<INT_PTR>(&BoxAnswerer::Observe));
        KrutilTestControl(KRTEST_BEEP_OBSERVER, reinterpret_cast<INT_PTR>(&RecordBeep));
        owner_ = krtest::CreateAppWindow(&ownerApp_, "owner");
    }
    void TearDown() override
    {
        KrutilTestControl(KRTEST_MESSAGE_BOX_OBSERVER, 0);
        KrutilTestControl(KRTEST_BEEP_OBSERVER, 0);
        SetApplicationInfo(APPINFOTABLE{});
        DestroyWindow(owner_);
    }
    // The one box the call showed.
    static const ShownBox &Only(const BoxAnswerer &answerer)
    {
        EXPECT_EQ(1u, answerer.Boxes().size());
        static const ShownBox none;
        return answerer.Boxes().empty() ? none : answerer.Boxes().front();
    }

    krtest::TestApp ownerApp_;
    HWND owner_ = nullptr;
};

} // namespace

TEST_F(Messages, GenMessageAddsTheRangeLinesCutsLongTextsAndNeedsAnOwner)
{
    BoxAnswerer answerer;
    EXPECT_EQ(IDOK, GenMessage(owner_, "Error in TOP value", "Print Margins Error", MB_ICONEXCLAMATION, "", ""));
    EXPECT_EQ(IDOK, GenMessage(owner_, "Too small", "Range", 0, "1", nullptr));
    EXPECT_EQ(IDOK, GenMessage(owner_, "Too big", nullptr, 0, nullptr, "30.00"));
    EXPECT_EQ(IDOK, GenMessage(owner_, nullptr, "Range", 0, "0.00", "30.00"));
    EXPECT_EQ(IDOK, GenMessage(owner_, std::string(300, 'x').c_str(), "Long", 0, "1", "2"));
    EXPECT_EQ(-1, GenMessage(nullptr, "x", "y", 0, nullptr, nullptr));
    HWND dead = krtest::CreateAppWindow(&ownerApp_, "dead");
    DestroyWindow(dead);
    EXPECT_EQ(-1, GenMessage(dead, "x", "y", 0, nullptr, nullptr));
    const std::vector<ShownBox> &boxes = answerer.Boxes();
    ASSERT_EQ(5u, boxes.size());
    EXPECT_EQ("Error in TOP value", boxes[0].shownText);
    EXPECT_EQ("Print Margins Error", boxes[0].shownCaption);
    EXPECT_EQ(owner_, boxes[0].owner);
    EXPECT_EQ("Too small\nMin Value: 1", boxes[1].text);
    EXPECT_EQ("Too big\nMax Value: 30.00", boxes[2].text);
    EXPECT_EQ("Error", boxes[2].shownCaption);
    EXPECT_EQ("\nMin Value: 0.00\nMax Value: 30.00", boxes[3].text);
    EXPECT_EQ(std::string(255, 'x'), boxes[4].text);
}

TEST_F(Messages, GenMessageBeepsByIconAndReturnsTheButton)
{
    const struct {
        UINT icon;
        std::vector<UINT> beeps;
    } cases[] = {
        {MB_ICONHAND, {0x30, 0x10}},
        {MB_ICONEXCLAMATION, {0x30, 0x10}},
        {MB_ICONQUESTION, {0x30}},
        {MB_ICONINFORMATION, {}},
    };
    for (const auto &c : cases) {
        g_beeps.clear();
        BoxAnswerer answerer(IDNO);
        EXPECT_EQ(IDNO, GenMessage(owner_, "Continue?", "Beeps", c.icon | MB_YESNO, nullptr, nullptr));
        EXPECT_EQ(c.beeps, g_beeps) << std::hex << c.icon;
        EXPECT_EQ(c.icon | MB_YESNO, Only(answerer).style);
        EXPECT_EQ((std::vector<int>{IDYES, IDNO}), Only(answerer).buttons);
        EXPECT_TRUE(Only(answerer).icon);
    }
}

TEST_F(Messages, GenSetFocusSelectsTheControlsText)
{
    HWND edit = CreateWindowExA(0, "EDIT", "selected", WS_CHILD | WS_VISIBLE, 5, 5, 150, 20, owner_,
                                reinterpret_cast<HMENU>(42), nullptr, nullptr);
    EXPECT_EQ(1, GenSetFocus(owner_, 42));
    EXPECT_EQ(edit, GetFocus());
    DWORD start = 1, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(8u, end);
    EXPECT_EQ(0, GenSetFocus(nullptr, 42));
}

TEST_F(Messages, SeverityDigitsGiveIconAndLevel)
{
    const struct {
        const char *text;
        short style, level;
        const char *message;
    } cases[] = {
        {"3 Disk full", MB_ICONHAND, 3, "Disk full"},
        {"1\t \tSaved", MB_ICONINFORMATION, 1, "Saved"},
        {"2 12 files", MB_ICONEXCLAMATION, 2, "files"},
        {"7 Odd", 0, 3, "Odd"},
        {"No number", 0, 3, "No number"},
    };
    for (const auto &c : cases) {
        short style = -1, level = -1;
        EXPECT_STREQ(c.message, MsgGetErrorLevel(c.text, &style, &level)) << c.text;
        EXPECT_EQ(c.style, style) << c.text;
        EXPECT_EQ(c.level, level) << c.text;
    }
    short style = -1;
    EXPECT_EQ(nullptr, MsgGetErrorLevel(nullptr, &style, nullptr));
    EXPECT_EQ(0, style);
}

TEST_F(Messages, MsgReportShowsTheLibrarysMessagesBySeverity)
{
    BoxAnswerer answerer;
    EXPECT_EQ(1, MsgReport(IDS_MSG_CANNOT_PRINT, "Printing"));
    EXPECT_EQ(1, MsgReport(IDS_MSG_CANNOT_OPEN, nullptr, "E:\\data\\run01.raw"));
    EXPECT_EQ(1, MsgReport(IDS_MSG_SAVED, "Saved", "Method 4"));
    EXPECT_EQ(1, MsgReport(1234, "Missing"));
    EXPECT_EQ(1, MsgReport(30000, "Memory"));
    const std::vector<ShownBox> &boxes = answerer.Boxes();
    ASSERT_EQ(5u, boxes.size());
    const struct {
        const char *text;
        UINT style;
    } expected[] = {
        {"Cannot perform print", MB_TASKMODAL | MB_ICONHAND},
        {"Cannot open the file E:\\data\\run01.raw", MB_TASKMODAL | MB_ICONHAND},
        {"Method 4 has been saved", MB_TASKMODAL | MB_ICONINFORMATION},
        {"Application Error: 1234", MB_TASKMODAL | MB_ICONHAND},
        {"Out of memory", MB_SYSTEMMODAL | MB_ICONHAND},
    };
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(expected[i].text, boxes[i].shownText);
        EXPECT_EQ(expected[i].style, boxes[i].style) << boxes[i].text;
        EXPECT_EQ(nullptr, boxes[i].owner);
    }
    EXPECT_EQ("Printing", boxes[0].shownCaption);
    EXPECT_EQ("(null)", boxes[1].caption);
    EXPECT_TRUE(g_beeps.empty());

    // The expanded text is cut to the message area before the severity goes.
    answerer.Clear();
    MsgReport(IDS_MSG_CANNOT_OPEN, "Long", std::string(600, 'n').c_str());
    const std::string text = Only(answerer).text;
    EXPECT_EQ("Cannot open the file nnn", text.substr(0, 24));
    EXPECT_EQ(255u - 2, text.size()); // the 255 expanded characters less the severity "3 "
}

TEST_F(Messages, MsgReportMsgTakesStyleFromTheKeywords)
{
    const struct {
        UINT id;
        const char *caption;
        int answer;
        const char *text, *shownCaption;
        UINT style;
        std::vector<int> buttons;
        std::vector<UINT> beeps; // information lies outside bits 0x30
    } cases[] = {
        {IDS_TEST_DELETE, "Delete", IDNO, "Delete x?", "Delete", MB_TASKMODAL | MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2,
         {IDYES, IDNO}, {0xFFFFFFFF}},
        {IDS_TEST_DONE, nullptr, IDOK, "Done", "Attention", MB_TASKMODAL | MB_ICONEXCLAMATION, {IDOK}, {0xFFFFFFFF}},
        {IDS_TEST_UNKNOWN_TOKEN, "Info", IDOK, "x", "Info", MB_TASKMODAL | MB_ICONINFORMATION, {IDOK}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        g_beeps.clear();
        BoxAnswerer answerer(c.answer);
        EXPECT_EQ(c.answer, MsgReportMsg(GetModuleHandleA(nullptr), c.id, c.caption, "x"));
        const ShownBox &box = Only(answerer);
        EXPECT_EQ(c.text, box.shownText);
        EXPECT_EQ(c.shownCaption, box.shownCaption);
        EXPECT_EQ(c.style, box.style);
        EXPECT_EQ(c.buttons, box.buttons);
        EXPECT_EQ(c.answer, box.defaultButton); // the button it is answered with is the default
        EXPECT_EQ(c.beeps, g_beeps);
        EXPECT_TRUE(box.icon);
    }
}

TEST_F(Messages, MsgReportMsgShowsNothingWithoutACommaOrAHost)
{
    BoxAnswerer answerer;
    EXPECT_EQ(0, MsgReportMsg(GetModuleHandleA(nullptr), IDS_TEST_NO_COMMA, "No comma"));
    EXPECT_EQ(0, MsgReportMsg(nullptr, IDS_TEST_DONE, "No host"));
    EXPECT_TRUE(answerer.Boxes().empty());

    // With the host registered, its module's strings are used.
    APPINFO *host = nullptr;
    GetApplicationInfoPtr(0, &host);
    host->mainWindow = owner_;
    EXPECT_EQ(IDOK, MsgReportMsg(nullptr, IDS_TEST_DONE, "Host"));
    EXPECT_EQ(IDOK, MsgReportMsg(nullptr, 4321, "Host"));
    EXPECT_EQ(IDOK, MsgReportMsg(nullptr, 30000, nullptr));
    ASSERT_EQ(3u, answerer.Boxes().size());
    EXPECT_EQ("Done", answerer.Boxes()[0].shownText);
    EXPECT_EQ("Application Error: 4321", answerer.Boxes()[1].shownText);
    EXPECT_EQ(static_cast<UINT>(MB_TASKMODAL | MB_ICONHAND), answerer.Boxes()[1].style);
    EXPECT_EQ(static_cast<UINT>(MB_SYSTEMMODAL | MB_ICONHAND), answerer.Boxes()[2].style);
    EXPECT_EQ("Attention", answerer.Boxes()[2].shownCaption);
    EXPECT_EQ(3u, g_beeps.size());
}

namespace {

// A status window of one of the suite's classes: notes the status texts it
// is sent, reading each atom's name while it handles the message.
struct StatusWindow {
    explicit StatusWindow(const char *cls)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = cls;
        RegisterClassA(&wc);
        window = CreateWindowExA(0, cls, cls, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~StatusWindow() { DestroyWindow(window); }

    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto *self = reinterpret_cast<StatusWindow *>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && msg == GetUpDateMessageValue()) {
            char name[300] = "";
            if (wp)
                GlobalGetAtomNameA(static_cast<ATOM>(wp), name, sizeof name);
            self->texts.push_back(wp ? name : "(cleared)");
            return 0;
        }
        if (self && msg == RegisterWindowMessageA("WMKVESK_KRVB_GET_MESSAGE_HWND"))
            return reinterpret_cast<LRESULT>(self->answerForQuery);
        return DefWindowProcA(window, msg, wp, lp);
    }

    HWND window = nullptr;
    std::vector<std::string> texts;
    HWND answerForQuery = nullptr; // what a "KestruneUIWClass" window hands out
};

using Texts = std::vector<std::string>;

} // namespace

TEST(StatusBar, TheSuitesWindowReadsTheTextWhileHandlingTheMessage)
{
    EXPECT_EQ(RegisterWindowMessageA("Up_Date_Message_Bar"), GetUpDateMessageValue());
    EXPECT_EQ(0, UpDateKestruneStatusBar("nobody listens")); // no status window: no effect
    StatusWindow main("KestruneWClass");
    EXPECT_EQ(0, UpDateKestruneStatusBar("Acquiring: scan 12"));
    EXPECT_EQ(0, UpDateKestruneStatusBar(nullptr));
    EXPECT_EQ(0, UpDateKestruneStatusBar(std::string(300, 's').c_str()));
    EXPECT_EQ((Texts{"Acquiring: scan 12", "(cleared)", std::string(255, 's')}), main.texts);
    EXPECT_EQ(0, GlobalFindAtomA("Acquiring: scan 12")); // deleted after the send
}

TEST(StatusBar, TheUserInterfaceWindowNamesTheWindowToSendTo)
{
    {
        StatusWindow target("KrTestTargetWClass"), main("KestruneWClass"), ui("KestruneUIWClass");
        ui.answerForQuery = target.window;
        UpDateKestruneStatusBar("to the target");
        EXPECT_EQ((Texts{"to the target"}), target.texts);
        EXPECT_TRUE(main.texts.empty() && ui.texts.empty());

        ui.answerForQuery = nullptr; // no message window: the suite's main window
        UpDateKestruneStatusBar("to the main window");
        EXPECT_EQ((Texts{"to the main window"}), main.texts);
    }
    StatusWindow older("OmbrelWClass");
    UpDateKestruneStatusBar("to the older shell");
    EXPECT_EQ((Texts{"to the older shell"}), older.texts);
}

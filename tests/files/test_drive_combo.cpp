// The drive list through the DLL, in the browse dialog's template: its
// entries for drives given through the library's drive-call table (a floppy
// drive never asked, a network drive whose first answer asks for more room),
// the selection kept across a refill, and one entry drawn into a memory DC.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <algorithm>

#include "files/drive_calls.h"
#include "krfiles.h"
#include "krutil_dialogs.h"
#include "support/alloc_sweep.h"
#include "support/dialog_driver.h"
#include "support/gui_objects.h"
#include "support/test_control.h"

namespace {

using Texts = std::vector<std::string>;

const struct Drive {
    std::string root;
    UINT type;
    const char *volume; // null: the volume cannot be read
    const char *entry;
} kDrives[] = {
    {"A:\\", DRIVE_REMOVABLE, "never asked", "A: Floppy"}, {"B:\\", DRIVE_FIXED, "never asked", "B: Floppy"},
    {"C:\\", DRIVE_FIXED, "System", "C: System"},         {"D:\\", DRIVE_REMOVABLE, nullptr, "D: "},
    {"E:\\", DRIVE_CDROM, "Disc 1", "E: Disc 1"},         {"F:\\", DRIVE_RAMDISK, "Scratch", "F: Scratch"},
    {"N:\\", DRIVE_REMOTE, "not a volume", "N: \\\\lab\\runs"}, {"Q:\\", DRIVE_NO_ROOT_DIR, "none", "Q: "},
};
std::string g_absent; // a root left out of the list
Texts g_volumesAsked;
std::vector<DWORD> g_nameSizes; // the buffer sizes the network was given

const Drive &Find(const char *root)
{
    return *std::find_if(std::begin(kDrives), std::end(kDrives), [root](const Drive &d) { return d.root == root; });
}

const kr::DriveCalls kFakeDrives = {
    [](DWORD size, LPSTR roots) -> DWORD WINAPI {
        std::string list;
        for (const Drive &drive : kDrives)
            list += drive.root == g_absent ? "" : drive.root + '\0';
        if (size > list.size())
            memcpy(roots, list.c_str(), list.size() + 1);
        return static_cast<DWORD>(size > list.size() ? list.size() : list.size() + 1);
    },
    [](LPCSTR root) -> UINT WINAPI { return Find(root).type; },
    [](LPCSTR root, LPSTR name, DWORD size, LPDWORD, LPDWORD, LPDWORD, LPSTR, DWORD) -> BOOL WINAPI {
        g_volumesAsked.push_back(root);
        lstrcpynA(name, Find(root).volume ? Find(root).volume : "half-read", size);
        return Find(root).volume != nullptr;
    },
    [](LPCSTR, DWORD level, LPVOID answer, LPDWORD size) -> DWORD WINAPI {
        g_nameSizes.push_back(*size);
        if (g_nameSizes.size() % 2) // the first question of each pair
            return *size = 700, ERROR_MORE_DATA;
        auto *info = static_cast<REMOTE_NAME_INFOA *>(answer);
        info->lpConnectionName = strcpy(reinterpret_cast<char *>(info + 1), "\\\\lab\\runs");
        return level == REMOTE_NAME_INFO_LEVEL ? NO_ERROR : ERROR_INVALID_LEVEL;
    }};

struct DriveList : CDriveCombo {
    using CDriveCombo::FillDriveList;
};

class DriveDialog : public CDialog {
public:
    DriveDialog() : CDialog(IDD_BROWSE) {}
    CDriveCombo drives;
    BOOL OnInitDialog() override
    {
        drives.SubclassDlgItem(IDC_BROWSE_DRIVES, this);
        drives.RefreshBox();
        return CDialog::OnInitDialog();
    }
};

// Entry `index` drawn into a memory DC: the picture at half the dialog base
// unit, the text after it, centred, opaque to the right edge; the DC's
// colours as they were, no GDI object left behind.
void CheckDrawing(CDriveCombo &drives, int index)
{
    const int half = LOWORD(GetDialogBaseUnits()) / 2, width = 200, height = 24, top = (height - 12) / 2;
    const HDC dc = CreateCompatibleDC(nullptr);
    const BITMAPINFO format = {{sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void *bits;
    const HGDIOBJ old = SelectObject(dc, CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    const krtest::GuiObjects objects = krtest::CountGuiObjects();
    DRAWITEMSTRUCT item = {ODT_COMBOBOX, IDC_BROWSE_DRIVES, UINT(-1), ODA_DRAWENTIRE, 0, drives.m_hWnd, dc,
                           {0, 0, width, height}, 0};
    drives.DrawItem(&item); // no entry: nothing drawn
    EXPECT_EQ(0u, GetPixel(dc, 0, 0));
    item.itemID = index;
    drives.DrawItem(&item);
    EXPECT_TRUE(GetTextColor(dc) == RGB(1, 2, 3) && GetBkColor(dc) == RGB(4, 5, 6) &&
                objects == krtest::CountGuiObjects());
    const COLORREF window = GetSysColor(COLOR_WINDOW), ink = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_TRUE(GetPixel(dc, half + 11, top + 7) == RGB(0, 192, 0) && GetPixel(dc, half, top) == window &&
                GetPixel(dc, half + 1, top + 3) == ink && GetPixel(dc, width - 1, 0) == window)
        << "the lamp, the picture's transparent corner and outline, the background";
    char text[64];
    SIZE cell;
    GetTextExtentPoint32A(dc, text, drives.GetLBText(index, text, sizeof text), &cell);
    int inkLeft = width, inkTop = height, inkBottom = -1; // where the text's ink lies
    for (int x = half + 16; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (GetPixel(dc, x, y) == ink)
                inkLeft = std::min(inkLeft, x), inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y);
    const int cellTop = (height - cell.cy) / 2;
    EXPECT_TRUE(inkLeft >= 16 + 2 * half && inkLeft <= 16 + 2 * half + 2 && inkTop >= cellTop &&
                inkBottom < cellTop + cell.cy)
        << inkLeft << "," << inkTop << " to " << inkBottom << " in a cell from " << cellTop;
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
}

} // namespace

TEST(DriveCombo, ListsRefreshesAndDrawsTheDrives)
{
    CResourceSwitch library(GetModuleHandleA("krutil.dll"));
    KrutilTestControl(KRTEST_DRIVE_CALLS, reinterpret_cast<INT_PTR>(&kFakeDrives));
    krtest::DialogDriver driver;
    DriveDialog dialog;
    driver.Then("Select <File / Project etc>", [&](krtest::Dialog &d) {
        Texts entries;
        for (const Drive &drive : kDrives)
            entries.push_back(drive.entry);
        EXPECT_EQ(entries, d.ListItems(IDC_BROWSE_DRIVES));
        EXPECT_EQ((Texts{"C:\\", "D:\\", "E:\\", "F:\\"}), g_volumesAsked);
        EXPECT_EQ((std::vector<DWORD>{500, 700 + 500}), g_nameSizes);
        d.SelectComboItem(IDC_BROWSE_DRIVES, "E: Disc 1");
        g_absent = "C:\\";
        dialog.drives.RefreshBox(); // E: moves up a place and stays selected
        EXPECT_TRUE(d.ListSelection(IDC_BROWSE_DRIVES) == 3 && d.ListItems(IDC_BROWSE_DRIVES).size() == 7);
        CheckDrawing(dialog.drives, 3);
        d.Screenshot("drive_combo"); // Wine's own drives are listed in test_browse_dialog
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());

    KrutilTestControl(KRTEST_DRIVE_CALLS, reinterpret_cast<INT_PTR>(&kFakeDrives));
    size_t before = 0;
    const auto forget = [] { g_volumesAsked = {}, g_nameSizes = {}; }; // the fakes' notes would hold memory
    krtest::SweepAllocations([&] { forget(), before = krtest::BusyHeapBytes(), DriveList().FillDriveList(), forget(); },
                             [&](long, bool) { EXPECT_EQ(before, krtest::BusyHeapBytes()); });
    KrutilTestControl(KRTEST_DRIVE_CALLS, 0);
}

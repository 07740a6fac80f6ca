// The drive list: an owner-drawn combo box of the drives, each entry drawn
// after the drive picture.
#include <string.h>

#include "files/drive_calls.h"
#include "files/drive_entry.h"
#include "krfiles.h"
#include "krutil_dialogs.h"
#include "support/memory.h"
#include "support/module_instance.h"

namespace {

const DWORD kUniversalNameBytes = 500; // the first buffer, and what a retry adds to the size asked for

// Appends one text with its NUL to a list of texts; false when out of memory
// (the list is then as it was).
bool AppendText(char *&list, size_t &bytes, const char *text)
{
    const size_t length = strlen(text) + 1;
    char *grown = static_cast<char *>(kr::MemAlloc(bytes + length));
    if (!grown)
        return false;
    if (list)
        memcpy(grown, list, bytes);
    memcpy(grown + bytes, text, length);
    kr::MemFree(list);
    list = grown;
    bytes += length;
    return true;
}

// The network connection of a remote drive into label (cap bytes); empty
// when the network cannot tell it.
void ReadConnectionName(const kr::DriveCalls &calls, const char *root, char *label, size_t cap)
{
    DWORD size = kUniversalNameBytes;
    void *answer = kr::MemAlloc(size);
    DWORD result = answer ? calls.getUniversalName(root, REMOTE_NAME_INFO_LEVEL, answer, &size) : ERROR_OUTOFMEMORY;
    if (result == ERROR_MORE_DATA) {
        kr::MemFree(answer);
        size += kUniversalNameBytes;
        answer = kr::MemAlloc(size);
        result = answer ? calls.getUniversalName(root, REMOTE_NAME_INFO_LEVEL, answer, &size) : ERROR_OUTOFMEMORY;
    }
    const char *name = result == NO_ERROR ? static_cast<REMOTE_NAME_INFOA *>(answer)->lpConnectionName : nullptr;
    lstrcpynA(label, name ? name : "", static_cast<int>(cap));
    kr::MemFree(answer);
}

// The label of one drive into label (cap bytes); empty when there is none.
void ReadDriveLabel(const kr::DriveCalls &calls, const char *root, char *label, size_t cap)
{
    label[0] = '\0';
    switch (kr::LabelSourceOf(calls.getDriveType(root), root)) {
    case kr::DriveLabelSource::Floppy:
        lstrcpynA(label, "Floppy", static_cast<int>(cap));
        break;
    case kr::DriveLabelSource::Volume:
        if (!calls.getVolumeInformation(root, label, static_cast<DWORD>(cap), nullptr, nullptr, nullptr, nullptr, 0))
            *label = '\0'; // whatever the failed call left there
        break;
    case kr::DriveLabelSource::Connection:
        ReadConnectionName(calls, root, label, cap);
        break;
    case kr::DriveLabelSource::None:
        break;
    }
}

} // namespace

CDriveCombo::CDriveCombo()
    : m_hDriveImage(LoadBitmapA(kr::ModuleInstance(), MAKEINTRESOURCEA(IDB_DRIVE))),
      m_hDriveMask(LoadBitmapA(kr::ModuleInstance(), MAKEINTRESOURCEA(IDB_DRIVE_MASK))), m_nImageWidth(0),
      m_nImageHeight(0), m_pEntries(nullptr), m_nEntryBytes(0)
{
    BITMAP size;
    if (m_hDriveImage && GetObjectA(m_hDriveImage, sizeof size, &size)) {
        m_nImageWidth = size.bmWidth;
        m_nImageHeight = size.bmHeight;
    }
}

CDriveCombo::~CDriveCombo()
{
    DeleteObject(m_hDriveImage);
    DeleteObject(m_hDriveMask);
    kr::MemFree(m_pEntries);
}

void CDriveCombo::FillDriveList()
{
    kr::MemFree(m_pEntries);
    m_pEntries = nullptr;
    m_nEntryBytes = 0;
    const kr::DriveCalls &calls = kr::CurrentDriveCalls();
    const DWORD size = calls.getLogicalDriveStrings(0, nullptr);
    char *roots = static_cast<char *>(kr::MemAlloc(size + 1));
    if (!roots)
        return;
    const DWORD length = calls.getLogicalDriveStrings(size + 1, roots);
    // Roots one after another, each with its NUL; only the part reported
    // written is read.
    for (DWORD at = 0; length <= size && at < length && roots[at];) {
        const DWORD rootLength = static_cast<DWORD>(strnlen(roots + at, length - at));
        roots[at + rootLength] = '\0';
        char label[MAX_PATH + 1];
        ReadDriveLabel(calls, roots + at, label, sizeof label);
        char entry[sizeof label + 3];
        kr::FormatDriveEntry(entry, sizeof entry, roots + at, label);
        if (!AppendText(m_pEntries, m_nEntryBytes, entry))
            break;
        at += rootLength + 1;
    }
    kr::MemFree(roots);
}

void CDriveCombo::RefreshBox()
{
    char selected[MAX_PATH + 4];
    const int index = GetCurSel();
    const bool reselect = index != CB_ERR && GetLBText(index, selected, sizeof selected) != CB_ERR;
    FillDriveList();
    ResetContent();
    for (size_t at = 0; at < m_nEntryBytes; at += strlen(m_pEntries + at) + 1)
        AddString(m_pEntries + at);
    if (reselect)
        SelectString(-1, selected);
}

void CDriveCombo::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (!item || item->itemID == static_cast<UINT>(-1))
        return;
    char text[MAX_PATH + 4];
    const int length = GetLBText(static_cast<int>(item->itemID), text, sizeof text);
    if (length == CB_ERR)
        return;
    const HDC dc = item->hDC;
    const RECT &area = item->rcItem;
    const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    const int halfUnit = LOWORD(GetDialogBaseUnits()) / 2;
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &extent);
    ExtTextOutA(dc, area.left + m_nImageWidth + 2 * halfUnit, area.top + (area.bottom - area.top - extent.cy) / 2,
                ETO_OPAQUE | ETO_CLIPPED, &area, text, static_cast<UINT>(length), nullptr);
    // The mask clears the picture's place, then the picture is laid in it.
    const HDC picture = CreateCompatibleDC(dc);
    const HGDIOBJ before = SelectObject(picture, m_hDriveMask);
    const int top = area.top + (area.bottom - area.top - m_nImageHeight) / 2;
    BitBlt(dc, area.left + halfUnit, top, m_nImageWidth, m_nImageHeight, picture, 0, 0, SRCAND);
    SelectObject(picture, m_hDriveImage);
    BitBlt(dc, area.left + halfUnit, top, m_nImageWidth, m_nImageHeight, picture, 0, 0, SRCPAINT);
    SelectObject(picture, before);
    DeleteDC(picture);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

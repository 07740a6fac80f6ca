// The browse dialog: its state, its start, the events of its controls, and
// OK with the user's access to the chosen location.
#include "files/browse_dialog.h"

#include <string.h>

#include "apps/help_call.h"
#include "apps/message_box.h"
#include "files/browse_rules.h"
#include "files/list_entry.h"
#include "krutil_dialogs.h"
#include "support/capped_text.h"
#include "support/module_instance.h"

namespace kr {
namespace {
const char kRefusedText[] = "Kestrune security is not currently configured to allow you access to this location\n"
                            "Please see your Kestrune administrator";
const char kRefusedCaption[] = "Kestrune Security";
const ULONG_PTR kHelpContext = 56;

// The directory of the running program, with its trailing backslash.
void ProgramDirectory(char *out, size_t cap)
{
    char program[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    if (length == 0 || length >= sizeof program)
        program[0] = '\0';
    char *last = strrchr(program, '\\');
    if (last)
        last[1] = '\0';
    CopyText(program, out, cap);
}

bool FullPath(const char *path, char *out, DWORD cap)
{
    const DWORD length = GetFullPathNameA(path, cap, out, nullptr);
    return length > 0 && length < cap;
}

// A relative directory is taken from the current one, so that the tree has a root.
void StartDirectory(const char *given, char *out, size_t cap)
{
    char directory[MAX_PATH] = "";
    if (!given || !*given)
        ProgramDirectory(directory, sizeof directory);
    else if (RootLength(given) != 0 || !FullPath(given, directory, sizeof directory))
        CopyText(given, directory, sizeof directory);
    WithTrailingBackslash(directory, out, cap);
}

void LoadImagePair(HIMAGELIST images, int image, int mask)
{
    HBITMAP picture = LoadBitmapA(ModuleInstance(), MAKEINTRESOURCEA(image));
    HBITMAP transparency = LoadBitmapA(ModuleInstance(), MAKEINTRESOURCEA(mask));
    if (picture && transparency)
        ImageList_Add(images, picture, transparency);
    if (picture)
        DeleteObject(picture);
    if (transparency)
        DeleteObject(transparency);
}
} // namespace

BrowseDialog::BrowseDialog(const char *filter, const char *directory, const char *name, const char *title,
                           CWnd *parent, LPCSTR templateName, bool checkFileAccess, bool allowTemplateAccess)
    : CDialog(templateName, parent), hasTitle_(title != nullptr), checkFileAccess_(checkFileAccess),
      allowTemplateAccess_(allowTemplateAccess)
{
    CopyText(filter, filter_, sizeof filter_);
    extension_ = FilterExtension(filter_);
    CopyText(title, title_, sizeof title_);
    ProposeName(name ? name : "", extension_, name_, sizeof name_);
    StartDirectory(directory, directory_, sizeof directory_);
    CopySpan({directory_, RootLength(directory_)}, drive_, sizeof drive_);
    secureFiles_ = CFileAccess::UsesSecureFiles() != FALSE;
    securityLight_ = CFileAccess::UsesSecurityLight() != FALSE;
}

BrowseDialog::~BrowseDialog()
{
    if (images_)
        ImageList_Destroy(images_);
}

void BrowseDialog::GetChosenPath(char *out, size_t cap) const
{
    ChosenPath(directory_, name_, extension_, out, cap);
}

void BrowseDialog::BuildImageList()
{
    images_ = ImageList_Create(16, 12, ILC_COLOR24 | ILC_MASK, 3, 0);
    if (!images_)
        return;
    LoadImagePair(images_, IDB_DRIVE, IDB_DRIVE_MASK);
    LoadImagePair(images_, IDB_FOLDER_CLOSED, IDB_FOLDER_CLOSED_MASK);
    LoadImagePair(images_, IDB_FOLDER_OPEN, IDB_FOLDER_OPEN_MASK);
}

BOOL BrowseDialog::OnInitDialog()
{
    if (hasTitle_)
        SetWindowText(title_);
    tree_ = ::GetDlgItem(m_hWnd, IDC_BROWSE_TREE);
    drives_.SubclassDlgItem(IDC_BROWSE_DRIVES, this);
    BuildImageList();
    ::SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
    drives_.RefreshBox();
    FillEntryList();
    BuildTree();
    HWND list = ::GetDlgItem(m_hWnd, IDC_BROWSE_ENTRIES);
    const LRESULT found = ::SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name_));
    if (found != LB_ERR)
        ::SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(found), 0);
    return CDialog::OnInitDialog();
}

void BrowseDialog::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_BROWSE_NAME, name_, sizeof name_);
    if (dx->m_bSaveAndValidate)
        MoveDirectoryPartOut(name_, directory_);
    else
        SetDlgItemText(IDC_BROWSE_DIRECTORY, directory_);
}

BOOL BrowseDialog::OnCommand(WPARAM wp, LPARAM lp)
{
    const WORD id = LOWORD(wp), code = HIWORD(wp);
    if (id == IDC_BROWSE_ENTRIES && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
        OnEntrySelectionChanged();
        if (code == LBN_DBLCLK)
            OnOK();
        return TRUE;
    }
    if (id == IDC_BROWSE_DRIVES && code == CBN_SELCHANGE) {
        if (!busy_)
            OnDriveChanged();
        return TRUE;
    }
    if (id == IDC_BROWSE_NETWORK && code == BN_CLICKED) {
        OnNetwork();
        return TRUE;
    }
    return CDialog::OnCommand(wp, lp);
}

BOOL BrowseDialog::OnNotify(WPARAM, LPARAM lp, LRESULT *result)
{
    const NMTREEVIEWA *notice = reinterpret_cast<const NMTREEVIEWA *>(lp);
    if (notice->hdr.idFrom != IDC_BROWSE_TREE)
        return FALSE;
    // The tree speaks ANSI or Unicode as it likes; the item fields lie alike in both.
    switch (notice->hdr.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        // While the tree is rebuilt the directory is already the one it shows.
        if (!busy_)
            OnTreeSelectionChanged(notice->itemNew.hItem);
        break;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
        if (!busy_ && (notice->action & TVE_EXPAND))
            ExpandPlaceholder(notice->itemNew.hItem);
        break;
    default:
        return FALSE;
    }
    *result = FALSE;
    return TRUE;
}

LRESULT BrowseDialog::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CONTEXTHELP) {
        OnContextHelp();
        return 0;
    }
    return CDialog::WindowProc(message, wp, lp);
}

void BrowseDialog::OnTreeSelectionChanged(HTREEITEM item)
{
    if (!PathOfItem(item, directory_, sizeof directory_))
        return;
    FillEntryList();
    UpdateFields();
}

void BrowseDialog::OnEntrySelectionChanged()
{
    HWND list = ::GetDlgItem(m_hWnd, IDC_BROWSE_ENTRIES);
    const LRESULT index = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR || !ListEntryText(list, static_cast<WPARAM>(index), name_))
        name_[0] = '\0';
    UpdateFields();
}

void BrowseDialog::OnDriveChanged()
{
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    EnableWindow(FALSE);
    name_[0] = '\0';
    char entry[MAX_PATH] = "";
    drives_.GetLBText(drives_.GetCurSel(), entry, sizeof entry);
    DriveOfEntry(entry, secureFiles_, drive_, sizeof drive_);
    WithTrailingBackslash(drive_, directory_, sizeof directory_);
    FillEntryList();
    BuildTree();
    UpdateFields();
    EnableWindow(TRUE);
    SetCursor(previous);
}

void BrowseDialog::OnNetwork()
{
    if (WNetConnectionDialog(m_hWnd, RESOURCETYPE_DISK) == NO_ERROR)
        drives_.RefreshBox();
}

void BrowseDialog::OnContextHelp()
{
    ShowSuiteHelpContext(m_hWnd, kHelpContext);
}

void BrowseDialog::OnOK()
{
    // The location shown is tested before the name field can move it.
    if (LocationAllowed()) {
        CDialog::OnOK();
        return;
    }
    RefuseLocation();
}

void BrowseDialog::RefuseLocation()
{
    // The path as the fields would read back, without reading them back.
    char name[MAX_PATH] = "", directory[MAX_PATH];
    GetDlgItemText(IDC_BROWSE_NAME, name, sizeof name);
    CopyText(directory_, directory, sizeof directory);
    MoveDirectoryPartOut(name, directory);
    char chosen[MAX_PATH];
    ChosenPath(directory, name, extension_, chosen, sizeof chosen);
    CFileAccess::LogEventSecurityA(CUSTORIX_EVENT_ACCESS_REFUSED, CUSTORIX_OUTCOME_REFUSED, chosen, nullptr, 0);
    ShowMessageBox(m_hWnd, kRefusedText, kRefusedCaption, MB_OK | MB_ICONSTOP);
}

} // namespace kr

// The raw-file dialog: the browse dialog on its own template, with the
// caller's information panel and callbacks, the display options kept in
// the caller's options word, and signing.
#include <string.h>

#include "apps/help_call.h"
#include "files/browse_dialog.h"
#include "files/path_parts.h"
#include "files/raw_file_options.h"
#include "files/raw_file_signing.h"
#include "krutil_dialogs.h"
#include "support/module_instance.h"

static_assert(RAWFILE_IDC_DESCRIPTION == IDC_RAW_DESCRIPTION && RAWFILE_IDC_DESCRIPTION2 == IDC_RAW_DESCRIPTION2 &&
                  RAWFILE_IDC_ACQUIRED == IDC_RAW_ACQUIRED && RAWFILE_IDC_FUNCTION == IDC_RAW_FUNCTION,
              "the panel's public ids are the template's");

namespace kr {
namespace {
const ULONG_PTR kHelpContext = 49;

// Room beside the longest function name for the list's arrow and margins.
int DropDownAllowance()
{
    return GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE) + 6;
}

// A combo box's height is that of its dropped-down list, not of what shows.
int HeightToKeep(HWND control, const RECT &shown)
{
    char name[16] = "";
    RECT dropped;
    if (GetClassNameA(control, name, sizeof name) && lstrcmpiA(name, "ComboBox") == 0 &&
        SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
        return dropped.bottom - dropped.top;
    return shown.bottom - shown.top;
}

class RawFileBrowser : public BrowseDialog {
public:
    RawFileBrowser(const char *filter, const char *directory, const char *name, const char *title, CWnd *parent,
                   RAWFILEDIALOGDATA *data, const RAWFILECALLBACKS *callbacks)
        : BrowseDialog(filter, directory, name, title, parent, "BRO_FILEOPEN", true, false),
          data_(data ? data : &own_), callbacks_(callbacks)
    {
    }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;
    void OnTreeSelectionChanged(HTREEITEM item) override;
    void OnEntrySelectionChanged() override;
    void OnDriveChanged() override;
    void OnContextHelp() override { ShowSuiteHelpContext(m_hWnd, kHelpContext); }

private:
    void Show(int id, bool shown) { ::ShowWindow(::GetDlgItem(m_hWnd, id), shown ? SW_SHOWNA : SW_HIDE); }
    void ShowOptions();
    void StoreOptions();
    void WidenForFunctions();
    void FillRecord();
    int Inform();
    void SelectionChanged();
    void OnHistory();
    void OnExperiment();
    void OnDelete();

    RAWFILEDIALOGDATA own_ = {};
    RAWFILEDIALOGDATA *data_;
    const RAWFILECALLBACKS *callbacks_;
};

BOOL RawFileBrowser::OnInitDialog()
{
    const BOOL focus = BrowseDialog::OnInitDialog();
    ShowOptions();
    Show(IDC_RAW_TYPE_LABEL, false);
    Show(IDC_RAW_TYPE, false);
    FillRecord();
    Inform();
    WidenForFunctions();
    return focus;
}

void RawFileBrowser::ShowOptions()
{
    int offered = 0, required = 0;
    CFileAccess::SigSettings(kRawSigningApplication, &offered, &required);
    Show(IDC_RAW_SIGN, offered || required);
    const DisplayControls controls = DisplayControlsOf(data_->options);
    Show(IDC_RAW_ADD, controls.displayShown);
    Show(IDC_RAW_REPLACE, controls.displayShown);
    Show(IDC_RAW_NEW_WINDOW, controls.displayShown);
    Show(IDC_RAW_REPLACE_ALL, controls.replaceAllShown);
    Show(IDC_RAW_CHROMATOGRAM, controls.tracesShown);
    Show(IDC_RAW_SPECTRUM, controls.tracesShown);
    Show(IDC_RAW_HISTORY, controls.historyShown);
    if (controls.chosen)
        CheckDlgButton(controls.chosen, BST_CHECKED);
    CheckDlgButton(IDC_RAW_CHROMATOGRAM, controls.chromatogram ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_RAW_SPECTRUM, controls.spectrum ? BST_CHECKED : BST_UNCHECKED);
}

void RawFileBrowser::StoreOptions()
{
    bool on[6];
    for (size_t i = 0; i < 6; ++i)
        on[i] = IsDlgButtonChecked(kOptionButtons[i].id) == BST_CHECKED;
    data_->options = StoreOptionButtons(data_->options, on);
}

// The function list grows to its longest entry; controls right of it move
// by as much, and those reaching past its right edge grow with it.
void RawFileBrowser::WidenForFunctions()
{
    HWND functions = ::GetDlgItem(m_hWnd, IDC_RAW_FUNCTION);
    HDC dc = ::GetDC(functions);
    HGDIOBJ font = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(functions, WM_GETFONT, 0, 0)));
    int longest = 0;
    char entry[MAX_PATH];
    const int count = static_cast<int>(::SendMessageA(functions, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        SIZE size = {};
        if (::SendMessageA(functions, CB_GETLBTEXTLEN, i, 0) < MAX_PATH &&
            ::SendMessageA(functions, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry)) >= 0 &&
            ::GetTextExtentPoint32A(dc, entry, static_cast<int>(strlen(entry)), &size) && size.cx > longest)
            longest = size.cx;
    }
    ::SelectObject(dc, font);
    ::ReleaseDC(functions, dc);
    RECT box;
    ::GetWindowRect(functions, &box);
    const int growth = longest + DropDownAllowance() - (box.right - box.left);
    if (count == 0 || growth <= 0)
        return;
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT *>(&box), 2);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT *>(&place), 2);
        if (place.left >= box.right)
            ::OffsetRect(&place, growth, 0);
        else if (place.right >= box.right)
            place.right += growth;
        ::MoveWindow(child, place.left, place.top, place.right - place.left, HeightToKeep(child, place), FALSE);
    }
    RECT frame;
    ::GetWindowRect(m_hWnd, &frame);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left + growth, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void RawFileBrowser::FillRecord()
{
    QZFILE &file = data_->rawFile.file;
    file.number = 0;
    CopySpan({directory_, strlen(directory_)}, file.directory, sizeof file.directory);
    CopySpan(SplitPath(name_).name, file.name, sizeof file.name);
    strcpy(file.extension, "RAW");
}

int RawFileBrowser::Inform()
{
    return callbacks_ && callbacks_->information ? callbacks_->information(m_hWnd, data_) : 1;
}

void RawFileBrowser::SelectionChanged()
{
    data_->rawFile.file.value1 = 1;
    data_->rawFile.index1 = 1;
    data_->rawFile.index2 = 0;
    FillRecord();
    Inform();
}

void RawFileBrowser::OnTreeSelectionChanged(HTREEITEM item)
{
    BrowseDialog::OnTreeSelectionChanged(item);
    SelectionChanged();
}

void RawFileBrowser::OnEntrySelectionChanged()
{
    BrowseDialog::OnEntrySelectionChanged();
    SelectionChanged();
}

void RawFileBrowser::OnDriveChanged()
{
    BrowseDialog::OnDriveChanged();
    SelectionChanged();
}

BOOL RawFileBrowser::OnCommand(WPARAM wp, LPARAM lp)
{
    const WORD id = LOWORD(wp), code = HIWORD(wp);
    if (id == IDC_RAW_FUNCTION && code == CBN_SELCHANGE) {
        const LRESULT chosen = ::SendDlgItemMessageA(m_hWnd, IDC_RAW_FUNCTION, CB_GETCURSEL, 0, 0);
        if (chosen != CB_ERR)
            data_->rawFile.index1 = static_cast<short>(chosen + 1);
        return TRUE;
    }
    if (code != BN_CLICKED)
        return BrowseDialog::OnCommand(wp, lp);
    switch (id) {
    case IDC_RAW_HISTORY:
        OnHistory();
        return TRUE;
    case IDC_RAW_EXPERIMENT:
        OnExperiment();
        return TRUE;
    case IDC_RAW_DELETE:
        OnDelete();
        return TRUE;
    case IDC_RAW_SIGN: {
        char path[MAX_PATH];
        if (RawFilePath(directory_, name_, path, sizeof path) < sizeof path)
            SignRawFile(m_hWnd, path, secureFiles_, securityLight_);
        return TRUE;
    }
    default:
        return BrowseDialog::OnCommand(wp, lp);
    }
}

void RawFileBrowser::OnHistory()
{
    FillRecord();
    if (callbacks_ && callbacks_->history)
        callbacks_->history(m_hWnd, data_);
    data_->rawFile.file.value1 = 1;
    FillRecord();
    Inform();
}

void RawFileBrowser::OnExperiment()
{
    HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    FillRecord();
    if (callbacks_ && callbacks_->experiment)
        callbacks_->experiment(m_hWnd, data_, 1);
    ::SetCursor(previous);
}

void RawFileBrowser::OnDelete()
{
    if (!SecurityEnquire(m_hWnd, CUSTORIX_RIGHT_DELETE_RAW, 0))
        return;
    FillRecord();
    if (callbacks_ && callbacks_->remove)
        callbacks_->remove(m_hWnd, data_);
    FillEntryList();
    OnEntrySelectionChanged();
}

void RawFileBrowser::OnOK()
{
    UpdateData(TRUE);
    FillRecord();
    StoreOptions();
    if (!Inform())
        return;
    strcpy(data_->rawFile.file.extension, "RAW");
    BrowseDialog::OnOK();
}
} // namespace
} // namespace kr

extern "C" int KRAPI RawFileDialog(const char *filter, const char *initialDirectory, const char *initialName,
                                   const char *title, HWND owner, RAWFILEDIALOGDATA *data,
                                   RAWFILECALLBACKS *callbacks, char *outPath)
{
    CResourceSwitch resources(kr::ModuleInstance());
    kr::RawFileBrowser dialog(filter, initialDirectory, initialName, title, CWnd::FromHandle(owner), data,
                              callbacks);
    const INT_PTR result = dialog.DoModal();
    if (result != IDCANCEL && outPath)
        dialog.GetChosenPath(outPath, MAX_PATH);
    return static_cast<int>(result);
}

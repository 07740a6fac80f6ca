// The suite's modal browser of directories: a tree of directories, a list of
// the directories matching a filter (projects *.PRO, raw files *.raw), a
// drive list and a network button, with the user's access to a location
// asked of the secure file access library before it is accepted. The raw
// file dialog extends it.
#ifndef KR_FILES_BROWSE_DIALOG_H
#define KR_FILES_BROWSE_DIALOG_H

#include <windows.h>
#include <commctrl.h>

#include "custorix.h"
#include "krfiles.h"
#include "krwnd.h"

namespace kr {

class BrowseDialog : public CDialog {
public:
    // Null texts count as empty; a null title keeps the template's caption.
    BrowseDialog(const char *filter, const char *directory, const char *name, const char *title, CWnd *parent,
                 LPCSTR templateName, bool checkFileAccess, bool allowTemplateAccess);
    ~BrowseDialog() override;

    // directory + name, with the filter's extension unless the name ends in it.
    void GetChosenPath(char *out, size_t cap) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange *dx) override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;
    BOOL OnNotify(WPARAM wp, LPARAM lp, LRESULT *result) override;
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;

    // The events; a derived dialog adds its own handling around them.
    virtual void OnTreeSelectionChanged(HTREEITEM item);
    virtual void OnEntrySelectionChanged();
    virtual void OnDriveChanged();
    virtual void OnNetwork();
    virtual void OnContextHelp();

    bool LocationAllowed() const;
    void FillEntryList();
    void BuildTree();
    void UpdateFields() { UpdateData(FALSE); }

    char filter_[MAX_PATH];
    const char *extension_; // inside filter_
    char title_[MAX_PATH];
    bool hasTitle_;
    char name_[MAX_PATH];
    char directory_[MAX_PATH];
    char drive_[MAX_PATH];
    bool checkFileAccess_;
    bool allowTemplateAccess_;
    bool secureFiles_;
    bool securityLight_;
    bool busy_ = false;
    HTREEITEM selectedItem_ = nullptr;
    HIMAGELIST images_ = nullptr;
    CDriveCombo drives_;
    HWND tree_ = nullptr;

private:
    void BuildImageList();
    void InsertChildren(HTREEITEM item, const char *path, const char *remaining, bool expand);
    void ExpandPlaceholder(HTREEITEM item);
    void SelectDriveOfRoot(const char *root);
    bool PathOfItem(HTREEITEM item, char *out, size_t cap) const;
    void RefuseLocation();
};

} // namespace kr

#endif

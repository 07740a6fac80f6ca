/*
 * krwnd.h - the small window-class layer the suite's dialogs stand on.
 *
 * C++ objects bound to Win32 windows: a window wrapper, a modal dialog with
 * data exchange and message dispatch, an owner-drawn combo box, the common
 * open/save dialog, and the module from which templates and bitmaps are
 * loaded. It holds only what the utility library's dialogs need; it is its
 * own DLL so that a fuller class library could replace it.
 *
 * Binding: an object is bound to its window by a window property
 * ("KrWndObject"), set when the object attaches or subclasses the window and
 * removed when it detaches or the window is destroyed. FromHandle gives the
 * bound object, or a temporary wrapper kept until DeleteTempMap (called when
 * the outermost modal dialog of the thread returns). Nothing here throws;
 * an object that cannot be made leaves the call failing (DoModal -1, a null
 * pointer from FromHandle).
 *
 * Messages: a bound window's messages go to WindowProc, which dispatches
 * WM_COMMAND to OnCommand and WM_NOTIFY to OnNotify, and first offers
 * WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM and
 * WM_DELETEITEM from a child to the child's bound object (OnChildNotify), so
 * that an owner-drawn control draws itself. Whatever nobody handles takes the
 * window's previous course (Default).
 *
 * Resources: dialogs and bitmaps are loaded from the current resource module
 * (KrGetResourceHandle; the program's own module until it is changed). A
 * library that shows its own dialogs switches it for the time it shows them
 * with CResourceSwitch.
 */
#ifndef KRWND_H
#define KRWND_H

#include <windows.h>

#ifdef KRWND_BUILD
#define KRWND_API __declspec(dllexport)
#else
#define KRWND_API __declspec(dllimport)
#endif

/* The module templates and bitmaps come from; never null (the program's own
   module until set). Setting null restores that. */
KRWND_API HINSTANCE KrGetResourceHandle();
KRWND_API void KrSetResourceHandle(HINSTANCE module);

/* Makes `module` the resource module while it lives, then restores the one
   before. */
class KRWND_API CResourceSwitch {
public:
    explicit CResourceSwitch(HINSTANCE module);
    ~CResourceSwitch();
    CResourceSwitch(const CResourceSwitch &) = delete;
    CResourceSwitch &operator=(const CResourceSwitch &) = delete;

private:
    HINSTANCE previous_;
};

class KRWND_API CWnd {
public:
    CWnd();
    virtual ~CWnd(); // detaches (a subclassed window gets its old procedure back); never destroys the window

    HWND m_hWnd;
    HWND GetSafeHwnd() const { return m_hWnd; }

    /* The bound object of a window, or a temporary wrapper (see above); null
       for a null handle or when no wrapper can be made. */
    static CWnd *FromHandle(HWND window);
    static CWnd *FromHandlePermanent(HWND window);
    static void DeleteTempMap();

    /* Binds this object to a window without changing its procedure (dialogs),
       or by subclassing it (controls), so that its messages reach this
       object. 0 when the window is null, already bound, or this object is. */
    BOOL Attach(HWND window);
    HWND Detach();
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd *parent);

    CWnd *GetDlgItem(int id) const;
    LRESULT SendMessage(UINT message, WPARAM wp = 0, LPARAM lp = 0) const;
    void SetWindowText(LPCSTR text);
    int GetWindowText(LPSTR text, int size) const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void SetDlgItemText(int id, LPCSTR text);
    int GetDlgItemText(int id, LPSTR text, int size) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;

    /* The message being handled, and its previous course. */
    LRESULT Default();

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp);
    /* Return TRUE when handled. */
    virtual BOOL OnCommand(WPARAM wp, LPARAM lp);
    virtual BOOL OnNotify(WPARAM wp, LPARAM lp, LRESULT *result);
    virtual BOOL OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT *result);
    /* Called after the window got WM_NCDESTROY and the object was detached. */
    virtual void PostNcDestroy();

    /* Offers a child's notification to the child's bound object. */
    BOOL ReflectToChild(UINT message, WPARAM wp, LPARAM lp, LRESULT *result);
    static LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);

    WNDPROC m_pfnSuper; // the procedure a subclassed window had before

private:
    struct CurrentMessage {
        UINT message;
        WPARAM wp;
        LPARAM lp;
        BOOL *unhandled; // a dialog's: set when the message takes its default course
    };
    CurrentMessage m_current;
    LRESULT Dispatch(UINT message, WPARAM wp, LPARAM lp, BOOL *unhandled);
    BOOL IsBound() const;
    friend class CDialog;
};

/* Moves values between a dialog's controls and its object: m_bSaveAndValidate
   is TRUE when reading the controls into the object. */
class KRWND_API CDataExchange {
public:
    CDataExchange(CWnd *dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd *m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

/* The text of an edit or static control and a buffer of `size` bytes; the
   text read back is cut to size - 1 characters. */
KRWND_API void DDX_Text(CDataExchange *dx, int id, LPSTR value, int size);
/* Binds `control` to the dialog's control `id` on the first exchange. */
KRWND_API void DDX_Control(CDataExchange *dx, int id, CWnd &control);

class KRWND_API CDialog : public CWnd {
public:
    /* A dialog from the template `templateId` (or named `templateName`) of the
       resource module current when DoModal is called. */
    explicit CDialog(UINT templateId, CWnd *parent = nullptr);
    explicit CDialog(LPCSTR templateName, CWnd *parent = nullptr);

    /* Shows the dialog and returns the value given to EndDialog, or -1 when
       it cannot be created (no template, no memory). */
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    /* Exchanges the values; FALSE when the exchange failed. */
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    virtual BOOL OnInitDialog(); // UpdateData(FALSE); TRUE: the system sets the focus
    virtual void OnOK();         // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();     // EndDialog(IDCANCEL)

protected:
    virtual void DoDataExchange(CDataExchange *dx);
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;

    LPCSTR m_lpszTemplateName;
    CWnd *m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    static INT_PTR DialogResult(HWND window, UINT message, LRESULT result);
};

class KRWND_API CComboBox : public CWnd {
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int AddString(LPCSTR text);
    void ResetContent();
    /* CB_SELECTSTRING: the index selected, or CB_ERR. */
    int SelectString(int startAfter, LPCSTR text);
    int GetLBTextLen(int index) const;
    /* CB_GETLBTEXT into a buffer of `size` bytes (cut, terminated); the
       length copied, or CB_ERR. */
    int GetLBText(int index, LPSTR text, int size) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT *result) override;
};

/* The platform's open or save dialog (explorer style, with a hook so that
   OnFileNameOK can keep it open). m_ofn may be changed between construction
   and DoModal; lpstrFile holds the chosen path afterwards. The constructor
   keeps its own copies of the texts, cut to their buffers (a filter to 1022
   characters), takes the owner from the parent's window at once, and adds
   OFN_EXPLORER | OFN_ENABLEHOOK to the flags. While the dialog is shown,
   m_hWnd is the platform's dialog window (to own boxes shown from
   OnFileNameOK); DoModal counts as a modal dialog for the temporary wrappers. */
class KRWND_API CFileDialog : public CWnd {
public:
    /* open: TRUE for the open dialog; defaultExtension without the dot;
       fileName the proposed name; filter pairs separated by "|" and ending
       in "||"; any pointer may be null. */
    CFileDialog(BOOL open, LPCSTR defaultExtension = nullptr, LPCSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr,
                CWnd *parent = nullptr);
    ~CFileDialog() override;

    OPENFILENAMEA m_ofn;

    /* IDOK when a file was chosen, IDCANCEL otherwise (also when the dialog
       cannot be shown; CommDlgExtendedError then says why). */
    virtual INT_PTR DoModal();

protected:
    /* Called when the user confirms a name (m_ofn.lpstrFile holds it): TRUE
       keeps the dialog open. */
    virtual BOOL OnFileNameOK();

private:
    static UINT_PTR CALLBACK HookProc(HWND hook, UINT message, WPARAM wp, LPARAM lp);
    BOOL m_bOpenFileDialog;
    char m_szFilter[1024];
    char m_szDefExt[64];
    char m_szFileName[MAX_PATH];
};

#endif /* KRWND_H */

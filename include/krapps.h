/*
 * krapps.h - applications and messages: the registry through which the
 * suite's applications in one process find and steer one another, shared
 * drawing resources, window-property values, named kernel objects, message
 * boxes in the suite's style and the suite-wide status bar.
 *
 * All registry state is per process and unsynchronised: call it from the
 * thread that owns the applications' windows.
 */
#ifndef KRAPPS_H
#define KRAPPS_H

#include "krdefs.h"

/* One application of the registry. Index 0 is the host application. */
typedef struct tagAPPINFO {
    HWND mainWindow;   /* the frame window; null when not registered */
    LONG left;         /* the frame's screen rectangle as last taken by */
    LONG top;          /* SetApplicationInfoFrameWnd */
    LONG width;
    LONG height;
    HWND clientWindow; /* the frame's MDI client */
    LONG open;         /* 1 while open; suite-wide operations act on open records with live windows */
    LONG spare;        /* not used by the library */
} APPINFO;

#define KR_APPLICATIONS 30
#define KR_DIALOG_SLOTS 50

/* The whole registry, passed by value to SetApplicationInfo: 960 bytes in
 * the 32-bit build. */
typedef struct tagAPPINFOTABLE {
    APPINFO app[KR_APPLICATIONS];
} APPINFOTABLE;

/* The suite's shared drawing resources: 86 32-bit words, copied whole and
 * never interpreted here. Fonts are words 0, 6, 18, 23 and 27; pens 5, 11,
 * 12, 17 and 32 to 82 in steps of 5; brushes 4, 10, 16, 22 and 31 to 81 in
 * steps of 5; every other word is a colour. GDI handles are kept as their
 * 32-bit values (HandleToULong/ULongToHandle on 64-bit builds). */
#define KR_RESOURCE_WORDS 86
typedef struct tagGLOBALRESOURCES {
    DWORD word[KR_RESOURCE_WORDS];
} GLOBALRESOURCES;

#define KR_SYSTEM_GLOBALS_BYTES 628

/* Registry protocol messages. */
#define WM_KR_QUERYQUIT (WM_USER + 12)  /* reply nonzero: refuses to quit */
#define WM_KR_QUIT (WM_USER + 13)       /* the window is destroyed right after */
#define WM_KR_FILEUPDATE (WM_USER + 15) /* wParam: update code, lParam: caller's pointer */

KR_EXTERN_C_BEGIN

/* ---- the registry ---- */
int KRAPI SetApplicationInfo(APPINFOTABLE table);
int KRAPI GetApplicationInfo(APPINFO *out); /* 30 records */
/* The record's address for index 0 to 29: 1; else 0 with *out untouched. */
int KRAPI GetApplicationInfoPtr(int index, APPINFO **out);
/* Store the main window's screen rectangle / the client window. The index
 * is not checked: pass 0 to 29. */
int KRAPI SetApplicationInfoFrameWnd(int index);
int KRAPI SetApplicationInfoClientWnd(int index, HWND client);
/* The main window of an open record with a live window, else null. */
HWND KRAPI GetApplicationWnd(int index);

/* ---- suite-wide operations (records 1 to 29 unless stated) ---- */
int KRAPI IsApplicationOpen(void);
/* 0 at the first open application that refuses WM_KR_QUERYQUIT, else 1. */
int KRAPI OKToQuitAllApplications(void);
/* Sends WM_KR_QUIT to every open application and destroys its window; the
 * host (record 0) is left alone. Always 1. */
int KRAPI QuitAllApplications(void);
/* Sends to every live main window, open or not, and every dialog of the
 * table; returns the OR of the replies. */
LRESULT KRAPI BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam);
/* WM_KR_FILEUPDATE to records 0 to 29; the number that replied nonzero, or
 * 0 while the suite is disabled. */
int KRAPI GenFileUpdate(LPARAM pointer, unsigned short code);
/* Disables the open applications' windows (remembering which it disabled)
 * or re-enables exactly those; windows disabled by their own application
 * stay disabled. */
void KRAPI EnableKestrune(int enable);
int KRAPI IsKestruneEnabled(void);
void KRAPI KestruneSetAITaskHandle(HANDLE task); /* accepted and ignored */
void KRAPI KestruneProcessYield(void);           /* does nothing */

/* ---- modeless dialogs in keyboard handling (50 slots) ---- */
void KRAPI ClearAllGlobalDialogWnd(void);
int KRAPI SetGlobalDialogWnd(unsigned short index, HWND dialog); /* 0 for index 50 or more */
HWND KRAPI GetGlobalDialogWnd(int index);
/* 1 when a dialog of the table took the message (IsDialogMessageA). */
int KRAPI HandleDialogMessage(MSG *message);

/* ---- drawing resources: a screen record and a printer record ---- */
int KRAPI SetGlobalResources(GLOBALRESOURCES screen);
/* The printer record while a printer context is set, else the screen one. */
int KRAPI GetGlobalResources(GLOBALRESOURCES *out);
int KRAPI GetGlobalResourcesPtr(GLOBALRESOURCES **out);
/* With a record: the printer context and its record; with null: none (the
 * printer record is zeroed). */
int KRAPI SetPrinterResources(HDC printer, const GLOBALRESOURCES *resources);
/* Copies the printer record; returns the printer context (null when none). */
HDC KRAPI GetPrinterResources(GLOBALRESOURCES *out);
/* The printer record when dc is the printer context, else the screen one. */
int KRAPI GetGlobalResourcesPtrDC(HDC dc, GLOBALRESOURCES **out);
int KRAPI GetGlobalResourcesDC(HDC dc, GLOBALRESOURCES *out);
/* The applications' 628-byte shared area, zero at start. */
int KRAPI GetSystemGlobalsPtr(void **out);

/* ---- a value kept in a window property ----
 * The value is pointer-sized (32 bits in the 32-bit build), held in a small
 * movable local block attached to the property. */
LONG_PTR KRAPI GetPropPtr(HWND window, const char *name); /* 0 when none */
int KRAPI SetPropPtr(HWND window, const char *name, LONG_PTR value);
void KRAPI RemovePropPtr(HWND window, const char *name);

/* 0 when [Kestrune] AppEnabledNN of WIN.INI says "FALSE" (any case) for
 * application n (0 to 18), else 1; 0 for other n. Read once per process. */
int KRAPI AppCtrlIsAppEnabled(int n);

/* ---- named kernel objects ----
 * Each takes a name (or null) that is given the "Global\" prefix on systems
 * of major version 5 or later. The create functions, given no security
 * attributes, use a security descriptor with a null DACL (access for
 * everyone). A name that is 260 characters or more with its prefix is
 * refused: null, with ERROR_FILENAME_EXCED_RANGE (a cut name would name
 * another object). */
HANDLE KRAPI CreateGlobalEventA(SECURITY_ATTRIBUTES *sa, BOOL manualReset, BOOL initialState, const char *name);
HANDLE KRAPI CreateGlobalEventW(SECURITY_ATTRIBUTES *sa, BOOL manualReset, BOOL initialState, const WCHAR *name);
HANDLE KRAPI OpenGlobalEventA(DWORD access, BOOL inherit, const char *name);
HANDLE KRAPI OpenGlobalEventW(DWORD access, BOOL inherit, const WCHAR *name);
HANDLE KRAPI CreateGlobalMutexA(SECURITY_ATTRIBUTES *sa, BOOL initialOwner, const char *name);
HANDLE KRAPI CreateGlobalMutexW(SECURITY_ATTRIBUTES *sa, BOOL initialOwner, const WCHAR *name);
HANDLE KRAPI OpenGlobalMutexA(DWORD access, BOOL inherit, const char *name);
HANDLE KRAPI OpenGlobalMutexW(DWORD access, BOOL inherit, const WCHAR *name);

/* TRUE when another process holds the named mutex (or it cannot be made,
 * with a beep); FALSE when the caller now holds it, until its process ends. */
BOOL KRAPI ApplicationRunningCheck(const char *name);
/* Opens and closes a second handle of the mutex; the holder keeps it. */
void KRAPI RemoveApplicationRunningCheck(const char *name);

/* ---- messages ---- */
/* The text with "\nMin Value: " and "\nMax Value: " lines for non-empty
 * min/max, cut to 255 characters; beeps for exclamation and hand icons.
 * -1 when owner is not a window, else the button pressed. */
int KRAPI GenMessage(HWND owner, const char *text, const char *caption, UINT style, const char *min,
                     const char *max);
/* Focuses the control and selects all its text; 0 when dialog is not a window. */
int KRAPI GenSetFocus(HWND dialog, short id);
/* Severity of a "3 Disk full" text into *style and *level (either may be
 * null); returns the message after the number. */
const char *KRAPI MsgGetErrorLevel(const char *text, short *style, short *level);
/* Shows message `number` of the library's string table (severity digit
 * first), expanded with the arguments; no owner, task-modal. 30000 is
 * "Out of memory"; a missing string shows "Application Error: %u".
 * Always 1. The library's messages, with the arguments each takes: */
#define KR_MSG_CANNOT_OPEN 1101             /* error "Cannot open the file %s": the file name */
#define KR_MSG_CANNOT_WRITE 1102            /* error "Cannot write the file %s": the file name */
#define KR_MSG_FILE_EXISTS 1103             /* warning "The file %s already exists": the file name */
#define KR_MSG_CANNOT_PRINT 1104            /* error "Cannot perform print" */
#define KR_MSG_PROJECT_NOT_ACCESSIBLE 1105  /* warning "This project is not accessible" */
#define KR_MSG_SAVED 1106                   /* information "%s has been saved": what was saved */
#define KR_MSG_OUT_OF_MEMORY 30000          /* "Out of memory", system-modal */
int KRAPIV MsgReport(unsigned short number, const char *caption, ...);
/* Shows message `number` of the instance's string table (the host
 * application's when null), whose text is "options,message": options are
 * keywords for icon, buttons, default button and logging. Caption
 * "Attention" when null. Returns the button pressed, or 0 when nothing was
 * shown (no host application, or no comma in the text). */
int KRAPIV MsgReportMsg(HINSTANCE instance, unsigned short number, const char *caption, ...);

/* ---- the status bar ---- */
/* Sends the text (cut to 255 characters) as a global atom with the
 * registered message "Up_Date_Message_Bar" to the suite's status window;
 * null clears it. Always 0. */
int KRAPI UpDateKestruneStatusBar(const char *text);
UINT KRAPI GetUpDateMessageValue(void);

KR_EXTERN_C_END

#endif /* KRAPPS_H */

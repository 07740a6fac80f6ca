/*
 * krprinting.h - printing: the caller's print settings record and the
 * user's print options kept in the "Print" section of KESTRUNE.INI.
 */
#ifndef KRPRINTING_H
#define KRPRINTING_H

#include <stddef.h>

#include "krdefs.h"

/* Indices of PrintSettings.margins. */
#define PRINT_MARGIN_TOP 0
#define PRINT_MARGIN_LEFT 1
#define PRINT_MARGIN_BOTTOM 2
#define PRINT_MARGIN_RIGHT 3

/* The caller's print settings, passed by pointer. 80 bytes in the 32-bit
 * build. The window field is a native window handle, so the 64-bit build,
 * where a handle takes 8 bytes, places it at offset 24 after 4 bytes of
 * padding and every later field 8 bytes further on: 88 bytes in all. Both
 * layouts are pinned below. Flags are 0 or non-zero. */
typedef struct tagPrintSettings {
    LONG showDialog;      /* non-zero: the print dialog waits for the user; 0: it closes at once as if OK were pressed */
    float margins[4];     /* top, left, bottom, right, in centimetres */
    HWND window;          /* the child window to print ("Current &Window"), or null */
    LONG printToFile;
    LONG allWindows;      /* all child windows rather than the active one */
    LONG border;          /* a frame around each printed window */
    long reserved1;       /* not used: aligns the next field to 8 bytes */
    double printQuality;  /* dots per inch, or a negative platform quality code */
    double copies;
    LONG allApplications; /* the frame windows of all running applications of the suite */
    LONG orientation;     /* DMORIENT_PORTRAIT (1) or DMORIENT_LANDSCAPE (2) */
    LONG lineWidth;       /* trace width 0..5 */
    LONG fontSize;        /* report font size in points, 1..48 */
    LONG black;           /* every colour printed black */
    long reserved2;       /* not used */
} PrintSettings;

#ifdef __cplusplus
#ifdef _WIN64
static_assert(sizeof(PrintSettings) == 88 && offsetof(PrintSettings, window) == 24 &&
                  offsetof(PrintSettings, printToFile) == 32 && offsetof(PrintSettings, printQuality) == 48 &&
                  offsetof(PrintSettings, copies) == 56 && offsetof(PrintSettings, allApplications) == 64 &&
                  offsetof(PrintSettings, black) == 80,
              "the print settings keep the 64-bit layout");
#else
static_assert(sizeof(PrintSettings) == 80 && offsetof(PrintSettings, window) == 20 &&
                  offsetof(PrintSettings, printToFile) == 24 && offsetof(PrintSettings, printQuality) == 40 &&
                  offsetof(PrintSettings, copies) == 48 && offsetof(PrintSettings, allApplications) == 56 &&
                  offsetof(PrintSettings, black) == 72,
              "the print settings keep the layout callers were built with");
#endif
static_assert(offsetof(PrintSettings, margins) == 4 &&
                  offsetof(PrintSettings, orientation) == offsetof(PrintSettings, allApplications) + 4 &&
                  offsetof(PrintSettings, lineWidth) == offsetof(PrintSettings, allApplications) + 8 &&
                  offsetof(PrintSettings, fontSize) == offsetof(PrintSettings, allApplications) + 12,
              "the print settings' fields follow one another");
#endif

/* Messages the library sends to the window being printed (WM_USER + 17..19).
 * The window draws itself; one that handles none of them prints white. */
#define PRN_MSG_REPORT 0x0411  /* wParam printer HDC, lParam RECT*: write the whole report, PrnReportNewPage between pages */
#define PRN_MSG_DRAW 0x0412    /* wParam printer HDC, lParam RECT*: draw the window's contents into the rectangle */
#define PRN_MSG_PREPARE 0x0413 /* wParam HDC, lParam RECT* before drawing; 0, 0 after it */

/* Drawing flags of PrnHardcopy and PrnReportWindow. */
#define PRN_DRAW_MDI_CHILDREN 0x01  /* the children are those of the frame's "mdiclient" window */
#define PRN_DRAW_CHILDREN 0x02      /* draw child windows */
#define PRN_DRAW_ALL_CHILDREN 0x04  /* all child windows, not just one */
#define PRN_DRAW_FRAME_BORDER 0x08  /* a border around the frame window */
#define PRN_DRAW_CHILD_BORDER 0x10  /* a border around each child window */
#define PRN_DRAW_SCREEN_PLACE 0x20  /* the frame placed by its position on the screen */
#define PRN_DRAW_NAMED_CHILD 0x40   /* the named child window (without PRN_DRAW_CHILDREN) */

/* ---- what is drawn on the page: printer fonts and metafile resources ---- */
#include "krapps.h"

KR_EXTERN_C_BEGIN

/* A font for the printer context `dc`: `pointSize` points high at its
 * vertical resolution (-MulDiv(pointSize, LOGPIXELSY, 72): 10 points at 300
 * dots per inch are -42), the platform's width for the height, every other
 * attribute as given (as CreateFontA takes them). The caller deletes it. */
HFONT KRAPI PrnCreateFont(HDC dc, int pointSize, int escapement, int orientation, int weight, DWORD italic,
                          DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outputPrecision, DWORD clipPrecision,
                          DWORD quality, DWORD pitchAndFamily, const char *faceName);

/* A bold (weight 700) copy of the font selected into `dc`, or null when it
 * cannot be learnt. The caller deletes it. */
HFONT KRAPI PrnCreateBoldFont(HDC dc);

/* Called in pairs around drawing recorded into a metafile for the chosen
 * printer (the Plendor library records and plays it back).
 * Beginning, `window` given: the window stops repainting on the screen, a
 * context is made for the chosen printer and the recording started on it
 * over `frame` (KRInitPrnDCMetaFile: printer units, null for the whole
 * page). When it starts, the shared drawing resources are copied into
 * `saved` and replaced by their printer version (fonts at the printer's
 * resolution, pens at the "Print" section's LineWidth, pens and brushes
 * black with its Black; the colour values kept), which is also registered
 * with the printer context. Returns the recording context to draw on, or
 * null when nothing was started (no printer chosen, no window, a recording
 * already open, a null `saved`).
 * End, `window` null: the recording is played back onto the page into
 * `target` (KREndMetaFile: printer units, null where it was drawn); the
 * printer version is released, the shared resources restored from `saved`,
 * the printer context deleted and windows repaint again. Returns null. */
HDC KRAPI GetPrnResourceForMetafile(HWND window, const RECT *frame, GLOBALRESOURCES *saved, const RECT *target);

KR_EXTERN_C_END

KR_EXTERN_C_BEGIN

/* ---- the printer chosen for the process ----
 * The printer is chosen once and kept, as the "HDEVMODE" and "HDEVNAMES"
 * properties of the frame window of application 0, for every job of the
 * process; its orientation follows the "Print" section's Orientation. */

/* Chooses the platform's default printer without asking the user. Always
 * 1; when there is no printer nothing is chosen and jobs fail with
 * "Cannot perform print". */
int KRAPI PrnCanPrint(void);

/* As PrnCanPrint; a non-zero `noWarning` also keeps the print dialogs of
 * the process from warning that no printer is installed. Always 1. */
int KRAPI PrinterAvailable(int noWarning);

/* Kept for the suite's older applications: they do nothing. Always 1. */
int KRAPI PrnPrintSetupGCV(void);
int KRAPI PrnPrintSetupOK(HWND window);

/* The platform's print set-up dialog on the chosen printer. OK keeps the
 * printer and saves its orientation to the "Print" section: 1. Cancel, or
 * no dialog: 0, the selection unchanged. */
short KRAPI PrnPrintSetup(HWND owner);

/* Frees the printer selection. Always 1. */
int KRAPI PrnTidyUp(void);

/* A new device context for the chosen printer, prepared for the suite's
 * drawing (Plendor's KRSetAttribDC), or null when no printer is chosen or
 * the printer refuses. The caller deletes it. */
HDC KRAPI PrnGetPrinterDC(void);

/* ---- print jobs ----
 * A job shows the "Printing..." window, whose Cancel stops it, and keeps
 * the suite's windows disabled meanwhile. It fails, printing nothing, with
 * a message box: "Cannot perform print" (no printer context), "NULL Abort
 * window handle" or "Unable to start print job". Documents are named
 * "Hardcopy". One job at a time per process. */

/* The print dialog ("Print") on `settings`, for the window `window` (null,
 * or not a window: the active child). With `showDialog` 0 it closes at once
 * as if OK were pressed, unseen. OK saves the settings to the "Print"
 * section (unseen: the orientation alone), keeps the printer and its
 * orientation, and prints (PrnPrintOK): 1.
 * Cancel, a null record or no dialog: 2. */
short KRAPI PrnPrint(HWND owner, PrintSettings *settings, int showDialog, HWND window);

/* As PrnPrint, but the printer's orientation is neither set from the
 * settings nor saved; the job prints by the low 16 bits of `mode`
 * (PRN_ORIENT_*), and the printer's own orientation is restored after it.
 * Always 1. */
#define PRN_ORIENT_SETTINGS 256 /* the settings' orientation */
#define PRN_ORIENT_PORTRAIT 512
#define PRN_ORIENT_LANDSCAPE 1024
int KRAPI PrnPrintOrientate(HWND owner, PrintSettings *settings, int showDialog, HWND window, long mode);

/* Prints a hard copy with the settings as they stand: all applications,
 * the named window, all children or the active child of `owner`, each
 * framed when the settings' border is set. Always 1. */
int KRAPI PrnPrintOK(HWND owner, PrintSettings *settings);

/* Prints `frame` (null: the frame of every running application of the
 * suite) and its children as `flags` (PRN_DRAW_*) say, inside `margins`
 * (top, left, bottom, right in centimetres; null: none). 1 printed, 0
 * failed. */
int KRAPI PrnHardcopy(HWND frame, HWND child, long flags, const float *margins);

/* ---- reports ----
 * A report is written by a window: in answer to PRN_MSG_REPORT it draws
 * its text on the printer context inside the rectangle, from (0, 0), with
 * the report font ("Courier New" at the settings' font size) selected, and
 * calls PrnReportNewPage for each further page. */

/* The "Print Report" dialog on `settings` for `owner`, which writes the
 * report; then the report in the orientation `mode` gives (PRN_ORIENT_*,
 * anything else the printer's), the printer's orientation restored after.
 * 1 after printing (also when the job failed); 0 when cancelled. */
int KRAPI PrnReport(HWND owner, PrintSettings *settings, int showDialog, long mode);

/* Prints the report `window` writes, on the chosen printer as it stands.
 * 1 printed; 0 when `window` or `settings` is missing or the job failed. */
int KRAPI PrnPrintReport(HWND window, PrintSettings *settings);

/* Within a report: ends the page and starts the next, framed as the first,
 * with the report font selected. 1, or 0 when the page cannot change. */
int KRAPI PrnReportNewPage(HDC dc);

/* Within a report: draws `window` as a hard copy would (`flags`
 * PRN_DRAW_*) into `area`, given in the report's own units as it draws
 * (from the report rectangle's (0, 0)). 0 when `window` is not a window,
 * `area` is null, or the user has cancelled the job; else 1. */
int KRAPI PrnReportWindow(HDC dc, HWND window, const RECT *area, long flags);

/* Loads the print settings: the record is cleared, then every key of the
 * "Print" section is read into it, a missing or unreadable value giving its
 * default (margins 1.00 cm, border and black on, line width 1, font size 10,
 * quality 300, 1 copy, portrait). When a printer is chosen, its device mode
 * then gives the print quality and the copies. Always 1; 0 only for a null
 * record. */
int KRAPI PrnPrintGCV(PrintSettings *settings);

KR_EXTERN_C_END

#endif /* KRPRINTING_H */

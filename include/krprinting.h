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
    long showDialog;      /* non-zero: the print dialog waits for the user; 0: it closes at once as if OK were pressed */
    float margins[4];     /* top, left, bottom, right, in centimetres */
    HWND window;          /* the child window to print ("Current &Window"), or null */
    long printToFile;
    long allWindows;      /* all child windows rather than the active one */
    long border;          /* a frame around each printed window */
    long reserved1;       /* not used: aligns the next field to 8 bytes */
    double printQuality;  /* dots per inch, or a negative platform quality code */
    double copies;
    long allApplications; /* the frame windows of all running applications of the suite */
    long orientation;     /* DMORIENT_PORTRAIT (1) or DMORIENT_LANDSCAPE (2) */
    long lineWidth;       /* trace width 0..5 */
    long fontSize;        /* report font size in points, 1..48 */
    long black;           /* every colour printed black */
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

/* Loads the print settings: the record is cleared, then every key of the
 * "Print" section is read into it, a missing or unreadable value giving its
 * default (margins 1.00 cm, border and black on, line width 1, font size 10,
 * quality 300, 1 copy, portrait). When a printer is chosen, its device mode
 * then gives the print quality and the copies. Always 1; 0 only for a null
 * record. */
int KRAPI PrnPrintGCV(PrintSettings *settings);

KR_EXTERN_C_END

#endif /* KRPRINTING_H */

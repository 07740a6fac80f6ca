/* Numbers of the library's dialog templates, their controls and the
   bitmaps drawn in them: used by the resource script, the code and the
   tests. */
#ifndef KRUTIL_DIALOGS_H
#define KRUTIL_DIALOGS_H

/* The browse dialog and its controls. */
#define IDD_BROWSE 1160
#define IDC_BROWSE_TREE 1207      /* the directory tree */
#define IDC_BROWSE_DIRECTORY 1211 /* the current directory, as text */
#define IDC_BROWSE_ENTRIES 1212   /* the matching entries of the directory */
#define IDC_BROWSE_DRIVES 1213    /* the drive list */
#define IDC_BROWSE_NAME 1214      /* the file name */
#define IDC_BROWSE_NETWORK 1215   /* "&Network..." */

/* 16 x 12 pixel pictures, each with its mask: white where transparent. */
#define IDB_DRIVE 1201
#define IDB_DRIVE_MASK 1202
#define IDB_FOLDER_CLOSED 1203
#define IDB_FOLDER_CLOSED_MASK 1204
#define IDB_FOLDER_OPEN 1205
#define IDB_FOLDER_OPEN_MASK 1206

/* The raw-file dialog (named template "BRO_FILEOPEN"): the browse dialog's
   controls, the information panel and the display options. */
#define IDC_RAW_DESCRIPTION 20
#define IDC_RAW_DESCRIPTION2 22
#define IDC_RAW_GROUP 101
#define IDC_RAW_FUNCTION 105
#define IDC_RAW_CHROMATOGRAM 107
#define IDC_RAW_SPECTRUM 109
#define IDC_RAW_ADD 110
#define IDC_RAW_REPLACE 111
#define IDC_RAW_NEW_WINDOW 112
#define IDC_RAW_HISTORY 113
#define IDC_RAW_REPLACE_ALL 114
#define IDC_RAW_SIGN 115
#define IDC_RAW_EXPERIMENT 201
#define IDC_RAW_ACQUIRED 1000
#define IDC_RAW_DELETE 1001
#define IDC_RAW_TYPE_LABEL 1089 /* present, always hidden */
#define IDC_RAW_TYPE 1136       /* present, always hidden */

/* printing: the print margins dialog (printing_dialogs.rc). */
#define IDD_PRINT_MARGINS 100
#define IDC_MARGIN_TOP 4
#define IDC_MARGIN_LEFT 7
#define IDC_MARGIN_BOTTOM 10
#define IDC_MARGIN_RIGHT 13

/* printing: the print dialog templates PRN_PRINT_MOD and PRN_PRINT_REPORT
   (printing_dialogs.rc). The platform's print dialog runs the controls
   whose numbers dlgs.h gives; these are the library's own. */
#define IDC_PRINT_BORDER 3
#define IDC_PRINT_MARGINS 5
#define IDC_PRINT_FONT_SIZE 1000
#define IDC_PRINT_BLACK 1001
#define IDC_PRINT_TRACE_WIDTH 1137 /* cmb2, which the print dialog leaves alone */

#endif

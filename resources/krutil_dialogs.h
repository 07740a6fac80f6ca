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

#endif

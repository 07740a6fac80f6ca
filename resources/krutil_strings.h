/* Numbers of the library's string table. */
#ifndef KRUTIL_STRINGS_H
#define KRUTIL_STRINGS_H

/* The INI section of the print settings. */
#define IDS_PRINT_SECTION 1025

/* Messages the suite reports through MsgReport: a severity digit (1
 * information, 2 warning, 3 error), blanks, then a wvsprintf format. */
#define IDS_MSG_CANNOT_OPEN 1101
#define IDS_MSG_CANNOT_WRITE 1102
#define IDS_MSG_FILE_EXISTS 1103
#define IDS_MSG_CANNOT_PRINT 1104
#define IDS_MSG_PROJECT_NOT_ACCESSIBLE 1105
#define IDS_MSG_SAVED 1106

#endif

/*
 * krfiles.h - files and projects: the suite's file records.
 */
#ifndef KRFILES_H
#define KRFILES_H

#include "krdefs.h"

/* The suite's file record, passed by pointer across the library boundary:
 * 784 bytes on both architectures. Its text form in the settings store is
 * "%d,%s,%s,%s,%ld,%ld" (number as 0 to 65535, directory, name, extension,
 * value1, value2), without quoting: a comma inside a text field ends that
 * field early when the text is read back. */
typedef struct tagQZFILE {
    short number;         /* not interpreted by the library */
    char directory[260];  /* drive and directory, ending in a backslash or empty */
    char name[256];       /* file name without extension */
    char extension[256];  /* without the dot; the file dialogs take a "|" list */
    long value1;          /* carried, not interpreted */
    long value2;
} QZFILE;

/* A file record with two selection indices: text form
 * "%d,%s,%s,%s,%ld,%ld,%d,%d". */
typedef struct tagQZRAWFILE {
    QZFILE file;
    short index1; /* one-based selection index; 1 when the text lacks it */
    short index2; /* 0 when the text lacks it */
} QZRAWFILE;

#endif /* KRFILES_H */

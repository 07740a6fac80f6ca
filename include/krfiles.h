/*
 * krfiles.h - files and projects: the suite's file records and its rules
 * for path and file names.
 *
 * Paths are 8-bit ANSI text. A full path is valid only when shorter than
 * 260 characters (it fits a 260-byte buffer with its terminator). Paths are
 * taken apart like the runtime's _splitpath: the drive is the first two
 * characters when the second is ":", the directory runs to the last "\" or
 * "/" (so \\server\share\ is a directory), the extension starts at the
 * last dot after it. They are put together like _makepath: a backslash after
 * a directory that lacks one, a dot before an extension that lacks one.
 *
 * File types and dialogs: a caller names the files it wants by a
 * "|"-separated list of extensions; the suite's table of file types turns it
 * into the dialog's filter, and the open and save dialogs (the secure file
 * dialog of the secure file access library, with the library's own resource
 * module current) write the chosen file back into the record.
 */
#ifndef KRFILES_H
#define KRFILES_H

#include <stddef.h>

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
    LONG value1;          /* carried, not interpreted */
    LONG value2;
} QZFILE;

/* A dialog's file record: 820 bytes on both architectures (LONG is 32-bit
 * on both). */
typedef struct tagMACFILE {
    char reserved[8]; /* the caller's: no function of the library touches it */
    char title[28];   /* the dialog's caption, NUL-terminated */
    QZFILE file;      /* directory at 38, name at 298, extension at 554 */
} MACFILE;

#ifdef __cplusplus
static_assert(sizeof(QZFILE) == 784 && offsetof(QZFILE, directory) == 2 && offsetof(QZFILE, name) == 262 &&
                  offsetof(QZFILE, extension) == 518 && offsetof(QZFILE, value1) == 776,
              "the file record keeps the layout callers were built with");
static_assert(sizeof(MACFILE) == 820 && offsetof(MACFILE, title) == 8 && offsetof(MACFILE, file) == 36 &&
                  offsetof(MACFILE, file.directory) == 38 && offsetof(MACFILE, file.name) == 298 &&
                  offsetof(MACFILE, file.extension) == 554,
              "the dialog's file record keeps the layout callers were built with");
#endif

/* A file record with two selection indices: text form
 * "%d,%s,%s,%s,%ld,%ld,%d,%d". */
typedef struct tagQZRAWFILE {
    QZFILE file;
    short index1; /* one-based selection index; 1 when the text lacks it */
    short index2; /* 0 when the text lacks it */
} QZRAWFILE;

/* Projects: a project is a directory named <name>.PRO holding the
 * sub-directories CURVEDB, DATA, METHDB, PEAKDB, SAMPLEDB and TABLEDB. As a
 * record, its directory is the one that contains it (with its backslash),
 * its name the project name and its extension "PRO". */

/* What a caller of ProFileOpenHookProc passes as the lCustData of its
 * OPENFILENAMEA: 796 bytes on both architectures. The hook writes the
 * chosen project's directory, name and extension into `file`, and sets
 * value1 to 1 whenever the user picks an entry. */
typedef struct tagPROJECTOPENDATA {
    QZFILE file;
    char reserved[8]; /* the caller's */
    LONG flags;       /* PROJECTOPEN_MUST_EXIST */
} PROJECTOPENDATA;

/* The project must already exist: the dialog says so instead of offering
 * to create it. */
#define PROJECTOPEN_MUST_EXIST 0x1

#ifdef __cplusplus
static_assert(sizeof(PROJECTOPENDATA) == 796 && offsetof(PROJECTOPENDATA, reserved) == 784 &&
                  offsetof(PROJECTOPENDATA, flags) == 792,
              "the project-open record keeps the layout callers were built with");
#endif

KR_EXTERN_C_BEGIN

/* Functions returning a path into the caller's buffer return 1 only when
 * the whole result fits with its terminator. GetPathDirectory, GetPathName
 * and GetPathExtension then clear the whole buffer when it does not fit;
 * CreatePathName and ConvertQZFileToPath clear the buffer first and leave
 * the cut copy. A null buffer, or a size below 1, gives 0 and nothing
 * written. None of these touches the file system unless stated. */

/* The full path of nameOrPath, its missing directory taken from
 * defaultDirectory (a run of trailing backslashes there cut to one) and its
 * missing extension from defaultExtension (with or without its dot); either
 * default may be null. 0, buffer untouched, when nameOrPath has 260 or more
 * characters, defaultDirectory 259 or more, defaultExtension 256 or more, or
 * when the directory, name and extension it joins have 258 or more
 * characters together (the separators the join adds make at most 259). */
int KRAPI CreatePathName(const char *nameOrPath, const char *defaultDirectory,
                         const char *defaultExtension, char *out, unsigned outSize);
/* Drive and directory ("E:" for E:file, "" for a bare name); the file name
 * without extension; the extension without its dot. 0, buffer untouched,
 * for a null path or one of 260 or more characters. */
int KRAPI GetPathDirectory(const char *path, char *out, int outSize);
int KRAPI GetPathName(const char *path, char *out, int outSize);
int KRAPI GetPathExtension(const char *path, char *out, int outSize);
/* The path rebuilt from its directory and name with newExtension. Always 1
 * (the result is cut to the buffer, which is not cleared first). A dot left
 * in the name part is itself taken as the extension, so x.y.z with txt
 * gives x.y: the applications rely on this older rule. A path of 260 or
 * more characters gives only the new extension with its dot. */
int KRAPI ChangePathExtension(const char *path, const char *newExtension, char *out,
                              unsigned outSize);
/* 1 when the path names an existing directory, asked through the secure
 * file access library; 0 for a null or empty path without asking. */
int KRAPI DirectoryExists(const char *path);
/* 1 when the path's extension equals extension (without its dot) ignoring
 * case; a null extension counts as empty. */
int KRAPI IsFileOfType(const char *path, const char *extension);
/* 0 when a base name holds any of ' \ / : * ? < > | . (a dot too: the
 * name has no extension), or a path any of / * ? < > |; else 1. Empty text
 * is valid; a null pointer is not. */
int KRAPI IsValidFilename(const char *name);
int KRAPI IsValidPath(const char *path);

/* Between a full path and the file record. ConvertQZFileToPath: 0 for a
 * null record, or when the three fields with separators would reach 260
 * characters (each field is read only within its own bytes). */
int KRAPI ConvertQZFileToPath(char *out, int outSize, const QZFILE *file);
/* Fills directory (drive and directory), name and extension (without the
 * dot), cutting each to its field; number, value1 and value2 are kept.
 * 1 when the path was shorter than 260 characters and every part fitted;
 * 0 otherwise (also for a null path: the fields are then left empty). A
 * null record gives 0. */
int KRAPI ConvertPathToQZFile(QZFILE *file, const char *path);
/* CreatePathName with the record's directory as default directory and, when
 * useExtension is non-zero, its extension as default extension; a null
 * record gives no defaults. */
int KRAPI CreateQZFilePathName(const char *nameOrPath, const QZFILE *file, int useExtension,
                               char *out, unsigned outSize);
/* The current-sample text file, KRCurSmp.txt in the suite's temporary
 * directory, cut to the buffer; returns out, or null (buffer untouched) when
 * the directory is not known or the path would be too long, or out is null
 * or outSize below 1. */
char *KRAPI GetCurSampTxtName(char *out, int outSize);
/* ConvertPathToQZFile with the arguments the other way round. */
int KRAPI StringToFile(const char *path, QZFILE *file);

/* File types and dialogs.
 *
 * GenFillFilterInfo: cuts extensionList in place at every "|" (it then reads
 * as its first extension), and writes into filterOut (260 bytes) the filter
 * texts of the suite's file types the list names: each extension once
 * (repeats ignoring case dropped, empty pieces skipped), in the order of the
 * list, from the first table row with that extension (ignoring case); a
 * text that would not fit with its terminator is left out. The texts are
 * joined into one list of name/pattern pairs ending in "||". 1 when any text
 * was written; 0 (filterOut "") otherwise. A null filterOut gives 0 with
 * nothing changed; a null list gives 0 and filterOut "". */
int KRAPI GenFillFilterInfo(char *extensionList, char *filterOut);

/* The open dialog for the record's list of extensions: initial directory
 * the record's directory (a trailing backslash dropped, E:\ shows as E:),
 * proposed name GetFileName of the record, flags as given or 0x200C
 * (OFN_CREATEPROMPT | OFN_NOCHANGEDIR | OFN_HIDEREADONLY) for 0, title as
 * given (null or empty: the dialog's own). No dialog and 0 when the list
 * names no known type. On confirmation the chosen path is split into
 * directory (with its backslash), name (text before the first dot) and
 * extension (text up to the next dot) and the result is 1, also when the
 * path could not be split whole (the record then keeps the fields that were
 * not reached). Cancelled: 0, the record as the filter left it (its list cut
 * to the first extension). The first argument is not used. The fields are
 * read only within their own bytes. */
short KRAPI GenOpenFile(long unused, HWND owner, QZFILE *file, unsigned flags, const char *title);
/* As GenOpenFile for the dialog record: title its title, proposed name
 * GenGetFileName (none for an empty name), flags always 0x200C. */
short KRAPI GenGetNormalFile(long unused, HWND owner, MACFILE *file);
/* The save dialog for the dialog record: flags always 14
 * (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR), proposed name
 * MacGetFileName; shown even when the list names no known type. */
short KRAPI GenSetNormalFile(long unused, HWND owner, MACFILE *file);

/* name + "." + extension into out, which must hold 512 bytes; each field is
 * read up to 255 characters. GetFileName always writes the dot (".raw" for
 * an empty name); MacGetFileName and GenGetFileName write "" for an empty
 * name. A null record writes ""; all return out (null for a null out). */
char *KRAPI GetFileName(const QZFILE *file, char *out);
char *KRAPI MacGetFileName(const MACFILE *file, char *out);
char *KRAPI GenGetFileName(const MACFILE *file, char *out);

/* A path into the dialog record: the text after the last dot of the whole
 * path becomes the extension unless that dot follows another dot (..\run01
 * keeps the extension), even when the dot lies in a directory (E:\a.b\c
 * gives extension b\c); of the rest, the text after the last "\" becomes
 * the name and the text up to and including it the directory; when the
 * last separator is ":" the whole rest is the name and the directory is
 * emptied (E:run01.raw: name E:run01). Name and extension are cut to 255
 * characters. Nothing happens for a null pointer, and - so that the
 * 260-byte directory can hold the copy - for a path of 260 or more
 * characters. */
void KRAPI GenStringToMacFile(const char *path, MACFILE *file);

/* The suite's directory browser (dialog 1160): a tree of directories, the
 * directories of the current one that match `filter` ("*.PRO", "*.raw") in
 * byte order, the drives and a network button. It starts in
 * initialDirectory (null or empty: the program's own directory; a relative
 * one is taken from the current directory) with initialName proposed, the
 * filter's extension appended unless the name ends in it. With
 * checkFileAccess and/or allowTemplateAccess the user must be allowed the
 * location for data and/or templates before OK is accepted; a refusal is
 * audited and told, and the dialog stays open. A null title keeps the
 * template's caption. Returns 1 (OK), 2 (Cancel) or -1 (the dialog could not
 * be made); on any result but 2, a non-null outPath (260 bytes) receives the
 * secure form of directory + name + extension. In the tree, children are
 * shown in the tree's own alphabetical order; the tree's selection changes
 * made while it is being rebuilt do not refill the list. A null or empty
 * filter lists no entries; the tree then shows every sub-directory. For a
 * network directory (\\server\share\...) the drive is \\server\share, and
 * the drive list shows the first entry naming it. */
int KRAPI DirectoryDialog(const char *filter, const char *initialDirectory, const char *initialName,
                          const char *title, HWND owner, char *outPath, int checkFileAccess,
                          int allowTemplateAccess);


/* The raw-file dialog's selection, shared with the caller's callbacks: the
 * raw file (directory, name without extension, extension "RAW", value1,
 * index1 = the function chosen, one-based), then the options word. 808
 * bytes on both architectures. */
typedef struct tagRAWFILEDIALOGDATA {
    QZRAWFILE rawFile;
    char reserved[16]; /* not touched by the library */
    DWORD options;         /* RAWFILE_* bits */
} RAWFILEDIALOGDATA;
#ifdef __cplusplus
static_assert(sizeof(QZRAWFILE) == 788 && sizeof(RAWFILEDIALOGDATA) == 808 &&
                  offsetof(RAWFILEDIALOGDATA, options) == 804,
              "the raw-file dialog's record keeps the layout callers were built with");
#endif

/* The options word: which display controls are shown, and what they say. */
#define RAWFILE_SHOW_DISPLAY 0x1u       /* Add, Replace, New Window, Replace All */
#define RAWFILE_ADD 0x2u
#define RAWFILE_REPLACE 0x4u
#define RAWFILE_NEW_WINDOW 0x8u
#define RAWFILE_SHOW_TRACES 0x10u       /* the Chromatogram and Spectrum boxes */
#define RAWFILE_CHROMATOGRAM 0x20u      /* also keeps Replace All when the boxes are hidden */
#define RAWFILE_SPECTRUM 0x40u
#define RAWFILE_REPLACE_ALL 0x80u
#define RAWFILE_HIDE_HISTORY 0x100u

/* The information panel, filled by the caller's information callback. */
#define RAWFILE_IDC_DESCRIPTION 20   /* text after "Sample Description:" */
#define RAWFILE_IDC_DESCRIPTION2 22  /* its second line */
#define RAWFILE_IDC_ACQUIRED 1000    /* text after "Acquired:" */
#define RAWFILE_IDC_FUNCTION 105     /* "&Function:" drop-down list */

/* The caller's part of the raw-file dialog, each given the dialog and the
 * record filled for the current selection. A null table or entry is
 * skipped; a missing information callback accepts OK. */
typedef struct tagRAWFILECALLBACKS {
    int(KRAPI *history)(HWND dialog, RAWFILEDIALOGDATA *data);
    int(KRAPI *experiment)(HWND dialog, RAWFILEDIALOGDATA *data, int show); /* show: 1 */
    int(KRAPI *remove)(HWND dialog, RAWFILEDIALOGDATA *data);
    int(KRAPI *information)(HWND dialog, RAWFILEDIALOGDATA *data); /* 0 on OK keeps the dialog open */
} RAWFILECALLBACKS;

/* The browser of raw data files (directories named *.raw) with the
 * caller's information panel, display options, and History, Experiment,
 * Delete and Sign. File access is always checked on OK, templates are not
 * allowed. A null data record uses one of the dialog's own. Returns 1
 * (OK), 2 (Cancel) or -1 (the dialog could not be made); on any result
 * but 2, a non-null outPath (260 bytes) receives directory + name, with
 * the filter's extension unless the name ends in it (ignoring case).
 *
 * The display buttons: with RAWFILE_SHOW_DISPLAY one is chosen, the first
 * of Replace, Replace All, New Window that the options name, else Add.
 * Delete, when allowed (right 4005) and done by the callback, refills the
 * entry list and then handles the now empty selection like any other.
 * Sign: with secure files a failed write into a file is told like a failed
 * checksum block; a raw file with nothing to sign signs nothing. */
int KRAPI RawFileDialog(const char *filter, const char *initialDirectory, const char *initialName,
                        const char *title, HWND owner, RAWFILEDIALOGDATA *data, RAWFILECALLBACKS *callbacks,
                        char *outPath);
/* Projects.
 *
 * ProFileOpen: picks a project with the directory browser (filter *.PRO,
 * starting at the record's directory with its name proposed; a run of
 * trailing backslashes of the directory is first cut to one), with the
 * user's right to the location for data checked, and for templates too
 * when readOnly is non-zero. A choice that cannot be opened (for reading,
 * and for writing unless readOnly) is told and the browser shown again. On
 * success the record gets the chosen directory (doubled backslashes after
 * the drive collapsed, a network path's leading two kept, ending in one
 * backslash) and name; an empty extension becomes "PRO". 0 when cancelled,
 * for a null record, and at once while another ProFileOpen is showing its
 * browser. `unused` is not used. */
int KRAPI ProFileOpen(HWND owner, QZFILE *project, long unused, const char *title, int readOnly);
/* The hook that makes an old-style open-file dialog a project picker: pass
 * it in OPENFILENAMEA with OFN_ENABLEHOOK | OFN_ENABLETEMPLATE (without
 * OFN_EXPLORER), hInstance this library's module, lpTemplateName
 * "PROJECT_OPEN" and lCustData a PROJECTOPENDATA. Projects are listed as
 * files, upper-cased; the name field reads upper-cased without ".PRO". A
 * confirmed name that is not an existing project is told (with
 * PROJECTOPEN_MUST_EXIST: the dialog stays open) or asked about (Yes
 * accepts it: creating it is the caller's business, e.g. with
 * ProCreateDirectory). Help opens KESTRUNE.HLP at context 56. One such
 * dialog at a time per process. */
UINT_PTR KRAPI ProFileOpenHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
/* The first entry of the record's directory with its extension (a
 * directory when wantDirectories is non-zero, else a file), in the file
 * system's order: its name up to the first dot goes to the record's name.
 * 1 when found; 0 (record untouched) otherwise. */
int KRAPI ProFindFirstFileName(QZFILE *file, int wantDirectories);
/* Points the SystemList keys CURVE_DB, RAW, METHOD_DB, PEAK_DB, SAMPLES_DB
 * (an SPL file before an SDB file) and PTABLE_DB at the project's
 * sub-directories, each naming the first file of its kind there (RAW: the
 * first raw data directory), or the project's own name when there is none.
 * Always 1. */
int KRAPI ProSetGlobalDirectories(const QZFILE *project);
/* Creates what is missing of the project's directory and sub-directories.
 * A project path of more than 29 characters, and a directory that cannot
 * be made, are told and give 0 (sub-directories made before stay). */
int KRAPI ProCreateDirectory(HWND owner, const QZFILE *project);
/* The current project (SystemList PROJECT). When none is stored (the key
 * is missing or empty): directory c:\kestrune\ and extension PRO, no name.
 * The result is GetGlobalFile's: 1 read, 0 when the store failed. */
int KRAPI ProGetCurrent(QZFILE *out);
/* Closes the open applications (asking first, see ProShutDownServices),
 * then makes the project current and sets its SystemList keys
 * (ProSetGlobalDirectories). 0, nothing changed, when the user or an
 * application refuses, or for a null record. */
int KRAPI ProSetCurrent(HWND owner, const QZFILE *project);
/* When an application of the registry (1 to 29) is open, asks the user
 * whether all may be closed, then asks each open one with WM_KR_QUERYQUIT
 * and destroys its window. 0 at the user's No or the first application
 * that refuses (those closed before stay closed); else 1. */
int KRAPI ProShutDownServices(HWND owner);
/* The same with the wording of logging out. */
int KRAPI LogoutShutDownServices(HWND owner);

KR_EXTERN_C_END

/* A window class, so only where there are windows. */
#if defined(KR_CLASSES) && defined(_WIN32)
#include "krwnd.h"

/* The drive list of the browse dialogs, for a drop-down list combo box with
 * CBS_OWNERDRAWFIXED | CBS_HASSTRINGS: one entry "E: label" a drive, drawn
 * after the drive picture. The label is the volume name (removable, fixed,
 * CD-ROM and RAM drives; "Floppy" for A:\ and B:\, which are not asked),
 * the connection name (network drives), or nothing. Bind the object to the
 * control (SubclassDlgItem), then fill it with RefreshBox. Like CCalCovar,
 * the class crosses the DLL boundary with the mingw-w64 C++ ABI. */
class KRUTIL_CLASS CDriveCombo : public CComboBox {
public:
    CDriveCombo(); /* loads the drive picture and its mask */
    ~CDriveCombo() override;
    CDriveCombo(const CDriveCombo &) = delete;
    CDriveCombo &operator=(const CDriveCombo &) = delete;

    /* Refills the combo box from the drives, the selected entry's text
     * selected again. */
    void RefreshBox();
    /* One entry: its text after the picture, in the window colours. */
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    /* Rebuilds the entry texts from the drives (none when the drives cannot
     * be read or memory runs out). */
    void FillDriveList();

    HBITMAP m_hDriveImage; /* black where transparent */
    HBITMAP m_hDriveMask;  /* white where transparent */
    int m_nImageWidth;
    int m_nImageHeight;
    char *m_pEntries;      /* the entry texts one after another, each with its NUL; null when none */
    size_t m_nEntryBytes;  /* bytes of m_pEntries in use */
};
#endif

#endif /* KRFILES_H */

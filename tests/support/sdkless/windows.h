/*
 * The Win32 declarations the library's public headers use, and no more, for
 * the two builds that do without a platform SDK: the Microsoft-mode client
 * check, and the native build of the library's pure text and number code
 * that is fuzzed on the Linux host. Every type given whole is laid out as
 * Win32 lays it out; on the host, LONG and DWORD keep Win32's 32 bits (a
 * Unix long has 64), so the records keep their sizes there too.
 */
#ifndef KR_CHECK_WINDOWS_H
#define KR_CHECK_WINDOWS_H

#ifdef _WIN32
typedef long LONG;
typedef unsigned long DWORD;
#else
typedef int LONG;
typedef unsigned int DWORD;
#endif
typedef int BOOL;
typedef unsigned int UINT;
#ifdef __cplusplus
typedef wchar_t WCHAR;
#else
typedef unsigned short WCHAR;
#endif
#if defined(_WIN64)
typedef __int64 LONG_PTR;
typedef unsigned __int64 UINT_PTR;
#elif defined(_WIN32)
typedef long LONG_PTR;
typedef unsigned int UINT_PTR;
#else
typedef long LONG_PTR;
typedef unsigned long UINT_PTR;
#endif
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;

typedef void *HANDLE;
typedef HANDLE HGLOBAL;
typedef struct HWND__ *HWND;
typedef struct HDC__ *HDC;
typedef struct HFONT__ *HFONT;
typedef struct HINSTANCE__ *HINSTANCE;

/* Only ever passed by pointer: their names are all the headers need. */
typedef struct tagRECT RECT;
typedef struct tagMSG MSG;
typedef struct _SECURITY_ATTRIBUTES SECURITY_ATTRIBUTES;
typedef struct tagMDICREATESTRUCTA MDICREATESTRUCTA;

#ifndef _WIN32
/* The host build: one calling convention, no DLL, and the few constants and
 * types the pure code itself names. */
#define __stdcall
#define __cdecl
#define __declspec(attribute)
typedef HANDLE HLOCAL;
typedef unsigned long SIZE_T;
#define SW_SHOWNORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define MAX_PATH 260
#endif

#endif

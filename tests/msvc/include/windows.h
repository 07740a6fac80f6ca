/*
 * The Win32 declarations the library's public headers use, and no more.
 * The Microsoft-mode client check compiles against this instead of a
 * platform SDK, so this file shows exactly what the headers ask of the
 * platform; every type given whole is laid out as Win32 lays it out.
 */
#ifndef KR_CHECK_WINDOWS_H
#define KR_CHECK_WINDOWS_H

typedef int BOOL;
typedef unsigned long DWORD;
typedef unsigned int UINT;
typedef long LONG;
#ifdef __cplusplus
typedef wchar_t WCHAR;
#else
typedef unsigned short WCHAR;
#endif
#ifdef _WIN64
typedef __int64 LONG_PTR;
typedef unsigned __int64 UINT_PTR;
#else
typedef long LONG_PTR;
typedef unsigned int UINT_PTR;
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

#endif

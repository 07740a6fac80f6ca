/*
 * krdefs.h - conventions shared by every header of the Kestrune utility library.
 *
 * Calling conventions
 *   KRAPI  - every exported function with a fixed argument list is __stdcall,
 *            the convention of the Win32 API itself. In the 32-bit DLL the
 *            export table carries the plain name ("ftoa", not "_ftoa@16");
 *            the import library maps the decorated name that callers compile
 *            against onto it. On x86_64 there is only one convention and the
 *            keyword has no effect.
 *   KRAPIV - the two exports with a variable argument list are __cdecl, the
 *            only convention in which the caller cleans up the arguments.
 *
 * Exported classes are marked KRUTIL_CLASS. Plain functions are never marked
 * dllexport: their export names come from the library's .def file alone.
 *
 * C and C++ - every header compiles as both. The exported classes
 * (CCalCovar, CLinearRegression, CDriveCombo) carry the C++ ABI of the
 * mingw-w64 build (GCC's name mangling and virtual tables), which a
 * compiler of the Microsoft ABI cannot link to: for C and for such a
 * compiler (_MSC_VER) the headers leave the classes out (KR_CLASSES
 * undefined), and the plain functions serve.
 *
 * No C++ exception crosses the library boundary.
 */
#ifndef KRDEFS_H
#define KRDEFS_H

#include <windows.h>

#define KRAPI __stdcall
#define KRAPIV __cdecl

#ifdef KRUTIL_BUILD
#define KRUTIL_CLASS __declspec(dllexport)
#else
#define KRUTIL_CLASS __declspec(dllimport)
#endif

#if defined(__cplusplus) && !defined(_MSC_VER)
#define KR_CLASSES 1
#endif

#ifdef __cplusplus
#define KR_EXTERN_C_BEGIN extern "C" {
#define KR_EXTERN_C_END }
#else
#define KR_EXTERN_C_BEGIN
#define KR_EXTERN_C_END
#endif

#endif /* KRDEFS_H */

/*
 * plendor.h - printer device-context attributes and metafile printing.
 *
 * The suite's own small implementation, behind the interface its callers
 * use, so that the full library can replace it. It prepares a printer
 * context the way the suite's printing code draws on it, and lets a
 * window's drawing be recorded as an enhanced metafile that is then played
 * back onto the page, where it can be placed and scaled as a whole.
 *
 * Calling convention: __stdcall (WINAPI), exported under the plain names
 * (plendor.def). Nothing here throws.
 *
 * The suite draws in device units: KRSetAttribDC sets the mapping mode
 * MM_TEXT, text aligned at its left top (TA_LEFT | TA_TOP, the current
 * position neither used nor moved), a transparent background behind text
 * and hatches, and halftone stretching of bitmaps (with the brush origin
 * at 0,0, as halftoning needs), so that window hard copies keep their
 * greys at printer resolution.
 *
 * A recording is one per process, from KRInitPrnDCMetaFile to
 * KREndMetaFile: the recording context is referenced to the printer
 * context, drawn on in that printer's device units, with the attributes
 * above; its picture frame is the rectangle given at the start. Ending it
 * plays the picture back onto the printer context, the frame mapped onto
 * the target rectangle, and frees the metafile.
 *
 * Refusals: what is not a device context (null, a deleted context, a pen)
 * is refused with 0 and changes nothing; so is a window handle that names
 * no window, an empty or inverted rectangle, and a second recording while
 * one is open.
 */
#ifndef PLENDOR_H
#define PLENDOR_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Sets the attributes above on `dc` (a printer, memory or metafile
   context). Non-zero when all are set; 0 for what is not a device
   context. */
BOOL WINAPI KRSetAttribDC(HDC dc);

/* Starts recording the drawing of `window` (its caption names the
   picture) for `printer`. `frame`: the part of the page the drawing
   covers, in the printer's device units; null: the printable page. The
   result is the recording context, which the caller draws on and leaves
   to KREndMetaFile; null when refused. */
HDC WINAPI KRInitPrnDCMetaFile(HDC printer, HWND window, const RECT *frame);

/* Ends the open recording and plays it onto its printer context with its
   frame mapped onto `target` (device units; null: the frame itself, so
   the drawing lands where it was drawn). Non-zero when played back; 0
   when no recording is open, the target is empty or the playback fails.
   The recording is freed in every case. */
BOOL WINAPI KREndMetaFile(const RECT *target);

#ifdef __cplusplus
}
#endif

#endif

/*
 * krtext.h - text and numbers: the suite's short number formats and the
 * number classifier.
 *
 * Digits: the texts are the runtime's sprintf texts ("%#.*f", "%.*e"), with
 * one rule of the library's own: at most 15 significant digits are shown,
 * the digits a double holds faithfully, and digits past them print as
 * zeros. So ftoa(0.1, out, 20) gives 0.10000000000000000000 and 1e32 prints
 * as a 1 and 32 zeros on every machine, whatever the runtime would make of
 * the binary value's remaining digits.
 */
#ifndef KRTEXT_H
#define KRTEXT_H

#include "krdefs.h"

KR_EXTERN_C_BEGIN

/* Fixed-point text of value with `decimals` decimals (negative means 6),
 * always with a decimal point except for 0 decimals: 2.0 gives "2", and 1.5
 * with 8 decimals "1.50000000". Texts longer than 31 characters are cut to
 * their first 31, so out needs 32 bytes. Any decimal count works; beyond 31
 * it only adds digits that are cut. Returns out. */
char *KRAPI ftoa(double value, char *out, int decimals);

/* Exponent text: the mantissa value / 10^floor(log10|value|) in ftoa's form,
 * then "e" and the exponent without plus sign or leading zeros: 1234.5 with
 * 2 decimals gives "1.23e3". The mantissa is not renormalised after
 * rounding (9.9996 with 3 decimals gives "10.000e0"). out needs 37 bytes.
 * Values below the normal range keep their digits; an infinite or NaN value
 * prints the runtime's text for it with "e0". Returns out. */
char *KRAPI etoa(double value, char *out, int decimals);

/* General text with `digits` significant digits: the exponent form for
 * values below 1e-4 or with more integer digits than `digits`, a whole
 * number without decimal point, else fixed-point: with 4 digits 12346 gives
 * "1.235e4", 123.456 "123.5" and 0.00123 "0.001230". Note the argument
 * order. out needs 37 bytes. Returns out. */
char *KRAPI gtoa(double value, int digits, char *out);

/* atof of the text; a null text gives 0. */
double KRAPI atofL(const char *text);

/* Chart text of a float: fixed-point with `precision` decimals, or with the
 * scientific flag an exponent form with trailing zeros of the mantissa
 * dropped (one kept when all are zero), no leading zeros in the exponent
 * and no exponent at all when it is 0: precision 3 gives "1.5e+1" for 15,
 * "2.0" for 2 and "1.25e-3" for 0.00125. out must hold the whole text.
 * Returns 1, or 0 with nothing written for a negative precision or a null
 * out. */
int KRAPI FormatFloat(float value, int precision, long scientific, char *out);

/* Kinds returned by IsNumber. */
#define NUMBER_KIND_NONE 0        /* not a number */
#define NUMBER_KIND_INTEGER 1     /* digits only (also empty text) */
#define NUMBER_KIND_DECIMAL 2     /* digits with one decimal point */
#define NUMBER_KIND_HEX 3         /* hex digits, with or without 0x */
#define NUMBER_KIND_BLANKED (-1)  /* a number, a blank, then only digits or blanks */
#define NUMBER_KIND_EXPONENT 4    /* a number, a blank, "e" and a decimal number */

/* Classifies a text after leading white space and one sign. A null text is
 * not a number (0). */
int KRAPI IsNumber(const char *text);

/* ---- Strings: bounded searches, comparison and copy ---- */

/* The first character of text equal to c, each character taken as a signed
 * 8-bit value, so 0xE9 is found as -23 and never as 233. Null for a null or
 * empty text and for c = 0. */
char *KRAPI lstrchr(const char *text, int c);

/* The first occurrence of pattern (case-sensitive) lying wholly within the
 * first count bytes of text; the scan stops at text's terminator. An empty
 * pattern gives text itself (null for a null text); a null text, a null
 * pattern or a count shorter than the pattern gives null. */
char *KRAPI lstrstr(const char *text, const char *pattern, long count);

/* The key's first character where "\r\n" key "=" occurs within the first
 * count bytes of text (a key line of profile text), or null. Keys of more
 * than 128 characters and a null key are never found. */
char *KRAPI lstrfind(const char *text, const char *key, long count);

/* Compares at most count characters as signed 8-bit values: at the first
 * pair that differs, the first minus the second; otherwise 0, also when one
 * text ends first (a text equal to the other's beginning compares equal).
 * A null or empty text on either side gives -1, and a count below 1 gives 0
 * for two non-empty texts. */
int KRAPI lstrncmp(const char *a, const char *b, long count);

/* Copies at most count characters of source and always a terminating NUL,
 * so destination needs count + 1 bytes. A null source or a count below 1
 * gives an empty destination; a null destination writes nothing. */
void KRAPI lstrncpy(char *destination, const char *source, long count);

/* ---- The current date and time by the user's regional settings ---- */

/* Asks GetCurrentDateTime to read WIN.INI [intl] again. */
#define DATETIME_REREAD_SETTINGS 0x10

/* The longest text GetCurrentDateTime writes to one output, its NUL
 * included: a 17-character time, a blank and an 8-character date. */
#define DATETIME_TEXT_BYTES 27

/* Writes the local date and time as the WIN.INI [intl] settings iDate,
 * iTime, sDate, sTime, s1159 and s2359 ask: with iDate 1 and sDate "." the
 * date 4 December 2026 is "04.12.26"; with iTime 0, 21:05:09 is
 * "  9:05:09 PM  ". Given both outputs, each gets its own text; given one,
 * it gets its own text, a blank and the other. Each output must hold
 * DATETIME_TEXT_BYTES bytes. The settings are read on the first call and
 * kept, until a call with DATETIME_REREAD_SETTINGS in flags; sDate and sTime
 * keep their first character, s1159 and s2359 their first four. Returns 1,
 * or 0 with no output written when both are null (the settings are still
 * read then if due) or the clock cannot be read. */
int KRAPI GetCurrentDateTime(char *timeOut, char *dateOut, int flags);

/* ---- Chart parameters kept in a trace description ---- */

/* A description carries its chart block either visibly,
 *     "Trace 1,$CC$,1000000.000000,0.000000,3,3,1,AU"
 * (scale, offset, vertical-axis decimals, header decimals, scientific flag,
 * units), or hidden: the description ends at its NUL and the block,
 * "$CC$,...", follows right behind it in the same buffer. The older form
 * "$CC$,scale,vertical,header,scientific,units" (no offset) is read too.
 *
 * The getters look at the four bytes behind the terminator of a text
 * without a visible block: such a text must lie in a buffer reaching at
 * least four bytes past its NUL. A hidden "$CC$" followed at once by its NUL
 * is no block. Units are the text after the block's last comma, at most 31
 * characters kept. */

/* The scale; 1.0 without a readable block (or for a null text). */
float KRAPI GetCustomChartScaling(const char *text);
/* The offset; 0.0 without a readable block. */
float KRAPI GetCustomChartOffset(const char *text);
/* Decimals on the vertical axis, in the header, and the scientific-notation
 * flag; 0 without a readable block. */
int KRAPI GetCustomChartVerticalAxisDecimalDigits(const char *text);
int KRAPI GetCustomChartHeaderDecimalDigits(const char *text);
int KRAPI GetCustomChartUseScientificNotation(const char *text);
/* Copies the units into out (32 bytes); out is left as it is without a
 * readable block or when it is null. */
void KRAPI GetCustomChartUnits(const char *text, char *out);

/* The three writers append "," and a visible block to the text in buffer
 * (an empty buffer gets a leading comma); the buffer must have room for it:
 * at most 169 bytes past the text's terminator. */

/* Appends the diode-array detector's block: scale 1e6, offset 0, 3 and 3
 * decimals, scientific, "AU". 0 for a null buffer, else 1. */
int KRAPI GetCustomChartDADParams(char *buffer);
/* Appends the plain block: scale 1, offset 0, no decimals, not scientific,
 * units "%". The title is not part of the block. 0 if either pointer is
 * null, else 1. */
int KRAPI GetDefaultCustomChartParams(const char *title, char *buffer);
/* Appends a block with the values read from text's block: 1, or 0 with
 * buffer untouched when text has no readable block or buffer is null. */
int KRAPI GetCustomChartAnalogParams(const char *text, char *buffer);
/* Hides text's visible block behind its terminator by turning the comma in
 * front of "$CC$" into a NUL: 1, or 0 with nothing changed when there is no
 * visible block or text is null. */
int KRAPI MoveCustomChartParams(char *text);

KR_EXTERN_C_END

#endif /* KRTEXT_H */

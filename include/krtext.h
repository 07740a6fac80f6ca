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

KR_EXTERN_C_END

#endif /* KRTEXT_H */

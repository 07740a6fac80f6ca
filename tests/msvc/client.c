/*
 * A client of krutil.dll built the Microsoft way: clang in Microsoft mode,
 * no platform SDK and no C runtime, linked by lld-link against krutil.lib.
 * It calls a function of every public header through KRAPI and fits a
 * calibration line with the plain regression functions; its exit code is 0
 * when every answer is the library's, else the number of the first wrong
 * one. Functions that need an application's windows or a printer are
 * imported without being called.
 */
#include "krutil.h"

int _fltused; /* the Microsoft compiler's mark of floating-point code */

static int SameText(const char *a, const char *b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

static int Near(double value, double expected)
{
    const double d = value - expected;
    return d < 1e-9 && d > -1e-9;
}

/* Four masses on the line 2m + 1, one more far off that is excluded. */
static int FitsCalibrationLine(void)
{
    static const double mass[] = {100, 200, 300, 400, 250};
    double coefficients[2] = {0, 0};
    KRLINEARREGRESSION *fit = LinearRegressionCreate(), *copy;
    int i, ok;
    if (!fit)
        return 0;
    for (i = 0; i < 5; ++i)
        LinearRegressionAddPoint(fit, mass[i], i == 4 ? 9999 : 2 * mass[i] + 1, 1.0, i == 4);
    ok = LinearRegressionCalculate(fit) && LinearRegressionGetOrder(fit) == 1;
    copy = LinearRegressionCopy(fit);
    ok = ok && copy && LinearRegressionGetCoefficients(copy, coefficients) == 1 && Near(coefficients[0], 1) &&
         Near(coefficients[1], 2) && Near(LinearRegressionGetRSquared(copy), 1) && Near(LinearRegressionGetR(copy), 1);
    LinearRegressionFree(copy);
    LinearRegressionFree(fit);
    return ok;
}

static void *const volatile imported[] = {
    (void *)&MsgReport,         /* the variadic, __cdecl */
    (void *)&GetApplicationWnd, /* krapps.h */
    (void *)&PrnCanPrint,       /* krprinting.h */
    (void *)&GetIniString,      /* krsettings.h */
};

int __stdcall ClientMain(void)
{
    char text[32];
    if (!SameText(ftoa(2.5, text, 2), "2.50") || atofL("1.5e2") != 150.0) /* krtext.h */
        return 1;
    if (!GetPathExtension("C:\\data\\run.raw", text, sizeof text) || !SameText(text, "raw")) /* krfiles.h */
        return 2;
    if (IsIniLoaded() != 0 || !IsKestruneEnabled()) /* krsettings.h, krapps.h */
        return 3;
    if (!FitsCalibrationLine()) /* krnumerics.h */
        return 4;
    return imported[0] ? 0 : 5;
}

/*
 * krnumerics.h - numerical routines of data processing: calibration
 * covariances and lock-mass updates, weighted polynomial regression.
 *
 * Covariance arrays are packed lower triangles: element C[i][j] (j <= i) of
 * a symmetric (order+1) x (order+1) matrix is at index i(i+1)/2 + j, so the
 * array holds (order+1)(order+2)/2 doubles. Coefficient k multiplies the
 * k-th power of the abscissa: the mass, or in root-mass mode its square root.
 *
 * CCalCovar and CLinearRegression are exported as C++ classes with the
 * mingw-w64 (GCC, Itanium) C++ ABI: only programs built with a compatible
 * GCC-based mingw-w64 toolchain can use them across the DLL boundary (their
 * members are exported under their mangled names). Every other compiler,
 * and C, uses the plain functions of this header (LinearRegression* for
 * the regression), undecorated __stdcall exports like the rest.
 */
#ifndef KRNUMERICS_H
#define KRNUMERICS_H

#include "krdefs.h"

#ifdef KR_CLASSES

/* The covariance matrix of a mass calibration's polynomial coefficients, and
 * the variance of the calibrated mass it implies. An object is either empty
 * (order -1) or holds a matrix of order >= 0. The arrays are the object's
 * own; allocation failure leaves an empty model (or a false result) and an
 * object that can still be used and destroyed. */
class KRUTIL_CLASS CCalCovar {
public:
    double *covariances;    /* packed lower triangle, or null when empty */
    double *basis;          /* order+1 scratch values 1, x, x^2, ... */
    int order;              /* -1: empty */
    double *tableMass;      /* lookup table: 128 masses, */
    double *tableVariance;  /* the variances there, */
    double *tableCurvature; /* and the natural cubic spline's second derivatives */
    int tableSize;          /* 0 until a table is built, then 128 */
    bool useRootMass;       /* the polynomial's abscissa is the square root of the mass */
    double tableLow;
    double tableHigh;
    bool tableValid;        /* a table exists for the current matrix */

    CCalCovar(const CCalCovar &source);
    /* A copy of a packed matrix of the given order times scale (zeros for a
     * null matrix); order < 0 gives an empty model. */
    CCalCovar(bool useRootMass, const double *const covariances, int order, double scale);
    /* From the text form (see Format); empty when the text does not parse. */
    CCalCovar(bool useRootMass, const char *const text);
    /* From the singular value decomposition (V given by rows, singular values
     * w) of a weighted least-squares fit in the Legendre polynomials P0..Pn-1,
     * converted to the power basis and times scale. With unitOffset the
     * arrays are indexed from 1. Non-positive singular values contribute
     * nothing. Null arrays or numCoefficients < 1 give an empty model. */
    CCalCovar(const double *const *const v, const double *const w, int numCoefficients, bool unitOffset,
              bool useRootMass, double scale);
    ~CCalCovar();
    /* Replaces this model by a copy (the table rebuilt when the source's is
     * valid). */
    CCalCovar &operator=(const CCalCovar &source);

    bool GetUseRootMass() const;

    /* Builds the 128-point cubic-spline table of variances over [from, to]
     * (either order). While a table is valid it stays: a second call returns
     * true and changes nothing. False when memory ran out. */
    bool MakeLookupTable(double from, double to);

    /* The variance of the calibrated mass at mass, from the table inside its
     * range, else directly; never negative (0 for undefined results). A
     * table of zero width, or one whose points coincide, is not used. */
    double GetVariance(double mass) const;

    /* The text form: each value "%+22.15e", values of a row separated by
     * ",", rows by ";". Returns buffer, or null (buffer then partial) when
     * size is too small; "" for an empty model. */
    char *Format(char *const buffer, int size) const;

    /* Replaces the matrix from its text form: the order is the number of
     * ";", and exactly (order+1)(order+2)/2 numbers must follow. False, with
     * an empty model, otherwise (or for a value out of the double range, or
     * a null text). The table is invalid afterwards. */
    bool SetCovariances(const char *const text);

    /* Copies the packed matrix; false, copying nothing, when size is short
     * of (order+1)(order+2)/2 or out is null. An empty model copies nothing
     * and returns true. */
    bool GetCovariances(double *const out, int size) const;

    /* Updates the matrix for one lock mass of standard deviation sigma (the
     * third argument is not used): the linear coefficient is re-determined
     * by the lock mass. False, changing nothing, for order < 1 or > 5 or a
     * lock mass or sigma of 0. Otherwise the result of GetCovariances(out,
     * size), or true for a null out. */
    bool UpdateForLockMass(double lockMass, double sigma, double unused, double *const out, int size);

    /* Updates the matrix for count lock masses (sigmas in mass units): with
     * correctOffset the constant and linear coefficients are re-estimated,
     * else the linear one alone. Points with mass <= 0 or sigma 0 are
     * ignored. False, changing nothing, for order < 1 or > 5, count < 1 or
     * null arrays. Otherwise the result of GetCovariances(out, size) when
     * out is given and size > 0, else true. */
    bool UpdateForLockMasses(const double *const lockMasses, const float *const sigmas, int count,
                             bool correctOffset, double *const out, int size);

private:
    /* The variance of the polynomial's value at abscissa x: f'Cf. */
    double CalVar(double x, bool excludeLinear) const;
};

class CRegressionData;

/* A weighted least-squares polynomial y = c0 + c1 x + ... + cN x^N through
 * a list of (x, y, weight) points, optionally forced through the origin
 * (c0 fixed at 0) or with the origin added as one more point, and its
 * coefficient of determination.
 *
 * The object is a handle to a state object of its own (settings, points,
 * results). Points with weight 0, a weight that is not a number, or the
 * excluded flag take no part; negative weights count in r-squared but add
 * nothing to the fit. Every order from 0 to 99 can be fitted, 99 with its
 * constant term too (100 unknowns). The solver's working storage (about
 * 80 KB) is on the caller's stack. */
class KRUTIL_CLASS CLinearRegression {
public:
    /* Order 1, two zero coefficients, r-squared 0, no points, both origin
     * flags off. When memory runs out for the state object, the handle
     * reads as these defaults and each later change tries again to create
     * it (a change that still finds no memory is lost; Calculate then
     * returns false). */
    CLinearRegression();
    /* A copy duplicates everything: settings, points and results; the two
     * objects are independent afterwards. A copy for which memory runs out
     * reads as a new object (see the default constructor). */
    CLinearRegression(const CLinearRegression &source);
    virtual ~CLinearRegression();
    /* Replaces this object's state by a copy of source's; when memory runs
     * out for the copy, this object is left as it was. */
    CLinearRegression &operator=(const CLinearRegression &source);

    void SetIncludeOrigin(bool include);
    bool GetIncludeOrigin() const;
    void SetForceOrigin(bool force);
    bool GetForceOrigin() const;

    /* Clamps to 0..99, drops the results and holds order+1 zero
     * coefficients. */
    void SetPolynomialOrder(int order);
    int GetPolynomialOrder() const;
    int GetNumCoefficients() const;

    /* Appends a point; the number of points held afterwards, excluded ones
     * included (unchanged when memory runs out for the point). */
    int AddRegressionPoint(double x, double y, double weight, bool excluded);

    /* Writes order+1 coefficients, lowest power first (zeros when no fit
     * is held), unless out is null; returns the order. */
    int GetPolynomial(double *out) const;
    double GetRSquared() const;
    /* The square root of r-squared, or 0 when r-squared is not positive or
     * not a number. */
    double GetR() const;

    /* Fits the polynomial to the points. False, with zero coefficients and
     * r-squared 0, when elimination meets a pivot of exactly 0 (no usable
     * points, every usable abscissa 0 with order >= 1, an abscissa that is
     * not a number) or memory runs out for the working arrays. A nearly
     * singular system, such as fewer distinct abscissae than unknowns
     * usually gives after rounding, is solved, not rejected; an ordinate
     * that is not a number gives coefficients that are not numbers. */
    bool Calculate();

private:
    /* r-squared of the polynomial over n weighted points, stored; false
     * (nothing stored) when n < 1. The quotient is stored as it comes: not
     * a number when the points' ordinates do not vary. */
    bool CalculateStatistics(int n, const double *x, const double *y, const double *w, int order,
                             const double *coef);

    CRegressionData *data;
};

#endif /* KR_CLASSES */

KR_EXTERN_C_BEGIN

/* The packed power-basis covariance of a decomposition indexed from 1
 * (MakeCovariances) or from 0 (MakeCovariances0), unscaled: 0, or 1 when
 * size is short of numCoefficients(numCoefficients+1)/2. The fourth
 * argument does not affect the result. */
int KRAPI MakeCovariances(const double *const *v, const double *w, int numCoefficients, double unused,
                          double *out, int size);
int KRAPI MakeCovariances0(const double *const *v, const double *w, int numCoefficients, double unused,
                           double *out, int size);

/* Widens each peak sigma by the root-mass calibration's uncertainty at its
 * mass, in quadrature, through a lookup table over [from, to]: 0, or 1 (the
 * sigmas untouched) when the table cannot be built or an array is null. */
int KRAPI CalibrateSigmas(const double *covariances, int order, float from, float to, const float *masses,
                          float *sigmas, int count);

/* Two-sigma band of the root-mass calibration at count masses start,
 * start + step, ... (accumulated in single precision). The first argument
 * is not used. */
void KRAPI GetVariances(int unused, const double *covariances, int order, float start, float step, int count,
                        float *out);

/* ---- Weighted polynomial regression for every compiler ----
 * The plain form of CLinearRegression: one implementation, behind a handle
 * that C and other compilers' programs hold. A null handle is accepted
 * everywhere: a change does nothing, a read gives the default (0, or order
 * 1) and LinearRegressionCalculate 0. */
typedef struct KRLINEARREGRESSION KRLINEARREGRESSION;

/* A new fit: order 1, no points, both origin flags off. Null when memory
 * runs out. LinearRegressionFree frees it. */
KRLINEARREGRESSION *KRAPI LinearRegressionCreate(void);
/* An independent copy of settings, points and results; null when memory
 * runs out or `source` is null. */
KRLINEARREGRESSION *KRAPI LinearRegressionCopy(const KRLINEARREGRESSION *source);
void KRAPI LinearRegressionFree(KRLINEARREGRESSION *fit);

/* Clamps to 0..99, drops the results. */
void KRAPI LinearRegressionSetOrder(KRLINEARREGRESSION *fit, int order);
int KRAPI LinearRegressionGetOrder(const KRLINEARREGRESSION *fit);
/* includeOrigin: the point (0, 0) counts as one more point; forceOrigin:
 * the constant term is held at 0. Non-zero is on. */
void KRAPI LinearRegressionSetOriginRules(KRLINEARREGRESSION *fit, int includeOrigin, int forceOrigin);

/* Appends a point; the number held afterwards, excluded ones included. */
int KRAPI LinearRegressionAddPoint(KRLINEARREGRESSION *fit, double x, double y, double weight, int excluded);
/* Fits the polynomial: 1, or 0 as CLinearRegression::Calculate's false. */
int KRAPI LinearRegressionCalculate(KRLINEARREGRESSION *fit);

/* Writes order+1 coefficients, lowest power first, unless out is null;
 * returns the order. */
int KRAPI LinearRegressionGetCoefficients(const KRLINEARREGRESSION *fit, double *out);
double KRAPI LinearRegressionGetRSquared(const KRLINEARREGRESSION *fit);
double KRAPI LinearRegressionGetR(const KRLINEARREGRESSION *fit);

/* ---- Area quantiles, retention indices and peak finding ---- */

/* A sampled profile: axis values x and intensities y, n samples. */
typedef struct QuantileProfile {
    const float *x;
    const float *y;
    int n;
} QuantileProfile;

/* Fractional sample indices from and to (either order) and the area
 * fraction to locate, normally 0..1. */
typedef struct QuantileRange {
    float from;
    float to;
    float fraction;
} QuantileRange;

/* A profile to weight around an apex; weighted receives the weighted
 * profile shifted so that the apex lands at index n: it must hold
 * 2n - apex values. */
typedef struct GaussianProfile {
    const float *x;
    const float *y;
    float *weighted;
    int n;
} GaussianProfile;

/* Sample indices of a peak's apex and ends (the ends are rewritten) and the
 * area fraction to locate. */
typedef struct QuantilePeak {
    int apex;
    int left;
    int right;
    float fraction;
} QuantilePeak;

/* The axis value at the quantile and the area between the bounds
 * (intensity x samples). */
typedef struct QuantileResult {
    float position;
    float area;
} QuantileResult;

/* The axis position at which the cumulative area between the two bounds
 * reaches the fraction of their total, each sample being a rectangle one
 * index wide centred on its index. A bound whose nearest sample lies
 * outside the profile is clamped to -0.5 or n - 0.5. When the cumulative area crosses the target several
 * times (negative intensities) the middle crossing is taken; with none,
 * the fraction-weighted mix of the bounds. Fractional indices map to the
 * axis linearly, extrapolating from the first and last intervals (a
 * one-sample profile answers x[0]).
 * Bad input: a null result writes nothing; a null profile, range or array
 * or n < 1 gives position 0 and area 0; a bound that is not a number gives
 * position and area NaN, reading nothing. */
void KRAPI SquareQuantile(const QuantileProfile *profile, const QuantileRange *range, QuantileResult *result);

/* SquareQuantile of the profile weighted by a unit-area Gaussian window
 * centred on the apex, its width estimated from the peak's heights at the
 * half-way samples between apex and ends (the narrower side wins; a flat
 * top uses the smaller half-way distance). The weighted values are stored
 * outward from the apex until one falls to 0.001 or below in magnitude (or
 * the profile ends); peak->left and peak->right become the last samples
 * stored on each side (right = n when the apex is the last sample), and
 * those are the quantile's bounds.
 * The ends are first clamped to 0..apex and apex..n-1. A half-way sample
 * beyond the profile or at the apex's axis position gives no width; the
 * other side alone then decides. When no side gives a positive finite
 * width (both unusable, or heights that fit no Gaussian, such as a
 * negative apex) no window exists: position = x[apex], area = 0,
 * left = right = apex, and weighted is not written.
 * Bad input: a null result writes nothing; a null profile, peak or array,
 * n < 1 or an apex outside the profile gives position 0 and area 0 and
 * changes nothing else. */
void KRAPI GaussianQuantile(const GaussianProfile *profile, QuantilePeak *peak, QuantileResult *result);

#define RT_MAX_CALIBRATION_POINTS 32

/* A retention calibration: point j is (time[j], index[j], logP[j]). The
 * start and end index, increment and calibrated flag travel with the record
 * but play no part in the conversions. */
typedef struct RetentionCalibration {
    int calibrated;
    int numberOfPoints;
    int startIndex;
    int endIndex;
    int increment;
    float index[RT_MAX_CALIBRATION_POINTS];
    float logP[RT_MAX_CALIBRATION_POINTS];
    float time[RT_MAX_CALIBRATION_POINTS];
} RetentionCalibration;

/* Loads the record from KESTRUNE.INI, section "ChrRetentionCalibration" for
 * a null section: keys NumberOfChannels, StartIndex, EndIndex, Increment,
 * Calibrated (defaults 0, 1, 14, 1, 0) and, for all 32 points whatever the
 * number says, Index<j>, LogP<j>, Time<j> (default 0). Texts that are not
 * numbers read as 0. Returns 1; 0, reading nothing, when the INI file
 * cannot be named (working directory too long) or record is null. */
int KRAPI RTIndicesGetRetentionCalibration(const char *section, RetentionCalibration *record);

/* Stores the record under the same keys: integers in decimal, the 32
 * points' values with ftoa's 2 decimals (so 1.234 reloads as 1.23). The
 * number of points is stored as it is, even above 32. Returns 1; 0 when the
 * INI file cannot be named, record is null or a write is refused (the
 * writes stop there). */
int KRAPI RTIndicesSetRetentionCalibration(const char *section, const RetentionCalibration *record);

/* The retention index at a time, interpolated linearly between the
 * calibration points, with times rounded to hundredths. The first segment
 * whose rounded ends enclose the rounded time answers, so a time on a
 * shared point uses the earlier segment; a segment of zero width answers
 * its first point's value. Returns 1 and the index, or 0 and 0.0 outside
 * the calibrated range (no extrapolation), for fewer than 2 points, for a
 * time that is not finite or a null record. Only the first 32 points are
 * used, whatever the record's number says; a segment with an end that is
 * not finite never answers. A null index writes nothing (result 0). */
int KRAPI RTIndicesCalculateIndex(float time, const RetentionCalibration *record, float *index);

/* The same for the logP values. */
int KRAPI RTIndicesCalculateLogP(float time, const RetentionCalibration *record, float *logP);

/* The index of a sample with x in [centre - halfWidth, centre + halfWidth]
 * and y >= threshold (all bounds inclusive; x ascending): with mostIntense
 * the most intense (the first of equals), otherwise the nearest to centre.
 * The nearest-mode scan stops at the first qualifying sample that is not
 * nearer than the best so far (on equal distance the earlier one stays).
 * -1 when no sample qualifies, n is 0 or an array is null. A NaN centre,
 * half-width or threshold lets no sample qualify, nor does a NaN x or y. */
int KRAPI FindPeak(const float *x, const float *y, unsigned int n, float centre, float halfWidth,
                   int mostIntense, float threshold);
/*
 * Resampling onto a regular axis.
 *
 * Output point i lies at start + i*step, evaluated in double precision and
 * rounded to float (the PSF pair: x0 + i*dx/scale). Every other intermediate
 * (counts, index estimates, interpolation, running sums) is evaluated in
 * double precision; output values are rounded to float when stored.
 *
 * Flux-preserving functions give each output point the amount of input that
 * lies between the previous output position and its own (the difference of
 * the linearly interpolated running sum), so the outputs after point 0 add
 * up to the running sum at the last output position minus y[0]. The others
 * give the linearly interpolated value.
 *
 * The output blocks are movable, zero-filled global memory blocks of count
 * floats, returned unlocked; the caller locks them to read and frees them
 * with GlobalFree.
 *
 * Searches over irregular axes start from an index remembered from the
 * previous search of the same kind (running sums: LineariseDataset and
 * LineariseDatasetPreserveVariance; values: the two NoFluxPreserve
 * functions over x), process-wide and unsynchronised: one thread at a time.
 * A call's first search starts from a fresh estimate, proportional to the
 * position within [x[0], x[n-1]], except in the variance and value
 * functions when point 1 lies exactly on x[1], and in the range function
 * when point 0 lies outside the data: these start from the previous call's
 * index. An estimate or index beyond the last sample is taken as the last
 * sample without searching, so that point is interpolated on the last pair
 * (for a stale index from a longer profile, or for a point in the last
 * 1/(2n) of a strongly irregular axis). LineariseDatasetPreserveVariance
 * searches for the variance first at each point, so a stale index affects
 * its variance output only.
 *
 * Results: 0, or -1 when memory runs out. -1 is also the answer, before any
 * allocation and with every caller array untouched, to a call outside the
 * functions' domain: n < 1; a null array or record pointer; x not strictly
 * ascending, or x[0] or x[n-1] not finite; step, dx or scale not a finite
 * positive number; x0 not finite; or an output count below 1 or beyond the
 * int range. On -1 the record holds null handles and zeros. NaN or infinite
 * y or variance values are resampled like any others and spread into the
 * outputs whose interpolation or running sum includes them.
 */
typedef struct LinearisedDataset {
    HGLOBAL data;   /* count floats */
    int count;
    float start;
    float step;
} LinearisedDataset;

typedef struct LinearisedVarianceDataset {
    HGLOBAL data;     /* count floats */
    HGLOBAL variance; /* count floats */
    int count;
    float start;
    float step;
} LinearisedVarianceDataset;

/* Flux-preserving, from positions x: start = x[0], count =
 * trunc((x[n-1] - x[0]) / step) + 1. Point 0 is y[0]; a point lying exactly
 * on x[i] takes y[i]. */
int KRAPI LineariseDataset(const float *x, const float *y, int n, float step, LinearisedDataset *out);

/* As LineariseDataset, resampling the variance alongside in the same way. */
int KRAPI LineariseDatasetPreserveVariance(const float *x, const float *y, const float *variance, int n,
                                           float step, LinearisedVarianceDataset *out);

/* Flux-preserving, from positions x0 + k*dx: start = floor(x0 + 0.5),
 * count = trunc((n - 1) * dx / step) + 1. A point lying exactly on an input
 * position takes that sample. Below x0 the running sum is y[0], beyond the
 * last position the whole sum. */
int KRAPI LineariseRegularDataset(float x0, float dx, const float *y, int n, float step, LinearisedDataset *out);

/* Interpolated values on the axis of LineariseDataset. */
int KRAPI LineariseDatasetNoFluxPreserve(const float *x, const float *y, int n, float step,
                                         LinearisedDataset *out);

/* Interpolated values from start to end: a negative start means floor(x[0]),
 * a negative end ceil(x[n-1]); count = trunc((end - start) / step) + 1.
 * Points outside [x[0], x[n-1]] are 0. */
int KRAPI LineariseDatasetRangeNoFluxPreserve(const float *x, const float *y, int n, float start, float end,
                                              float step, LinearisedDataset *out);

/* Stretches (scale > 1) or shrinks the profile y at x0 + k*dx by scale in
 * place: *outCount = trunc(n * scale) values, point i at x0 + i*dx/scale,
 * flux-preserving. y must hold max(n, *outCount) floats: the function reads
 * y[0..n-1] and writes y[0..*outCount-1] and nothing else, and cannot check
 * the size. *outCount is written first, also when memory then runs out (y
 * is then unchanged); outside the domain it is 0. */
int KRAPI LinScalePSF(float x0, float dx, float *y, int n, int *outCount, float scale);

/* As LinScalePSF, with interpolated values; beyond the last input position
 * the values are y[n-1]. */
int KRAPI LinScalePSFNoFluxPreserve(float x0, float dx, float *y, int n, int *outCount, float scale);

KR_EXTERN_C_END

#endif /* KRNUMERICS_H */

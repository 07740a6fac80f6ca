// CCalCovar: the coefficient covariances of a mass calibration and the
// variance of the calibrated mass, with a cubic-spline lookup table.
#include "krnumerics.h"

#include <errno.h>
#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <utility>

#include "numerics/packed_matrix.h"
#include "support/memory.h"
#include "support/runtime_format.h"

namespace {

constexpr int kTablePoints = 128;
constexpr double kOneOver127 = 0.007874015748031496;

double *NewDoubles(long long count)
{
    if (count <= 0 || static_cast<unsigned long long>(count) > SIZE_MAX / sizeof(double))
        return nullptr;
    return static_cast<double *>(kr::MemAlloc(static_cast<size_t>(count) * sizeof(double)));
}

void Release(double *&array)
{
    kr::MemFree(array);
    array = nullptr;
}

// Variance carried from x = sqrt(m) back to mass units: var(m) = 4 m var(x).
double RootMassVariance(double varianceOfX, double mass)
{
    return 4.0 * varianceOfX * mass;
}

// The natural cubic spline's second derivatives through (x, y).
void NaturalSpline(const double *x, const double *y, int n, double *y2)
{
    double u[kTablePoints];
    y2[0] = 0.0;
    u[0] = 0.0;
    for (int i = 1; i < n - 1; ++i) {
        const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        u[i] = (6.0 * ((y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1])) /
                    (x[i + 1] - x[i - 1]) -
                sig * u[i - 1]) /
               p;
    }
    y2[n - 1] = 0.0;
    for (int k = n - 2; k >= 0; --k)
        y2[k] = y2[k] * y2[k + 1] + u[k];
}

// Row i of the Legendre coefficient table: the power coefficients of P_i.
void LegendreTable(double *t, int n)
{
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= i; ++j) {
            double value;
            if (i == 0)
                value = 1.0;
            else if (i == 1)
                value = j == 1 ? 1.0 : 0.0;
            else {
                const double previous = j >= 1 ? t[kr::PackedIndex(i - 1, j - 1)] : 0.0;
                const double beforeThat = j <= i - 2 ? t[kr::PackedIndex(i - 2, j)] : 0.0;
                value = ((2.0 * i - 1.0) * previous - (i - 1.0) * beforeThat) / i;
            }
            t[kr::PackedIndex(i, j)] = value;
        }
    }
}

} // namespace

CCalCovar::CCalCovar(bool useRootMass_, const double *const covariances_, int order_, double scale)
    : covariances(nullptr), basis(nullptr), order(-1), tableMass(nullptr), tableVariance(nullptr),
      tableCurvature(nullptr), tableSize(0), useRootMass(useRootMass_), tableLow(0.0), tableHigh(0.0),
      tableValid(false)
{
    if (order_ < 0)
        return;
    const long long count = kr::PackedCount(order_);
    covariances = NewDoubles(count);
    basis = NewDoubles(order_ + 1LL);
    if (!covariances || !basis) {
        Release(covariances);
        Release(basis);
        return;
    }
    order = order_;
    for (long long i = 0; i < count; ++i)
        covariances[i] = covariances_ ? covariances_[i] * scale : 0.0;
}

CCalCovar::CCalCovar(const CCalCovar &source) : CCalCovar(source.useRootMass, nullptr, source.order, 1.0)
{
    if (order >= 0 && source.covariances)
        memcpy(covariances, source.covariances, kr::PackedCount(order) * sizeof(double));
    if (source.tableValid)
        MakeLookupTable(source.tableLow, source.tableHigh);
}

CCalCovar::CCalCovar(bool useRootMass_, const char *const text) : CCalCovar(useRootMass_, nullptr, -1, 1.0)
{
    SetCovariances(text);
}

CCalCovar::CCalCovar(const double *const *const v, const double *const w, int numCoefficients, bool unitOffset,
                     bool useRootMass_, double scale)
    : CCalCovar(useRootMass_, nullptr, -1, 1.0)
{
    const int n = numCoefficients;
    const int off = unitOffset ? 1 : 0;
    if (n < 1 || !v || !w)
        return;
    for (int i = 0; i < n; ++i)
        if (!v[i + off])
            return;
    const long long count = kr::PackedCount(n - 1);
    double *a = NewDoubles(count);
    double *t = NewDoubles(count);
    double *c = NewDoubles(count);
    double *scratch = NewDoubles(n);
    if (a && t && c && scratch) {
        // Covariance of the Legendre coefficients: scale V diag(1/w^2) V'.
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j <= i; ++j) {
                double sum = 0.0;
                for (int k = 0; k < n; ++k) {
                    const double wk = w[k + off];
                    const double inverseWeight = wk > 0.0 ? 1.0 / (wk * wk) : 0.0;
                    sum += v[i + off][k + off] * v[j + off][k + off] * inverseWeight;
                }
                a[kr::PackedIndex(i, j)] = scale * sum;
            }
        }
        // To the power basis: C = T' A T, with T's rows the power
        // coefficients of the Legendre polynomials.
        LegendreTable(t, n);
        for (int r = 0; r < n; ++r) {
            for (int s = 0; s <= r; ++s) {
                double sum = 0.0;
                for (int i = r; i < n; ++i)
                    for (int k = s; k < n; ++k)
                        sum += t[kr::PackedIndex(i, r)] * kr::PackedAt(a, i, k) * t[kr::PackedIndex(k, s)];
                c[kr::PackedIndex(r, s)] = sum;
            }
        }
        covariances = c;
        basis = scratch;
        order = n - 1;
        c = scratch = nullptr;
    }
    Release(a);
    Release(t);
    Release(c);
    Release(scratch);
}

CCalCovar::~CCalCovar()
{
    Release(basis);
    Release(covariances);
    Release(tableMass);
    Release(tableVariance);
    Release(tableCurvature);
}

CCalCovar &CCalCovar::operator=(const CCalCovar &source)
{
    if (this == &source)
        return *this;
    // Take the copy's arrays; the copy frees ours.
    CCalCovar copy(source);
    std::swap(covariances, copy.covariances);
    std::swap(basis, copy.basis);
    std::swap(tableMass, copy.tableMass);
    std::swap(tableVariance, copy.tableVariance);
    std::swap(tableCurvature, copy.tableCurvature);
    order = copy.order;
    tableSize = copy.tableSize;
    useRootMass = copy.useRootMass;
    tableLow = copy.tableLow;
    tableHigh = copy.tableHigh;
    tableValid = copy.tableValid;
    return *this;
}

bool CCalCovar::GetUseRootMass() const
{
    return useRootMass;
}

double CCalCovar::CalVar(double x, bool excludeLinear) const
{
    if (order < 0 || !covariances || !basis)
        return 0.0;
    basis[0] = 1.0;
    for (int k = 1; k <= order; ++k)
        basis[k] = basis[k - 1] * x;
    if (excludeLinear && order >= 1)
        basis[1] = 0.0;
    double variance = 0.0;
    const double *row = covariances;
    for (int i = 0; i <= order; ++i) {
        double sum = 0.0;
        for (int j = 0; j < i; ++j)
            sum += row[j] * basis[j];
        variance += 2.0 * basis[i] * sum + basis[i] * row[i] * basis[i];
        row += i + 1;
    }
    return variance;
}

bool CCalCovar::MakeLookupTable(double from, double to)
{
    if (tableValid)
        return true;
    tableLow = from < to ? from : to;
    tableHigh = from < to ? to : from;
    tableSize = kTablePoints;
    Release(tableVariance);
    Release(tableMass);
    Release(tableCurvature);
    tableVariance = NewDoubles(kTablePoints);
    tableMass = NewDoubles(kTablePoints);
    if (!tableVariance || !tableMass) {
        tableValid = false;
        return false;
    }
    const double step = (tableHigh - tableLow) * kOneOver127;
    double mass = tableLow;
    for (int i = 0; i < kTablePoints; ++i, mass += step) {
        tableMass[i] = mass;
        tableVariance[i] = useRootMass ? RootMassVariance(CalVar(sqrt(mass), false), mass) : CalVar(mass, false);
    }
    tableCurvature = NewDoubles(kTablePoints);
    if (tableCurvature)
        NaturalSpline(tableMass, tableVariance, kTablePoints, tableCurvature);
    tableValid = tableCurvature != nullptr;
    return tableValid;
}

double CCalCovar::GetVariance(double mass) const
{
    double variance;
    bool fromTable = false;
    if (tableValid && tableLow <= mass && mass <= tableHigh && tableHigh > tableLow) {
        // The interval by index arithmetic; the top of the range (and a
        // position that is not a number) takes the last interval.
        // Divisions are what a lookup costs most: two here, by reciprocals.
        const double position = (mass - tableLow) * ((tableSize - 1) / (tableHigh - tableLow));
        const int last = tableSize - 2;
        const int k = position >= 0.0 && position < last ? static_cast<int>(position) : last;
        const double h = tableMass[k + 1] - tableMass[k];
        if (h > 0.0) {
            const double perH = 1.0 / h;
            const double a = (tableMass[k + 1] - mass) * perH;
            const double b = (mass - tableMass[k]) * perH;
            variance = a * tableVariance[k] + b * tableVariance[k + 1] +
                       ((a * a * a - a) * tableCurvature[k] + (b * b * b - b) * tableCurvature[k + 1]) *
                           (h * h) * (1.0 / 6.0);
            fromTable = true;
        }
    }
    if (!fromTable)
        variance = useRootMass ? RootMassVariance(CalVar(sqrt(mass), false), mass) : CalVar(mass, false);
    return variance > 0.0 ? variance : 0.0;
}

char *CCalCovar::Format(char *const buffer, int size) const
{
    if (!buffer || size < 1)
        return nullptr;
    buffer[0] = '\0';
    if (order < 0)
        return buffer;
    long length = 0;
    long index = 0;
    for (int i = 0; i <= order; ++i) {
        for (int j = 0; j <= i; ++j, ++index) {
            const char *format = j < i ? "%+22.15e," : (i < order ? "%+22.15e;" : "%+22.15e");
            char piece[64];
            const int pieceLength = kr::FormatText(piece, sizeof piece, format, covariances[index]);
            if (pieceLength < 0 || length + pieceLength >= size)
                return nullptr;
            memcpy(buffer + length, piece, pieceLength + 1);
            length += pieceLength;
        }
    }
    return buffer;
}

bool CCalCovar::SetCovariances(const char *const text)
{
    tableValid = false;
    char *copy = text ? static_cast<char *>(kr::MemAlloc(strlen(text) + 1)) : nullptr;
    Release(covariances);
    Release(basis);
    order = -1;
    if (!copy)
        return false;
    strcpy(copy, text);

    int newOrder = 0;
    for (const char *p = copy; *p; ++p)
        newOrder += *p == ';';
    const long long count = kr::PackedCount(newOrder);
    covariances = NewDoubles(count);
    basis = NewDoubles(newOrder + 1LL);
    bool ok = covariances && basis;
    long long stored = 0;
    for (char *p = copy + strspn(copy, ";,"); ok && *p; p += strspn(p, ";,")) {
        const size_t length = strcspn(p, ";,");
        const char held = p[length];
        p[length] = '\0';
        errno = 0;
        const double value = strtod(p, nullptr);
        p[length] = held;
        p += length;
        // Only overflow is out of range: a value below the normal range (as
        // Format writes one) reads as the nearest double, which the runtime
        // also flags with ERANGE.
        if ((errno == ERANGE && fabs(value) == HUGE_VAL) || stored >= count)
            ok = false;
        else
            covariances[stored++] = value;
    }
    ok = ok && stored == count;
    kr::MemFree(copy);
    if (!ok) {
        Release(covariances);
        Release(basis);
        return false;
    }
    order = newOrder;
    return true;
}

bool CCalCovar::GetCovariances(double *const out, int size) const
{
    if (order < 0)
        return true;
    const long long count = kr::PackedCount(order);
    if (!out || size < count)
        return false;
    memcpy(out, covariances, static_cast<size_t>(count) * sizeof(double));
    return true;
}

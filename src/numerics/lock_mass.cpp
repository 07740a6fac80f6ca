// Lock-mass updates of CCalCovar: the coefficient covariances after the low
// calibration coefficients have been re-determined from lock masses.
#include "krnumerics.h"

#include <math.h>

#include "numerics/packed_matrix.h"
#include "numerics/working_matrix.h"

namespace {

constexpr int kMax = kr::kMaxWorkingDimension;

// A lock mass in the polynomial's abscissa: x, the inverse variance w of the
// measurement there, and t = x^2.
struct LockPoint {
    double x, w, t;
};

LockPoint ToAbscissa(double mass, double sigma, bool rootMass)
{
    if (rootMass)
        return {sqrt(mass), 4.0 * mass / (sigma * sigma), mass};
    return {mass, 1.0 / (sigma * sigma), mass * mass};
}

bool Supported(int order)
{
    return order >= 1 && order + 1 <= kMax;
}

// u' C v over the indices that pass `use`, C given as an upper triangle.
template <typename Use>
double QuadraticForm(const double *full, int n, const double *u, const double *v, Use use)
{
    double sum = 0.0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            if (use(r) && use(c))
                sum += u[r] * full[r <= c ? r * n + c : c * n + r] * v[c];
    return sum;
}

// Row k of C times v over the indices that pass `use`.
template <typename Use>
double RowTimes(const double *full, int n, int k, const double *v, Use use)
{
    double sum = 0.0;
    for (int c = 0; c < n; ++c)
        if (use(c))
            sum += full[k <= c ? k * n + c : c * n + k] * v[c];
    return sum;
}

void SetUpper(double *full, int n, int r, int c, double value)
{
    full[r <= c ? r * n + c : c * n + r] = value;
}

} // namespace

bool CCalCovar::UpdateForLockMass(double lockMass, double sigma, double, double *const out, int size)
{
    if (!Supported(order) || lockMass == 0.0 || sigma == 0.0)
        return false;
    const int n = order + 1;
    const LockPoint p = ToAbscissa(lockMass, sigma, useRootMass);

    double a[kMax * kMax];
    kr::UnpackCovariances(a, covariances, n);
    kr::RemoveRowColumn(a, n, 1);
    bool ok = kr::InvertSymmetric(a, n - 1) == 0;
    if (ok) {
        // The linear coefficient carries no prior information; the lock
        // mass adds w f f' with f = (1, x, x^2, ...).
        kr::InsertZeroRowColumn(a, n - 1, 1);
        double rowFactor = p.w;
        for (int i = 0; i < n; ++i, rowFactor *= p.t) {
            double term = rowFactor;
            for (int j = i; j < n; ++j, term *= p.x)
                a[i * n + j] += term;
        }
        ok = kr::InvertSymmetric(a, n) == 0;
    }
    if (ok) {
        kr::PackCovariances(a, covariances, n);
    } else {
        for (long long i = 0; i < kr::PackedCount(order); ++i)
            covariances[i] = 0.0;
        covariances[2] = 1.0 / (p.w * p.t); // only the re-determined linear coefficient is uncertain
    }
    tableValid = false;
    return out ? GetCovariances(out, size) : true;
}

bool CCalCovar::UpdateForLockMasses(const double *const lockMasses, const float *const sigmas, int count,
                                   bool correctOffset, double *const out, int size)
{
    if (!Supported(order) || count < 1 || !lockMasses || !sigmas)
        return false;
    const int n = order + 1;
    auto used = [&](int i) { return lockMasses[i] > 0.0 && sigmas[i] != 0.0f; };
    double s0 = 0.0, s1 = 0.0, s2 = 0.0;
    for (int i = 0; i < count; ++i) {
        if (!used(i))
            continue;
        const LockPoint p = ToAbscissa(lockMasses[i], sigmas[i], useRootMass);
        s0 += p.w;
        s1 += p.w * p.x;
        s2 += p.w * p.x * p.x;
    }
    const double det = s2 * s0 - s1 * s1;

    double a[kMax * kMax];
    kr::UnpackCovariances(a, covariances, n);
    double u[kMax] = {}, v[kMax] = {}, row0[kMax] = {}, row1[kMax] = {};

    if (correctOffset && det > 0.0) {
        // c0', c1': the weighted fit of the lock-mass residuals, c2.. held.
        const double s0n = s0 / det, s1n = s1 / det, s2n = s2 / det;
        for (int i = 0; i < count; ++i) {
            if (!used(i))
                continue;
            const LockPoint p = ToAbscissa(lockMasses[i], sigmas[i], useRootMass);
            double power = p.x * p.x;
            for (int k = 2; k < n; ++k, power *= p.x) {
                u[k] -= (s2n - p.x * s1n) * p.w * power;
                v[k] -= (p.x * s0n - s1n) * p.w * power;
            }
        }
        auto high = [](int k) { return k >= 2; };
        for (int k = 2; k < n; ++k) {
            row0[k] = RowTimes(a, n, k, u, high);
            row1[k] = RowTimes(a, n, k, v, high);
        }
        row0[0] = QuadraticForm(a, n, u, u, high) + s2n;
        row0[1] = QuadraticForm(a, n, u, v, high) - s1n;
        row1[1] = QuadraticForm(a, n, v, v, high) + s0n;
        for (int k = 0; k < n; ++k) {
            SetUpper(a, n, 0, k, row0[k]);
            if (k >= 1)
                SetUpper(a, n, 1, k, row1[k]);
        }
    } else {
        if (s2 <= 0.0) // no usable point: nothing changes, the table stays
            return out && size > 0 ? GetCovariances(out, size) : true;
        // c1' alone, every other coefficient held.
        auto notLinear = [](int k) { return k != 1; };
        for (int i = 0; i < count; ++i) {
            if (!used(i))
                continue;
            const LockPoint p = ToAbscissa(lockMasses[i], sigmas[i], useRootMass);
            double power = p.x; // x^(k+1) for k = 0
            for (int k = 0; k < n; ++k, power *= p.x)
                if (k != 1)
                    v[k] -= p.w * power / s2;
        }
        for (int k = 0; k < n; ++k)
            if (k != 1)
                row1[k] = RowTimes(a, n, k, v, notLinear);
        row1[1] = QuadraticForm(a, n, v, v, notLinear) + 1.0 / s2;
        for (int k = 0; k < n; ++k)
            SetUpper(a, n, 1, k, row1[k]);
    }
    kr::PackCovariances(a, covariances, n);
    tableValid = false;
    return out && size > 0 ? GetCovariances(out, size) : true;
}

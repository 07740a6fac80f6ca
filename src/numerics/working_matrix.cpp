#include "numerics/working_matrix.h"

#include <math.h>

namespace kr {

void UnpackCovariances(double *full, const double *packed, int n)
{
    for (int c = 0; c < n; ++c)
        for (int r = 0; r <= c; ++r)
            full[r * n + c] = packed[c * (c + 1) / 2 + r];
}

void PackCovariances(const double *full, double *packed, int n)
{
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= i; ++j)
            packed[i * (i + 1) / 2 + j] = full[j * n + i];
}

void RemoveRowColumn(double *full, int n, int k)
{
    int to = 0;
    for (int r = 0; r < n; ++r) {
        if (r == k)
            continue;
        for (int c = 0; c < n; ++c)
            if (c != k)
                full[to++] = full[r * n + c];
    }
}

void InsertZeroRowColumn(double *full, int m, int k)
{
    // From the last element backwards, so nothing is overwritten before it
    // has been moved.
    const int n = m + 1;
    for (int r = n - 1; r >= 0; --r) {
        for (int c = n - 1; c >= 0; --c) {
            if (r == k || c == k) {
                full[r * n + c] = 0.0;
            } else {
                const int sr = r > k ? r - 1 : r, sc = c > k ? c - 1 : c;
                full[r * n + c] = full[sr * m + sc];
            }
        }
    }
}

int InvertSymmetric(double *a, int n)
{
    // Cholesky factor L in the lower triangle (the diagonal overwritten).
    for (int i = 0; i < n; ++i) {
        double s = a[i * n + i];
        for (int k = 0; k < i; ++k)
            s -= a[i * n + k] * a[i * n + k];
        if (!(s > 0.0))
            return -1;
        const double lii = sqrt(s);
        a[i * n + i] = lii;
        for (int j = i + 1; j < n; ++j) {
            double t = a[i * n + j];
            for (int k = 0; k < i; ++k)
                t -= a[i * n + k] * a[j * n + k];
            a[j * n + i] = t / lii;
        }
    }
    // L^-1 in place, column by column.
    for (int i = 0; i < n; ++i) {
        a[i * n + i] = 1.0 / a[i * n + i];
        for (int j = i + 1; j < n; ++j) {
            double s = 0.0;
            for (int k = i; k < j; ++k)
                s += a[j * n + k] * a[k * n + i];
            a[j * n + i] = -s / a[j * n + j];
        }
    }
    // The inverse (L^-1)' L^-1 into the upper triangle.
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            double s = 0.0;
            for (int k = j; k < n; ++k)
                s += a[k * n + i] * a[k * n + j];
            a[i * n + j] = s;
        }
    }
    return 0;
}

} // namespace kr

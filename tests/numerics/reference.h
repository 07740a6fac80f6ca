// Independent references for the numerical tests, computed with Eigen.
#ifndef KRTEST_NUMERICS_REFERENCE_H
#define KRTEST_NUMERICS_REFERENCE_H

#include <Eigen/Dense>
#include <gtest/gtest.h>
#include <windows.h>

#include <stdlib.h>

#include <vector>

#include "support/alloc_sweep.h"

namespace krtest {

using Matrix = Eigen::MatrixXd;
using Vector = Eigen::VectorXd;

// Packed lower triangle <-> full symmetric matrix.
inline Matrix Unpack(const std::vector<double> &packed, int n)
{
    Matrix m(n, n);
    for (int i = 0, index = 0; i < n; ++i)
        for (int j = 0; j <= i; ++j, ++index)
            m(i, j) = m(j, i) = packed[index];
    return m;
}

inline std::vector<double> Pack(const Matrix &m)
{
    std::vector<double> packed;
    for (int i = 0; i < m.rows(); ++i)
        for (int j = 0; j <= i; ++j)
            packed.push_back(m(i, j));
    return packed;
}

// The largest difference relative to the largest entry of the reference.
inline double RelativeDifference(const Matrix &actual, const Matrix &reference)
{
    return (actual - reference).cwiseAbs().maxCoeff() / reference.cwiseAbs().maxCoeff();
}

// (1, x, x^2, ..., x^order)
inline Vector Powers(double x, int order)
{
    return Vector::LinSpaced(order + 1, 0, order).unaryExpr([x](double k) { return pow(x, k); });
}

// Symmetric positive definite, its entries spread over scales.
inline Matrix RandomCovariance(int n, unsigned seed)
{
    srand(seed);
    const Matrix a = Matrix::Random(n, n), scale = Vector::LinSpaced(n, 1, n).cwiseInverse().asDiagonal();
    return scale * (a * a.transpose() + Matrix::Identity(n, n) * 0.5) * scale;
}

// gtest's first trace in a thread starts a watcher thread whose start-up
// allocates on the process heap a little later: let that settle before a
// sweep's heap balance.
inline void SettleHeaps()
{
    SCOPED_TRACE("settling");
    for (size_t settled = 0; settled != BusyHeapBytes(); Sleep(20))
        settled = BusyHeapBytes();
}

} // namespace krtest

#endif

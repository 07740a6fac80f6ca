// A weighted order-3 fit of 10^6 points (coefficients and r^2):
// CLinearRegression, which fills its normal equations from 7 power sums,
// against the same normal equations with every product formed separately,
// and against Householder QR of the weighted design matrix (Eigen). The
// accuracy of each is measured against QR in extended precision. The
// library fits fresh copies of the usable points; under Wine the first
// touch of that fresh memory costs far more than the sums themselves, so
// the products are timed both on such copies and on the caller's arrays.
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include <Eigen/Dense>
#include <algorithm>
#include <vector>

#include "bench_support.h"
#include "krnumerics.h"

namespace {

constexpr int kOrder = 3, kUnknowns = kOrder + 1;

using Coefficients = Eigen::Matrix<double, kUnknowns, 1>;

struct Data {
    std::vector<double> x, y, w;
};

volatile double g_sink;

// A cubic whose terms all matter over [from, to], with 0.1% noise.
Data Samples(int count, double from, double to, const double (&poly)[kUnknowns])
{
    Data d;
    srand(7);
    for (int i = 0; i < count; ++i) {
        const double x = from + (to - from) * (rand() / double(RAND_MAX));
        const double y = ((poly[3] * x + poly[2]) * x + poly[1]) * x + poly[0];
        d.x.push_back(x);
        d.y.push_back(y * (1.0 + 1e-3 * (rand() / double(RAND_MAX) - 0.5)));
        d.w.push_back(0.5 + 1.5 * (rand() / double(RAND_MAX)));
    }
    return d;
}

double Polynomial(const Coefficients &c, double x)
{
    return ((c(3) * x + c(2)) * x + c(1)) * x + c(0);
}

// r^2 of a fit, as the library computes it.
double RSquared(const Data &d, const Coefficients &c)
{
    double weights = 0, weightedY = 0, residual = 0, total = 0;
    for (size_t i = 0; i < d.x.size(); ++i) {
        weights += d.w[i];
        weightedY += d.w[i] * d.y[i];
    }
    const double mean = weightedY / weights;
    for (size_t i = 0; i < d.x.size(); ++i) {
        const double r = d.y[i] - Polynomial(c, d.x[i]);
        residual += d.w[i] * r * r;
        total += d.w[i] * (d.y[i] - mean) * (d.y[i] - mean);
    }
    return (total - residual) / total;
}

// The normal equations with each of the m^2 products formed for each point.
Coefficients ProductNormalEquations(const double *x, const double *y, const double *w, size_t n)
{
    Eigen::Matrix<double, kUnknowns, kUnknowns> a = Eigen::Matrix<double, kUnknowns, kUnknowns>::Zero();
    Coefficients rhs = Coefficients::Zero();
    for (size_t i = 0; i < n; ++i) {
        double powers[kUnknowns] = {1.0};
        for (int k = 1; k < kUnknowns; ++k)
            powers[k] = powers[k - 1] * x[i];
        for (int j = 0; j < kUnknowns; ++j) {
            rhs(j) += w[i] * y[i] * powers[j];
            for (int k = 0; k < kUnknowns; ++k)
                a(j, k) += w[i] * powers[j] * powers[k];
        }
    }
    return a.partialPivLu().solve(rhs);
}

// The same on fresh copies of the points, as the library fits them.
Coefficients ProductsOnCopies(const Data &d)
{
    const size_t n = d.x.size();
    double *copies = static_cast<double *>(malloc(3 * n * sizeof(double)));
    for (size_t i = 0; i < n; ++i) {
        copies[i] = d.x[i];
        copies[n + i] = d.y[i];
        copies[2 * n + i] = d.w[i];
    }
    const Coefficients c = ProductNormalEquations(copies, copies + n, copies + 2 * n, n);
    free(copies);
    return c;
}

template <typename Scalar>
Eigen::Matrix<Scalar, kUnknowns, 1> QrSolve(const Data &d)
{
    using Matrix = Eigen::Matrix<Scalar, Eigen::Dynamic, Eigen::Dynamic>;
    const Eigen::Index n = static_cast<Eigen::Index>(d.x.size());
    Matrix a(n, kUnknowns);
    Eigen::Matrix<Scalar, Eigen::Dynamic, 1> b(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const Scalar root = sqrt(static_cast<Scalar>(d.w[i]));
        Scalar power = root;
        for (int k = 0; k < kUnknowns; ++k, power *= d.x[i])
            a(i, k) = power;
        b(i) = root * d.y[i];
    }
    return a.householderQr().solve(b);
}

using Reference = Eigen::Matrix<long double, kUnknowns, 1>;

double CoefficientError(const Coefficients &c, const Reference &reference)
{
    double worst = 0;
    for (int k = 0; k < kUnknowns; ++k)
        worst = std::max(worst, static_cast<double>(fabsl((c(k) - reference(k)) / reference(k))));
    return worst;
}

// The largest difference of the fitted curves over the points, relative to
// the largest ordinate.
double CurveError(const Data &d, const Coefficients &c, const Reference &reference)
{
    const Coefficients r = reference.cast<double>();
    double worst = 0, largest = 0;
    for (size_t i = 0; i < d.x.size(); ++i) {
        worst = std::max(worst, fabs(Polynomial(c, d.x[i]) - Polynomial(r, d.x[i])));
        largest = std::max(largest, fabs(d.y[i]));
    }
    return worst / largest;
}

void Row(const char *what, double ms, double libraryMs, const Data &d, const Coefficients &c,
         const Reference &reference)
{
    printf("  %-40s %9.2f %7.2f %11.2e %11.2e\n", what, ms, ms / libraryMs, CoefficientError(c, reference),
           CurveError(d, c, reference));
}

} // namespace

void RunRegression()
{
    const int count = 1000000;
    printf("\nWeighted order-%d fit of %d points (coefficients and r^2); ratio: time / library time;\n"
           "errors against QR in extended precision: largest relative coefficient difference, and\n"
           "largest difference of the fitted curve relative to the largest ordinate\n",
           kOrder, count);
    const struct {
        double from, to, poly[kUnknowns];
    } ranges[] = {{-1.0, 1.0, {0.3, -1.2, 0.8, 2.0}}, {100.0, 1000.0, {5.0, 0.99, 2e-5, -3e-9}}};
    for (const auto &range : ranges) {
        const double from = range.from, to = range.to;
        const Data d = Samples(count, from, to, range.poly);
        CLinearRegression fit;
        fit.SetPolynomialOrder(kOrder);
        for (int i = 0; i < count; ++i)
            fit.AddRegressionPoint(d.x[i], d.y[i], d.w[i], false);
        Coefficients ours, products, copied, qr;
        const double libraryMs = krbench::MicrosPerCall(1, [&](int) { fit.Calculate(); }) / 1000.0;
        fit.GetPolynomial(ours.data());
        const double copiedMs = krbench::MicrosPerCall(1, [&](int) {
            copied = ProductsOnCopies(d);
            g_sink = RSquared(d, copied);
        }) / 1000.0;
        const double productMs = krbench::MicrosPerCall(1, [&](int) {
            products = ProductNormalEquations(d.x.data(), d.y.data(), d.w.data(), d.x.size());
            g_sink = RSquared(d, products);
        }) / 1000.0;
        const double qrMs = krbench::MicrosPerCall(1, [&](int) {
            qr = QrSolve<double>(d);
            g_sink = RSquared(d, qr);
        }, 3) / 1000.0;
        const Reference reference = QrSolve<long double>(d);
        printf("x in [%g, %g], r^2 %.12f\n  %-40s %9s %7s %11s %11s\n", from, to, fit.GetRSquared(), "method",
               "ms", "ratio", "coef error", "curve error");
        Row("library: power sums, on copies", libraryMs, libraryMs, d, ours, reference);
        Row("every product, on fresh copies", copiedMs, libraryMs, d, copied, reference);
        Row("every product, on the caller's arrays", productMs, libraryMs, d, products, reference);
        Row("Householder QR (Eigen)", qrMs, libraryMs, d, qr, reference);
    }
}

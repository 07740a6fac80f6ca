// CLinearRegression through the DLL's exported class, against hand-worked
// fits and Householder QR of the weighted design matrix (Eigen).
#include <gtest/gtest.h>

#include <math.h>

#include <memory>
#include <vector>

#include "krnumerics.h"
#include "reference.h"
#include "support/alloc_sweep.h"
#include <windows.h>
#include <stdio.h>
static HANDLE g_heaps[64]; static size_t g_sizes[64]; static DWORD g_count;
static void PerHeap(size_t *sizes){
    g_count = GetProcessHeaps(64, g_heaps);
    for (DWORD h = 0; h < g_count && h < 64; ++h) { PROCESS_HEAP_ENTRY e{}; size_t t=0; HeapLock(g_heaps[h]);
        while (HeapWalk(g_heaps[h], &e)) t += (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? e.cbData : 0; HeapUnlock(g_heaps[h]); sizes[h] = t; }
}

namespace {

struct Point {
    double x, y, w;
    bool excluded = false;
};
using Points = std::vector<Point>;

void Prepare(CLinearRegression &fit, const Points &points, int order, bool include = false, bool force = false)
{
    fit.SetPolynomialOrder(order);
    fit.SetIncludeOrigin(include);
    fit.SetForceOrigin(force);
    for (const Point &p : points)
        fit.AddRegressionPoint(p.x, p.y, p.w, p.excluded);
}

std::vector<double> Coefficients(const CLinearRegression &fit)
{
    std::vector<double> c(static_cast<size_t>(fit.GetNumCoefficients()));
    EXPECT_EQ(fit.GetPolynomialOrder(), fit.GetPolynomial(c.data()));
    return c;
}

// Over the points that take part (not excluded, a weight neither 0 nor
// NaN): QR's fit in x^first..x^order, a negative weight counting as 0, and
// r^2 of c with every weight as it is.
krtest::Vector QrFit(const Points &points, int order, int first, const std::vector<double> &c, double *r2)
{
    Points used;
    for (const Point &p : points)
        if (!p.excluded && p.w != 0 && !isnan(p.w))
            used.push_back(p);
    krtest::Matrix a(used.size(), order + 1);
    krtest::Vector y(used.size()), w(used.size()), fit = krtest::Vector::Zero(order + 1);
    for (size_t i = 0; i < used.size(); ++i) {
        a.row(i) = krtest::Powers(used[i].x, order).transpose();
        y(i) = used[i].y;
        w(i) = used[i].w;
    }
    const krtest::Vector root = w.cwiseMax(0.0).cwiseSqrt(), r = y - a * krtest::Vector::Map(c.data(), order + 1);
    fit.tail(order + 1 - first) =
        (root.asDiagonal() * a.rightCols(order + 1 - first)).householderQr().solve(root.cwiseProduct(y));
    *r2 = 1.0 - w.dot(r.cwiseAbs2()) / w.dot((y.array() - w.dot(y) / w.sum()).matrix().cwiseAbs2());
    return fit;
}

} // namespace

TEST(CLinearRegression, ANewObjectReadsAsAZeroLine)
{
    CLinearRegression fit;
    double out[3] = {7, 7, 7};
    EXPECT_TRUE(fit.GetPolynomial(nullptr) == 1 && fit.GetPolynomial(out) == 1 && out[0] == 0 && out[1] == 0);
    EXPECT_TRUE(out[2] == 7 && fit.GetRSquared() == 0.0 && !fit.GetIncludeOrigin() && !fit.GetForceOrigin());
    EXPECT_FALSE(fit.Calculate()); // nothing to fit
    for (int asked : {-5, 99, 250}) {
        fit.SetPolynomialOrder(asked);
        EXPECT_EQ(asked < 0 ? 1 : asked > 99 ? 100 : asked + 1, fit.GetNumCoefficients()) << asked;
    }
}

TEST(CLinearRegression, FitsByHandAndAgainstQr)
{
    // By hand: through the origin y = 49/21 x leaves 2/3 of 56/3; a level
    // line's y = 31/7 x leaves 325/7 of 2/3 (r^2 negative, r 0); the origin
    // alone gives 0/0; order 0 forced has no unknowns. Otherwise QR's, the
    // included origin weighing as the nearest point (the first of equals).
    const Points line = {{1, 3, 1}, {2, 5, 1}, {4, 9, 1}};
    Points curve, mixed = {{0.5, 1, 1},   {1.5, 2.5, 2}, {3, 100, 0},       {2.5, 2, 1},
                           {3, 100, NAN}, {3, 9, -1},    {3, 100, 5, true}, {4, 5.5, 0.5}};
    for (int i = 0; i < 15; ++i) { // x = 1/7 (i = 6) is the nearest to 0
        const double x = -2.0 + i / 2.8;
        curve.push_back({x, 0.4 + 1.3 * x - 0.6 * x * x + 0.01 * (i * 7 % 5 - 2), 0.5 + 0.5 * (i % 4)});
    }
    Points origin = curve;
    origin.push_back({0, 0, curve[6].w});
    const struct {
        const char *what;
        Points points;
        int order;
        bool include, force;
        std::vector<double> c; // empty: QR's through the reference points
        double r2;
        Points reference;
    } cases[] = {
        {"y = 2x + 1", line, 1, false, false, {1, 2}, 1, {}},
        {"through the origin: sum xy / sum x^2", line, 1, false, true, {0, 49 / 21.0}, 27 / 28.0, {}},
        {"a level line through the origin", {{1, 10, 1}, {2, 11, 1}, {3, 10, 1}}, 1, false, true, {0, 31 / 7.0},
         -961 / 14.0, {}},
        {"the origin alone", {{1, 1, 0}}, 0, true, false, {0}, NAN, {}},
        {"order 0 forced, no points", {}, 0, false, true, {0}, 0, {}},
        {"order 0 forced: 1 - sum w y^2 / sum w (y - mean)^2", {{1, 1, 1}, {2, 3, 1}}, 0, false, true, {0}, -4, {}},
        {"zero, NaN and negative weights, an excluded point", mixed, 1, false, false, {}, 0, mixed},
        {"forced and included", curve, 2, true, true, {}, 0, origin},
        {"the first of two equally near", {{-0.5, 1, 3}, {0.5, 3, 4}}, 1, true, false, {}, 0,
         {{-0.5, 1, 3}, {0.5, 3, 4}, {0, 0, 3}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CLinearRegression fit;
        Prepare(fit, c.points, c.order, c.include, c.force);
        ASSERT_TRUE(fit.Calculate());
        const std::vector<double> got = Coefficients(fit);
        double r2 = c.r2;
        const krtest::Vector qr = c.c.empty() ? QrFit(c.reference, c.order, c.force, got, &r2) : krtest::Vector();
        for (int k = 0; k <= c.order; ++k)
            EXPECT_NEAR(c.c.empty() ? qr(k) : c.c[k], got[k], 1e-12 * fabs(got[k]) + 1e-14) << k;
        EXPECT_TRUE(isnan(r2) ? isnan(fit.GetRSquared()) : fabs(r2 - fit.GetRSquared()) < 1e-13 * (1 + fabs(r2)))
            << fit.GetRSquared();
        EXPECT_NEAR(r2 > 0 ? sqrt(r2) : 0.0, fit.GetR(), 1e-14);
    }
}

TEST(CLinearRegression, SingularSystemsFailAndNearlySingularOnesAreSolved)
{
    // A failed fit drops the one before it (the first two points of the
    // last case fit). 100 and 99 unknowns through 100 points: solved, and
    // never more than order+1 values read out.
    const Points singular[] = {{{0, 1, 1}, {0, 2, 1}}, {{2, 2, 0}, {1, 1, 0}}, {{5, 5, 1}, {6, 7, 1}, {NAN, 2, 1}}};
    for (const Points &s : singular) {
        CLinearRegression fit;
        Prepare(fit, Points(s.begin(), s.end() - 1), 1, s[0].w == 0); // the origin alone, included
        fit.Calculate();
        fit.AddRegressionPoint(s.back().x, s.back().y, s.back().w, false);
        EXPECT_FALSE(fit.Calculate()) << &s - singular;
        EXPECT_TRUE(Coefficients(fit) == std::vector<double>(2, 0.0) && fit.GetRSquared() == 0.0) << &s - singular;
    }
    Points chebyshev;
    for (int i = 0; i < 100; ++i)
        chebyshev.push_back({cos(M_PI * (i + 0.5) / 100), 1.0 + cos(M_PI * (i + 0.5) / 100), 1.0});
    for (bool force : {false, true}) {
        CLinearRegression fit;
        Prepare(fit, chebyshev, 120, false, force);
        std::vector<double> out(101, -7.0);
        EXPECT_TRUE(fit.Calculate() && fit.GetPolynomial(out.data()) == 99 && out[100] == -7.0) << force;
        EXPECT_TRUE(fit.GetRSquared() > 0.9 && (!force || out[0] == 0.0)) << force;
    }
}

TEST(CLinearRegression, FailedAllocationsLeaveUsableIndependentObjects)
{
    // The nth allocation failing, alone or with every later one: a fit is
    // right or zeros; a copy is whole or reads as new, apart from its
    // source; a failed assignment leaves its target as it was; every point
    // taken is fitted afterwards; nothing leaks.
    const Points points = {{1, 2, 1}, {2, 5, 1}, {3, 11, 1}, {4, 17, 2}, {5, 26, 1}};
    CLinearRegression reference;
    Prepare(reference, points, 2, true);
    ASSERT_TRUE(reference.Calculate());
    std::unique_ptr<CLinearRegression> fit, copy, assigned;
    int held = 0, assignedOrder = 0, order = 0;
    bool fitted = false;
    size_t before = 0;
    auto work = [&] {
        before = krtest::BusyHeapBytes();
        fit.reset(new CLinearRegression);
        assigned.reset(new CLinearRegression);
        assigned->SetPolynomialOrder(3);
        assignedOrder = assigned->GetPolynomialOrder();
        Prepare(*fit, {}, 2, true);
        for (const Point &p : points)
            held = fit->AddRegressionPoint(p.x, p.y, p.w, false);
        fitted = fit->Calculate();
        copy.reset(new CLinearRegression(*fit));
        *assigned = *fit;
        *assigned = *assigned;
    };
    auto check = [&](long, bool failed) {
        {
            const std::vector<double> c = Coefficients(*fit), zeros(c.size(), 0.0);
            EXPECT_TRUE(fitted ? held < 5 || c == Coefficients(reference) : c == zeros && fit->GetRSquared() == 0);
            EXPECT_EQ(held + 1, fit->AddRegressionPoint(6, 37, 1, true));
            EXPECT_TRUE(held < 5 || (fit->Calculate() && Coefficients(*fit) == Coefficients(reference)));
            fit->SetPolynomialOrder(1);
            EXPECT_EQ(copy->GetPolynomialOrder() == 2 ? c : std::vector<double>(2, 0.0), Coefficients(*copy));
            order = assigned->GetPolynomialOrder();
            EXPECT_TRUE(order == 2 || order == assignedOrder) << order;
            EXPECT_EQ(order == 2 ? c : std::vector<double>(order + 1, 0.0), Coefficients(*assigned));
        }
        fit.reset();
        copy.reset();
        assigned.reset();
        EXPECT_EQ(before, krtest::BusyHeapBytes());
        EXPECT_TRUE(failed || (fitted && held == 5 && order == 2));
    };
    krtest::SettleHeaps();
    for (bool onwards : {false, true})
        krtest::SweepAllocations(work, check, onwards);
}

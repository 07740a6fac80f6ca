// CLinearRegression through the DLL's exported class, against hand-worked
// fits and an independent least-squares solution: Householder QR of the
// weighted design matrix, computed with Eigen.
#include <gtest/gtest.h>

#include <malloc.h>
#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "krnumerics.h"
#include "reference.h"
#include "support/test_control.h"

using krtest::Matrix;
using krtest::Vector;

namespace {

struct Point {
    double x, y, w;
};

using Points = std::vector<Point>;

void Add(CLinearRegression &fit, const Points &points)
{
    for (const Point &p : points)
        fit.AddRegressionPoint(p.x, p.y, p.w, false);
}

std::vector<double> Coefficients(const CLinearRegression &fit)
{
    std::vector<double> c(static_cast<size_t>(fit.GetNumCoefficients()));
    EXPECT_EQ(fit.GetPolynomialOrder(), fit.GetPolynomial(c.data()));
    return c;
}

// Rows sqrt(w) (1, x, ..., x^order) over the points of positive weight,
// and sqrt(w) y in b.
Matrix Design(const Points &points, int order, Vector *b = nullptr)
{
    Points used;
    for (const Point &p : points)
        if (p.w > 0)
            used.push_back(p);
    Matrix a(used.size(), order + 1);
    Vector rhs(used.size());
    for (size_t i = 0; i < used.size(); ++i) {
        a.row(i) = sqrt(used[i].w) * krtest::Powers(used[i].x, order).transpose();
        rhs(i) = sqrt(used[i].w) * used[i].y;
    }
    if (b)
        *b = rhs;
    return a;
}

// Least squares in the basis x^first..x^order by QR; c0 = 0 when first is 1.
Vector QrFit(const Points &points, int order, int first = 0)
{
    Vector b, c = Vector::Zero(order + 1);
    c.tail(order + 1 - first) = Design(points, order, &b).rightCols(order + 1 - first).householderQr().solve(b);
    return c;
}

// The 2-norm condition number of the design matrix with its columns scaled
// to unit length: mere scale differences between the powers cost
// elimination with pivoting nothing, so this is the one that counts.
double Condition(const Points &points, int order)
{
    const Matrix a = Design(points, order);
    const Vector s = Eigen::JacobiSVD<Matrix>(a * a.colwise().norm().cwiseInverse().asDiagonal()).singularValues();
    return s(0) / s(s.size() - 1);
}

// 1 - SSres / SStot, all weights as they are (negative ones too).
double RSquared(const Points &points, const Vector &c)
{
    double weights = 0, weightedY = 0, residual = 0, total = 0;
    for (const Point &p : points) {
        weights += p.w;
        weightedY += p.w * p.y;
    }
    for (const Point &p : points) {
        const double r = p.y - krtest::Powers(p.x, static_cast<int>(c.size()) - 1).dot(c);
        residual += p.w * r * r;
        total += p.w * (p.y - weightedY / weights) * (p.y - weightedY / weights);
    }
    return 1.0 - residual / total;
}

// Noisy samples of a polynomial with weights in [0.5, 2].
Points Samples(const std::vector<double> &poly, double from, double to, int count, unsigned seed)
{
    srand(seed);
    Points points;
    for (int i = 0; i < count; ++i) {
        const double x = from + (to - from) * i / (count - 1);
        const double y = krtest::Powers(x, static_cast<int>(poly.size()) - 1).dot(Vector::Map(poly.data(), poly.size()));
        const double noise = (rand() / double(RAND_MAX) - 0.5) * 1e-3 * fabs(y);
        points.push_back({x, y + noise, 0.5 + 1.5 * rand() / double(RAND_MAX)});
    }
    return points;
}

// Bytes in use on the runtime heap that the library and this program share.
size_t HeapInUse()
{
    _HEAPINFO entry{};
    size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY)
            used += entry._size;
    return used;
}

} // namespace

TEST(CLinearRegression, ANewObjectReadsAsAZeroLine)
{
    CLinearRegression fit;
    double out[3] = {7, 7, 7};
    EXPECT_EQ(1, fit.GetPolynomial(nullptr));
    EXPECT_EQ(1, fit.GetPolynomial(out));
    EXPECT_EQ((std::vector<double>{0, 0, 7}), std::vector<double>(out, out + 3)); // order+1 values, no more
    EXPECT_EQ(0.0, fit.GetRSquared());
    EXPECT_FALSE(fit.GetIncludeOrigin() || fit.GetForceOrigin());
    EXPECT_FALSE(fit.Calculate()); // nothing to fit

    const struct {
        int asked, order;
    } orders[] = {{-5, 0}, {0, 0}, {3, 3}, {99, 99}, {250, 99}, {-2147483647 - 1, 0}};
    for (const auto &o : orders) {
        fit.SetPolynomialOrder(o.asked);
        EXPECT_EQ(o.order, fit.GetPolynomialOrder()) << o.asked;
        EXPECT_EQ(o.order + 1, fit.GetNumCoefficients()) << o.asked;
    }
}

TEST(CLinearRegression, HandWorkedFits)
{
    // r^2 by hand: through the origin, y = 49/21 x leaves 2/3 of 56/3, and
    // y = 31/7 x leaves 325/7 of 2/3 (worse than the mean: negative, r 0).
    // The origin alone (weight 1) fits c0 = 0 with r^2 = 0/0. Order 0
    // forced: no unknowns, r^2 = 1 - sum w y^2 / sum w (y - mean)^2, or 0
    // without points.
    const Points line = {{1, 3, 1}, {2, 5, 1}, {4, 9, 1}};
    const struct {
        const char *what;
        Points points;
        int order;
        bool include, force;
        std::vector<double> c;
        double r2;
    } cases[] = {
        {"y = 2x + 1", line, 1, false, false, {1, 2}, 1},
        {"through the origin: sum xy / sum x^2", line, 1, false, true, {0, 49 / 21.0}, 27 / 28.0},
        {"a level line through the origin", {{1, 10, 1}, {2, 11, 1}, {3, 10, 1}}, 1, false, true, {0, 31 / 7.0},
         -961 / 14.0},
        {"the origin alone", {{1, 1, 0}}, 0, true, false, {0}, NAN},
        {"order 0 forced, no points", {}, 0, false, true, {0}, 0},
        {"order 0 forced", {{1, 1, 1}, {2, 3, 1}}, 0, false, true, {0}, -4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CLinearRegression fit;
        fit.SetPolynomialOrder(c.order);
        fit.SetIncludeOrigin(c.include);
        fit.SetForceOrigin(c.force);
        Add(fit, c.points);
        ASSERT_TRUE(fit.Calculate());
        const std::vector<double> got = Coefficients(fit);
        for (size_t k = 0; k < c.c.size(); ++k)
            EXPECT_NEAR(c.c[k], got[k], 1e-14) << k;
        if (isnan(c.r2)) {
            EXPECT_TRUE(isnan(fit.GetRSquared()));
        } else {
            EXPECT_NEAR(c.r2, fit.GetRSquared(), 1e-13 * std::max(1.0, fabs(c.r2)));
        }
        EXPECT_NEAR(c.r2 > 0 ? sqrt(c.r2) : 0.0, fit.GetR(), 1e-14);
    }
}

TEST(CLinearRegression, AgreesWithQrWithinTheSquareOfTheConditionNumber)
{
    // The normal equations square the design matrix's condition number:
    // their coefficients stay within 1000 cond^2 eps of QR's (checked while
    // that is below 1; on 900..1000 cond reaches 2.5e9 at order 5). The
    // fitted curve is far better conditioned than its coefficients: within
    // 1e-4 of QR's at every sample, and 1 - r^2 within 0.1%.
    const struct {
        double from, to;
        int highestOrder;
        std::vector<double> poly;
    } ranges[] = {
        {-1.0, 1.0, 6, {0.3, -1.2, 0.8, 2.0, -0.5, 0.25, 1.5}},
        {100.0, 1000.0, 5, {5.0, 0.99, 2e-5, -3e-9, 1e-12, -1e-15}},
        {900.0, 1000.0, 5, {5.0, 0.99, 2e-5, -3e-9, 1e-12, -1e-15}},
    };
    for (const auto &range : ranges) {
        for (int order = 1; order <= range.highestOrder; ++order) {
            const std::vector<double> truth(range.poly.begin(), range.poly.begin() + order + 1);
            const Points points = Samples(truth, range.from, range.to, 200, 20 + order);
            const double cond = Condition(points, order), bound = 1000.0 * cond * cond * 2.2e-16;
            CLinearRegression fit;
            fit.SetPolynomialOrder(order);
            Add(fit, points);
            ASSERT_TRUE(fit.Calculate());
            const std::vector<double> c = Coefficients(fit);
            const Vector reference = QrFit(points, order);
            const Vector actual = Vector::Map(c.data(), order + 1);
            SCOPED_TRACE(testing::Message() << range.from << ", order " << order << ", cond " << cond);
            if (bound < 1.0) {
                EXPECT_LT((actual - reference).cwiseQuotient(reference).cwiseAbs().maxCoeff(), bound);
            }
            for (const Point &p : points) {
                const Vector powers = krtest::Powers(p.x, order);
                EXPECT_NEAR(powers.dot(reference), powers.dot(actual), 1e-4 * fabs(p.y));
            }
            const double r2 = RSquared(points, reference);
            EXPECT_NEAR(r2, fit.GetRSquared(), std::max(1e-13, 1e-3 * (1.0 - r2)));
        }
    }
}

TEST(CLinearRegression, PointsThatTakeNoPartAndNegativeWeights)
{
    const Points kept = {{0.5, 1.0, 1.0}, {1.5, 2.5, 2.0}, {2.5, 2.0, 1.0}, {4.0, 5.5, 0.5}};
    CLinearRegression plain;
    Add(plain, kept);
    ASSERT_TRUE(plain.Calculate());

    // Zero and NaN weights and excluded points: the same fit to the last
    // bit. A negative weight: the same coefficients, but the point counts in
    // r^2 with its weight as given.
    const struct {
        Point extra;
        bool excluded;
        bool changesRSquared;
    } cases[] = {
        {{3.0, 100.0, 0.0}, false, false},
        {{3.0, 100.0, NAN}, false, false},
        {{3.0, 100.0, 5.0}, true, false},
        {{3.0, 100.0, -0.0}, false, false},
        {{3.0, 9.0, -1.0}, false, true},
    };
    for (const auto &c : cases) {
        CLinearRegression fit;
        fit.AddRegressionPoint(c.extra.x, c.extra.y, c.extra.w, c.excluded);
        Add(fit, kept);
        EXPECT_EQ(6, fit.AddRegressionPoint(9.0, 9.0, 1.0, true)); // every point counts here
        ASSERT_TRUE(fit.Calculate());
        EXPECT_EQ(Coefficients(plain), Coefficients(fit)) << c.extra.w;
        if (!c.changesRSquared) {
            EXPECT_EQ(plain.GetRSquared(), fit.GetRSquared()) << c.extra.w;
            continue;
        }
        Points all = kept;
        all.insert(all.begin(), c.extra);
        const std::vector<double> coef = Coefficients(fit);
        EXPECT_NEAR(RSquared(all, Vector::Map(coef.data(), 2)), fit.GetRSquared(), 1e-14);
        EXPECT_NE(plain.GetRSquared(), fit.GetRSquared());
    }
}

TEST(CLinearRegression, OriginForcedOrIncluded)
{
    const Points points = Samples({0.4, 1.3, -0.6}, -2.0, 3.0, 15, 5);
    Points withOrigin = points;
    withOrigin.push_back({0.0, 0.0, points[6].w}); // x = 1/7 is the nearest to 0
    ASSERT_LT(fabs(points[6].x), fabs(points[5].x));
    const struct {
        bool include, force;
        Vector reference;
    } modes[] = {
        {false, false, QrFit(points, 2)},
        {false, true, QrFit(points, 2, 1)},
        {true, false, QrFit(withOrigin, 2)},
        {true, true, QrFit(withOrigin, 2, 1)},
    };
    for (const auto &mode : modes) {
        CLinearRegression fit;
        fit.SetPolynomialOrder(2);
        fit.SetIncludeOrigin(mode.include);
        fit.SetForceOrigin(mode.force);
        Add(fit, points);
        ASSERT_TRUE(fit.Calculate());
        const std::vector<double> c = Coefficients(fit);
        if (mode.force) {
            EXPECT_EQ(0.0, c[0]);
        }
        for (int k = mode.force ? 1 : 0; k <= 2; ++k)
            EXPECT_NEAR(mode.reference(k), c[k], 1e-12 * fabs(mode.reference(k))) << mode.include << mode.force;
        EXPECT_NEAR(RSquared(mode.include ? withOrigin : points, mode.reference), fit.GetRSquared(), 1e-13);
    }

    // The origin takes the weight of the nearest point, the first of two
    // equally near: 3 here, not 4.
    const Points pair = {{-0.5, 1.0, 3.0}, {0.5, 3.0, 4.0}};
    CLinearRegression tie;
    tie.SetIncludeOrigin(true);
    Add(tie, pair);
    ASSERT_TRUE(tie.Calculate());
    const Vector first = QrFit({pair[0], pair[1], {0, 0, 3.0}}, 1), second = QrFit({pair[0], pair[1], {0, 0, 4.0}}, 1);
    ASSERT_GT(fabs(first(0) - second(0)), 1e-3);
    EXPECT_NEAR(first(0), Coefficients(tie)[0], 1e-14);
}

TEST(CLinearRegression, SingularSystemsFailAndDropTheFitBeforeThem)
{
    // In the last case the first two points alone fit.
    const struct {
        Points points;
        bool include;
    } singular[] = {
        {{{0, 1, 1}, {0, 2, 1}}, false}, // every abscissa 0
        {{{1, 1, 1}, {1, 2, 1}}, false}, // one abscissa for two unknowns
        {{{2, 2, 0}, {1, 1, 0}}, true},  // the origin alone
        {{{5, 5, 1}, {6, 7, 1}, {NAN, 2, 1}}, false},
    };
    for (const auto &s : singular) {
        SCOPED_TRACE(&s - singular);
        CLinearRegression fit;
        fit.SetIncludeOrigin(s.include);
        Add(fit, Points(s.points.begin(), s.points.end() - 1));
        fit.Calculate();
        Add(fit, {s.points.back()});
        EXPECT_FALSE(fit.Calculate());
        EXPECT_EQ((std::vector<double>{0, 0}), Coefficients(fit));
        EXPECT_EQ(0.0, fit.GetRSquared());
    }
}

TEST(CLinearRegression, HighestOrderHasRoomForItsConstantTerm)
{
    // 100 and 99 unknowns through 100 points: a nearly singular system,
    // solved, and never more than order+1 values read out.
    for (bool force : {false, true}) {
        CLinearRegression fit;
        fit.SetPolynomialOrder(120);
        fit.SetForceOrigin(force);
        for (int i = 0; i < 100; ++i) {
            const double x = cos(M_PI * (i + 0.5) / 100);
            fit.AddRegressionPoint(x, 1.0 + x, 1.0, false);
        }
        EXPECT_TRUE(fit.Calculate()) << force;
        std::vector<double> out(101, -7.0);
        EXPECT_EQ(99, fit.GetPolynomial(out.data()));
        EXPECT_EQ(-7.0, out[100]);
        EXPECT_GT(fit.GetRSquared(), 0.9) << force;
        if (force) {
            EXPECT_EQ(0.0, out[0]);
        }
    }
}

TEST(CLinearRegression, CopiesAreIndependent)
{
    CLinearRegression source;
    source.SetPolynomialOrder(2);
    source.SetIncludeOrigin(true);
    Add(source, {{1, 2, 1}, {2, 5, 1}, {3, 11, 1}, {4, 17, 2}});
    ASSERT_TRUE(source.Calculate());
    const std::vector<double> fitted = Coefficients(source);
    const double r2 = source.GetRSquared();
    CLinearRegression copy(source), assigned;
    assigned.AddRegressionPoint(1, 1, 1, false);
    assigned = source;
    assigned = assigned;
    source.SetPolynomialOrder(1);
    source.SetForceOrigin(true);
    EXPECT_EQ(5, source.AddRegressionPoint(0, 0, 1, false));
    for (CLinearRegression *c : {&copy, &assigned}) {
        EXPECT_EQ(fitted, Coefficients(*c));
        EXPECT_EQ(r2, c->GetRSquared());
        EXPECT_TRUE(c->GetIncludeOrigin() && !c->GetForceOrigin());
        EXPECT_EQ(5, c->AddRegressionPoint(5, 20, 1, false)); // the points came along, not the source's fifth
        ASSERT_TRUE(c->Calculate());
        EXPECT_NE(fitted, Coefficients(*c));
    }
    EXPECT_EQ(Coefficients(copy), Coefficients(assigned));
}

TEST(CLinearRegression, EveryFailedAllocationLeavesAUsableObject)
{
    // Each allocation in turn failing: a fit either succeeds with the right
    // result or leaves zeros and r^2 0, a copy is whole or reads as new, and
    // nothing stays allocated once the objects are gone.
    const Points points = {{1, 2, 1}, {2, 5, 1}, {3, 11, 1}, {4, 17, 2}, {5, 26, 1}};
    CLinearRegression reference;
    reference.SetPolynomialOrder(2);
    Add(reference, points);
    ASSERT_TRUE(reference.Calculate());
    const size_t before = HeapInUse();
    for (long nth = 1;; ++nth) {
        SCOPED_TRACE(testing::Message() << "failing call " << nth);
        long failures;
        {
            KrutilTestControl(KRTEST_MEM_FAIL_AT, nth);
            CLinearRegression fit;
            fit.SetPolynomialOrder(2);
            int held = 0;
            for (const Point &p : points)
                held = fit.AddRegressionPoint(p.x, p.y, p.w, false);
            const bool fitted = fit.Calculate();
            const CLinearRegression copy(fit);
            CLinearRegression assigned;
            assigned = fit;
            failures = static_cast<long>(KrutilTestControl(KRTEST_MEM_FAILURES, 0));
            KrutilTestControl(KRTEST_MEM_FAIL_AT, 0);

            const std::vector<double> c = Coefficients(fit);
            if (fitted && held == 5) {
                EXPECT_EQ(Coefficients(reference), c);
                EXPECT_EQ(reference.GetRSquared(), fit.GetRSquared());
            } else if (!fitted) {
                EXPECT_EQ(std::vector<double>(c.size(), 0.0), c);
                EXPECT_EQ(0.0, fit.GetRSquared());
            }
            const std::vector<double> asNew = {0.0, 0.0};
            for (const CLinearRegression *other : {&copy, static_cast<const CLinearRegression *>(&assigned)}) {
                const bool whole = other->GetPolynomialOrder() == fit.GetPolynomialOrder();
                EXPECT_EQ(whole ? c : asNew, Coefficients(*other));
            }
            // Usable afterwards: every point that was taken is fitted.
            EXPECT_EQ(held + 1, fit.AddRegressionPoint(6, 37, 1, true));
            if (held == 5) {
                EXPECT_TRUE(fit.Calculate());
                EXPECT_EQ(Coefficients(reference), Coefficients(fit));
            }
        }
        EXPECT_EQ(before, HeapInUse());
        if (failures == 0) {
            EXPECT_GT(nth, 10);
            break;
        }
    }

    // With every allocation failing, the object reads as new and does nothing.
    KrutilTestControl(KRTEST_MEM_FAIL_FROM, 1);
    {
        CLinearRegression fit;
        fit.SetPolynomialOrder(3);
        EXPECT_EQ(0, fit.AddRegressionPoint(1, 1, 1, false));
        EXPECT_FALSE(fit.Calculate());
        const CLinearRegression copy(fit);
        double out[3] = {5, 5, 5};
        EXPECT_EQ(1, copy.GetPolynomial(out));
        EXPECT_EQ((std::vector<double>{0, 0, 5}), std::vector<double>(out, out + 3));
    }
    KrutilTestControl(KRTEST_MEM_FAIL_FROM, 0);
    EXPECT_EQ(before, HeapInUse());
}

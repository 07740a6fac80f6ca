// Calibration covariances, lock masses and regression through the DLL:
// hand-worked cases, and the lock masses and higher-order fits against Eigen.
#include <gtest/gtest.h>

#include <math.h>

#include <Eigen/Dense>
#include <algorithm>
#include <memory>
#include <vector>

#include "krnumerics.h"
#include "support/alloc_sweep.h"

using Matrix = Eigen::MatrixXd;
using Vector = Eigen::VectorXd;
using Doubles = std::vector<double>;

namespace {

Doubles Pack(const Matrix &m)
{
    Doubles packed;
    for (int i = 0; i < m.rows(); ++i)
        for (int j = 0; j <= i; ++j)
            packed.push_back(m(i, j));
    return packed;
}

// The largest difference, relative to the reference's largest entry.
double Difference(const Doubles &actual, const Matrix &reference)
{
    const Doubles packed = Pack(reference);
    const Vector difference = Vector::Map(actual.data(), actual.size()) - Vector::Map(packed.data(), packed.size());
    return difference.cwiseAbs().maxCoeff() / reference.cwiseAbs().maxCoeff();
}

Vector Powers(double x, int order) // (1, x, ..., x^order)
{
    return Vector::LinSpaced(order + 1, 0, order).unaryExpr([x](double k) { return pow(x, k); });
}

Matrix RandomCovariance(int n, unsigned seed)
{
    srand(seed);
    const Matrix a = Matrix::Random(n, n), scale = Vector::LinSpaced(n, 1, n).cwiseInverse().asDiagonal();
    return scale * (a * a.transpose() + Matrix::Identity(n, n) * 0.5) * scale;
}

Doubles Covariances(const CCalCovar &model)
{
    Doubles packed(static_cast<size_t>((model.order + 1) * (model.order + 2) / 2));
    EXPECT_TRUE(model.GetCovariances(packed.data(), static_cast<int>(packed.size())));
    return packed;
}

// The refitted gain (and offset) are linear in the held coefficients,
// c' = J c + noise, so C' = J C J' + the lock masses' inverse normal matrix.
Matrix Refitted(const Matrix &c, const Doubles &masses, const float *sigmas, bool rootMass, bool offset)
{
    const int n = static_cast<int>(c.rows()), p = static_cast<int>(masses.size());
    const int first = offset ? 0 : 1, count = offset ? 2 : 1;
    Matrix all(p, n);
    Vector w(p);
    for (int i = 0; i < p; ++i) {
        all.row(i) = Powers(rootMass ? sqrt(masses[i]) : masses[i], n - 1).transpose();
        w(i) = (rootMass ? 4.0 * masses[i] : 1.0) / (double(sigmas[i]) * sigmas[i]);
    }
    const Matrix low = all.middleCols(first, count);
    const Matrix normalInverse = (low.transpose() * w.asDiagonal() * low).inverse();
    Matrix j = Matrix::Identity(n, n);
    j.middleRows(first, count) = -normalInverse * low.transpose() * w.asDiagonal() * all;
    j.block(first, first, count, count).setZero();
    Matrix updated = j * c * j.transpose();
    updated.block(first, first, count, count) += normalInverse;
    return updated;
}

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

Doubles Coefficients(const CLinearRegression &fit)
{
    Doubles c(static_cast<size_t>(fit.GetNumCoefficients()));
    EXPECT_EQ(fit.GetPolynomialOrder(), fit.GetPolynomial(c.data()));
    return c;
}

} // namespace

TEST(CCalCovar, WorkedVariancesCopiesEmptyModelsAndTheTextForm)
{
    const double unit[] = {1, 0, 1}, negative[] = {-1.0}, packed[] = {1, 2, 3, 4, 5, 6}, signs[] = {1.5, -2.25e-7, 3};
    const CCalCovar root(true, unit, 1, 1.0), empty(false, nullptr, -1, 1.0);
    EXPECT_DOUBLE_EQ(80.0, root.GetVariance(4.0)); // 4 (1 + 4) 4
    EXPECT_TRUE(root.GetVariance(-4.0) == 0.0 && CCalCovar(false, negative, 0, 1.0).GetVariance(10.0) == 0.0);
    // 1 + m^2: tables of zero width, of coinciding points or of infinite width are not used.
    const double degenerate[][3] = {{200, 200, 200}, {1e6, nextafter(1e6, 2e6), 1e6}, {-INFINITY, INFINITY, 2}};
    for (const auto &d : degenerate) {
        CCalCovar table(false, unit, 1, 1.0);
        EXPECT_TRUE(table.MakeLookupTable(d[0], d[1]) && table.GetVariance(d[2]) == 1 + d[2] * d[2]) << d[0];
    }
    CCalCovar model(true, packed, 2, 2.0), assigned(false, nullptr, 3, 1.0);
    double out[6] = {};
    EXPECT_FALSE(model.GetCovariances(out, 5) || model.GetCovariances(nullptr, 6) || out[0] != 0.0);
    ASSERT_TRUE(model.MakeLookupTable(100, 400));
    const CCalCovar copy(model), emptyCopy(empty);
    assigned = model;
    for (const CCalCovar *c : {&copy, static_cast<const CCalCovar *>(&assigned)}) {
        EXPECT_TRUE(c->tableValid && c->tableLow == 100.0 && c->GetUseRootMass());
        EXPECT_EQ((Doubles{2, 4, 6, 8, 10, 12}), Covariances(*c));
    }
    char text[100] = "x", again[100];
    EXPECT_TRUE(emptyCopy.order == -1 && empty.GetVariance(5.0) == 0.0 && empty.GetCovariances(out, 0));
    EXPECT_STREQ("", empty.Format(text, 1));
    EXPECT_EQ(-1, CCalCovar(nullptr, nullptr, 3, false, false, 1.0).order);

    // Text: the order is the number of ";"; exactly its values must follow.
    const CCalCovar small(false, signs, 1, 1.0);
    const char form[] = "+1.500000000000000e+000;-2.250000000000000e-007,+3.000000000000000e+000";
    EXPECT_EQ(nullptr, small.Format(text, sizeof form - 1)); // no room for the null
    ASSERT_EQ(text, small.Format(text, sizeof form));
    EXPECT_STREQ(form, text);
    EXPECT_STREQ(text, CCalCovar(false, text).Format(again, sizeof again));
    EXPECT_TRUE(small.Format(nullptr, 100) == nullptr && small.Format(text, 0) == nullptr);
    CCalCovar parsed(false, "1;2,3");
    EXPECT_EQ((Doubles{1, 2, 3}), Covariances(parsed));
    for (const char *refused : {"1;2", "1,2", "1;2,3,4", "1e999;2,3", static_cast<const char *>(nullptr)})
        EXPECT_TRUE(!parsed.SetCovariances(refused) && parsed.order == -1) << refused;
    EXPECT_TRUE(parsed.SetCovariances(",7;,8,,9,") && parsed.order == 1);
}

TEST(CCalCovar, LookupTableIsACubicSplineThroughTheVariances)
{
    // A quadratic variance: away from the ends (where the natural spline's
    // zero curvature bends it) the spline is the parabola, to rounding; at
    // the knots it is exact. A valid table stays, whatever the bounds.
    const double packed[] = {1e-6, 2e-9, 3e-12};
    auto variance = [](double m) { return 1e-6 + 4e-9 * m + 3e-12 * m * m; };
    CCalCovar model(false, packed, 1, 1.0);
    ASSERT_TRUE(model.MakeLookupTable(900.0, 100.0) && model.MakeLookupTable(0, 50));
    EXPECT_TRUE(model.tableLow == 100.0 && model.tableHigh == 900.0);
    for (double mass : {99.9, 100.0, 100.0 + 800.0 / 127 * 40, 412.7, 500.3, 655.5, 900.0, 900.001})
        EXPECT_NEAR(variance(mass), model.GetVariance(mass), variance(mass) * 1e-12) << mass;
    EXPECT_GT(fabs(variance(101.3) - model.GetVariance(101.3)), variance(101.3) * 1e-9); // the natural end
}

TEST(CovarianceFunctions, DecompositionsSigmasAndTheTwoSigmaBand)
{
    // w = (1, -1, 4, 8): -1 counts for nothing, so V's first column alone sets the P0, P1 part;
    // P2 = 1.5 x^2 - 0.5 and P3 = 2.5 x^3 - 1.5 x spread their 1/16 and 1/64 over the powers.
    const double rows[4][5] = {{0, 0.6, -0.8, 0, 0}, {0, 0.8, 0.6, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}};
    const double *fromOne[] = {nullptr, rows[0], rows[1], rows[2], rows[3]}, w[] = {-99, 1, -1, 4, 8};
    const double *fromZero[] = {rows[0] + 1, rows[1] + 1, rows[2] + 1, rows[3] + 1};
    const Doubles expected = {0.36 + 0.25 / 16, 0.48, 0.64 + 2.25 / 64, -0.75 / 16, 0, 2.25 / 16, 0, -3.75 / 64, 0,
                              6.25 / 64};
    const CCalCovar model(fromZero, w + 1, 4, false, false, 2.0);
    ASSERT_EQ(3, model.order);
    double plain[2][10];
    EXPECT_EQ(0, MakeCovariances(fromOne, w, 4, 5.0, plain[0], 10));
    EXPECT_EQ(0, MakeCovariances0(fromZero, w + 1, 4, -1.0, plain[1], 10));
    EXPECT_EQ(1, MakeCovariances(fromOne, w, 4, 0, plain[0], 9));
    for (int k = 0; k < 10; ++k) {
        EXPECT_DOUBLE_EQ(2 * expected[k], Covariances(model)[k]) << k;
        EXPECT_TRUE(plain[0][k] == plain[1][k] && fabs(plain[0][k] - expected[k]) < 1e-15) << k;
    }

    // Order 0 in root mass: c becomes 4 m c. The band's masses accumulate in
    // single precision: from 0.1 by 0.1f the thousandth is 99.99905.
    const double c = 2.5e-9;
    const float mass = 100.0f;
    float sigma = 0.01f;
    EXPECT_TRUE(CalibrateSigmas(&c, 0, 50.0f, 1000.0f, &mass, &sigma, 0) == 0 && sigma == 0.01f);
    EXPECT_EQ(0, CalibrateSigmas(&c, 0, 50.0f, 1000.0f, &mass, &sigma, 1));
    EXPECT_NEAR(sqrt(0.01f * 0.01f + 400.0 * c), sigma, 1e-7 * sigma);
    EXPECT_EQ(1, CalibrateSigmas(&c, 0, 0, 1, nullptr, &sigma, 1));
    std::vector<float> out(1001, -1.0f);
    GetVariances(0, &c, 0, 0.1f, 0.1f, 1000, out.data());
    float at = 0.1f;
    for (int i = 0; i < 1000; ++i, at += 0.1f)
        ASSERT_NEAR(2 * sqrt(4 * at * c), out[i], 1e-7 * out[i]) << i;
    EXPECT_EQ(-1.0f, out[1000]);
    GetVariances(0, &c, 0, 100.0f, 100.0f, 3, nullptr);
}

TEST(LockMass, UpdatesAgainstTheJacobianRoute)
{
    // One lock mass with the offset asked for has no determinant: the gain
    // alone is refitted, as by the single update (or its fallback).
    const float sigmas[] = {0.01f, 0.02f, 0.015f};
    const struct {
        Doubles masses;
        bool correctOffset, referenceOffset;
    } cases[] = {{{1.5, 2.5, 3.1}, true, true}, {{1.2, 2.7}, true, true}, {{1.5, 2.5}, false, false},
                 {{4.0}, true, false},          {{2.1}, false, false}};
    for (const auto &t : cases) {
        for (int n = 2; n <= 6; ++n) {
            for (const Matrix &c : {RandomCovariance(n, 40 + n), Matrix(Matrix::Zero(n, n))}) {
                for (bool rootMass : {false, true}) {
                    SCOPED_TRACE(testing::Message() << t.masses.size() << " masses, order " << n - 1 << ", root mass "
                                                    << rootMass << ", prior " << c(0, 0));
                    const int count = static_cast<int>(t.masses.size());
                    const Doubles packed = Pack(c);
                    CCalCovar model(rootMass, packed.data(), n - 1, 1.0), single(model);
                    ASSERT_TRUE(model.MakeLookupTable(1, 5));
                    Doubles out(packed.size());
                    EXPECT_TRUE(model.UpdateForLockMasses(t.masses.data(), sigmas, count, t.correctOffset, out.data(),
                                                          static_cast<int>(out.size())));
                    EXPECT_TRUE(!model.tableValid && out == Covariances(model));
                    const Matrix expected = Refitted(c, t.masses, sigmas, rootMass, t.referenceOffset);
                    EXPECT_LT(Difference(out, expected), 1e-8);
                    if (count == 1 && !t.correctOffset) {
                        EXPECT_TRUE(single.UpdateForLockMass(t.masses[0], sigmas[0], 123.0, nullptr, 0));
                        EXPECT_LT(Difference(Covariances(single), expected), 1e-8);
                    }
                }
            }
        }
    }
    // Refused: 7 coefficients, order 0, mass or sigma 0, no lock masses; no usable point changes nothing.
    const Doubles big = Pack(RandomCovariance(7, 1)), masses = {0.0, -2.0, 2.0};
    CCalCovar model(false, big.data(), 6, 1.0), low(false, big.data(), 0, 1.0), three(false, big.data(), 2, 1.0);
    const float unusable[] = {0.01f, 0.01f, 0.0f};
    double out[6];
    EXPECT_FALSE(model.UpdateForLockMasses(masses.data(), sigmas, 3, true, nullptr, 0) ||
                 low.UpdateForLockMass(2.0, 0.01, 0, nullptr, 0) || three.UpdateForLockMass(0.0, 0.01, 0, nullptr, 0) ||
                 three.UpdateForLockMass(2.0, 0.0, 0, nullptr, 0) ||
                 three.UpdateForLockMasses(masses.data(), sigmas, 0, true, nullptr, 0) ||
                 three.UpdateForLockMasses(nullptr, sigmas, 3, true, nullptr, 0) ||
                 three.UpdateForLockMasses(masses.data(), nullptr, 3, true, nullptr, 0));
    EXPECT_TRUE(three.MakeLookupTable(1, 3) && three.UpdateForLockMasses(masses.data(), unusable, 3, false, out, 6));
    EXPECT_TRUE(three.tableValid && Covariances(model) == big &&
                Covariances(three) == Doubles(big.begin(), big.begin() + 6));
    EXPECT_FALSE(three.UpdateForLockMass(2.0, 0.01, 0, out, 5) || three.tableValid); // the copy does not fit
    EXPECT_TRUE(three.UpdateForLockMass(2.0, 0.01, 0, out, 6) &&
                three.UpdateForLockMasses(masses.data(), sigmas, 3, false, nullptr, 0)); // the copy fits; none asked
}

TEST(CLinearRegression, HandWorkedFits)
{
    // y = 49/21 x leaves 2/3 of 56/3. An included origin weighs as the nearest
    // point, the first of equals (1, not 3, when forced). A negative weight
    // counts in r^2 alone; r^2 < 0 gives r 0.
    const Points line = {{1, 3, 1}, {2, 5, 1}, {4, 9, 1}};
    const struct {
        const char *what;
        Points points;
        int order;
        bool include, force;
        Doubles c;
        double r2;
    } cases[] = {
        {"y = 2x + 1", line, 1, false, false, {1, 2}, 1},
        {"through the origin: sum xy / sum x^2", line, 1, false, true, {0, 49 / 21.0}, 27 / 28.0},
        {"the origin alone", {{1, 1, 0}}, 0, true, false, {0}, NAN},
        {"order 0 forced, no points", {}, 0, false, true, {0}, 0},
        {"order 0 forced: 1 - sum w y^2 / sum w (y - mean)^2", {{1, 1, 1}, {2, 3, 1}}, 0, false, true, {0}, -4},
        {"zero, NaN, negative weights, an excluded point",
         {{0.5, 1, 1}, {3, 9, -1}, {1.5, 2.5, 2}, {3, 1, 0}, {2.5, 2, 1}, {3, 1, NAN}, {4, 5.5, 0.5}, {3, 1, 5, true}},
         1, false, false, {49 / 86.0, 44 / 43.0}, 166094 / 364253.0},
        {"the first of two equally near", {{-0.5, 1, 3}, {0.5, 3, 4}}, 1, true, false, {32 / 23.0, 50 / 23.0},
         125 / 253.0},
        {"a nearer point later", {{2, 1, 1}, {1, 2, 3}}, 1, true, false, {3 / 8.0, 7 / 8.0}, 7 / 16.0},
        {"forced and included", {{1, 2, 1}, {3, 5, 2}, {-1, 1, 3}, {2, 2, 1}}, 2, true, true,
         {0, -87 / 566.0, 349 / 566.0}, 50517 / 56317.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CLinearRegression fit;
        Prepare(fit, c.points, c.order, c.include, c.force);
        ASSERT_TRUE(fit.Calculate());
        const Doubles got = Coefficients(fit);
        EXPECT_EQ(c.include, fit.GetIncludeOrigin());
        for (int k = 0; k <= c.order; ++k)
            EXPECT_NEAR(c.c[k], got[k], 1e-12 * fabs(c.c[k]) + 1e-14) << k;
        EXPECT_TRUE(isnan(c.r2) ? isnan(fit.GetRSquared()) : fabs(c.r2 - fit.GetRSquared()) < 1e-13 * (1 + fabs(c.r2)))
            << fit.GetRSquared();
        EXPECT_NEAR(c.r2 > 0 ? sqrt(c.r2) : 0.0, fit.GetR(), 1e-14);
        // The plain functions give the class's results, through a copy.
        KRLINEARREGRESSION *plain = LinearRegressionCreate();
        LinearRegressionSetOrder(plain, c.order);
        LinearRegressionSetOriginRules(plain, c.include, c.force);
        for (const Point &p : c.points)
            LinearRegressionAddPoint(plain, p.x, p.y, p.w, p.excluded);
        KRLINEARREGRESSION *copy = LinearRegressionCopy(plain);
        LinearRegressionFree(plain);
        EXPECT_EQ(1, LinearRegressionCalculate(copy));
        Doubles viaPlain(c.order + 1);
        EXPECT_EQ(c.order, LinearRegressionGetCoefficients(copy, viaPlain.data()));
        EXPECT_EQ(got, viaPlain);
        EXPECT_EQ(std::to_string(fit.GetRSquared()) + " " + std::to_string(fit.GetR()),
                  std::to_string(LinearRegressionGetRSquared(copy)) + " " + std::to_string(LinearRegressionGetR(copy)));
        LinearRegressionFree(copy);
    }
    // A null handle: nothing done, the defaults read.
    LinearRegressionSetOrder(nullptr, 3);
    EXPECT_EQ("1 0 0 0 1", std::to_string(LinearRegressionGetOrder(nullptr)) + " " +
                               std::to_string(LinearRegressionCalculate(nullptr)) + " " +
                               std::to_string(LinearRegressionAddPoint(nullptr, 1, 1, 1, 0)) + " " +
                               std::to_string(!!LinearRegressionCopy(nullptr)) + " " +
                               std::to_string(LinearRegressionGetCoefficients(nullptr, nullptr)));
}

TEST(CLinearRegression, HigherOrdersAgreeWithEigenQr)
{
    srand(11);
    for (int order = 3; order <= 7; ++order)
        for (int force : {0, 1}) {
            Points points;
            for (int i = 0; i < 30; ++i)
                points.push_back({i / 15.0 - 1, sin(3.0 * i / 15) + rand() % 9 / 10.0, 0.5 + rand() % 4});
            CLinearRegression fit;
            Prepare(fit, points, order, false, force);
            ASSERT_TRUE(fit.Calculate());
            Matrix a(points.size(), order + 1 - force); // rows scaled by the root of their weight
            Vector b(points.size()), reference = Vector::Zero(order + 1);
            for (size_t i = 0; i < points.size(); ++i) {
                a.row(i) = Powers(points[i].x, order).tail(order + 1 - force) * sqrt(points[i].w);
                b(i) = points[i].y * sqrt(points[i].w);
            }
            reference.tail(order + 1 - force) = a.colPivHouseholderQr().solve(b);
            const Doubles got = Coefficients(fit);
            EXPECT_LT((Vector::Map(got.data(), order + 1) - reference).cwiseAbs().maxCoeff(), 1e-9 * reference.norm())
                << "order " << order << (force ? " forced" : "");
        }
}

TEST(CLinearRegression, NewObjectsOrdersAndSingularSystems)
{
    // A new object reads as a zero line, and orders clamp to 0..99.
    CLinearRegression fresh;
    double line[3] = {7, 7, 7};
    EXPECT_TRUE(fresh.GetPolynomial(nullptr) == 1 && fresh.GetPolynomial(line) == 1 && line[0] == 0 && line[1] == 0);
    EXPECT_FALSE(line[2] != 7 || fresh.GetRSquared() || fresh.GetIncludeOrigin() || fresh.GetForceOrigin() ||
                 fresh.Calculate());
    for (int asked : {-5, 99, 250}) {
        fresh.SetPolynomialOrder(asked);
        EXPECT_EQ(asked < 0 ? 1 : asked > 99 ? 100 : asked + 1, fresh.GetNumCoefficients()) << asked;
    }
    // A failed fit drops the one before; 100 unknowns, nearly singular, fit.
    const Points singular[] = {{{0, 1, 1}, {0, 2, 1}}, {{2, 2, 0}, {1, 1, 0}}, {{5, 5, 1}, {6, 7, 1}, {NAN, 2, 1}}};
    for (const Points &s : singular) {
        CLinearRegression fit;
        Prepare(fit, Points(s.begin(), s.end() - 1), 1, s[0].w == 0); // the origin alone, included
        fit.Calculate();
        fit.AddRegressionPoint(s.back().x, s.back().y, s.back().w, false);
        EXPECT_FALSE(fit.Calculate()) << &s - singular;
        EXPECT_TRUE(Coefficients(fit) == Doubles(2, 0.0) && fit.GetRSquared() == 0.0) << &s - singular;
    }
    Points chebyshev;
    for (int i = 0; i < 100; ++i)
        chebyshev.push_back({cos(M_PI * (i + 0.5) / 100), 1.0 + cos(M_PI * (i + 0.5) / 100), 1.0});
    for (bool force : {false, true}) {
        CLinearRegression fit;
        Prepare(fit, chebyshev, 120, false, force);
        Doubles out(101, -7.0);
        EXPECT_TRUE(fit.Calculate() && fit.GetPolynomial(out.data()) == 99 && out[100] == -7.0) << force;
        EXPECT_TRUE(fit.GetRSquared() > 0.9 && (!force || out[0] == 0.0)) << force;
    }
}

TEST(Numerics, EachFailedAllocationLeavesUsableObjectsAndFreesWhatItTook)
{
    // The nth allocation failing, alone or with every later one: a model is
    // empty or whole (a temporary one empty, the sigma then as it was), a fit
    // right or zeros, an assignment whole or not made; nothing leaks.
    const double rows[3][3] = {{1, 0, 0}, {0, 0.6, 0.8}, {0, -0.8, 0.6}}, w[] = {1, 2, 3}, c = 1.0;
    const double *v[] = {rows[0], rows[1], rows[2]};
    const float mass = 150.0f;
    const Points points = {{1, 2, 1}, {2, 5, 1}, {3, 11, 1}, {4, 17, 2}, {5, 26, 1}};
    CLinearRegression reference;
    Prepare(reference, points, 2, true);
    ASSERT_TRUE(reference.Calculate());
    std::unique_ptr<CCalCovar> model;
    std::unique_ptr<CLinearRegression> fit, assigned;
    bool parsed = false, tabled = false, fitted = false;
    int held = 0, assignedOrder = 0, order = 0, result = 0;
    float sigma = 0.0f;
    size_t before = 0;
    auto work = [&] {
        before = krtest::BusyHeapBytes();
        model.reset(new CCalCovar(v, w, 3, false, true, 1.0));
        parsed = model->SetCovariances("1;0,1;0,0,1");
        tabled = model->MakeLookupTable(100, 200);
        sigma = 0.5f;
        result = CalibrateSigmas(&c, 0, 100, 200, &mass, &sigma, 1);
        fit.reset(new CLinearRegression);
        assigned.reset(new CLinearRegression);
        assigned->SetPolynomialOrder(3);
        assignedOrder = assigned->GetPolynomialOrder();
        Prepare(*fit, {}, 2, true);
        for (const Point &p : points)
            held = fit->AddRegressionPoint(p.x, p.y, p.w, false);
        fitted = fit->Calculate();
        *assigned = *fit;
        *assigned = *assigned;
    };
    auto check = [&](long, bool failed) {
        EXPECT_TRUE(model->order == (parsed ? 2 : -1) && model->tableValid == tabled) << parsed << tabled;
        EXPECT_TRUE(sigma == 0.5f || (result == 0 && fabs(sigma - sqrt(600.25)) < 1e-4)) << sigma;
        EXPECT_TRUE(model->SetCovariances("1;0,1") && model->MakeLookupTable(100, 200)); // still usable
        EXPECT_NEAR(4 * 150.0 * 151.0, model->GetVariance(150.0), 1.0);
        {
            const Doubles got = Coefficients(*fit), zeros(got.size(), 0.0);
            EXPECT_EQ(got, Coefficients(CLinearRegression(*fit))); // also of a fit left without its state
            EXPECT_TRUE(fitted ? held < 5 || got == Coefficients(reference) : got == zeros && !fit->GetRSquared());
            EXPECT_EQ(held + 1, fit->AddRegressionPoint(6, 37, 1, true));
            EXPECT_TRUE(held < 5 || (fit->Calculate() && Coefficients(*fit) == Coefficients(reference)));
            fit->SetPolynomialOrder(1);
            order = assigned->GetPolynomialOrder();
            EXPECT_TRUE(order == 2 || order == assignedOrder) << order;
            EXPECT_EQ(order == 2 ? got : Doubles(order + 1, 0.0), Coefficients(*assigned));
        }
        model.reset();
        fit.reset();
        assigned.reset();
        EXPECT_EQ(before, krtest::BusyHeapBytes());
        EXPECT_TRUE(failed || (parsed && tabled && sigma != 0.5f && fitted && held == 5 && order == 2));
    };
    for (bool onwards : {false, true})
        krtest::SweepAllocations(work, check, onwards);
}

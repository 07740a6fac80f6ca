// CCalCovar, its plain functions and its lock-mass updates through the DLL,
// against worked cases and independent references computed with Eigen.
#include <gtest/gtest.h>

#include <math.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "krnumerics.h"
#include "reference.h"
#include "support/alloc_sweep.h"

using krtest::Matrix;
using krtest::Vector;

namespace {

std::vector<double> Covariances(const CCalCovar &model)
{
    std::vector<double> packed(static_cast<size_t>((model.order + 1) * (model.order + 2) / 2));
    EXPECT_TRUE(model.GetCovariances(packed.data(), static_cast<int>(packed.size())));
    return packed;
}

// The natural cubic spline through (x, y) at `at`, from a dense solve.
double NaturalSplineAt(const std::vector<double> &x, const std::vector<double> &y, double at)
{
    const int n = static_cast<int>(x.size());
    Matrix system = Matrix::Identity(n, n);
    Vector rhs = Vector::Zero(n);
    for (int i = 1; i < n - 1; ++i) {
        const double hl = x[i] - x[i - 1], hr = x[i + 1] - x[i];
        system.row(i).segment(i - 1, 3) << hl, 2.0 * (hl + hr), hr;
        rhs(i) = 6.0 * ((y[i + 1] - y[i]) / hr - (y[i] - y[i - 1]) / hl);
    }
    const Vector m = system.partialPivLu().solve(rhs);
    const int k = std::min<int>(std::upper_bound(x.begin(), x.end(), at) - x.begin(), n - 1) - 1;
    const double h = x[k + 1] - x[k], a = (x[k + 1] - at) / h, b = (at - x[k]) / h;
    return a * y[k] + b * y[k + 1] + ((a * a * a - a) * m(k) + (b * b * b - b) * m(k + 1)) * h * h / 6.0;
}

// The refitted gain (and offset) are linear in the held coefficients,
// c' = J c + noise, so C' = J C J' + the lock masses' inverse normal matrix.
Matrix RefitReference(const Matrix &c, const std::vector<double> &masses, const float *sigmas, bool rootMass,
                      bool offset)
{
    const int n = static_cast<int>(c.rows()), p = static_cast<int>(masses.size());
    const int first = offset ? 0 : 1, count = offset ? 2 : 1;
    Matrix all(p, n);
    Vector w(p);
    for (int i = 0; i < p; ++i) {
        all.row(i) = krtest::Powers(rootMass ? sqrt(masses[i]) : masses[i], n - 1).transpose();
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

} // namespace

TEST(CCalCovar, WorkedVariancesCopiesAndEmptyModels)
{
    // Scaled on the way in, copied out only whole; copies take the table.
    const double identity[] = {1, 0, 1}, negative[] = {-1.0}, packed[] = {1, 2, 3, 4, 5, 6};
    const CCalCovar direct(false, identity, 1, 1.0), root(true, identity, 1, 1.0), empty(false, nullptr, -1, 1.0);
    EXPECT_DOUBLE_EQ(5.0, direct.GetVariance(2.0));
    EXPECT_DOUBLE_EQ(80.0, root.GetVariance(4.0)); // 4 (1 + 4) 4
    EXPECT_TRUE(root.GetVariance(-4.0) == 0.0 && CCalCovar(false, negative, 0, 1.0).GetVariance(10.0) == 0.0);
    CCalCovar model(true, packed, 2, 2.0), assigned(false, nullptr, 3, 1.0);
    double out[6] = {};
    EXPECT_FALSE(model.GetCovariances(out, 5) || model.GetCovariances(nullptr, 6) || out[0] != 0.0);
    ASSERT_TRUE(model.MakeLookupTable(100, 400));
    const CCalCovar copy(model), emptyCopy(empty);
    assigned = model;
    for (const CCalCovar *c : {&copy, static_cast<const CCalCovar *>(&assigned)}) {
        EXPECT_TRUE(c->tableValid && c->tableLow == 100.0 && c->GetUseRootMass());
        EXPECT_EQ((std::vector<double>{2, 4, 6, 8, 10, 12}), Covariances(*c));
    }
    char text[8] = "x";
    EXPECT_TRUE(emptyCopy.order == -1 && empty.GetVariance(5.0) == 0.0 && empty.GetCovariances(out, 0));
    EXPECT_STREQ("", empty.Format(text, sizeof text));
    EXPECT_EQ(-1, CCalCovar(nullptr, nullptr, 3, false, false, 1.0).order);
}

TEST(CCalCovar, TextForm)
{
    // The runtime prints three exponent digits. The order is the number of
    // ";", and exactly its number of values must follow.
    const double packed[] = {1.5, -2.25e-7, 3.0};
    const CCalCovar model(false, packed, 1, 1.0);
    const char form[] = "+1.500000000000000e+000;-2.250000000000000e-007,+3.000000000000000e+000";
    char text[100], again[100];
    EXPECT_EQ(nullptr, model.Format(text, sizeof form - 1)); // no room for the null
    ASSERT_EQ(text, model.Format(text, sizeof form));
    EXPECT_STREQ(form, text);
    EXPECT_STREQ(text, CCalCovar(false, text).Format(again, sizeof again));
    EXPECT_TRUE(model.Format(nullptr, 100) == nullptr && model.Format(text, 0) == nullptr);
    CCalCovar parsed(false, "1;2,3");
    EXPECT_EQ((std::vector<double>{1, 2, 3}), Covariances(parsed));
    for (const char *refused : {"1;2", "1,2", "1;2,3,4", "1e999;2,3", static_cast<const char *>(nullptr)}) {
        EXPECT_FALSE(parsed.SetCovariances(refused)) << refused;
        EXPECT_EQ(-1, parsed.order);
    }
    EXPECT_TRUE(parsed.SetCovariances(",7;,8,,9,") && parsed.order == 1);
}

TEST(CCalCovar, LookupTableIsTheNaturalSplineThroughTheVariances)
{
    // Agreement to a few ulp of the variances; outside the table the matrix
    // answers. A valid table stays, whatever the bounds asked.
    const std::vector<double> packed = krtest::Pack(krtest::RandomCovariance(4, 11) * 1e-6);
    auto variance = [&](double m) {
        const Vector f = krtest::Powers(sqrt(m), 3);
        return f.dot(krtest::Unpack(packed, 4) * f) * 4.0 * m;
    };
    CCalCovar model(true, packed.data(), 3, 1.0);
    ASSERT_TRUE(model.MakeLookupTable(900.0, 100.0) && model.MakeLookupTable(0, 50));
    EXPECT_TRUE(model.tableLow == 100.0 && model.tableHigh == 900.0);
    std::vector<double> x, y;
    for (int i = 0; i < 128; ++i) {
        x.push_back(100.0 + 800.0 * i / 127.0);
        y.push_back(variance(x.back()));
    }
    for (double mass : {100.0, 101.3, 333.3, 512.0, 899.99, 900.0})
        EXPECT_NEAR(NaturalSplineAt(x, y, mass), model.GetVariance(mass), y.back() * 1e-10) << mass;
    EXPECT_NEAR(variance(900.001), model.GetVariance(900.001), y.back() * 1e-13);
}

TEST(CCalCovar, DecompositionInLegendrePolynomialsGivesThePowerBasisCovariance)
{
    // w = (1, -1, 4, 8): the negative value counts for nothing, so V's first
    // column (0.6, 0.8) alone makes the first two Legendre coefficients'
    // covariances; 1/16 and 1/64 are those of P2 = 1.5 x^2 - 0.5 and P3 =
    // 2.5 x^3 - 1.5 x. Arrays from 0 and from 1 give the same, and so do the
    // plain functions, unscaled.
    const double rows[4][5] = {{0, 0.6, -0.8, 0, 0}, {0, 0.8, 0.6, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}};
    const double *fromOne[] = {nullptr, rows[0], rows[1], rows[2], rows[3]}, w[] = {-99, 1, -1, 4, 8};
    const double *fromZero[] = {rows[0] + 1, rows[1] + 1, rows[2] + 1, rows[3] + 1};
    const std::vector<double> expected = {0.36 + 0.25 / 16, 0.48, 0.64 + 2.25 / 64, -0.75 / 16,   0,
                                          2.25 / 16,        0,    -3.75 / 64,       0, 6.25 / 64};
    const CCalCovar model(fromZero, w + 1, 4, false, false, 2.0);
    ASSERT_EQ(3, model.order);
    for (int k = 0; k < 10; ++k)
        EXPECT_DOUBLE_EQ(2 * expected[k], Covariances(model)[k]) << k;
    double plain[2][10];
    EXPECT_EQ(0, MakeCovariances(fromOne, w, 4, 5.0, plain[0], 10));
    EXPECT_EQ(0, MakeCovariances0(fromZero, w + 1, 4, -1.0, plain[1], 10));
    EXPECT_EQ(1, MakeCovariances(fromOne, w, 4, 0, plain[0], 9));
    for (int k = 0; k < 10; ++k)
        EXPECT_TRUE(plain[0][k] == plain[1][k] && fabs(plain[0][k] - expected[k]) < 1e-15) << k;
}

TEST(CovarianceFunctions, SigmasWidenedAndTheTwoSigmaBand)
{
    // Order 0 in root mass: a constant c becomes 4 m c in mass units. The
    // band's masses accumulate in single precision: from 0.1 by 0.1f the
    // thousandth is 99.99905, not 100.
    const double c = 2.5e-9;
    const float mass = 100.0f;
    float sigma = 0.01f;
    EXPECT_TRUE(CalibrateSigmas(&c, 0, 50.0f, 1000.0f, &mass, &sigma, 1) == 0 && CalibrateSigmas(&c, 0, 0, 1, nullptr, &sigma, 1) == 1);
    EXPECT_NEAR(sqrt(0.01f * 0.01f + 400.0 * c), sigma, 1e-7 * sigma);
    for (const float step : {100.0f, 0.1f}) {
        const int count = step > 1 ? 3 : 1000;
        std::vector<float> out(count + 1, -1.0f);
        GetVariances(0, &c, 0, step, step, count, out.data());
        float mass = step;
        for (int i = 0; i < count; ++i, mass += step)
            ASSERT_NEAR(2 * sqrt(4 * mass * c), out[i], 1e-7 * out[i]) << i;
        EXPECT_EQ(-1.0f, out[count]);
    }
    GetVariances(0, &c, 0, 100.0f, 100.0f, 3, nullptr);
}

TEST(CCalCovar, EachFailedAllocationLeavesAUsableObjectAndFreesWhatItTook)
{
    // A temporary model that found no memory is empty: CalibrateSigmas then
    // leaves the sigma as it was.
    const double rows[3][3] = {{1, 0, 0}, {0, 0.6, 0.8}, {0, -0.8, 0.6}}, w[] = {1, 2, 3};
    const double *v[] = {rows[0], rows[1], rows[2]};
    const double c = 1.0;
    const float mass = 150.0f;
    std::unique_ptr<CCalCovar> model;
    bool parsed = false, tabled = false;
    int result = 0;
    float sigma = 0.0f;
    size_t before = 0;
    krtest::SettleHeaps();
    krtest::SweepAllocations(
        [&] {
            before = krtest::BusyHeapBytes();
            model.reset(new CCalCovar(v, w, 3, false, true, 1.0));
            parsed = model->SetCovariances("1;0,1;0,0,1");
            tabled = model->MakeLookupTable(100, 200);
            sigma = 0.5f;
            result = CalibrateSigmas(&c, 0, 100, 200, &mass, &sigma, 1);
        },
        [&](long, bool failed) {
            EXPECT_TRUE(model->order == (parsed ? 2 : -1) && model->tableValid == tabled) << parsed << tabled;
            EXPECT_TRUE(sigma == 0.5f || (result == 0 && fabs(sigma - sqrt(600.25)) < 1e-4)) << sigma;
            EXPECT_TRUE(model->SetCovariances("1;0,1") && model->MakeLookupTable(100, 200)); // still usable
            EXPECT_NEAR(4 * 150.0 * 151.0, model->GetVariance(150.0), 1.0);
            model.reset();
            EXPECT_EQ(before, krtest::BusyHeapBytes());
            EXPECT_TRUE(failed || (parsed && tabled && sigma != 0.5f));
        });
}

TEST(LockMass, UpdatesAgainstTheJacobianRoute)
{
    // Rounding only (1e-8 relative) for lock masses near 2. One lock mass
    // with the offset asked for has no determinant: the gain alone is
    // refitted. One lock mass as an information update gives the gain's
    // refit too, and so does its fallback without prior information.
    const float sigmas[] = {0.01f, 0.02f, 0.015f};
    const struct {
        std::vector<double> masses;
        bool correctOffset, referenceOffset;
    } cases[] = {{{1.5, 2.5, 3.1}, true, true}, {{1.2, 2.7}, true, true}, {{1.5, 2.5}, false, false},
                 {{4.0}, true, false},          {{2.1}, false, false}};
    for (const auto &t : cases) {
        for (int n = 2; n <= 6; ++n) {
            for (const Matrix &c : {krtest::RandomCovariance(n, 40 + n), Matrix(Matrix::Zero(n, n))}) {
                for (bool rootMass : {false, true}) {
                    SCOPED_TRACE(testing::Message() << t.masses.size() << " masses, order " << n - 1 << ", root mass "
                                                    << rootMass << ", prior " << c(0, 0));
                    const int count = static_cast<int>(t.masses.size());
                    const std::vector<double> packed = krtest::Pack(c);
                    CCalCovar model(rootMass, packed.data(), n - 1, 1.0), single(model);
                    ASSERT_TRUE(model.MakeLookupTable(1, 5));
                    std::vector<double> out(packed.size());
                    EXPECT_TRUE(model.UpdateForLockMasses(t.masses.data(), sigmas, count, t.correctOffset, out.data(),
                                                          static_cast<int>(out.size())));
                    EXPECT_TRUE(!model.tableValid && out == Covariances(model));
                    const Matrix expected = RefitReference(c, t.masses, sigmas, rootMass, t.referenceOffset);
                    EXPECT_LT(krtest::RelativeDifference(krtest::Unpack(out, n), expected), 1e-8);
                    if (count == 1 && !t.correctOffset) {
                        EXPECT_TRUE(single.UpdateForLockMass(t.masses[0], sigmas[0], 123.0, nullptr, 0));
                        EXPECT_LT(krtest::RelativeDifference(krtest::Unpack(Covariances(single), n), expected), 1e-8);
                    }
                }
            }
        }
    }

    // Refused, changing nothing: 7 coefficients (beyond the working storage),
    // order 0, a lock mass of 0, no lock mass usable (the table stays).
    const std::vector<double> big = krtest::Pack(krtest::RandomCovariance(7, 1)), masses = {0.0, -2.0, 2.0};
    CCalCovar model(false, big.data(), 6, 1.0), low(false, big.data(), 0, 1.0), three(false, big.data(), 2, 1.0);
    const float unusable[] = {0.01f, 0.01f, 0.0f};
    double out[6];
    EXPECT_FALSE(model.UpdateForLockMasses(masses.data(), sigmas, 3, true, nullptr, 0) ||
                 low.UpdateForLockMass(2.0, 0.01, 0, nullptr, 0) || three.UpdateForLockMass(0.0, 0.01, 0, nullptr, 0));
    EXPECT_TRUE(three.MakeLookupTable(1, 3) && three.UpdateForLockMasses(masses.data(), unusable, 3, false, out, 6));
    EXPECT_TRUE(three.tableValid && Covariances(model) == big &&
                Covariances(three) == std::vector<double>(big.begin(), big.begin() + 6));
    EXPECT_FALSE(three.UpdateForLockMass(2.0, 0.01, 0, out, 5) || three.tableValid); // the copy does not fit
}

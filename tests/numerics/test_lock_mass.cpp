// Lock-mass updates of CCalCovar, against the covariance of the corrected
// calibration computed independently with Eigen.
#include <gtest/gtest.h>

#include <math.h>

#include <vector>

#include "krnumerics.h"
#include "reference.h"

using krtest::Matrix;
using krtest::Vector;

namespace {

struct LockPoint {
    double mass;
    float sigma;
};

// The point in the polynomial's abscissa and its inverse variance there.
void Abscissa(const LockPoint &p, bool rootMass, double *x, double *w)
{
    *x = rootMass ? sqrt(p.mass) : p.mass;
    *w = rootMass ? 4.0 * p.mass / (double(p.sigma) * p.sigma) : 1.0 / (double(p.sigma) * p.sigma);
}

Matrix After(CCalCovar &model)
{
    const int n = model.order + 1;
    std::vector<double> packed(n * (n + 1) / 2);
    model.GetCovariances(packed.data(), static_cast<int>(packed.size()));
    return krtest::Unpack(packed, n);
}

// Information form: the prior without the linear coefficient, which the
// lock mass re-determines, plus the lock mass's own information.
Matrix SingleLockReference(const Matrix &c, double x, double w)
{
    const int n = static_cast<int>(c.rows());
    std::vector<int> keep;
    for (int i = 0; i < n; ++i)
        if (i != 1)
            keep.push_back(i);
    Matrix reduced(n - 1, n - 1);
    for (int i = 0; i < n - 1; ++i)
        for (int j = 0; j < n - 1; ++j)
            reduced(i, j) = c(keep[i], keep[j]);
    const Matrix reducedInformation = reduced.inverse();
    Matrix information = Matrix::Zero(n, n);
    for (int i = 0; i < n - 1; ++i)
        for (int j = 0; j < n - 1; ++j)
            information(keep[i], keep[j]) = reducedInformation(i, j);
    const Vector f = krtest::Powers(x, n - 1);
    information += w * f * f.transpose();
    return information.inverse();
}

// The re-estimated low coefficients are linear in the held ones:
// c' = J c + noise, so C' = J C J' + the noise's covariance.
Matrix RefitReference(const Matrix &c, const std::vector<LockPoint> &points, bool rootMass, bool offset)
{
    const int n = static_cast<int>(c.rows());
    const int p = static_cast<int>(points.size());
    Matrix low(p, offset ? 2 : 1), all(p, n);
    Vector weight(p);
    for (int i = 0; i < p; ++i) {
        double x, w;
        Abscissa(points[i], rootMass, &x, &w);
        weight(i) = w;
        all.row(i) = krtest::Powers(x, n - 1).transpose();
        low(i, 0) = offset ? 1.0 : x;
        if (offset)
            low(i, 1) = x;
    }
    const Matrix normalInverse = (low.transpose() * weight.asDiagonal() * low).inverse();
    const Matrix fit = normalInverse * low.transpose() * weight.asDiagonal(); // residuals -> low coefficients
    Matrix j = Matrix::Identity(n, n);
    const int first = offset ? 0 : 1, count = offset ? 2 : 1;
    j.block(first, 0, count, n) = -fit * all;
    j.block(first, first, count, count).setZero();
    Matrix updated = j * c * j.transpose();
    updated.block(first, first, count, count) += normalInverse;
    return updated;
}

CCalCovar ModelOf(const Matrix &c, bool rootMass)
{
    const std::vector<double> packed = krtest::Pack(c);
    return CCalCovar(rootMass, packed.data(), static_cast<int>(c.rows()) - 1, 1.0);
}

} // namespace

TEST(LockMass, SingleLockMassIsAnInformationUpdate)
{
    // Abscissas near 2 keep the information matrices of order <= 5 within a
    // condition number of about 1e6: agreement to 1e-8 relative.
    for (bool rootMass : {false, true}) {
        for (int n = 2; n <= 6; ++n) {
            const Matrix c = krtest::RandomCovariance(n, 20 + n);
            const double mass = rootMass ? 4.4 : 2.1, sigma = 0.05;
            CCalCovar model = ModelOf(c, rootMass);
            ASSERT_TRUE(model.MakeLookupTable(1, 5));
            std::vector<double> out(n * (n + 1) / 2);
            EXPECT_TRUE(model.UpdateForLockMass(mass, sigma, 123.0, out.data(), static_cast<int>(out.size())));
            EXPECT_FALSE(model.tableValid);
            double x, w;
            Abscissa({mass, static_cast<float>(sigma)}, rootMass, &x, &w);
            w = rootMass ? 4.0 * mass / (sigma * sigma) : 1.0 / (sigma * sigma);
            const Matrix expected = SingleLockReference(c, x, w);
            EXPECT_LT(krtest::RelativeDifference(After(model), expected), 1e-8) << n << " " << rootMass;
            EXPECT_EQ(krtest::Pack(After(model)), out);
        }
    }
}

TEST(LockMass, WithoutPriorInformationOnlyTheGainIsUncertain)
{
    const double zero[3] = {0, 0, 0};
    CCalCovar single(false, zero, 1, 1.0);
    double out[3];
    EXPECT_TRUE(single.UpdateForLockMass(100.0, 0.01, 0.0, out, 3));
    EXPECT_EQ(0.0, out[0]);
    EXPECT_EQ(0.0, out[1]);
    EXPECT_DOUBLE_EQ(1e-8, out[2]); // sigma^2 / m^2
    CCalCovar several(false, zero, 1, 1.0);
    const double masses[] = {100.0};
    const float sigmas[] = {0.01f};
    EXPECT_TRUE(several.UpdateForLockMasses(masses, sigmas, 1, false, out, 3));
    EXPECT_EQ(0.0, out[0]);
    EXPECT_NEAR(1e-8, out[2], 1e-8 * 1e-7); // the float sigma
    CCalCovar root(true, zero, 1, 1.0);
    EXPECT_TRUE(root.UpdateForLockMass(100.0, 0.01, 0.0, out, 3));
    EXPECT_DOUBLE_EQ(1e-8 / 4.0, out[2]); // sigma^2 / (4 m^2)
}

TEST(LockMass, OffsetAndGainRefit)
{
    // The Jacobian route differs from the code's sums only by rounding:
    // 1e-9 relative for these well-spread lock masses.
    const std::vector<LockPoint> points = {{1.5, 0.01f}, {2.5, 0.02f}, {3.1, 0.015f}};
    std::vector<double> masses;
    std::vector<float> sigmas;
    for (const LockPoint &p : points) {
        masses.push_back(p.mass);
        sigmas.push_back(p.sigma);
    }
    for (bool rootMass : {false, true}) {
        for (int n = 2; n <= 6; ++n) {
            const Matrix c = krtest::RandomCovariance(n, 40 + n);
            CCalCovar model = ModelOf(c, rootMass);
            EXPECT_TRUE(model.UpdateForLockMasses(masses.data(), sigmas.data(), 3, true, nullptr, 0));
            EXPECT_LT(krtest::RelativeDifference(After(model), RefitReference(c, points, rootMass, true)), 1e-9)
                << n << " " << rootMass;
        }
    }
}

TEST(LockMass, TwoLockMassesPinTheCalibrationWhateverTheHigherTerms)
{
    const double masses[] = {1.2, 2.7};
    const float sigmas[] = {0.01f, 0.03f};
    double s0 = 0, s1 = 0, s2 = 0;
    for (int i = 0; i < 2; ++i) {
        const double w = 1.0 / (double(sigmas[i]) * sigmas[i]);
        s0 += w;
        s1 += w * masses[i];
        s2 += w * masses[i] * masses[i];
    }
    const double det = s2 * s0 - s1 * s1;
    // Order 1: exactly the inverse normal matrix.
    CCalCovar line = ModelOf(krtest::RandomCovariance(2, 3), false);
    ASSERT_TRUE(line.UpdateForLockMasses(masses, sigmas, 2, true, nullptr, 0));
    const Matrix block = After(line);
    EXPECT_DOUBLE_EQ(s2 / det, block(0, 0));
    EXPECT_DOUBLE_EQ(-s1 / det, block(0, 1));
    EXPECT_DOUBLE_EQ(s0 / det, block(1, 1));
    // Higher orders: at each lock mass the corrected calibration depends on
    // the lock masses alone, so its variance there is the line's.
    CCalCovar cubic = ModelOf(krtest::RandomCovariance(4, 4), false);
    ASSERT_TRUE(cubic.UpdateForLockMasses(masses, sigmas, 2, true, nullptr, 0));
    for (double x : masses) {
        const double lineVariance = (s2 - 2 * x * s1 + x * x * s0) / det;
        EXPECT_NEAR(lineVariance, cubic.GetVariance(x), lineVariance * 1e-9) << x;
    }
}

TEST(LockMass, GainOnlyRefit)
{
    const std::vector<LockPoint> points = {{1.5, 0.01f}, {2.5, 0.02f}};
    const double masses[] = {1.5, 2.5};
    const float sigmas[] = {0.01f, 0.02f};
    for (bool rootMass : {false, true}) {
        for (int n = 2; n <= 6; ++n) {
            const Matrix c = krtest::RandomCovariance(n, 60 + n);
            CCalCovar model = ModelOf(c, rootMass);
            EXPECT_TRUE(model.UpdateForLockMasses(masses, sigmas, 2, false, nullptr, 0));
            EXPECT_LT(krtest::RelativeDifference(After(model), RefitReference(c, points, rootMass, false)), 1e-9);
        }
    }
}

TEST(LockMass, OneLockMassGivesTheSameMatrixEitherWay)
{
    const Matrix c = krtest::RandomCovariance(4, 77);
    CCalCovar single = ModelOf(c, true), several = ModelOf(c, true);
    const double mass = 4.0;
    const float sigma = 0.0625f; // exact in float and double
    ASSERT_TRUE(single.UpdateForLockMass(mass, sigma, 0, nullptr, 0));
    ASSERT_TRUE(several.UpdateForLockMasses(&mass, &sigma, 1, true, nullptr, 0)); // det 0: gain only
    EXPECT_LT(krtest::RelativeDifference(After(several), After(single)), 1e-9);
}

TEST(LockMass, UnusablePointsAreIgnoredAndRefusalsChangeNothing)
{
    const Matrix c = krtest::RandomCovariance(3, 5);
    CCalCovar model = ModelOf(c, false);
    ASSERT_TRUE(model.MakeLookupTable(1, 3));
    const double masses[] = {0.0, -2.0, 2.0};
    const float sigmas[] = {0.01f, 0.01f, 0.0f};
    double out[6];
    EXPECT_TRUE(model.UpdateForLockMasses(masses, sigmas, 3, true, out, 6));
    EXPECT_TRUE(model.tableValid); // nothing usable: unchanged
    EXPECT_EQ(krtest::Pack(c), krtest::Pack(After(model)));

    EXPECT_FALSE(model.UpdateForLockMasses(nullptr, sigmas, 3, true, out, 6));
    EXPECT_FALSE(model.UpdateForLockMasses(masses, nullptr, 3, true, out, 6));
    EXPECT_FALSE(model.UpdateForLockMasses(masses, sigmas, 0, true, out, 6));
    EXPECT_FALSE(model.UpdateForLockMass(0.0, 0.01, 0, out, 6));
    EXPECT_FALSE(model.UpdateForLockMass(2.0, 0.0, 0, out, 6));
    EXPECT_TRUE(model.tableValid);
    // Updated, but the copy does not fit.
    EXPECT_FALSE(model.UpdateForLockMass(2.0, 0.01, 0, out, 5));
    EXPECT_FALSE(model.tableValid);

    CCalCovar undefined = ModelOf(c, false); // a lock mass that is not a number
    EXPECT_TRUE(undefined.UpdateForLockMass(NAN, 0.01, 0, nullptr, 0));
    EXPECT_EQ(0.0, undefined.GetVariance(2.0));

    const double one[] = {1.0};
    CCalCovar constant(false, one, 0, 1.0);
    EXPECT_FALSE(constant.UpdateForLockMass(2.0, 0.01, 0, nullptr, 0));
    const Matrix big = krtest::RandomCovariance(7, 1); // 7 coefficients: beyond the working storage
    CCalCovar tooBig = ModelOf(big, false);
    EXPECT_FALSE(tooBig.UpdateForLockMass(2.0, 0.01, 0, nullptr, 0));
    EXPECT_FALSE(tooBig.UpdateForLockMasses(masses, sigmas, 3, true, nullptr, 0));
    EXPECT_EQ(krtest::Pack(big), krtest::Pack(After(tooBig)));
}

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

// A lock mass in the polynomial's abscissa x and its inverse variance w there.
void Abscissa(double mass, double sigma, bool rootMass, double *x, double *w)
{
    *x = rootMass ? sqrt(mass) : mass;
    *w = (rootMass ? 4.0 * mass : 1.0) / (sigma * sigma);
}

Matrix After(CCalCovar &model)
{
    const int n = model.order + 1;
    std::vector<double> packed(n * (n + 1) / 2);
    model.GetCovariances(packed.data(), static_cast<int>(packed.size()));
    return krtest::Unpack(packed, n);
}

CCalCovar ModelOf(const Matrix &c, bool rootMass)
{
    const std::vector<double> packed = krtest::Pack(c);
    return CCalCovar(rootMass, packed.data(), static_cast<int>(c.rows()) - 1, 1.0);
}

// Information form: the prior without the linear coefficient, which the
// lock mass re-determines, plus the lock mass's own information.
Matrix SingleLockReference(const Matrix &c, double x, double w)
{
    const int n = static_cast<int>(c.rows());
    Matrix reduced = c;
    reduced.row(1).setZero();
    reduced.col(1).setZero();
    reduced(1, 1) = 1.0; // invertible, then its row and column emptied again
    Matrix information = reduced.inverse();
    information(1, 1) = 0.0;
    const Vector f = krtest::Powers(x, n - 1);
    information += w * f * f.transpose();
    return information.inverse();
}

// The re-estimated low coefficients are linear in the held ones:
// c' = J c + noise, so C' = J C J' + the noise's covariance.
Matrix RefitReference(const Matrix &c, const std::vector<double> &masses, const std::vector<float> &sigmas,
                      bool rootMass, bool offset)
{
    const int n = static_cast<int>(c.rows()), p = static_cast<int>(masses.size());
    Matrix low(p, offset ? 2 : 1), all(p, n);
    Vector weight(p);
    for (int i = 0; i < p; ++i) {
        double x;
        Abscissa(masses[i], sigmas[i], rootMass, &x, &weight(i));
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

} // namespace

TEST(LockMass, SingleLockMassIsAnInformationUpdate)
{
    // Abscissas near 2 keep the information matrices of order <= 5 within a
    // condition number of about 1e6: agreement to 1e-8 relative.
    for (bool rootMass : {false, true}) {
        for (int n = 2; n <= 6; ++n) {
            const Matrix c = krtest::RandomCovariance(n, 20 + n);
            const double mass = rootMass ? 4.4 : 2.1;
            CCalCovar model = ModelOf(c, rootMass);
            ASSERT_TRUE(model.MakeLookupTable(1, 5));
            std::vector<double> out(n * (n + 1) / 2);
            EXPECT_TRUE(model.UpdateForLockMass(mass, 0.05, 123.0, out.data(), static_cast<int>(out.size())));
            EXPECT_FALSE(model.tableValid);
            double x, w;
            Abscissa(mass, 0.05, rootMass, &x, &w);
            EXPECT_LT(krtest::RelativeDifference(After(model), SingleLockReference(c, x, w)), 1e-8)
                << n << " " << rootMass;
            EXPECT_EQ(krtest::Pack(After(model)), out);
        }
    }
}

TEST(LockMass, WithoutPriorInformationOnlyTheGainIsUncertain)
{
    const double zero[3] = {0, 0, 0}, masses[] = {100.0};
    const float sigmas[] = {0.01f};
    double out[3];
    CCalCovar single(false, zero, 1, 1.0), several(false, zero, 1, 1.0), root(true, zero, 1, 1.0);
    EXPECT_TRUE(single.UpdateForLockMass(100.0, 0.01, 0.0, out, 3));
    EXPECT_TRUE(out[0] == 0 && out[1] == 0);
    EXPECT_DOUBLE_EQ(1e-8, out[2]); // sigma^2 / m^2
    EXPECT_TRUE(several.UpdateForLockMasses(masses, sigmas, 1, false, out, 3));
    EXPECT_EQ(0.0, out[0]);
    EXPECT_NEAR(1e-8, out[2], 1e-8 * 1e-7); // the float sigma
    EXPECT_TRUE(root.UpdateForLockMass(100.0, 0.01, 0.0, out, 3));
    EXPECT_DOUBLE_EQ(1e-8 / 4.0, out[2]); // sigma^2 / (4 m^2)
}

TEST(LockMass, RefitsAgainstTheJacobianRoute)
{
    // The Jacobian route differs from the code's sums only by rounding:
    // 1e-9 relative for these well-spread lock masses. Two lock masses pin
    // the offset and gain whatever the higher terms (at order 1 the result
    // is the inverse normal matrix alone); one lock mass with the offset
    // asked for has no determinant, so the gain alone is refitted.
    const struct {
        std::vector<double> masses;
        std::vector<float> sigmas;
        bool correctOffset, referenceOffset;
    } cases[] = {
        {{1.5, 2.5, 3.1}, {0.01f, 0.02f, 0.015f}, true, true},
        {{1.2, 2.7}, {0.01f, 0.03f}, true, true},
        {{1.5, 2.5}, {0.01f, 0.02f}, false, false},
        {{4.0}, {0.0625f}, true, false},
    };
    for (const auto &t : cases) {
        for (bool rootMass : {false, true}) {
            for (int n = 2; n <= 6; ++n) {
                const Matrix c = krtest::RandomCovariance(n, 40 + n);
                CCalCovar model = ModelOf(c, rootMass);
                EXPECT_TRUE(model.UpdateForLockMasses(t.masses.data(), t.sigmas.data(), static_cast<int>(t.masses.size()),
                                                      t.correctOffset, nullptr, 0));
                const Matrix expected = RefitReference(c, t.masses, t.sigmas, rootMass, t.referenceOffset);
                EXPECT_LT(krtest::RelativeDifference(After(model), expected), 1e-9)
                    << t.masses.size() << " masses, " << n << " coefficients, root mass " << rootMass;
            }
        }
    }
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
    EXPECT_FALSE(CCalCovar(false, one, 0, 1.0).UpdateForLockMass(2.0, 0.01, 0, nullptr, 0));
    const Matrix big = krtest::RandomCovariance(7, 1); // 7 coefficients: beyond the working storage
    CCalCovar tooBig = ModelOf(big, false);
    EXPECT_FALSE(tooBig.UpdateForLockMass(2.0, 0.01, 0, nullptr, 0));
    EXPECT_FALSE(tooBig.UpdateForLockMasses(masses, sigmas, 3, true, nullptr, 0));
    EXPECT_EQ(krtest::Pack(big), krtest::Pack(After(tooBig)));
}

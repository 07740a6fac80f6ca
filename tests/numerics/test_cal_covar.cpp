// CCalCovar through the DLL's exported class, against hand-derived cases
// and independent references computed with Eigen.
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "krnumerics.h"
#include "reference.h"
#include "support/test_control.h"

using krtest::Matrix;
using krtest::Vector;

namespace {

std::vector<double> Covariances(const CCalCovar &model)
{
    std::vector<double> packed(static_cast<size_t>((model.order + 1) * (model.order + 2) / 2));
    EXPECT_TRUE(model.GetCovariances(packed.data(), static_cast<int>(packed.size())));
    return packed;
}

// The variance of the polynomial's value at abscissa x, as f'Cf.
double QuadraticForm(const std::vector<double> &packed, int order, double x)
{
    const Vector f = krtest::Powers(x, order);
    return f.dot(krtest::Unpack(packed, order + 1) * f);
}

// The natural cubic spline through (x, y), its second derivatives found by
// solving the tridiagonal system as a dense one.
double NaturalSplineAt(const std::vector<double> &x, const std::vector<double> &y, double at)
{
    const int n = static_cast<int>(x.size());
    Matrix system = Matrix::Zero(n, n);
    Vector rhs = Vector::Zero(n);
    system(0, 0) = system(n - 1, n - 1) = 1.0;
    for (int i = 1; i < n - 1; ++i) {
        const double hl = x[i] - x[i - 1], hr = x[i + 1] - x[i];
        system(i, i - 1) = hl;
        system(i, i) = 2.0 * (hl + hr);
        system(i, i + 1) = hr;
        rhs(i) = 6.0 * ((y[i + 1] - y[i]) / hr - (y[i] - y[i - 1]) / hl);
    }
    const Vector m = system.partialPivLu().solve(rhs);
    int k = 0;
    while (k < n - 2 && at > x[k + 1])
        ++k;
    const double h = x[k + 1] - x[k], a = (x[k + 1] - at) / h, b = (at - x[k]) / h;
    return a * y[k] + b * y[k + 1] + ((a * a * a - a) * m(k) + (b * b * b - b) * m(k + 1)) * h * h / 6.0;
}

// Legendre polynomials written out, P0..P4: row k the power coefficients of P_k.
Matrix LegendreTable()
{
    Matrix t(5, 5);
    t << 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, -0.5, 0, 1.5, 0, 0, 0, -1.5, 0, 2.5, 0, 0.375, 0, -3.75, 0, 4.375;
    return t;
}

// A weighted Legendre fit on [-1, 1]: its design matrix's decomposition,
// and the power-basis covariance of the same fit, found independently.
struct Fit {
    Matrix v;
    Vector w;
    Matrix powerCovariance;
};

Fit LegendreFit(int n, unsigned seed)
{
    srand(seed);
    const int points = 25;
    const Matrix t = LegendreTable();
    Matrix a(points, n), x(points, n);
    for (int i = 0; i < points; ++i) {
        const double at = -1.0 + 2.0 * i / (points - 1), weight = 0.5 + 1.5 * (rand() / double(RAND_MAX));
        for (int k = 0; k < n; ++k) {
            a(i, k) = sqrt(weight) * t.row(k).dot(krtest::Powers(at, 4));
            x(i, k) = sqrt(weight) * pow(at, k);
        }
    }
    Eigen::JacobiSVD<Matrix> svd(a, Eigen::ComputeThinV);
    return {svd.matrixV(), svd.singularValues(), (x.transpose() * x).inverse()};
}

// Row pointers into a copy of V and the singular values, optionally with an
// unused row and column 0.
struct Rows {
    Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor> v;
    Vector w;
    std::vector<const double *> pointers;
    Rows(const Matrix &matrix, const Vector &weights, bool unitOffset)
    {
        const int off = unitOffset ? 1 : 0, n = static_cast<int>(matrix.rows());
        v = Matrix::Constant(n + off, n + off, -99.0);
        v.bottomRightCorner(n, n) = matrix;
        w = Vector::Constant(n + off, -99.0);
        w.tail(n) = weights;
        for (int i = 0; i < n + off; ++i)
            pointers.push_back(i < off ? nullptr : v.row(i).data()); // row 0 never read
    }
};

} // namespace

TEST(CCalCovar, VariancesAndSmallModels)
{
    const double identity[] = {1, 0, 1};
    const CCalCovar direct(false, identity, 1, 1.0), root(true, identity, 1, 1.0);
    EXPECT_DOUBLE_EQ(5.0, direct.GetVariance(2.0));
    EXPECT_DOUBLE_EQ(80.0, root.GetVariance(4.0)); // 4 (1 + 4) 4
    EXPECT_TRUE(root.GetUseRootMass());
    EXPECT_EQ(0.0, root.GetVariance(-4.0)); // undefined: the root of a negative mass
    EXPECT_EQ(0.0, direct.GetVariance(NAN));
    const double negative[] = {-1.0};
    EXPECT_EQ(0.0, CCalCovar(false, negative, 0, 1.0).GetVariance(10.0));
    EXPECT_EQ(0.0, CCalCovar(false, nullptr, 2, 1.0).GetVariance(3.0));

    // Copying out: scaled on the way in, and only into room for all of it.
    const double packed[] = {1, 2, 3, 4, 5, 6};
    const CCalCovar model(false, packed, 2, 2.0);
    double out[6] = {0};
    EXPECT_FALSE(model.GetCovariances(out, 5));
    EXPECT_EQ(0.0, out[0]);
    EXPECT_FALSE(model.GetCovariances(nullptr, 6));
    EXPECT_TRUE(model.GetCovariances(out, 6));
    EXPECT_EQ((std::vector<double>{2, 4, 6, 8, 10, 12}), std::vector<double>(out, out + 6));

    // Empty models: from a negative order, a missing decomposition or no memory.
    const CCalCovar empty(false, nullptr, -1, 1.0), copy(empty);
    EXPECT_EQ(-1, copy.order);
    EXPECT_EQ(0.0, empty.GetVariance(5.0));
    EXPECT_TRUE(empty.GetCovariances(out, 0));
    char text[8] = "x";
    EXPECT_STREQ("", empty.Format(text, sizeof text));
    EXPECT_EQ(-1, CCalCovar(nullptr, nullptr, 3, false, false, 1.0).order);
    EXPECT_EQ(-1, CCalCovar(false, nullptr, 2000000000, 1.0).order);
}

TEST(CCalCovar, TextFormRoundTrips)
{
    const double packed[] = {1.5, -2.25e-7, 3.0};
    const CCalCovar model(false, packed, 1, 1.0);
    char text[200];
    ASSERT_EQ(text, model.Format(text, sizeof text));
    const std::string form = text;
    const size_t semicolon = form.find(';'), comma = form.find(',');
    ASSERT_NE(std::string::npos, comma);
    EXPECT_GE(semicolon, 22u);
    EXPECT_GE(comma - semicolon - 1, 22u);
    EXPECT_GE(form.size() - comma - 1, 22u);
    EXPECT_EQ("+-+", std::string() + form[0] + form[semicolon + 1] + form[comma + 1]);

    CCalCovar parsed(false, text);
    ASSERT_EQ(1, parsed.order);
    const std::vector<double> back = Covariances(parsed);
    for (int i = 0; i < 3; ++i) // 16 significant digits printed: within 1e-15 relative
        EXPECT_NEAR(packed[i], back[i], fabs(packed[i]) * 1e-15) << i;
    EXPECT_EQ(nullptr, model.Format(text, static_cast<int>(form.size()))); // no room for the NUL
    EXPECT_EQ(text, model.Format(text, static_cast<int>(form.size()) + 1));
    EXPECT_EQ(nullptr, model.Format(nullptr, 100));
    EXPECT_EQ(nullptr, model.Format(text, 0));
}

TEST(CCalCovar, TextsMustHoldExactlyTheirValues)
{
    CCalCovar model(false, "1;2,3");
    EXPECT_EQ((std::vector<double>{1, 2, 3}), Covariances(model));
    const struct {
        const char *text;
        int order; // -1: refused
    } cases[] = {
        {"1;2", -1},     {"1,2", -1}, {"", -1},  {"1;2,3,4", -1},   {"1e999;2,3", -1},
        {";;", -1},      {"7", 0},    {",1;,2,,3,", 1}, {"1; 2 , 3", 1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.order >= 0, model.SetCovariances(c.text)) << c.text;
        EXPECT_EQ(c.order, model.order) << c.text;
    }
    EXPECT_FALSE(model.SetCovariances(nullptr));
}

TEST(CCalCovar, CopiesAreIndependentAndKeepTheirTable)
{
    const double packed[] = {1, 0.5, 2};
    CCalCovar model(true, packed, 1, 1.0);
    ASSERT_TRUE(model.MakeLookupTable(100, 400));
    const CCalCovar copy(model);
    EXPECT_TRUE(copy.tableValid);
    EXPECT_EQ(100.0, copy.tableLow);
    EXPECT_EQ(model.GetVariance(250.0), copy.GetVariance(250.0));
    CCalCovar assigned(false, nullptr, 3, 1.0);
    assigned = model;
    EXPECT_TRUE(assigned.GetUseRootMass());
    EXPECT_EQ(model.GetVariance(250.0), assigned.GetVariance(250.0));
    model.SetCovariances("9;9,9");
    EXPECT_EQ(0.5, Covariances(copy)[1]);
    EXPECT_EQ(0.5, Covariances(assigned)[1]);
}

TEST(CCalCovar, LookupTableIsTheNaturalSplineThroughTheVariances)
{
    // Reference: the spline's second derivatives from a dense solve of the
    // same system, through variances evaluated as f'Cf. Both are accurate
    // to a few ulp of the variances, so they agree to 1e-10 relative.
    const std::vector<double> packed = krtest::Pack(krtest::RandomCovariance(4, 11) * 1e-6);
    for (bool rootMass : {false, true}) {
        auto variance = [&](double mass) {
            return rootMass ? QuadraticForm(packed, 3, sqrt(mass)) * 4.0 * mass : QuadraticForm(packed, 3, mass);
        };
        CCalCovar model(rootMass, packed.data(), 3, 1.0);
        ASSERT_TRUE(model.MakeLookupTable(900.0, 100.0));
        EXPECT_EQ(100.0, model.tableLow);
        EXPECT_EQ(900.0, model.tableHigh);
        std::vector<double> x, y;
        for (int i = 0; i < 128; ++i) {
            x.push_back(100.0 + 800.0 * i / 127.0);
            y.push_back(variance(x.back()));
        }
        const double largest = *std::max_element(y.begin(), y.end());
        for (double mass : {100.0, 101.3, 333.3, 512.0, 899.99, 900.0})
            EXPECT_NEAR(NaturalSplineAt(x, y, mass), model.GetVariance(mass), largest * 1e-10) << mass;
        // Outside the table, the variance comes straight from the matrix.
        EXPECT_NEAR(variance(900.001), model.GetVariance(900.001), largest * 1e-13);
    }
}

TEST(CCalCovar, ATableOnceBuiltStaysUntilTheMatrixChanges)
{
    const double packed[] = {1, 0, 1};
    CCalCovar model(false, packed, 1, 1.0);
    ASSERT_TRUE(model.MakeLookupTable(100, 500));
    double *masses = model.tableMass;
    EXPECT_TRUE(model.MakeLookupTable(0, 50));
    EXPECT_EQ(100.0, model.tableLow);
    EXPECT_EQ(masses, model.tableMass);
    model.SetCovariances("1;0,1");
    EXPECT_FALSE(model.tableValid);
    EXPECT_TRUE(model.MakeLookupTable(0, 50));
    EXPECT_EQ(50.0, model.tableHigh);

    // Degenerate tables are never indexed outside: the variance comes direct.
    const struct {
        double from, to, at;
    } degenerate[] = {
        {200, 200, 200}, {1e300, nextafter(1e300, 2e300), 1e300}, {-INFINITY, INFINITY, 2}, {NAN, 10, 2},
    };
    for (const auto &d : degenerate) {
        CCalCovar table(false, packed, 1, 1.0);
        table.MakeLookupTable(d.from, d.to);
        EXPECT_DOUBLE_EQ(1.0 + d.at * d.at, table.GetVariance(d.at)) << d.from << " to " << d.to;
    }
}

TEST(CCalCovar, DecompositionOfALegendreFitGivesThePowerBasisCovariance)
{
    // Reference: the inverse normal matrix of the same weighted fit in the
    // power basis. The normal matrices of degree <= 4 on [-1, 1] are
    // conditioned below 1e4, so 1e-10 relative holds with room to spare.
    for (int n = 1; n <= 5; ++n) {
        const Fit fit = LegendreFit(n, 100 + n);
        for (bool unitOffset : {false, true}) {
            const Rows rows(fit.v, fit.w, unitOffset);
            const CCalCovar model(rows.pointers.data(), rows.w.data(), n, unitOffset, false, 2.5);
            ASSERT_EQ(n - 1, model.order);
            const Matrix actual = krtest::Unpack(Covariances(model), n);
            EXPECT_LT(krtest::RelativeDifference(actual, 2.5 * fit.powerCovariance), 1e-10) << n;
        }
    }

    // Zero and negative singular values contribute nothing.
    const int n = 4;
    Fit fit = LegendreFit(n, 7);
    fit.w(n - 1) = 0.0;
    fit.w(n - 2) = -1.0;
    Matrix legendreCovariance = Matrix::Zero(n, n);
    for (int k = 0; k < n - 2; ++k)
        legendreCovariance += fit.v.col(k) * fit.v.col(k).transpose() / (fit.w(k) * fit.w(k));
    const Matrix t = LegendreTable().topLeftCorner(n, n);
    const Rows rows(fit.v, fit.w, false);
    const CCalCovar model(rows.pointers.data(), rows.w.data(), n, false, false, 1.0);
    const Matrix expected = t.transpose() * legendreCovariance * t;
    EXPECT_LT(krtest::RelativeDifference(krtest::Unpack(Covariances(model), n), expected), 1e-12);
}

TEST(CovarianceFunctions, DecompositionsIndexedFromZeroOrOne)
{
    // The fourth argument plays no part; the conversion itself is checked above.
    const Fit fit = LegendreFit(3, 5);
    const Rows zero(fit.v, fit.w, false), one(fit.v, fit.w, true);
    double fromZero[6], fromOne[6];
    EXPECT_EQ(0, MakeCovariances0(zero.pointers.data(), zero.w.data(), 3, 123.0, fromZero, 6));
    EXPECT_EQ(0, MakeCovariances(one.pointers.data(), one.w.data(), 3, -5.0, fromOne, 6));
    EXPECT_EQ(0, memcmp(fromZero, fromOne, sizeof fromZero));
    EXPECT_EQ(1, MakeCovariances(one.pointers.data(), one.w.data(), 3, 0.0, fromOne, 5));
}

TEST(CovarianceFunctions, SigmasWidenedAndTheTwoSigmaBand)
{
    // Order 0 in root mass: a constant c becomes 4 m c in mass units.
    // Tolerance: float storage of the results, 1e-7 relative.
    const double c = 2.5e-9;
    const float masses[] = {100.0f, 500.0f, 1500.0f}; // the last outside the table
    float sigmas[] = {0.01f, 0.02f, 0.0f};
    const double widened[] = {sqrt(0.01f * 0.01f + 400.0 * c), sqrt(0.02f * 0.02f + 2000.0 * c), sqrt(6000.0 * c)};
    EXPECT_EQ(0, CalibrateSigmas(&c, 0, 50.0f, 1000.0f, masses, sigmas, 3));
    EXPECT_EQ(0, CalibrateSigmas(nullptr, -1, 0, 1, masses, sigmas, 3)); // empty model: unchanged
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(widened[i], sigmas[i], 1e-7 * sigmas[i]) << i;
    EXPECT_EQ(1, CalibrateSigmas(&c, 0, 0, 1, nullptr, sigmas, 3));
    EXPECT_EQ(0, CalibrateSigmas(&c, 0, 0, 1, nullptr, nullptr, 0));

    float out[4] = {-1, -1, -1, -1};
    GetVariances(0, &c, 0, 100.0f, 100.0f, 3, out);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(2 * sqrt(400 * (i + 1) * c), out[i], 1e-7 * out[i]) << i;
    EXPECT_EQ(-1.0f, out[3]);
    GetVariances(0, &c, 0, 100.0f, 100.0f, 3, nullptr);
    GetVariances(0, nullptr, -1, 1.0f, 1.0f, 2, out);
    EXPECT_EQ(0.0f, out[1]);
}

TEST(CCalCovar, EveryFailedAllocationLeavesAUsableObject)
{
    const Fit fit = LegendreFit(3, 9);
    const Rows rows(fit.v, fit.w, false);
    for (long nth = 1;; ++nth) {
        SCOPED_TRACE(testing::Message() << "failing call " << nth);
        KrutilTestControl(KRTEST_MEM_FAIL_AT, nth);
        CCalCovar model(rows.pointers.data(), rows.w.data(), 3, false, true, 1.0);
        const bool built = model.order == 2;
        const bool parsed = model.SetCovariances("1;0,1;0,0,1");
        const bool tabled = model.MakeLookupTable(100, 200);
        const CCalCovar copy(model);
        const long failures = static_cast<long>(KrutilTestControl(KRTEST_MEM_FAILURES, 0));
        KrutilTestControl(KRTEST_MEM_FAIL_AT, 0);
        EXPECT_EQ(parsed ? 2 : -1, model.order);
        EXPECT_EQ(tabled, model.tableValid);
        EXPECT_GE(copy.GetVariance(150.0), 0.0);
        // Reusable afterwards.
        EXPECT_TRUE(model.SetCovariances("1;0,1"));
        EXPECT_TRUE(model.MakeLookupTable(100, 200));
        const double direct = 4 * 150.0 * (1 + 150.0); // the spline is within 1e-4 of it here
        EXPECT_NEAR(direct, model.GetVariance(150.0), direct * 1e-4);
        if (failures == 0) {
            EXPECT_TRUE(built && parsed && tabled);
            EXPECT_GT(nth, 8);
            break;
        }
    }
}

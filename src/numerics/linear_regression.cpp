// CLinearRegression: a weighted least-squares polynomial through points
// gathered one by one, solved from its normal equations.
#include "krnumerics.h"

#include <math.h>

#include "numerics/normal_system.h"
#include "numerics/regression_data.h"
#include "support/memory.h"

// A handle: its virtual table and the pointer to its state, nothing else.
static_assert(sizeof(CLinearRegression) == 2 * sizeof(void *), "CLinearRegression is a handle");

namespace {

constexpr int kDefaultOrder = 1;

// A handle whose state could not be created reads as a new object; each
// change tries again.
bool EnsureState(CRegressionData *&data)
{
    if (!data)
        data = kr::NewRegressionData();
    return data != nullptr;
}

// The points that take part, in the order they were added: not excluded,
// and a weight that is neither 0 nor not a number. Returns their count.
int CopyUsablePoints(const RegressionPoints &points, double *x, double *y, double *w)
{
    int n = 0;
    for (int i = 0; i < points.Size(); ++i) {
        const RegressionPoint &p = points[i];
        if (p.excluded || p.weight == 0.0 || isnan(p.weight))
            continue;
        x[n] = p.x;
        y[n] = p.y;
        w[n] = p.weight;
        ++n;
    }
    return n;
}

// Appends (0, 0) with the weight of the point nearest the origin (the first
// of equals), or 1 when there are no points. Returns the new count.
int AppendOrigin(double *x, double *y, double *w, int n)
{
    int nearest = -1;
    for (int i = 0; i < n; ++i)
        if (nearest < 0 || fabs(x[i]) < fabs(x[nearest]))
            nearest = i;
    x[n] = 0.0;
    y[n] = 0.0;
    w[n] = nearest < 0 ? 1.0 : w[nearest];
    return n + 1;
}

// Solves for coefficients firstPower..order into coef (zero-filled, order+1
// long). With no unknowns left the polynomial is identically zero.
bool FitCoefficients(const double *x, const double *y, const double *w, int n, int order, int firstPower,
                     double *coef)
{
    const int unknowns = order + 1 - firstPower;
    if (unknowns == 0)
        return true;
    kr::NormalSystem system;
    kr::BuildNormalSystem(system, unknowns, firstPower, x, y, w, n);
    if (!kr::SolveGaussJordan(system))
        return false;
    for (int j = 0; j < unknowns; ++j)
        coef[firstPower + j] = system.rhs[j];
    return true;
}

double Horner(const double *coef, int order, double x)
{
    double f = coef[order];
    for (int k = order - 1; k >= 0; --k)
        f = f * x + coef[k];
    return f;
}

} // namespace

CLinearRegression::CLinearRegression() : data(kr::NewRegressionData())
{
}

CLinearRegression::CLinearRegression(const CLinearRegression &source)
    : data(source.data ? kr::CloneRegressionData(*source.data) : nullptr)
{
}

CLinearRegression::~CLinearRegression()
{
    kr::DeleteRegressionData(data);
}

CLinearRegression &CLinearRegression::operator=(const CLinearRegression &source)
{
    if (this == &source)
        return *this;
    // A source without state reads as a new object, and so will the copy.
    CRegressionData *copy = source.data ? kr::CloneRegressionData(*source.data) : kr::NewRegressionData();
    if (copy) {
        kr::DeleteRegressionData(data);
        data = copy;
    }
    return *this;
}

void CLinearRegression::SetIncludeOrigin(bool include)
{
    if (EnsureState(data))
        data->includeOrigin = include;
}

bool CLinearRegression::GetIncludeOrigin() const
{
    return data && data->includeOrigin;
}

void CLinearRegression::SetForceOrigin(bool force)
{
    if (EnsureState(data))
        data->forceOrigin = force;
}

bool CLinearRegression::GetForceOrigin() const
{
    return data && data->forceOrigin;
}

void CLinearRegression::SetPolynomialOrder(int order)
{
    if (!EnsureState(data))
        return;
    data->DiscardResults();
    data->order = order < 0 ? 0 : order > kr::kMaxRegressionOrder ? kr::kMaxRegressionOrder : order;
    data->coefficients = kr::NewZeroDoubles(data->order + 1);
}

int CLinearRegression::GetPolynomialOrder() const
{
    return data ? data->order : kDefaultOrder;
}

int CLinearRegression::GetNumCoefficients() const
{
    return GetPolynomialOrder() + 1;
}

int CLinearRegression::AddRegressionPoint(double x, double y, double weight, bool excluded)
{
    if (!EnsureState(data))
        return 0;
    data->points.Append(RegressionPoint{x, y, weight, excluded});
    return data->points.Size();
}

int CLinearRegression::GetPolynomial(double *out) const
{
    const int order = GetPolynomialOrder();
    if (!out)
        return order;
    const double *coef = data ? data->coefficients : nullptr;
    for (int k = 0; k <= order; ++k)
        out[k] = coef ? coef[k] : 0.0;
    return order;
}

double CLinearRegression::GetRSquared() const
{
    return data ? data->rSquared : 0.0;
}

double CLinearRegression::GetR() const
{
    const double r2 = GetRSquared();
    return r2 > 0.0 ? sqrt(r2) : 0.0;
}

bool CLinearRegression::Calculate()
{
    if (!EnsureState(data))
        return false;
    data->DiscardResults();
    const int order = data->order, slots = data->points.Size() + 1; // one spare for the origin
    double *arrays = kr::NewZeroDoubles(3LL * slots);
    double *coef = kr::NewZeroDoubles(order + 1LL);
    bool solved = false;
    if (arrays && coef) {
        double *x = arrays, *y = arrays + slots, *w = arrays + 2 * slots;
        int n = CopyUsablePoints(data->points, x, y, w);
        if (data->includeOrigin)
            n = AppendOrigin(x, y, w, n);
        solved = FitCoefficients(x, y, w, n, order, data->forceOrigin ? 1 : 0, coef);
        if (solved) {
            data->coefficients = coef;
            coef = nullptr;
            CalculateStatistics(n, x, y, w, order, data->coefficients);
        }
    }
    kr::MemFree(arrays);
    kr::MemFree(coef);
    return solved;
}

bool CLinearRegression::CalculateStatistics(int n, const double *x, const double *y, const double *w, int order,
                                            const double *coef)
{
    if (n < 1 || !data)
        return false;
    double weights = 0.0, weightedY = 0.0;
    for (int i = 0; i < n; ++i) {
        weights += w[i];
        weightedY += w[i] * y[i];
    }
    const double mean = weightedY / weights;
    double residual = 0.0, total = 0.0;
    for (int i = 0; i < n; ++i) {
        const double r = y[i] - Horner(coef, order, x[i]), d = y[i] - mean;
        residual += w[i] * r * r;
        total += w[i] * d * d;
    }
    data->rSquared = (total - residual) / total;
    return true;
}

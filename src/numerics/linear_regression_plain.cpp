// The regression for callers that cannot use the exported class: C, and
// programs built by other compilers. The handle is the class itself, made
// through the library's allocation point.
#include "krnumerics.h"

#include <new>

#include "support/memory.h"

namespace {

CLinearRegression *Fit(KRLINEARREGRESSION *handle)
{
    return reinterpret_cast<CLinearRegression *>(handle);
}

const CLinearRegression *Fit(const KRLINEARREGRESSION *handle)
{
    return reinterpret_cast<const CLinearRegression *>(handle);
}

KRLINEARREGRESSION *Handle(CLinearRegression *fit)
{
    return reinterpret_cast<KRLINEARREGRESSION *>(fit);
}

} // namespace

KRLINEARREGRESSION *KRAPI LinearRegressionCreate(void)
{
    void *place = kr::MemAlloc(sizeof(CLinearRegression));
    return place ? Handle(new (place) CLinearRegression) : nullptr;
}

KRLINEARREGRESSION *KRAPI LinearRegressionCopy(const KRLINEARREGRESSION *source)
{
    void *place = source ? kr::MemAlloc(sizeof(CLinearRegression)) : nullptr;
    return place ? Handle(new (place) CLinearRegression(*Fit(source))) : nullptr;
}

void KRAPI LinearRegressionFree(KRLINEARREGRESSION *fit)
{
    if (!fit)
        return;
    Fit(fit)->~CLinearRegression();
    kr::MemFree(fit);
}

void KRAPI LinearRegressionSetOrder(KRLINEARREGRESSION *fit, int order)
{
    if (fit)
        Fit(fit)->SetPolynomialOrder(order);
}

int KRAPI LinearRegressionGetOrder(const KRLINEARREGRESSION *fit)
{
    return fit ? Fit(fit)->GetPolynomialOrder() : 1;
}

void KRAPI LinearRegressionSetOriginRules(KRLINEARREGRESSION *fit, int includeOrigin, int forceOrigin)
{
    if (!fit)
        return;
    Fit(fit)->SetIncludeOrigin(includeOrigin != 0);
    Fit(fit)->SetForceOrigin(forceOrigin != 0);
}

int KRAPI LinearRegressionAddPoint(KRLINEARREGRESSION *fit, double x, double y, double weight, int excluded)
{
    return fit ? Fit(fit)->AddRegressionPoint(x, y, weight, excluded != 0) : 0;
}

int KRAPI LinearRegressionCalculate(KRLINEARREGRESSION *fit)
{
    return fit && Fit(fit)->Calculate() ? 1 : 0;
}

int KRAPI LinearRegressionGetCoefficients(const KRLINEARREGRESSION *fit, double *out)
{
    return fit ? Fit(fit)->GetPolynomial(out) : 1;
}

double KRAPI LinearRegressionGetRSquared(const KRLINEARREGRESSION *fit)
{
    return fit ? Fit(fit)->GetRSquared() : 0;
}

double KRAPI LinearRegressionGetR(const KRLINEARREGRESSION *fit)
{
    return fit ? Fit(fit)->GetR() : 0;
}

// Every public member of krutil.dll's exported classes, once, for the link
// check generated from the .def (which lists only the plain functions).
#include "krfiles.h"
#include "krnumerics.h"

// The protected member, reached as a derived class of an application would.
struct DriveList : CDriveCombo {
    void Fill() { FillDriveList(); }
};

int UseClasses()
{
    double c[3] = {1, 0, 1};
    const double *rows[1] = {c};
    const float sigma = 1;
    char text[64];
    CCalCovar model(false, c, 1, 1.0), fromText(true, "1"), copy(model), fit(rows, c, 1, false, false, 1.0);
    copy = fromText;
    bool ok = model.MakeLookupTable(0, 1) && model.SetCovariances("1;0,1") && model.GetCovariances(c, 3) &&
              model.GetUseRootMass() && model.UpdateForLockMass(1, 1, 0, c, 3) &&
              model.UpdateForLockMasses(c, &sigma, 1, true, c, 3) && model.Format(text, sizeof text);
    CLinearRegression regression, regressionCopy(regression);
    regressionCopy = regression;
    regression.SetIncludeOrigin(regression.GetIncludeOrigin());
    regression.SetForceOrigin(regression.GetForceOrigin());
    regression.SetPolynomialOrder(regression.GetPolynomialOrder());
    ok = ok && regression.AddRegressionPoint(1, 1, 1, false) && regression.Calculate() && regression.GetPolynomial(c);
    DriveList drives;
    drives.Fill();
    drives.RefreshBox();
    drives.DrawItem(nullptr);
    return ok + static_cast<int>(model.GetVariance(0.5) + regression.GetRSquared() + regression.GetR()) +
           regression.GetNumCoefficients();
}

// The state behind a CLinearRegression handle: settings, the points in the
// order they were added, and the results of the last fit. Every block it
// holds is taken through kr::MemAlloc; a failed allocation leaves the array
// in question null (coefficients then read as zeros).
#ifndef KR_NUMERICS_REGRESSION_DATA_H
#define KR_NUMERICS_REGRESSION_DATA_H

namespace kr {

constexpr int kMaxRegressionOrder = 99;

// count doubles, all 0.0; null for count < 1, for a size beyond memory, or
// when memory runs out.
double *NewZeroDoubles(long long count);

} // namespace kr

struct RegressionPoint {
    double x = 0.0;
    double y = 0.0;
    double weight = 1.0;
    bool excluded = false;
};

// A growable array of points: capacities run 1, 2, 4, 8, ...
class RegressionPoints {
public:
    RegressionPoints() = default;
    RegressionPoints(const RegressionPoints &) = delete;
    RegressionPoints &operator=(const RegressionPoints &) = delete;
    ~RegressionPoints();

    int Size() const { return size_; }
    const RegressionPoint &operator[](int i) const { return items_[i]; }
    // False, holding the points as they were, when there is no room for one more.
    bool Append(const RegressionPoint &point);
    // Replaces these points by a copy of source's; false, changing nothing,
    // when memory runs out.
    bool CopyFrom(const RegressionPoints &source);

private:
    RegressionPoint *items_ = nullptr;
    int size_ = 0;
    int capacity_ = 0;
};

class CRegressionData {
public:
    // Order 1, no points, r-squared 0, no coefficient array yet.
    CRegressionData();
    CRegressionData(const CRegressionData &) = delete;
    CRegressionData &operator=(const CRegressionData &) = delete;
    virtual ~CRegressionData();

    // Drops the coefficients (they read as zeros) and the statistics.
    void DiscardResults();

    bool includeOrigin;
    bool forceOrigin;
    int order;             // 0..99
    double *coefficients;  // order+1 values, lowest power first, or null
    RegressionPoints points;
    double rSquared;
};

namespace kr {

// A state object with the defaults (two zero coefficients), or null when
// memory runs out for it; the coefficients alone may be missing.
CRegressionData *NewRegressionData();
// A full copy (settings, points and results), or null, taking nothing, when
// memory runs out for any part of it.
CRegressionData *CloneRegressionData(const CRegressionData &source);
void DeleteRegressionData(CRegressionData *data);

} // namespace kr

#endif

// The regression state: its point array, its coefficients, and whole copies.
#include "numerics/regression_data.h"

#include <stdint.h>
#include <string.h>

#include <new>

#include "support/memory.h"

namespace {

// count elements of the given size, or null when that exceeds memory.
void *AllocateArray(long long count, size_t size)
{
    if (count < 1 || static_cast<unsigned long long>(count) > SIZE_MAX / size)
        return nullptr;
    return kr::MemAlloc(static_cast<size_t>(count) * size);
}

CRegressionData *NewBareData()
{
    void *block = kr::MemAlloc(sizeof(CRegressionData));
    return block ? new (block) CRegressionData : nullptr;
}

} // namespace

double *kr::NewZeroDoubles(long long count)
{
    double *values = static_cast<double *>(AllocateArray(count, sizeof(double)));
    if (values)
        for (long long i = 0; i < count; ++i)
            values[i] = 0.0;
    return values;
}

RegressionPoints::~RegressionPoints()
{
    kr::MemFree(items_);
}

bool RegressionPoints::Append(const RegressionPoint &point)
{
    if (size_ == capacity_) {
        const long long capacity = size_ + (size_ > 0 ? size_ : 1LL);
        if (capacity > INT32_MAX)
            return false;
        void *grown = AllocateArray(capacity, sizeof(RegressionPoint));
        if (!grown)
            return false;
        if (size_ > 0)
            memcpy(grown, items_, static_cast<size_t>(size_) * sizeof(RegressionPoint));
        kr::MemFree(items_);
        items_ = static_cast<RegressionPoint *>(grown);
        capacity_ = static_cast<int>(capacity);
    }
    items_[size_++] = point;
    return true;
}

bool RegressionPoints::CopyFrom(const RegressionPoints &source)
{
    RegressionPoint *items = nullptr;
    if (source.size_ > 0) {
        items = static_cast<RegressionPoint *>(AllocateArray(source.size_, sizeof(RegressionPoint)));
        if (!items)
            return false;
        memcpy(items, source.items_, static_cast<size_t>(source.size_) * sizeof(RegressionPoint));
    }
    kr::MemFree(items_);
    items_ = items;
    size_ = capacity_ = source.size_;
    return true;
}

CRegressionData::CRegressionData()
    : includeOrigin(false), forceOrigin(false), order(1), coefficients(nullptr), rSquared(0.0)
{
}

CRegressionData::~CRegressionData()
{
    kr::MemFree(coefficients);
}

void CRegressionData::DiscardResults()
{
    kr::MemFree(coefficients);
    coefficients = nullptr;
    rSquared = 0.0;
}

CRegressionData *kr::NewRegressionData()
{
    CRegressionData *data = NewBareData();
    if (data)
        data->coefficients = NewZeroDoubles(data->order + 1);
    return data;
}

CRegressionData *kr::CloneRegressionData(const CRegressionData &source)
{
    CRegressionData *copy = NewBareData();
    if (!copy)
        return nullptr;
    if (source.coefficients) {
        copy->coefficients = static_cast<double *>(AllocateArray(source.order + 1LL, sizeof(double)));
        if (!copy->coefficients) {
            DeleteRegressionData(copy);
            return nullptr;
        }
        memcpy(copy->coefficients, source.coefficients, (source.order + 1) * sizeof(double));
    }
    if (!copy->points.CopyFrom(source.points)) {
        DeleteRegressionData(copy);
        return nullptr;
    }
    copy->includeOrigin = source.includeOrigin;
    copy->forceOrigin = source.forceOrigin;
    copy->order = source.order;
    copy->rSquared = source.rSquared;
    return copy;
}

void kr::DeleteRegressionData(CRegressionData *data)
{
    if (!data)
        return;
    data->~CRegressionData(); // virtual: the state's own destructor
    MemFree(data);
}

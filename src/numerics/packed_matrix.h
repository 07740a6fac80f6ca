// Packed lower triangles of symmetric matrices: C[i][j] (j <= i) at index
// i(i+1)/2 + j.
#ifndef KR_NUMERICS_PACKED_MATRIX_H
#define KR_NUMERICS_PACKED_MATRIX_H

namespace kr {

inline long PackedIndex(int i, int j)
{
    return static_cast<long>(i) * (i + 1) / 2 + j;
}

// Element (i, j) of a symmetric packed matrix, either triangle.
inline double PackedAt(const double *packed, int i, int j)
{
    return i >= j ? packed[PackedIndex(i, j)] : packed[PackedIndex(j, i)];
}

// Entries of a matrix of this order (order+1 rows); 0 for an empty one.
inline long long PackedCount(int order)
{
    return order < 0 ? 0 : static_cast<long long>(order + 1) * (order + 2) / 2;
}

} // namespace kr

#endif

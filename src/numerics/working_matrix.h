// Small dense symmetric matrices for the lock-mass updates: row-major, row
// length equal to the current dimension, only the upper triangle (with the
// diagonal) meaningful. Fixed capacity, no allocation.
#ifndef KR_NUMERICS_WORKING_MATRIX_H
#define KR_NUMERICS_WORKING_MATRIX_H

namespace kr {

constexpr int kMaxWorkingDimension = 6;

// full[r][c] = packed C[c][r] for r <= c.
void UnpackCovariances(double *full, const double *packed, int n);
// packed C[i][j] = full[j][i] for j <= i.
void PackCovariances(const double *full, double *packed, int n);
// Removes row and column k of an n x n matrix; the rest closes up to an
// (n-1) x (n-1) matrix with row length n-1.
void RemoveRowColumn(double *full, int n, int k);
// Turns an m x m matrix (row length m) into an (m+1) x (m+1) one (row
// length m+1) whose row and column k are zero.
void InsertZeroRowColumn(double *full, int m, int k);
// In-place inverse of a symmetric positive definite matrix by Cholesky
// factorisation; 0, or -1 when it is not positive definite (the matrix is
// then partly overwritten).
int InvertSymmetric(double *full, int n);

} // namespace kr

#endif

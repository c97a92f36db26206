// Quantiles of the chi-square distribution, for the global test of the adjustment.
#ifndef TRAVERSE_ADJUST_CHI_SQUARE_H
#define TRAVERSE_ADJUST_CHI_SQUARE_H

namespace traverse {

// P(X <= x) for X ~ chi-square with dof degrees of freedom (dof >= 1).
double ChiSquareCdf(double x, int dof);

// The x with P(X <= x) = p, 0 < p < 1, to about 1e-12 relative.
double ChiSquareQuantile(double p, int dof);

}  // namespace traverse

#endif

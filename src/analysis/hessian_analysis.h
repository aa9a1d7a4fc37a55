#pragma once

#include "derivatives/computed_results.h"

#include <optional>
#include <string>
#include <vector>

namespace slopekit {

using Matrix = std::vector<std::vector<double>>;

// Which results an analysis rests on.
enum class EstimateBasis {
    Classic,  // taken as good to one part in a million
    Refined,  // with the refinement's own error estimates
    Exact,    // good to rounding
};

// What the analysis rests on: the value, gradient and Hessian at a point, each with an
// absolute error estimate. A non-finite error marks an entry that could not be trusted.
struct DerivativeEstimates {
    std::vector<double> point;
    double value = 0;
    std::vector<double> gradient;
    std::vector<double> gradientError;
    Matrix hessian;
    Matrix hessianError;
    EstimateBasis basis = EstimateBasis::Classic;
};

// Estimates for the classic results, which carry no error of their own: each entry is
// taken to be good to one part in a million of its natural size (the scale the value and
// the other derivatives give it, with s_i = max(1, |x_i|)).
DerivativeEstimates classicEstimates(const std::vector<double>& point, double value,
                                     const std::vector<double>& gradient, const Matrix& hessian);

// What the analysis of a completed computation rests on: the exact results when every
// entry has one (their errors zero: only rounding is left, which the analysis allows for),
// else the refined results with their error estimates, else the classic ones. A function
// value that none of them knows is NaN, which the analysis cannot trust.
DerivativeEstimates estimatesFor(const ComputedResults& results);

enum class Classification { Minimum, Maximum, Saddle, Inconclusive, NotCritical };

// "minimum", "maximum", "saddle", "inconclusive", "not critical": the machine-readable key.
const char* classificationKey(Classification c);
// "local minimum", "local maximum", "saddle point", "inconclusive", "not a critical point".
const char* classificationName(Classification c);

struct HessianAnalysis {
    double gradientNorm = 0;
    std::vector<double> eigenvalues;  // ascending
    Matrix eigenvectors;              // eigenvectors[k] belongs to eigenvalues[k], unit length
    double eigenvalueError = 0;       // bound on how far each eigenvalue may be off
    Classification classification = Classification::Inconclusive;
    std::vector<double> ascent;  // unit direction of steepest ascent; empty at a critical point
    std::string basis;           // one sentence: what the classification rests on
};

// Classifies the point from the gradient and the eigenvalues of the Hessian (Eigen's
// self-adjoint solver). A critical point needs every gradient entry zero within its error;
// an eigenvalue counts as positive or negative only beyond its error, so the result never
// claims more than the estimates allow.
HessianAnalysis analyseHessian(const DerivativeEstimates& estimates);

}  // namespace slopekit

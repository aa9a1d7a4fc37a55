#pragma once

#include "analysis/hessian_analysis.h"

#include <vector>

namespace slopekit {

// How far the quantities the analysis derives may be off, given the errors of the
// estimates it rests on: what the dialog needs to show each with only its supported digits.
struct AnalysisErrors {
    double gradientNorm = 0;           // the norm moves no further than the error vector's length
    double ascent = 0;                 // each component of the unit ascent direction
    std::vector<double> eigenvectors;  // each component of eigenvector k, at most 1
};

// The norm's error is the length of the gradient's error vector e; a unit direction g/|g|
// moves by at most 2|e|/|g|; eigenvector k turns by at most the eigenvalue error over its
// eigenvalue's distance to the nearest other one (Davis and Kahan), so one of a repeated
// eigenvalue can be anything of unit length. An unknown gradient error leaves the norm's
// error not finite.
AnalysisErrors analysisErrors(const DerivativeEstimates& estimates, const HessianAnalysis& analysis);

}  // namespace slopekit

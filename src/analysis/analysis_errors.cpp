#include "analysis/analysis_errors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace slopekit {

AnalysisErrors analysisErrors(const DerivativeEstimates& estimates, const HessianAnalysis& analysis)
{
    AnalysisErrors errors;
    double squares = 0;
    for (double e : estimates.gradientError)
        squares += e * e;
    errors.gradientNorm = std::sqrt(squares);
    errors.ascent = std::min(1.0, 2 * errors.gradientNorm / analysis.gradientNorm);

    const std::vector<double>& values = analysis.eigenvalues;
    for (std::size_t k = 0; k < values.size(); ++k) {
        double gap = std::numeric_limits<double>::infinity();
        for (std::size_t j = 0; j < values.size(); ++j)
            if (j != k)
                gap = std::min(gap, std::fabs(values[j] - values[k]));
        errors.eigenvectors.push_back(gap > 0 ? std::min(1.0, analysis.eigenvalueError / gap) : 1.0);
    }
    return errors;
}

}  // namespace slopekit

#include "analysis/analysis_errors.h"

#include <gtest/gtest.h>

namespace slopekit {
namespace {

TEST(AnalysisErrors, TheNormMovesByTheErrorVectorsLengthAndADirectionByTwiceThatOverTheNorm)
{
    DerivativeEstimates estimates;
    estimates.gradient = {30, 40};
    estimates.gradientError = {0.3, 0.4};
    HessianAnalysis analysis;
    analysis.gradientNorm = 50;
    const AnalysisErrors errors = analysisErrors(estimates, analysis);
    EXPECT_DOUBLE_EQ(errors.gradientNorm, 0.5);
    EXPECT_DOUBLE_EQ(errors.ascent, 0.02);
}

TEST(AnalysisErrors, AnEigenvectorTurnsByTheEigenvalueErrorOverItsGapToTheNearestOther)
{
    struct Row { const char* name; std::vector<double> eigenvalues; double eigenvalueError;
                 std::vector<double> vectorErrors; };
    const Row rows[] = {
        {"apart", {-1, 1, 5}, 0.1, {0.05, 0.05, 0.025}},
        {"repeated_eigenvalue", {2, 2}, 1e-9, {1, 1}},
        {"close_beyond_certainty", {1, 1.01}, 0.1, {1, 1}},
        {"one_variable", {3}, 0.1, {0}},
    };
    for (const Row& row : rows) {
        HessianAnalysis analysis;
        analysis.eigenvalues = row.eigenvalues;
        analysis.eigenvalueError = row.eigenvalueError;
        const std::vector<double> errors = analysisErrors({}, analysis).eigenvectors;
        ASSERT_EQ(errors.size(), row.vectorErrors.size()) << row.name;
        for (std::size_t k = 0; k < errors.size(); ++k)
            EXPECT_DOUBLE_EQ(errors[k], row.vectorErrors[k]) << row.name << " " << k;
    }
}

}  // namespace
}  // namespace slopekit

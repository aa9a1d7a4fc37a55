#include "analysis/analysis_errors.h"

#include <gtest/gtest.h>

namespace slopekit {
namespace {

// Gradient (30, 40) with errors (0.3, 0.4): the error vector is 0.5 long, the norm 50.
AnalysisErrors gradientErrors()
{
    DerivativeEstimates estimates;
    estimates.gradient = {30, 40};
    estimates.gradientError = {0.3, 0.4};
    HessianAnalysis analysis;
    analysis.gradientNorm = 50;
    return analysisErrors(estimates, analysis);
}

TEST(AnalysisErrors, TheNormMovesByTheErrorVectorsLength) { EXPECT_DOUBLE_EQ(gradientErrors().gradientNorm, 0.5); }

TEST(AnalysisErrors, TheAscentTurnsByTwiceTheErrorVectorsLengthOverTheNorm)
{
    EXPECT_DOUBLE_EQ(gradientErrors().ascent, 0.02);
}

TEST(AnalysisErrors, AnEigenvectorTurnsByTheEigenvalueErrorOverItsGapToTheNearestOther)
{
    struct Row {
        const char* name;
        std::vector<double> eigenvalues;
        double eigenvalueError;
        std::vector<double> vectorErrors;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "apart", .eigenvalues = {-1, 1, 5}, .eigenvalueError = 0.1, .vectorErrors = {0.05, 0.05, 0.025}},
        {.name = "repeated_eigenvalue", .eigenvalues = {2, 2}, .eigenvalueError = 1e-9, .vectorErrors = {1, 1}},
        {.name = "close_beyond_certainty", .eigenvalues = {1, 1.01}, .eigenvalueError = 0.1, .vectorErrors = {1, 1}},
        {.name = "one_variable", .eigenvalues = {3}, .eigenvalueError = 0.1, .vectorErrors = {0}},
    };
    // clang-format on
    for (const Row& row : rows) {
        HessianAnalysis analysis;
        analysis.eigenvalues = row.eigenvalues;
        analysis.eigenvalueError = row.eigenvalueError;
        const std::vector<double> errors = analysisErrors({}, analysis).eigenvectors;
        ASSERT_EQ(errors.size(), row.vectorErrors.size()) << row.name << ": eigenvectors";
        for (std::size_t k = 0; k < errors.size(); ++k)
            EXPECT_DOUBLE_EQ(errors[k], row.vectorErrors[k]) << row.name << ": error of eigenvector " << k;
    }
}

}  // namespace
}  // namespace slopekit

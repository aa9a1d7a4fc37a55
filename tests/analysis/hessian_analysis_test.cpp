#include "analysis/hessian_analysis.h"
#include "derivatives/compute_derivatives.h"
#include "derivatives/derivative_labels.h"
#include "derivatives/problem_fixture.h"
#include "engine/engine_binding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace slopekit {
namespace {

struct KnownPoint {
    const char* name;
    std::vector<std::string> names;
    const char* function;
    std::vector<double> point;
    Classification fromClassic;  // taking the classic results as good to a millionth
    Classification fromRefined;  // with the refinement's own error estimates
};

void PrintTo(const KnownPoint& c, std::ostream* os) { *os << c.name; }

struct BothEstimates {
    DerivativeEstimates classic;
    DerivativeEstimates refined;
};

// The classic and the refined results of the function at the point, through the engine.
BothEstimates estimatesOf(const KnownPoint& c)
{
    Dimension dim = testing::makeProblem(c.names, c.point);
    EngineBinding binding(dim);
    binding.setUp();
    dim.Equation = c.function;
    BuildLabels(dim);
    const EvaluateAtVarx evaluate = [&binding] { return binding.EvaluateFunction(); };
    ComputeDerivatives(dim, evaluate);
    const std::optional<RefinedDerivatives> none;
    return {estimatesAt(dim, none, evaluate), refinedEstimates(dim, RefineDerivatives(dim, evaluate))};
}

class Classify : public ::testing::TestWithParam<KnownPoint> {};

TEST_P(Classify, FromClassicAndFromRefinedEstimates)
{
    const KnownPoint& c = GetParam();
    const BothEstimates estimates = estimatesOf(c);
    EXPECT_EQ(analyseHessian(estimates.classic).classification, c.fromClassic);
    EXPECT_EQ(analyseHessian(estimates.refined).classification, c.fromRefined);
}

using enum Classification;

INSTANTIATE_TEST_SUITE_P(
    Analysis, Classify,
    ::testing::Values(
        KnownPoint{"saddle", {"x", "y"}, "x^2 - y^2", {0, 0}, Saddle, Saddle},
        KnownPoint{"rosenbrock_minimum", {"x", "y"}, "(1 - x)^2 + 100*(y - x^2)^2", {1, 1}, Minimum, Minimum},
        KnownPoint{"maximum_off_origin", {"x", "y"}, "5 - (x - 3)^2 - 2*(y + 1)^2 + (x - 3)*(y + 1)", {3, -1},
                   Maximum, Maximum},
        KnownPoint{"flat_direction", {"x", "y"}, "x^2 + y^4", {0, 0}, Inconclusive, Inconclusive},
        KnownPoint{"saddle_despite_a_flat_direction", {"x", "y", "z"}, "x^2 - y^2 + z^4", {0, 0, 0}, Saddle,
                   Saddle},
        KnownPoint{"slope", {"x", "y"}, "x^2 + y^2", {1, 0}, NotCritical, NotCritical},
        KnownPoint{"one_variable_minimum", {"t"}, "Cos(t)", {3.141592653589793}, Minimum, Minimum},
        KnownPoint{"one_variable_inflection", {"t"}, "t^3", {0}, Inconclusive, Inconclusive},
        KnownPoint{"gradient_below_any_absolute_threshold", {"x", "y"}, "1E-9*((x - 2)^2 + y^2) + 1E-12*x",
                   {2, 0}, NotCritical, NotCritical},
        // A curvature below a millionth of the other one decides only with refined errors.
        KnownPoint{"weak_curvature", {"x", "y"}, "x^2 + 1E-7*y^2", {0, 0}, Inconclusive, Minimum}),
    [](const ::testing::TestParamInfo<KnownPoint>& info) { return std::string(info.param.name); });

TEST(Analysis, SteepestAscentIsTheUnitGradient)
{
    const HessianAnalysis a = analyseHessian(classicEstimates({1, 2}, 5, {3, -4}, {{2, 0}, {0, 2}}));
    ASSERT_EQ(a.ascent.size(), 2u);
    EXPECT_DOUBLE_EQ(a.ascent[0], 0.6);
    EXPECT_DOUBLE_EQ(a.ascent[1], -0.8);
    EXPECT_DOUBLE_EQ(a.gradientNorm, 5);
}

TEST(Analysis, EigenpairsOfTheHessianInAscendingOrder)
{
    const HessianAnalysis a = analyseHessian(classicEstimates({0, 0}, 0, {0, 0}, {{2, 1}, {1, 2}}));
    ASSERT_EQ(a.eigenvalues.size(), 2u);
    EXPECT_NEAR(a.eigenvalues[0], 1, 1e-15);
    EXPECT_NEAR(a.eigenvalues[1], 3, 1e-15);
    EXPECT_NEAR(std::fabs(a.eigenvectors[1][0]), std::sqrt(0.5), 1e-15);
    EXPECT_NEAR(a.eigenvectors[1][0], a.eigenvectors[1][1], 1e-15);
}

TEST(Analysis, AnUnreliableEstimateConcludesNothing)
{
    DerivativeEstimates e = classicEstimates({0, 0}, 0, {0, 0}, {{2, 0}, {0, 2}});
    e.refined = true;
    e.hessianError[1][1] = std::numeric_limits<double>::infinity();
    const HessianAnalysis a = analyseHessian(e);
    EXPECT_EQ(a.classification, Classification::Inconclusive);
    EXPECT_EQ(a.basis, "From the refined estimates and their errors: some estimates are unreliable, so "
                       "nothing can be concluded.");
}

}  // namespace
}  // namespace slopekit

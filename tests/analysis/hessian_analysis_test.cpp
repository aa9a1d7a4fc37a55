#include "analysis/hessian_analysis.h"
#include "derivatives/problem_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace slopekit {

// A failed comparison names the classification, not its bytes.
void PrintTo(Classification c, std::ostream* os) { *os << classificationKey(c); }

namespace {

using enum Classification;

// The classic and the refined results of a function at known points, through the engine.
TEST(Analysis, ClassifiesThePointByItsEstimates)
{
    struct Row {
        const char* name;
        const char* function;  // in x, y, z
        std::vector<double> point;
        Classification fromClassic;  // taking the classic results as good to a millionth
        Classification fromRefined;  // with the refinement's own error estimates
    };
    // clang-format off
    const Row rows[] = {
        {.name = "saddle", .function = "x^2 - y^2", .point = {0, 0}, .fromClassic = Saddle, .fromRefined = Saddle},
        {.name = "rosenbrock_minimum", .function = "(1 - x)^2 + 100*(y - x^2)^2", .point = {1, 1}, .fromClassic = Minimum, .fromRefined = Minimum},
        {.name = "maximum_off_origin", .function = "5 - (x - 3)^2 - 2*(y + 1)^2 + (x - 3)*(y + 1)", .point = {3, -1}, .fromClassic = Maximum, .fromRefined = Maximum},
        {.name = "flat_direction", .function = "x^2 + y^4", .point = {0, 0}, .fromClassic = Inconclusive, .fromRefined = Inconclusive},
        {.name = "saddle_despite_a_flat_direction", .function = "x^2 - y^2 + z^4", .point = {0, 0, 0}, .fromClassic = Saddle, .fromRefined = Saddle},
        {.name = "slope", .function = "x^2 + y^2", .point = {1, 0}, .fromClassic = NotCritical, .fromRefined = NotCritical},
        {.name = "one_variable_minimum", .function = "Cos(x)", .point = {3.141592653589793}, .fromClassic = Minimum, .fromRefined = Minimum},
        {.name = "one_variable_inflection", .function = "x^3", .point = {0}, .fromClassic = Inconclusive, .fromRefined = Inconclusive},
        {.name = "gradient_below_any_absolute_threshold", .function = "1E-9*((x - 2)^2 + y^2) + 1E-12*x", .point = {2, 0}, .fromClassic = NotCritical, .fromRefined = NotCritical},
        // A curvature below a millionth of the other one decides only with refined errors.
        {.name = "weak_curvature", .function = "x^2 + 1E-7*y^2", .point = {0, 0}, .fromClassic = Inconclusive, .fromRefined = Minimum},
    };
    // clang-format on
    for (const Row& row : rows) {
        const testing::EngineProblem p({"x", "y", "z"}, row.point, row.function);
        const DerivativeEstimates classic = classicEstimates(p.dim.Varx, p.refined.value, p.dim.Der1Val, p.dim.Der2Val);
        EXPECT_EQ(analyseHessian(classic).classification, row.fromClassic) << row.name << ": from the classic results";
        const DerivativeEstimates refined = estimatesFor(tabulateResults(p.dim, p.lines, p.refined, std::nullopt));
        EXPECT_EQ(analyseHessian(refined).classification, row.fromRefined) << row.name << ": from the refined results";
    }
}

// Gradient (3, -4) at (1, 2).
TEST(Analysis, GivesTheSteepestAscentWhereTheGradientIsNotZero)
{
    const HessianAnalysis slope = analyseHessian(classicEstimates({1, 2}, 5, {3, -4}, {{2, 0}, {0, 2}}));
    EXPECT_EQ(slope.ascent, (std::vector<double>{0.6, -0.8})) << "ascent direction";
    EXPECT_EQ(slope.gradientNorm, 5) << "gradient norm";
    EXPECT_EQ(slope.basis, "From the classic results, taken as good to one part in a million: the gradient is not "
                           "zero within its error (|grad f| = 5).");
}

// Hessian ((2, 1), (1, 2)): eigenvalues 1 and 3, the second along (1, 1).
TEST(Analysis, GivesTheEigenvaluesInAscendingOrderWithTheirEigenvectors)
{
    const HessianAnalysis flat = analyseHessian(classicEstimates({0, 0}, 0, {0, 0}, {{2, 1}, {1, 2}}));
    ASSERT_EQ(flat.eigenvalues.size(), 2u);
    EXPECT_NEAR(flat.eigenvalues[0], 1, 1e-15) << "first eigenvalue";
    EXPECT_NEAR(flat.eigenvalues[1], 3, 1e-15) << "second eigenvalue";
    EXPECT_NEAR(std::fabs(flat.eigenvectors[1][0]), std::sqrt(0.5), 1e-15) << "second eigenvector's x";
    EXPECT_NEAR(flat.eigenvectors[1][0], flat.eigenvectors[1][1], 1e-15) << "second eigenvector's y against its x";
}

// A classic entry is zero within a millionth of its scale: for a gradient entry |f| / s_i or
// what the Hessian makes of it, for a Hessian entry |f| / (s_i s_j) or the largest entry;
// the scale s_i of a coordinate is its size, at least 1.
TEST(Analysis, JudgesAClassicEntryZeroWithinAMillionthOfItsScale)
{
    struct Row {
        const char* name;
        std::vector<double> point;
        double value;
        std::vector<double> gradient;
        Matrix hessian;
        Classification classification;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "gradient_within_a_millionth_of_the_hessian", .point = {0, 0}, .value = 0, .gradient = {5e-7, 0}, .hessian = {{1, 0}, {0, 1}}, .classification = Minimum},
        {.name = "hessian_within_a_millionth_of_the_value", .point = {1e3, 1e3}, .value = 1e6, .gradient = {0, 0}, .hessian = {{1, 0}, {0, 1}}, .classification = Minimum},
        // 1E6 + 0.5*(x - 1000) + (x - 1000)^2: a slope of 0.5 is far beyond a millionth of 1E6 / 1000.
        {.name = "gradient_beyond_a_millionth_of_the_value_over_the_coordinate", .point = {1e3}, .value = 1e6, .gradient = {0.5}, .hessian = {{2}}, .classification = NotCritical},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(analyseHessian(classicEstimates(row.point, row.value, row.gradient, row.hessian)).classification,
                  row.classification)
            << row.name;
}

// A saddle of exact refined estimates: Hessian ((2, 0), (0, -2)), no error given.
DerivativeEstimates exactRefinedSaddle()
{
    return {.point = {0, 0},
            .value = 0,
            .gradient = {0, 0},
            .gradientError = {0, 0},
            .hessian = {{2, 0}, {0, -2}},
            .hessianError = {{0, 0}, {0, 0}},
            .basis = EstimateBasis::Refined};
}

// Exact refined estimates still carry the rounding of their last digits (16 eps of the largest entry, n times).
TEST(Analysis, CountsTheRoundingOfExactRefinedEstimatesInTheirError)
{
    EXPECT_EQ(analyseHessian(exactRefinedSaddle()).basis,
              "From the refined estimates and their errors: the gradient is zero within its "
              "error and one eigenvalue is positive and one negative beyond their error "
              "(1.4E-14).");
}

// An estimate without a usable error leaves the point undecided, be it a slope or a curvature.
TEST(Analysis, ConcludesNothingFromAnUnreliableEstimate)
{
    struct Row {
        const char* name;
        std::vector<double> gradientError;
        Matrix hessianError;
    };
    const double unknown = std::numeric_limits<double>::infinity();
    // clang-format off
    const Row rows[] = {
        {.name = "unreliable_curvature", .gradientError = {0, 0}, .hessianError = {{0, 0}, {0, unknown}}},
        {.name = "unreliable_slope", .gradientError = {0, unknown}, .hessianError = {{0, 0}, {0, 0}}},
    };
    // clang-format on
    for (const Row& row : rows) {
        DerivativeEstimates e = exactRefinedSaddle();
        e.gradientError = row.gradientError;
        e.hessianError = row.hessianError;
        const HessianAnalysis analysis = analyseHessian(e);
        EXPECT_EQ(analysis.classification, Inconclusive) << row.name << ": classification";
        EXPECT_EQ(analysis.basis, "From the refined estimates and their errors: some estimates are unreliable, so "
                                  "nothing can be concluded.")
            << row.name << ": basis";
    }
}

// Results of x and y whose classic and refined values are those of the engine for the
// function, with exact ones written out by hand.
ComputedResults withExact(const char* function, std::vector<double> point, const ExactDerivatives& exact)
{
    const testing::EngineProblem p({"x", "y"}, point, function);
    return tabulateResults(p.dim, p.lines, p.refined, exact);
}

ExactEntry value(double v) { return {v, ""}; }

TEST(Analysis, RestsOnTheExactResultsWhenEveryEntryHasOne)
{
    // A curvature of 1E-13 next to 2 is lost in the refined errors, not in exact ones.
    const ExactDerivatives exact{0, {value(0), value(0)}, {{value(2), value(0)}, {value(0), value(2e-13)}}};
    const HessianAnalysis analysis = analyseHessian(estimatesFor(withExact("x^2 + 1E-13*y^2", {0, 0}, exact)));
    EXPECT_EQ(analysis.classification, Minimum);
    EXPECT_EQ(analysis.basis, "From the exact derivatives, good to rounding: the gradient is zero within its error "
                              "and every eigenvalue is positive beyond its error (5.7E-14).");
}

TEST(Analysis, RestsOnTheRefinedResultsWhenAnExactEntryIsMissing)
{
    const ExactDerivatives exact{
        0, {value(0), value(0)}, {{value(2), value(0)}, {value(0), {std::nullopt, "no derivative: Abs at its kink"}}}};
    const HessianAnalysis analysis = analyseHessian(estimatesFor(withExact("x^2 + 1E-13*y^2", {0, 0}, exact)));
    EXPECT_THAT(analysis.basis, ::testing::StartsWith("From the refined estimates and their errors: "));
}

TEST(Analysis, JudgesAnExactGradientZeroAgainstTheRoundingOfTheTypedPoint)
{
    // Sin at 1.5707963267949, pi/2 to 14 digits: its slope is -3.2E-15, where the function is 1.
    const ExactDerivatives exact{1, {value(-3.2e-15)}, {{value(-1)}}};
    Dimension dim = testing::makeProblem({"x"}, {1.5707963267949});
    BuildLabels(dim);
    const ComputedResults results = tabulateResults(dim, {"Function = 1", "Dx = 0", "Dxx = -1"}, std::nullopt, exact);
    EXPECT_EQ(analyseHessian(estimatesFor(results)).classification, Maximum);
}

}  // namespace
}  // namespace slopekit

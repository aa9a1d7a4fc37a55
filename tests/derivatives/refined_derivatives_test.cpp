#include "derivatives/derivative_labels.h"
#include "derivatives/problem_fixture.h"
#include "derivatives/result_warnings.h"
#include "derivatives/step_choice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

namespace slopekit {
namespace {

TEST(StepChoice, ChoosesTheStepAndEstimatesItsError)
{
    struct Row {
        const char* name;
        std::vector<std::optional<double>> estimates;  // from the largest step down; none where a point failed
        std::vector<double> floors;                    // per estimate; none means 0
        RefinedEntry expected;
    };
    // 1 + 16^-k: a fourth-order formula converging on 1, which one Richardson step recovers.
    const Row rows[] = {
        {"smallest_spread_wins", {2, 1.0625, 1.00390625, 1.000244140625}, {}, {1, 0.062255859375, 0, true}},
        {"failed_step_breaks_the_run", {2, 1.0625, std::nullopt, 1.00390625, 1.000244140625, 1.0000152587890625}, {},
         {1, 0.0038909912109375, 0, true}},
        {"rounding_floor_keeps_a_larger_step", {2, 1.0625, 1.00390625, 1.000244140625, 1.0000152587890625},
         {0, 0, 0, 0, 1}, {1, 0.062255859375, 0, true}},
        {"false_plateau_at_large_steps_is_overruled", {0, 0, 0, 4, 4.25, 4.25}, {}, {4.25, 0.25, 0, true}},
        {"smaller_step_in_doubt_widens_the_error", {1, 1, 1, 1.25, 2, 1.25}, {}, {1, 31.0 / 60, 0, true}},
        {"smaller_step_just_within_both_errors_leaves_it", {0, 0, 0, 15}, {0, 0, 0.5, 0.5}, {0, 0.5, 0, true}},
        {"no_window_is_no_better_than_its_size", {3, std::nullopt, 1.5}, {}, {1.5, 1.5, 0, true}},
        {"no_window_is_no_better_than_its_spread", {3, 0.5}, {}, {0.5, 2.5, 0, true}},
        {"no_estimate_at_all", {std::nullopt, std::nullopt}, {}, {0, 0, 0, false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StepChoice choice;
        for (std::size_t k = 0; k < row.estimates.size(); ++k)
            choice.add(row.estimates[k], k < row.floors.size() ? row.floors[k] : 0.0, 1.0);
        const RefinedEntry result = choice.result();
        EXPECT_EQ(result.found, row.expected.found);
        EXPECT_DOUBLE_EQ(result.value, row.expected.value);
        EXPECT_DOUBLE_EQ(result.error, row.expected.error);
    }
}

// Two variables x, y with classic values and refined ones written out by hand: Dy is 2e-6
// of its size away, Dxy agrees but its refined value is unreliable, Dyy has no value.
TEST(RefinedResults, ListedWithTheirErrorsAndWarnedOnTheClassicList)
{
    Dimension dim = testing::makeProblem({"x", "y"}, {1, 2});
    BuildLabels(dim);
    dim.Der1Val = {4, 1};
    dim.Der2Val = {{4, 2}, {2, 0}};
    const RefinedDerivatives refined{2,
                                     {4, 1.000002}, {1.234e-13, 1e-12},                        // gradient, error
                                     {{4, 2}, {2, NAN}}, {{2e-10, 0.0049}, {0.0049, INFINITY}},  // hessian, error
                                     {4, 1.000002}, {{4, 2}, {2, 2}},                          // sizes
                                     {false, false}, {{false, true}, {true, true}}};           // unreliable
    EXPECT_THAT(refinedLines(dim, refined),
                ::testing::ElementsAre("Function = 2", "Dx = 4 ± 1.2E-13", "Dy = 1.000002 ± 1E-12", "Dxx = 4 ± 2E-10",
                                       "Dyy = no value: the function fails at every trial step", "Dxy = 2 ± 0.0049"));
    EXPECT_THAT(classicWarnings(dim, refined), ::testing::ElementsAre(false, false, true, false, true, true));
    EXPECT_EQ(warningTip(refined, {1, -1}), "May be inaccurate. Refined value: 1.000002 ± 1E-12");
    EXPECT_EQ(warningTip(refined, {1, 1}),
              "May be inaccurate: the refinement found no value (the function fails at every trial step).");
    EXPECT_TRUE(refinedUnreliable(refined, {0, 1}));
    EXPECT_FALSE(refinedUnreliable(refined, {-1, -1}) || refinedUnreliable(refined, {1, -1}));
    EXPECT_EQ(unreliableTip(refined, {0, 1}),
              "May be inaccurate: the estimates at different steps do not agree to a millionth.");
    EXPECT_EQ(unreliableTip(refined, {1, 1}), "No value: the function fails at every trial step.");
    EXPECT_EQ(warningStatus(1), "1 result may be inaccurate");
    EXPECT_EQ(warningStatus(0), "");
}

}  // namespace
}  // namespace slopekit

#include "derivatives/problem_fixture.h"
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

}  // namespace
}  // namespace slopekit

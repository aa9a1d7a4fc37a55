#include "derivatives/problem_fixture.h"
#include "derivatives/step_choice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

namespace slopekit {
namespace {

TEST(StepChoice, TakesTheValueWhereSuccessiveEstimatesAgreeBestWithTheirSpreadAsError)
{
    struct Row {
        const char* name;
        std::vector<std::optional<double>> estimates;  // from the largest step down; none where a point failed
        std::vector<double> floors = {};               // per estimate; none means 0
        double value = 0;
        double error = 0;
        bool found = true;
    };
    // 1 + 16^-k: a fourth-order formula converging on 1, which one Richardson step recovers.
    // clang-format off
    const Row rows[] = {
        {.name = "smallest_spread_wins", .estimates = {2, 1.0625, 1.00390625, 1.000244140625}, .value = 1, .error = 0.062255859375},
        {.name = "failed_step_breaks_the_run", .estimates = {2, 1.0625, std::nullopt, 1.00390625, 1.000244140625, 1.0000152587890625}, .value = 1, .error = 0.0038909912109375},
        {.name = "rounding_floor_keeps_a_larger_step", .estimates = {2, 1.0625, 1.00390625, 1.000244140625, 1.0000152587890625}, .floors = {0, 0, 0, 0, 1}, .value = 1, .error = 0.062255859375},
        {.name = "false_plateau_at_large_steps_is_overruled", .estimates = {0, 0, 0, 4, 4.25, 4.25}, .value = 4.25, .error = 0.25},
        {.name = "smaller_step_in_doubt_widens_the_error", .estimates = {1, 1, 1, 1.25, 2, 1.25}, .value = 1, .error = 31.0 / 60},
        {.name = "smaller_step_just_within_both_errors_leaves_it", .estimates = {0, 0, 0, 15}, .floors = {0, 0, 0.5, 0.5}, .value = 0, .error = 0.5},
        {.name = "no_window_is_no_better_than_its_size", .estimates = {3, std::nullopt, 1.5}, .value = 1.5, .error = 1.5},
        {.name = "no_window_is_no_better_than_its_spread", .estimates = {3, 0.5}, .value = 0.5, .error = 2.5},
        {.name = "no_estimate_at_all", .estimates = {std::nullopt, std::nullopt}, .found = false},
    };
    // clang-format on
    for (const Row& row : rows) {
        StepChoice choice;
        for (std::size_t k = 0; k < row.estimates.size(); ++k)
            choice.add(row.estimates[k], k < row.floors.size() ? row.floors[k] : 0.0, 1.0);
        const RefinedEntry result = choice.result();
        EXPECT_EQ(result.found, row.found) << row.name << ": found";
        EXPECT_DOUBLE_EQ(result.value, row.value) << row.name << ": value";
        EXPECT_DOUBLE_EQ(result.error, row.error) << row.name << ": error";
    }
}

}  // namespace
}  // namespace slopekit

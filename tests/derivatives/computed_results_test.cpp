// The one table of a computation's results, its warnings and its views, from results
// written out by hand for two variables x and y.
#include "derivatives/compute_command.h"
#include "derivatives/computed_results.h"
#include "derivatives/problem_fixture.h"
#include "derivatives/result_table.h"
#include "derivatives/result_views.h"
#include "derivatives/result_warnings.h"
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace slopekit {
namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();
const char* const Kink = "no derivative: Abs at its kink (column 5)";

// Classic, refined (with error) and exact results of x and y, in list order after the
// function: Dx, Dy, Dxx, Dyy, Dxy.
struct Results {
    std::vector<double> classic = {4, 1, 4, 0, 2};
    std::vector<double> refined = {4, 1.000002, 4, Nan, 2};
    std::vector<double> error = {1.234e-13, 1e-12, 2e-10, Inf, 0.0049};
    std::vector<bool> unreliable = {false, false, false, true, true};
    std::vector<ExactEntry> exact = {{4, ""}, {1, ""}, {4, ""}, {2, ""}, {std::nullopt, Kink}};
    bool withExact = true;
    bool withRefined = true;
};

// The five entries in the symmetric matrix of the Hessian.
template <typename T>
std::vector<std::vector<T>> hessianOf(const std::vector<T>& v)
{
    return {{v[2], v[4]}, {v[4], v[3]}};
}

ComputedResults tabulate(const Results& r)
{
    Dimension dim = testing::makeProblem({"x", "y"}, {1, 2});
    BuildLabels(dim);
    dim.Der1Val = {r.classic[0], r.classic[1]};
    dim.Der2Val = hessianOf(r.classic);
    std::vector<std::string> lines{"Function = 2"};
    for (const ListEntry& e : listEntries(2))
        if (e.i >= 0)
            lines.push_back(entryLabel(dim, e) + " = " + displayForm(classicValue(dim, e, 2)));
    const RefinedDerivatives refined{.value = 2,
                                     .gradient = {r.refined[0], r.refined[1]},
                                     .gradientError = {r.error[0], r.error[1]},
                                     .hessian = hessianOf(r.refined),
                                     .hessianError = hessianOf(r.error),
                                     .gradientSize = {},
                                     .hessianSize = {},
                                     .gradientUnreliable = {r.unreliable[0], r.unreliable[1]},
                                     .hessianUnreliable = hessianOf(r.unreliable),
                                     .evaluations = 300};
    const ExactDerivatives exact{.value = 2, .gradient = {r.exact[0], r.exact[1]}, .hessian = hessianOf(r.exact)};
    return tabulateResults(dim, lines, r.withRefined ? std::optional(refined) : std::nullopt,
                           r.withExact ? std::optional(exact) : std::nullopt);
}

TEST(ResultViews, ListTheLinesOfTheirKindOfResult)
{
    struct Row {
        const char* name;
        ResultView view;
        std::vector<std::string> lines;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "classic", .view = ResultView::Classic, .lines = {"Function = 2", "Dx = 4", "Dy = 1", "Dxx = 4", "Dyy = 0", "Dxy = 2"}},
        {.name = "refined", .view = ResultView::Refined, .lines = {"Function = 2", "Dx = 4 ± 1.2E-13", "Dy = 1.000002 ± 1E-12", "Dxx = 4 ± 2E-10", "Dyy = no value: the function fails at every trial step", "Dxy = 2 ± 0.0049"}},
        {.name = "exact", .view = ResultView::Exact, .lines = {"Function = 2", "Dx = 4", "Dy = 1", "Dxx = 4", "Dyy = 2", std::string("Dxy = ") + Kink}},
    };
    // clang-format on
    const ComputedResults results = tabulate({});
    for (const Row& row : rows)
        EXPECT_EQ(viewLines(results, row.view), row.lines) << row.name << ": lines";
}

TEST(ResultViews, WithoutRefinedResultsTheRefinedViewListsTheClassicLines)
{
    const ComputedResults results = tabulate({.withRefined = false});
    EXPECT_EQ(viewLines(results, ResultView::Refined), viewLines(results, ResultView::Classic));
}

TEST(ResultViews, WithoutExactResultsTheExactViewSaysWhy)
{
    const ComputedResults results = tabulate({.withExact = false});
    EXPECT_EQ(viewLines(results, ResultView::Exact)[1], std::string("Dx = ") + NoExactResults);
}

TEST(ResultViews, ARefinedValueShowsOnlyTheDigitsItsErrorSupports)
{
    struct Row {
        const char* name;
        double value;
        double error;
        const char* text;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "noise_below_the_error_is_zero", .value = -7.94093388050907e-24, .error = 1.7e-18, .text = "0 ± 1.7E-18"},
        {.name = "rounded_to_the_errors_last_digit", .value = -976.947808554655, .error = 110, .text = "-980 ± 110"},
        {.name = "digits_down_to_the_errors_second", .value = 1.23456789, .error = 0.0049, .text = "1.2346 ± 0.0049"},
        {.name = "fewer_digits_than_the_error_allows_stay", .value = 1.000002, .error = 1e-12, .text = "1.000002 ± 1E-12"},
        {.name = "an_error_of_zero_keeps_every_digit", .value = 3.14159265358979, .error = 0, .text = "3.14159265358979 ± 0"},
        {.name = "rounding_up_to_a_new_digit", .value = 9.996, .error = 0.1, .text = "10 ± 0.1"},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(refinedText(row.value, row.error), row.text) << row.name << ": text";
}

// The names under which the view is remembered between sessions.
TEST(ResultViews, TheirNamesReadBack)
{
    for (ResultView view : {ResultView::Classic, ResultView::Refined, ResultView::Exact})
        EXPECT_EQ(viewFromKey(viewKey(view)), view) << viewKey(view);
}

// Dy and Dxy off their references, Dyy and Dxy unreliable when refined.
TEST(ResultViews, MarkTheLinesTheirKindOfResultDoubts)
{
    struct Row {
        const char* name;
        ResultView view;
        std::vector<std::string> marked;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "classic_warnings", .view = ResultView::Classic, .marked = {"Dy", "Dxy"}},
        {.name = "unreliable_refined_values", .view = ResultView::Refined, .marked = {"Dyy", "Dxy"}},
        {.name = "nothing_exact", .view = ResultView::Exact, .marked = {}},
    };
    // clang-format on
    const ComputedResults results = tabulate({.classic = {4, 1.1, 4, 2, 2}});
    for (const Row& row : rows) {
        std::vector<std::string> marked;
        for (const ResultEntry& e : results.entries)
            if (markedInView(results, e, row.view))
                marked.push_back(e.label);
        EXPECT_EQ(marked, row.marked) << row.name << ": marked lines";
    }
}

TEST(ResultTable, CopiesTheViewAsTabSeparatedCells)
{
    EXPECT_EQ(resultTable(tabulate({}), ResultView::Refined),
              "Function\t2\nDx\t4\t1.2E-13\nDy\t1.000002\t1E-12\nDxx\t4\t2E-10\n"
              "Dyy\tno value: the function fails at every trial step\nDxy\t2\t0.0049\n");
}

TEST(ResultTable, CopiesTheGivenLinesOfTheView)
{
    EXPECT_EQ(resultText(tabulate({}), ResultView::Exact, {2, 5}), std::string("Dy = 1\nDxy = ") + Kink + "\n");
}

TEST(ComputedResults, FindsAMixedEntryWhateverTheOrderOfItsVariables)
{
    Dimension dim = testing::makeProblem({"x", "y", "z"}, {1, 2, 3});
    BuildLabels(dim);
    const ComputedResults results =
        tabulateResults(dim, std::vector<std::string>(10, "= 0"), std::nullopt, std::nullopt);
    EXPECT_EQ(resultEntry(results, 2, 0).label, "Dxz") << "z before x";
    EXPECT_EQ(resultEntry(results, 1, 2).label, "Dyz") << "y before z";
}

TEST(ComputedResults, HaveNoEntryForAVariableBeyondTheProblem)
{
    EXPECT_THROW(resultEntry(tabulate({}), 2, -1), std::out_of_range) << "D of a third variable of two";
}

std::vector<ExactEntry> exact(double dx, double dy, double dxx, double dyy, double dxy)
{
    return {{dx, ""}, {dy, ""}, {dxx, ""}, {dyy, ""}, {dxy, ""}};
}

// The mark of Dx (or of Dxx, for a Hessian row) against its reference, the other entries
// of its kind as given.
TEST(Warnings, MarkAClassicValueOffItsReferenceByMoreThanAMillionthOfItsSize)
{
    struct Row {
        const char* name;
        std::vector<double> classic;
        std::vector<double> refined = {4, 1, 4, 2, 2};
        std::vector<double> error = {1e-13, 1e-13, 1e-13, 1e-13, 1e-13};
        std::vector<ExactEntry> exact =
            std::vector<ExactEntry>(5, ExactEntry{std::nullopt, "no derivative: Sgn at its jump (column 1)"});
        bool dxMarked = false;
        bool dyMarked = false;
        bool dxxMarked = false;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "exact_within_a_millionth", .classic = {4.0000039, 1, 4.0000041, 2, 2}, .exact = exact(4, 1, 4, 2, 2), .dxxMarked = true},
        {.name = "exact_zero_measured_by_the_largest_of_its_kind", .classic = {3e-6, 4, 3e-6, 2, 2}, .exact = exact(0, 4, 0, 2, 2), .dxxMarked = true},
        {.name = "exact_zero_measured_by_a_largest_of_its_kind_below_one", .classic = {7e-7, 0.5, 4, 2, 2}, .exact = exact(0, 0.5, 4, 2, 2), .dxMarked = true},
        {.name = "exact_zero_measured_by_the_first_variables_entry", .classic = {4, 3e-6, 4, 2, 2}, .exact = exact(4, 0, 4, 2, 2)},
        {.name = "every_exact_of_its_kind_zero_measured_by_one", .classic = {9e-7, 0, 2e-6, 0, 0}, .exact = exact(0, 0, 0, 0, 0), .dxxMarked = true},
        {.name = "exact_rounding_of_zero_measured_by_the_largest_of_its_kind", .classic = {3e-6, 4, 1.5e-6, 2, 2}, .exact = exact(2.2e-16, 4, 1e-16, 2, 2)},
        {.name = "small_exact_beside_a_huge_one_keeps_its_size", .classic = {1, 1, -13521200, 1.2e15, 2}, .exact = exact(1, 1, 200, 1.2e15, 2), .dxxMarked = true},
        {.name = "correct_zero_near_the_rounding_of_the_classic", .classic = {8.16e-14, 1.48e-14, 802, 200, -400}, .refined = {0, 0, 802, 200, -400}, .exact = exact(0, 0, 802, 200, -400)},
        {.name = "refined_differs_within_its_error", .classic = {4.1, 1, 4.1, 2, 2}, .error = {0.2, 1e-13, 0.05, 1e-13, 1e-13}, .dxxMarked = true},
        {.name = "refined_zero_within_its_error_has_no_scale", .classic = {3e-6, 4, 2, 2, 2}, .refined = {6e-20, 4, 2, 2, 2}, .error = {4e-17, 1e-13, 1e-13, 1e-13, 1e-13}},
        {.name = "no_reference_at_all", .classic = {4, 1, 4, 2, 2}, .refined = {Nan, 1, Nan, 2, 2}, .error = {Inf, 1e-13, Inf, 1e-13, 1e-13}, .dxMarked = true, .dxxMarked = true},
    };
    // clang-format on
    for (const Row& row : rows) {
        const ComputedResults results =
            tabulate({.classic = row.classic, .refined = row.refined, .error = row.error, .exact = row.exact});
        EXPECT_EQ(resultEntry(results, 0, -1).marked, row.dxMarked) << row.name << ": Dx marked";
        EXPECT_EQ(resultEntry(results, 1, -1).marked, row.dyMarked) << row.name << ": Dy marked";
        EXPECT_EQ(resultEntry(results, 0, 0).marked, row.dxxMarked) << row.name << ": Dxx marked";
    }
}

// The window's tests hold the tips with an exact value and with a refined one.
TEST(Warnings, TheTipSaysWhenTheRefinementFoundNoValue)
{
    const ComputedResults results =
        tabulate({.exact = {{4, ""}, {1, ""}, {4, ""}, {std::nullopt, "no derivative: Sqr at 0 (column 1)"}, {2, ""}}});
    EXPECT_EQ(warningTip(resultEntry(results, 1, 1)),
              "May be inaccurate (no derivative: Sqr at 0 (column 1)): the refinement found no value (the function "
              "fails at every trial step).");
}

TEST(Warnings, TheTipLeavesOutTheReasonWhenNoExactResultsWereComputed)
{
    EXPECT_EQ(warningTip(resultEntry(tabulate({.withExact = false}), 1, -1)),
              "May be inaccurate. Refined value: 1.000002 ± 1E-12");
}

TEST(Warnings, TheTipOfAnUnreliableRefinedLineSaysWhy)
{
    const ComputedResults results = tabulate({});
    EXPECT_EQ(unreliableTip(resultEntry(results, 0, 1)),
              "May be inaccurate: the estimates at different steps do not agree to a millionth.")
        << "estimates that disagree";
    EXPECT_EQ(unreliableTip(resultEntry(results, 1, 1)), "No value: the function fails at every trial step.")
        << "no estimate";
}

TEST(RunCompute, AFailingExactEvaluationLeavesTheOtherResults)
{
    Dimension dim = testing::makeProblem({"x"}, {0});
    const auto cube = [&dim] { return dim.Varx[0] * dim.Varx[0] * dim.Varx[0]; };
    const auto failing = []() -> ExactDerivatives { throw RunError(errnum::InvalidCall, "test"); };
    const ComputeHooks hooks{.registerConstants = [] {},
                             .evaluateFunction = cube,
                             .announcedByErrorEvent = [](const RunError&) { return false; },
                             .messageText = runErrorMessage,
                             .muteErrorEvent = {},
                             .evaluateExact = failing};
    const ComputeOutcome outcome = runCompute(dim, hooks, "x^3", {"2"});
    ASSERT_TRUE(outcome.results.has_value()) << "results";
    EXPECT_FALSE(outcome.results->exactKnown) << "exact results";
    EXPECT_EQ(viewLines(*outcome.results, ResultView::Classic), outcome.lines) << "classic lines";
}

}  // namespace
}  // namespace slopekit

// The one table of a computation's results, its warnings and its views, from results
// written out by hand for two variables x and y.
#include "derivatives/compute_command.h"
#include "derivatives/computed_results.h"
#include "derivatives/problem_fixture.h"
#include "derivatives/result_table.h"
#include "derivatives/result_views.h"
#include "derivatives/result_warnings.h"
#include "numbers/number_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace slopekit {
namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// Classic, refined (with error) and exact results of x and y, in list order after the
// function: Dx, Dy, Dxx, Dyy, Dxy.
struct Results {
    std::vector<double> classic = {4, 1, 4, 0, 2};
    std::vector<double> refined = {4, 1.000002, 4, Nan, 2};
    std::vector<double> error = {1.234e-13, 1e-12, 2e-10, Inf, 0.0049};
    std::vector<bool> unreliable = {false, false, false, true, true};
    std::vector<ExactEntry> exact = {{4, ""}, {1, ""}, {4, ""}, {2, ""}, {std::nullopt, "no derivative: Abs at its kink (column 5)"}};
    bool withExact = true;
    bool withRefined = true;
};

ComputedResults tabulate(const Results& r)
{
    Dimension dim = testing::makeProblem({"x", "y"}, {1, 2});
    BuildLabels(dim);
    dim.Der1Val = {r.classic[0], r.classic[1]};
    dim.Der2Val = {{r.classic[2], r.classic[4]}, {r.classic[4], r.classic[3]}};
    std::vector<std::string> lines{"Function = 2"};
    for (const ListEntry& e : listEntries(2))
        if (e.i >= 0)
            lines.push_back(entryLabel(dim, e) + " = " + displayForm(classicValue(dim, e, 2)));
    const RefinedDerivatives refined{2,
                                     {r.refined[0], r.refined[1]},
                                     {r.error[0], r.error[1]},
                                     {{r.refined[2], r.refined[4]}, {r.refined[4], r.refined[3]}},
                                     {{r.error[2], r.error[4]}, {r.error[4], r.error[3]}},
                                     {},
                                     {},
                                     {r.unreliable[0], r.unreliable[1]},
                                     {{r.unreliable[2], r.unreliable[4]}, {r.unreliable[4], r.unreliable[3]}},
                                     300};
    const ExactDerivatives exact{2, {r.exact[0], r.exact[1]}, {{r.exact[2], r.exact[4]}, {r.exact[4], r.exact[3]}}};
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
    const Row rows[] = {
        {.name = "classic",
         .view = ResultView::Classic,
         .lines = {"Function = 2", "Dx = 4", "Dy = 1", "Dxx = 4", "Dyy = 0", "Dxy = 2"}},
        {.name = "refined",
         .view = ResultView::Refined,
         .lines = {"Function = 2", "Dx = 4 ± 1.2E-13", "Dy = 1.000002 ± 1E-12", "Dxx = 4 ± 2E-10",
                   "Dyy = no value: the function fails at every trial step", "Dxy = 2 ± 0.0049"}},
        {.name = "exact",
         .view = ResultView::Exact,
         .lines = {"Function = 2", "Dx = 4", "Dy = 1", "Dxx = 4", "Dyy = 2", "Dxy = no derivative: Abs at its kink (column 5)"}},
    };
    const ComputedResults results = tabulate({});
    for (const Row& row : rows)
        EXPECT_EQ(viewLines(results, row.view), row.lines) << row.name;
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
        double value, error;
        const char* text;
    };
    const Row rows[] = {
        {.name = "noise_below_the_error_is_zero", .value = -7.94093388050907e-24, .error = 1.7e-18, .text = "0 ± 1.7E-18"},
        {.name = "rounded_to_the_errors_last_digit", .value = -976.947808554655, .error = 110, .text = "-980 ± 110"},
        {.name = "digits_down_to_the_errors_second", .value = 1.23456789, .error = 0.0049, .text = "1.2346 ± 0.0049"},
        {.name = "fewer_digits_than_the_error_allows_stay", .value = 1.000002, .error = 1e-12, .text = "1.000002 ± 1E-12"},
        {.name = "an_error_of_zero_keeps_every_digit", .value = 3.14159265358979, .error = 0, .text = "3.14159265358979 ± 0"},
        {.name = "rounding_up_to_a_new_digit", .value = 9.996, .error = 0.1, .text = "10 ± 0.1"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(refinedText(row.value, row.error), row.text) << row.name << ": text";
}

TEST(ResultViews, TheirNamesReadBack)
{
    for (ResultView view : {ResultView::Classic, ResultView::Refined, ResultView::Exact})
        EXPECT_EQ(viewFromKey(viewKey(view)), view) << viewKey(view);
    EXPECT_EQ(viewFromKey("Exact"), std::nullopt);
}

// Dy and Dxy off their references, Dyy and Dxy unreliable when refined.
TEST(ResultViews, MarkTheLinesTheirKindOfResultDoubts)
{
    struct Row {
        const char* name;
        ResultView view;
        std::vector<std::string> marked;
    };
    const Row rows[] = {
        {.name = "classic_warnings", .view = ResultView::Classic, .marked = {"Dy", "Dxy"}},
        {.name = "unreliable_refined_values", .view = ResultView::Refined, .marked = {"Dyy", "Dxy"}},
        {.name = "nothing_exact", .view = ResultView::Exact, .marked = {}},
    };
    const ComputedResults results = tabulate({.classic = {4, 1.1, 4, 2, 2}});
    for (const Row& row : rows) {
        std::vector<std::string> marked;
        for (const ResultEntry& e : results.entries)
            if (markedInView(results, e, row.view))
                marked.push_back(e.label);
        EXPECT_EQ(marked, row.marked) << row.name;
    }
}

TEST(ResultTable, CopiesTheViewAsTabSeparatedCells)
{
    const ComputedResults results = tabulate({});
    EXPECT_EQ(resultTable(results, ResultView::Refined),
              "Function\t2\nDx\t4\t1.2E-13\nDy\t1.000002\t1E-12\nDx" "x\t4\t2E-10\n"
              "Dyy\tno value: the function fails at every trial step\nDxy\t2\t0.0049\n");
    EXPECT_EQ(resultTable(results, ResultView::Exact),
              "Function\t2\nDx\t4\nDy\t1\nDxx\t4\nDyy\t2\nDxy\tno derivative: Abs at its kink (column 5)\n");
}

TEST(ResultTable, CopiesTheGivenLinesOfTheView)
{
    EXPECT_EQ(resultText(tabulate({}), ResultView::Exact, {2, 5}),
              "Dy = 1\nDxy = no derivative: Abs at its kink (column 5)\n");
}

TEST(ComputedResults, FindsEachEntryWhateverTheOrderOfItsVariables)
{
    Dimension dim = testing::makeProblem({"x", "y", "z"}, {1, 2, 3});
    BuildLabels(dim);
    const ComputedResults results = tabulateResults(dim, std::vector<std::string>(10, "= 0"), std::nullopt, std::nullopt);
    EXPECT_EQ(resultEntry(results, -1, -1).label, "Function");
    EXPECT_EQ(resultEntry(results, 2, -1).label, "Dz");
    EXPECT_EQ(resultEntry(results, 1, 1).label, "Dyy");
    EXPECT_EQ(resultEntry(results, 2, 0).label, "Dxz");
    EXPECT_EQ(resultEntry(results, 1, 2).label, "Dyz");
}

TEST(ComputedResults, AreEveryEntryExactOnlyWhenNoneIsMissing)
{
    EXPECT_FALSE(everyEntryExact(tabulate({}))) << "one entry without a derivative";
    EXPECT_TRUE(everyEntryExact(tabulate({.exact = {{4, ""}, {1, ""}, {4, ""}, {2, ""}, {2, ""}}}))) << "all there";
    EXPECT_FALSE(everyEntryExact(tabulate({.withExact = false}))) << "no exact results";
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
        std::vector<ExactEntry> exact = std::vector<ExactEntry>(5, ExactEntry{std::nullopt, "no derivative: Sgn at its jump (column 1)"});
        bool dxMarked = false;
        bool dyMarked = false;
        bool dxxMarked = false;
    };
    const auto exact = [](double dx, double dy, double dxx, double dyy, double dxy) {
        return std::vector<ExactEntry>{{dx, ""}, {dy, ""}, {dxx, ""}, {dyy, ""}, {dxy, ""}};
    };
    const Row rows[] = {
        {.name = "exact_within_a_millionth", .classic = {4.0000039, 1, 4.0000041, 2, 2}, .exact = exact(4, 1, 4, 2, 2),
         .dxxMarked = true},
        {.name = "exact_zero_measured_by_the_largest_of_its_kind", .classic = {3e-6, 4, 3e-6, 2, 2},
         .exact = exact(0, 4, 0, 2, 2), .dxxMarked = true},
        {.name = "exact_zero_measured_by_a_largest_of_its_kind_below_one", .classic = {7e-7, 0.5, 4, 2, 2},
         .exact = exact(0, 0.5, 4, 2, 2), .dxMarked = true},
        {.name = "exact_zero_measured_by_the_first_variables_entry", .classic = {4, 3e-6, 4, 2, 2},
         .exact = exact(4, 0, 4, 2, 2)},
        {.name = "every_exact_of_its_kind_zero_measured_by_one", .classic = {9e-7, 0, 2e-6, 0, 0},
         .exact = exact(0, 0, 0, 0, 0), .dxxMarked = true},
        {.name = "exact_rounding_of_zero_measured_by_the_largest_of_its_kind", .classic = {3e-6, 4, 1.5e-6, 2, 2},
         .exact = exact(2.2e-16, 4, 1e-16, 2, 2)},
        {.name = "small_exact_beside_a_huge_one_keeps_its_size", .classic = {1, 1, -13521200, 1.2e15, 2},
         .exact = exact(1, 1, 200, 1.2e15, 2), .dxxMarked = true},
        {.name = "correct_zero_near_the_rounding_of_the_classic", .classic = {8.16e-14, 1.48e-14, 802, 200, -400},
         .refined = {0, 0, 802, 200, -400}, .exact = exact(0, 0, 802, 200, -400)},
        {.name = "refined_differs_within_its_error", .classic = {4.1, 1, 4.1, 2, 2},
         .error = {0.2, 1e-13, 0.05, 1e-13, 1e-13}, .dxxMarked = true},
        {.name = "refined_zero_within_its_error_has_no_scale", .classic = {3e-6, 4, 2, 2, 2},
         .refined = {6e-20, 4, 2, 2, 2}, .error = {4e-17, 1e-13, 1e-13, 1e-13, 1e-13}},
        {.name = "no_reference_at_all", .classic = {4, 1, 4, 2, 2}, .refined = {Nan, 1, Nan, 2, 2},
         .error = {Inf, 1e-13, Inf, 1e-13, 1e-13}, .dxMarked = true, .dxxMarked = true},
    };
    for (const Row& row : rows) {
        const ComputedResults results =
            tabulate({.classic = row.classic, .refined = row.refined, .error = row.error, .exact = row.exact});
        EXPECT_EQ(resultEntry(results, 0, -1).marked, row.dxMarked) << row.name << ": Dx marked";
        EXPECT_EQ(resultEntry(results, 1, -1).marked, row.dyMarked) << row.name << ": Dy marked";
        EXPECT_EQ(resultEntry(results, 0, 0).marked, row.dxxMarked) << row.name << ": Dxx marked";
    }
}

TEST(Warnings, AnUnreliableRefinedValueWhereNoDerivativeExistsMarks)
{
    const ComputedResults results = tabulate({.classic = {4, 1, 4, 2, 15555.6}, .refined = {4, 1, 4, 2, 15555.6}});
    EXPECT_TRUE(resultEntry(results, 0, 1).marked);
}

TEST(Warnings, TheFunctionLineIsNeverMarked)
{
    EXPECT_FALSE(tabulate({.withExact = false, .withRefined = false}).entries[0].marked);
}

TEST(Warnings, TheTipGivesTheReference)
{
    const ComputedResults results =
        tabulate({.classic = {4.1, 1.1, 4, 0, 3}, .refined = {4, 1.000002, 4, Nan, 2}, .error = {1e-13, 1e-12, 1e-10, Inf, 1e-9},
                  .exact = {{4, ""}, {std::nullopt, "no derivative: Int at a whole number (column 3)"}, {4, ""},
                            {std::nullopt, "no derivative: Sqr at 0 (column 1)"}, {std::nullopt, NoExactResults}}});
    EXPECT_EQ(warningTip(resultEntry(results, 0, -1)), "May be inaccurate. Exact value: 4") << "exact";
    EXPECT_EQ(warningTip(resultEntry(results, 1, -1)),
              "May be inaccurate (no derivative: Int at a whole number (column 3)). Refined value: 1.000002 ± 1E-12")
        << "refined where no derivative exists";
    EXPECT_EQ(warningTip(resultEntry(results, 1, 1)), "May be inaccurate (no derivative: Sqr at 0 (column 1)): the "
                                                      "refinement found no value (the function fails at every trial step).")
        << "neither exact nor refined";
    EXPECT_EQ(warningTip(resultEntry(results, 0, 1)), "May be inaccurate. Refined value: 2 ± 1E-09")
        << "refined where no exact results were computed";
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

TEST(Warnings, TheStatusCountsTheMarkedLines)
{
    EXPECT_EQ(warningStatus(1), "1 result may be inaccurate");
    EXPECT_EQ(warningStatus(3), "3 results may be inaccurate");
    EXPECT_EQ(warningStatus(0), "");
}

// x^3 at 2, with exact results from a hook that may fail.
ComputeOutcome cubeWithExact(std::function<ExactDerivatives()> exact)
{
    Dimension dim = testing::makeProblem({"x"}, {0});
    const auto cube = [&dim] { return dim.Varx[0] * dim.Varx[0] * dim.Varx[0]; };
    const ComputeHooks hooks{[] {}, cube, [](const RunError&) { return false; }, runErrorMessage, nullptr, {},
                             std::move(exact)};
    return runCompute(dim, hooks, "x^3", {"2"});
}

TEST(RunCompute, TabulatesEveryKindOfResult)
{
    const ComputeOutcome outcome = cubeWithExact([] { return ExactDerivatives{8, {{12, ""}}, {{{12, ""}}}}; });
    ASSERT_TRUE(outcome.results.has_value());
    EXPECT_EQ(viewLines(*outcome.results, ResultView::Classic), outcome.lines);
    EXPECT_EQ(viewLines(*outcome.results, ResultView::Exact), (std::vector<std::string>{"Function = 8", "Dx = 12", "Dxx = 12"}));
    EXPECT_TRUE(outcome.results->refinedKnown);
}

TEST(RunCompute, AFailingExactEvaluationLeavesTheOtherResults)
{
    const ComputeOutcome outcome = cubeWithExact([]() -> ExactDerivatives { throw RunError(errnum::InvalidCall, "test"); });
    ASSERT_TRUE(outcome.results.has_value());
    EXPECT_FALSE(outcome.results->exactKnown);
    EXPECT_EQ(viewLines(*outcome.results, ResultView::Classic), outcome.lines);
}

}  // namespace
}  // namespace slopekit

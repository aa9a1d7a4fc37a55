#include "ascii/ascii.h"
#include "problem/dimension.h"
#include "problem/entry_checks.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace slopekit {
namespace {

TEST(CountCheck, TakesOneToTenRoundedHalfToEven)
{
    struct Row {
        const char* name;
        const char* text;
        int order;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "ten", .text = "10", .order = 10},
        {.name = "half_down_to_even", .text = "2.5", .order = 2},
        {.name = "half_up_to_even", .text = "3.5", .order = 4},
        {.name = "half_up_to_ten", .text = "9.5", .order = 10},
        {.name = "just_above_a_half", .text = "0.51", .order = 1},
        {.name = "hexadecimal", .text = "&HA", .order = 10},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(countCheck(row.text), row.order) << row.name << ": number of variables";
}

TEST(CountCheck, RefusesOtherCounts)
{
    struct Row {
        const char* name;
        const char* text;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "zero", .text = "0"},
        {.name = "not_a_number", .text = "abc"},
        {.name = "eleven", .text = "11"},
        {.name = "the_limit_is_on_the_text", .text = "10.4"},
        {.name = "half_rounds_to_none", .text = "0.5"},
        {.name = "beyond_the_double_range", .text = "1e400"},
        {.name = "hexadecimal_beyond_ten", .text = "&HFF"},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(countCheck(row.text), std::nullopt) << row.name;
}

// Stands for the names the expression language keeps for itself.
bool reserved(std::string_view name) { return sameName(name, "Mod"); }

TEST(NamesCheck, AcceptsAsManyDistinctNamesAsTheOrderSplitAtCommas)
{
    struct Row {
        const char* name;
        std::string text;
        int order;
        std::vector<std::string> parts;
        std::size_t labelled;  // as many as order: accepted
        std::string fault;
    };
    const char* const NotAName = " is not a name: a name starts with a letter and has only letters and digits.";
    const char* const Twice = " is given twice: names that differ only in case are the same name.";
    // clang-format off
    const Row rows[] = {
        {.name = "starting_names_for_four", .text = "x,y,z,t", .order = 4, .parts = {"x", "y", "z", "t"}, .labelled = 4, .fault = ""},
        {.name = "four_parts_for_three", .text = "x,y,z,t", .order = 3, .parts = {"x", "y", "z", "t"}, .labelled = 0, .fault = "Give 3 names, separated by commas."},
        {.name = "empty_middle_part", .text = "x,,z", .order = 3, .parts = {"x", "", "z"}, .labelled = 1, .fault = "A name is missing."},
        {.name = "blank_before_a_name", .text = "x, y,z", .order = 3, .parts = {"x", " y", "z"}, .labelled = 1, .fault = std::string("\" y\"") + NotAName},
        {.name = "digit_first", .text = "x1,2x", .order = 2, .parts = {"x1", "2x"}, .labelled = 1, .fault = std::string("\"2x\"") + NotAName},
        {.name = "reserved", .text = "x,mOD", .order = 2, .parts = {"x", "mOD"}, .labelled = 1, .fault = "\"mOD\" cannot be a name: the expression language uses it."},
        {.name = "repeated_in_other_case", .text = "Rate,rATE", .order = 2, .parts = {"Rate", "rATE"}, .labelled = 1, .fault = std::string("\"rATE\"") + Twice},
        {.name = "single_name", .text = "Z", .order = 1, .parts = {"Z"}, .labelled = 1, .fault = ""},
        {.name = "empty_text_has_no_parts", .text = "", .order = 1, .parts = {}, .labelled = 0, .fault = "Give 1 name."},
        {.name = "lone_comma", .text = ",", .order = 2, .parts = {"", ""}, .labelled = 0, .fault = "A name is missing."},
    };
    // clang-format on
    for (const Row& row : rows) {
        const NamesCheck check = namesCheck(row.text, row.order, reserved);
        EXPECT_EQ(check.parts, row.parts) << row.name << ": parts";
        EXPECT_EQ(check.accepted, row.labelled == static_cast<std::size_t>(row.order)) << row.name << ": accepted";
        EXPECT_EQ(check.labelled, row.labelled) << row.name << ": labelled";
        EXPECT_EQ(check.fault, row.fault) << row.name << ": fault";
    }
}

TEST(Dimension, RedimensionCreatesEveryArrayAnew)
{
    Dimension d;
    d.redimension(10);
    d.VarNams[0] = d.Der1Label[0] = d.Der2Label[0][0] = "t";
    d.Varx[0] = d.Der1Val[0] = d.Der2Val[0][0] = 2.5;
    d.redimension(1);
    EXPECT_EQ(d.Order, 1);
    for (const auto* texts : {&d.VarNams, &d.Der1Label, &d.Der2Label[0]})
        EXPECT_EQ(*texts, std::vector<std::string>{""});
    for (const auto* values : {&d.Varx, &d.Der1Val, &d.Der2Val[0]})
        EXPECT_EQ(*values, std::vector<double>{0});
    EXPECT_EQ(d.Der2Val.size(), 1u) << "rows of second derivatives";
    EXPECT_EQ(d.Der2Label.size(), 1u) << "rows of second-derivative labels";
}

TEST(Dimension, RedimensionRefusesCountsOutsideOneToTen)
{
    Dimension d;
    d.redimension(1);
    for (int n : {0, -1, 11}) {
        EXPECT_THROW(d.redimension(n), std::out_of_range) << n;
        EXPECT_EQ(d.Varx.size(), 1u) << n << ": a refused count keeps the old shape";
    }
}

}  // namespace
}  // namespace slopekit

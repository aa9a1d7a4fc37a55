#include "problem/dimension.h"
#include "problem/entry_checks.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace slopekit {
namespace {

TEST(CountCheck, AcceptsOneToTenAndRoundsHalfToEven)
{
    struct Row {
        const char* text;
        std::optional<int> order;  // nothing: refused
    };
    const Row rows[] = {
        {"10", 10}, {"2.5", 2}, {"3.5", 4}, {"9.5", 10}, {"0.51", 1}, {"&HA", 10}, {"0", std::nullopt},
        {"abc", std::nullopt}, {"11", std::nullopt}, {"10.4", std::nullopt},  // the limit is on the text
        {"0.5", std::nullopt} /* would round to none */, {"1e400", std::nullopt}, {"&HFF", std::nullopt}};
    for (const Row& row : rows)
        EXPECT_EQ(countCheck(row.text), row.order) << row.text;
}

// Stands for the names the expression language keeps for itself.
bool reserved(std::string_view name) { return sameName(name, "Mod"); }

TEST(NamesCheck, SplitsAtEveryCommaAndNeedsOrderDistinctNames)
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
    const Row rows[] = {
        {"starting_names_for_four", "x,y,z,t", 4, {"x", "y", "z", "t"}, 4, ""},
        {"four_parts_for_three", "x,y,z,t", 3, {"x", "y", "z", "t"}, 0, "Give 3 names, separated by commas."},
        {"empty_middle_part", "x,,z", 3, {"x", "", "z"}, 1, "A name is missing."},
        {"blank_before_a_name", "x, y,z", 3, {"x", " y", "z"}, 1, std::string("\" y\"") + NotAName},
        {"digit_first", "x1,2x", 2, {"x1", "2x"}, 1, std::string("\"2x\"") + NotAName},
        {"reserved", "x,mOD", 2, {"x", "mOD"}, 1, "\"mOD\" cannot be a name: the expression language uses it."},
        {"repeated_in_other_case", "Rate,rATE", 2, {"Rate", "rATE"}, 1, std::string("\"rATE\"") + Twice},
        {"single_name", "Z", 1, {"Z"}, 1, ""},
        {"empty_text_has_no_parts", "", 1, {}, 0, "Give 1 name."},
        {"lone_comma", ",", 2, {"", ""}, 0, "A name is missing."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const NamesCheck check = namesCheck(row.text, row.order, reserved);
        EXPECT_EQ(check.parts, row.parts);
        EXPECT_EQ(check.accepted, row.labelled == static_cast<std::size_t>(row.order));
        EXPECT_EQ(check.labelled, row.labelled);
        EXPECT_EQ(check.fault, row.fault);
    }
}

TEST(Dimension, RedimensionCreatesEveryArrayAnewForOneToTenVariablesAndRefusesOtherCounts)
{
    Dimension d;
    d.redimension(10);
    d.VarNams[0] = d.Der1Label[0] = d.Der2Label[0][0] = "t";
    d.Varx[0] = d.Der1Val[0] = d.Der2Val[0][0] = 2.5;
    d.redimension(1);
    EXPECT_EQ(d.Order, 1);
    EXPECT_EQ(d.LastVar, 0);
    for (const auto* texts : {&d.VarNams, &d.Der1Label, &d.Der2Label[0]})
        EXPECT_EQ(*texts, std::vector<std::string>{""});
    for (const auto* values : {&d.Varx, &d.Der1Val, &d.Der2Val[0]})
        EXPECT_EQ(*values, std::vector<double>{0});
    EXPECT_EQ(d.Der2Val.size() + d.Der2Label.size(), 2u);
    for (int n : {0, -1, 11}) {
        EXPECT_THROW(d.redimension(n), std::out_of_range) << n;
        EXPECT_EQ(d.Varx.size(), 1u) << "a refused count keeps the old shape";
    }
}

}  // namespace
}  // namespace slopekit

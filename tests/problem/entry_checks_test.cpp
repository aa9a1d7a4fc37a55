#include "problem/entry_checks.h"

#include <gtest/gtest.h>

#include <optional>
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
        {"3", 3}, {"10", 10}, {"1", 1}, {"2.5", 2}, {"3.5", 4}, {"9.5", 10}, {"4 apples", 4}, {"1,5", 1}, {"1 0", 10},
        {"&HA", 10}, {"0.51", 1}, {"0", std::nullopt}, {"-2", std::nullopt}, {"abc", std::nullopt},
        {"", std::nullopt}, {"11", std::nullopt}, {"10.4", std::nullopt},  // the limit is on the text
        {"0.5", std::nullopt}, {"0.3", std::nullopt},                        // would round to none
        {"1e400", std::nullopt}, {"&HFF", std::nullopt}};
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
        {"empty_last_part", "x,y,", 3, {"x", "y", ""}, 2, "A name is missing."},
        {"blank_before_a_name", "x, y,z", 3, {"x", " y", "z"}, 1, std::string("\" y\"") + NotAName},
        {"digit_first", "x1,2x", 2, {"x1", "2x"}, 1, std::string("\"2x\"") + NotAName},
        {"reserved", "x,mOD", 2, {"x", "mOD"}, 1, "\"mOD\" cannot be a name: the expression language uses it."},
        {"repeated", "x,y,x", 3, {"x", "y", "x"}, 2, std::string("\"x\"") + Twice},
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

}  // namespace
}  // namespace slopekit

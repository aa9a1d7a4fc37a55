#include "problem/entry_checks.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace slopekit {
namespace {

struct CountCase {
    const char* name;
    std::string text;
    std::optional<int> order;  // nothing: refused
};

void PrintTo(const CountCase& c, std::ostream* os) { *os << c.name; }

class CountCheck : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountCheck, AcceptsOneToTenAndRoundsHalfToEven)
{
    EXPECT_EQ(countCheck(GetParam().text), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CountCheck,
    ::testing::Values(
        CountCase{"three", "3", 3}, CountCase{"ten", "10", 10}, CountCase{"one", "1", 1},
        CountCase{"half_rounds_down_to_even", "2.5", 2}, CountCase{"half_rounds_up_to_even", "3.5", 4},
        CountCase{"nine_and_a_half", "9.5", 10}, CountCase{"trailing_words", "4 apples", 4},
        CountCase{"comma_ends_number", "1,5", 1}, CountCase{"inner_blank", "1 0", 10},
        CountCase{"hex", "&HA", 10}, CountCase{"just_above_half", "0.51", 1},
        CountCase{"zero", "0", std::nullopt}, CountCase{"negative", "-2", std::nullopt},
        CountCase{"letters", "abc", std::nullopt}, CountCase{"empty", "", std::nullopt},
        CountCase{"eleven", "11", std::nullopt}, CountCase{"limit_is_on_the_text", "10.4", std::nullopt},
        CountCase{"half_would_round_to_none", "0.5", std::nullopt},
        CountCase{"small_fraction_would_round_to_none", "0.3", std::nullopt},
        CountCase{"beyond_double_range", "1e400", std::nullopt}));

struct NamesCase {
    const char* name;
    std::string text;
    int order;
    std::vector<std::string> parts;
    bool accepted;
    std::size_t labelled;
    std::string fault = "";
};

void PrintTo(const NamesCase& c, std::ostream* os) { *os << c.name; }

class NamesCheckTest : public ::testing::TestWithParam<NamesCase> {};

// Stands for the names the expression language keeps for itself.
bool reserved(std::string_view name) { return sameName(name, "Mod"); }

TEST_P(NamesCheckTest, SplitsAtEveryCommaAndNeedsOrderDistinctNames)
{
    const NamesCase& c = GetParam();
    const NamesCheck check = namesCheck(c.text, c.order, reserved);
    EXPECT_EQ(check.parts, c.parts);
    EXPECT_EQ(check.accepted, c.accepted);
    EXPECT_EQ(check.labelled, c.labelled);
    EXPECT_EQ(check.fault, c.fault);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NamesCheckTest,
    ::testing::Values(
        NamesCase{"starting_names_for_four", "x,y,z,t", 4, {"x", "y", "z", "t"}, true, 4},
        NamesCase{"four_parts_for_three", "x,y,z,t", 3, {"x", "y", "z", "t"}, false, 0, "Give 3 names, separated by commas."},
        NamesCase{"empty_middle_part", "x,,z", 3, {"x", "", "z"}, false, 1, "A name is missing."},
        NamesCase{"empty_last_part", "x,y,", 3, {"x", "y", ""}, false, 2, "A name is missing."},
        NamesCase{"blank_before_a_name", "x, y,z", 3, {"x", " y", "z"}, false, 1,
                  "\" y\" is not a name: a name starts with a letter and has only letters and digits."},
        NamesCase{"digit_first", "x1,2x", 2, {"x1", "2x"}, false, 1,
                  "\"2x\" is not a name: a name starts with a letter and has only letters and digits."},
        NamesCase{"reserved", "x,mOD", 2, {"x", "mOD"}, false, 1, "\"mOD\" cannot be a name: the expression language uses it."},
        NamesCase{"repeated", "x,y,x", 3, {"x", "y", "x"}, false, 2,
                  "\"x\" is given twice: names that differ only in case are the same name."},
        NamesCase{"repeated_in_other_case", "Rate,rATE", 2, {"Rate", "rATE"}, false, 1,
                  "\"rATE\" is given twice: names that differ only in case are the same name."},
        NamesCase{"single_name", "u", 1, {"u"}, true, 1},
        NamesCase{"empty_text_has_no_parts", "", 1, {}, false, 0, "Give 1 name."},
        NamesCase{"lone_comma", ",", 2, {"", ""}, false, 0, "A name is missing."}));

}  // namespace
}  // namespace slopekit

#include "engine/user_constants.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace slopekit {
namespace {

using ::testing::ElementsAreArray;

Dimension withConstants(const std::vector<std::string>& texts)
{
    Dimension dim;
    for (const auto& t : texts)
        dim.Cons[static_cast<std::size_t>(dim.NumCons++)] = t;
    return dim;
}

std::vector<std::string> stored(const Dimension& dim)
{
    return {dim.Cons.begin(), dim.Cons.begin() + dim.NumCons};
}

// Stands for the names the expression language keeps for itself.
bool reserved(std::string_view name) { return sameName(name, "Sin"); }

// Every slot taken: c0=0, c1=1, ...; `replaced` moves c0 to the end with a new value.
std::vector<std::string> fullStore(const char* replaced = nullptr)
{
    std::vector<std::string> texts;
    for (int k = replaced ? 1 : 0; k < Dimension::ConsSlots; ++k)
        texts.push_back("c" + std::to_string(k) + "=" + std::to_string(k));
    if (replaced)
        texts.push_back(replaced);
    return texts;
}

struct AddCase {
    const char* name;
    std::vector<std::string> before;
    const char* text;
    ConstantAdded result;
    int replacedIndex;
    std::vector<std::string> after;
};

void PrintTo(const AddCase& c, std::ostream* os) { *os << c.name; }

class AddConstant : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddConstant, FollowsTheNameRules)
{
    const AddCase& c = GetParam();
    Dimension dim = withConstants(c.before);
    const AddConstantOutcome outcome = addConstant(dim, c.text, reserved);
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(outcome.replacedIndex, c.replacedIndex);
    EXPECT_THAT(stored(dim), ElementsAreArray(c.after));
}

using S = ConstantAdded;
INSTANTIATE_TEST_SUITE_P(
    Cases, AddConstant,
    ::testing::Values(
        AddCase{"accepted", {}, "a=2.37", S::Stored, -1, {"a=2.37"}},
        AddCase{"letters_and_digits", {}, "Rate2b=1", S::Stored, -1, {"Rate2b=1"}},
        AddCase{"empty_value_stored", {}, "a=", S::Stored, -1, {"a="}},
        AddCase{"second_equals_in_value", {}, "a=b=2", S::Stored, -1, {"a=b=2"}},
        AddCase{"blank_before_equals", {"k=1"}, "a = 2", S::Ignored, -1, {"k=1"}},
        AddCase{"underscore_first", {}, "_a=1", S::Ignored, -1, {}},
        AddCase{"underscore_inside", {}, "a_b=1", S::Ignored, -1, {}},
        AddCase{"digit_first", {}, "2a=1", S::Ignored, -1, {}},
        AddCase{"empty_name", {}, "=5", S::Ignored, -1, {}},
        AddCase{"no_equals", {}, "a", S::Ignored, -1, {}},
        AddCase{"non_ascii_letter", {}, "\xc3\xa9=1", S::Ignored, -1, {}},
        AddCase{"replaced_moves_to_the_end", {"a=2.37", "b=1"}, "a=3", S::Stored, 0, {"b=1", "a=3"}},
        AddCase{"other_case_replaces_as_typed", {"a=2", "b=1"}, "A=1", S::Stored, 0, {"b=1", "A=1"}},
        AddCase{"reserved_name", {}, "SIN=1", S::Ignored, -1, {}},
        AddCase{"entry_without_equals_never_matches", {"a"}, "a=1", S::Stored, -1, {"a", "a=1"}},
        AddCase{"new_name_refused_when_full", fullStore(), "z=1", S::Full, -1, fullStore()},
        AddCase{"replacing_works_when_full", fullStore(), "c0=7", S::Stored, 0, fullStore("c0=7")}),
    [](const ::testing::TestParamInfo<AddCase>& info) { return std::string(info.param.name); });

struct RemoveCase {
    const char* name;
    std::vector<std::string> before;
    int index;
    std::optional<std::string> removedName;
    std::vector<std::string> after;
};

void PrintTo(const RemoveCase& c, std::ostream* os) { *os << c.name; }

class RemoveConstant : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveConstant, ShiftsTheRestAndGivesTheNameToForget)
{
    const RemoveCase& c = GetParam();
    Dimension dim = withConstants(c.before);
    EXPECT_EQ(removeConstant(dim, c.index), c.removedName);
    EXPECT_THAT(stored(dim), ElementsAreArray(c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveConstant,
    ::testing::Values(
        RemoveCase{"first_of_three", {"a=2.37", "b=1", "c=2"}, 0, "a", {"b=1", "c=2"}},
        RemoveCase{"last", {"a=2.37", "pi=3"}, 1, "pi", {"a=2.37"}},
        RemoveCase{"value_with_equals", {"a=b=2"}, 0, "a", {}},
        RemoveCase{"entry_without_equals", {"abc", "b=1"}, 0, std::nullopt, {"b=1"}}),
    [](const ::testing::TestParamInfo<RemoveCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slopekit

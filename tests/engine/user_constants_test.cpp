#include "engine/user_constants.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace slopekit {
namespace {

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

TEST(AddConstant, FollowsTheNameRules)
{
    using S = ConstantAdded;
    struct Row {
        const char* name;
        std::vector<std::string> before;
        const char* text;
        ConstantAdded result;
        int replacedIndex;
        std::vector<std::string> after;
    };
    const Row rows[] = {
        {"accepted", {}, "a=2.37", S::Stored, -1, {"a=2.37"}},
        {"letters_and_digits", {}, "Rate2b=1", S::Stored, -1, {"Rate2b=1"}},
        {"empty_value_stored", {}, "a=", S::Stored, -1, {"a="}},
        {"second_equals_in_value", {}, "a=b=2", S::Stored, -1, {"a=b=2"}},
        {"blank_before_equals", {"k=1"}, "a = 2", S::Ignored, -1, {"k=1"}},
        {"underscore_first", {}, "_a=1", S::Ignored, -1, {}}, {"underscore_inside", {}, "a_b=1", S::Ignored, -1, {}},
        {"digit_first", {}, "2a=1", S::Ignored, -1, {}}, {"empty_name", {}, "=5", S::Ignored, -1, {}},
        {"no_equals", {}, "a", S::Ignored, -1, {}}, {"non_ascii_letter", {}, "\xc3\xa9=1", S::Ignored, -1, {}},
        {"replaced_moves_to_the_end", {"a=2.37", "b=1"}, "a=3", S::Stored, 0, {"b=1", "a=3"}},
        {"other_case_replaces_as_typed", {"a=2", "b=1"}, "A=1", S::Stored, 0, {"b=1", "A=1"}},
        {"reserved_name", {}, "SIN=1", S::Ignored, -1, {}},
        {"entry_without_equals_never_matches", {"a"}, "a=1", S::Stored, -1, {"a", "a=1"}},
        {"new_name_refused_when_full", fullStore(), "z=1", S::Full, -1, fullStore()},
        {"replacing_works_when_full", fullStore(), "c0=7", S::Stored, 0, fullStore("c0=7")}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Dimension dim = withConstants(row.before);
        const AddConstantOutcome outcome = addConstant(dim, row.text, reserved);
        EXPECT_EQ(outcome.result, row.result);
        EXPECT_EQ(outcome.replacedIndex, row.replacedIndex);
        EXPECT_EQ(stored(dim), row.after);
    }
}

TEST(RemoveConstant, ShiftsTheRestAndGivesTheNameToForget)
{
    struct Row {
        const char* name;
        std::vector<std::string> before;
        int index;
        std::optional<std::string> removedName;
        std::vector<std::string> after;
    };
    const Row rows[] = {{"first_of_three", {"a=2.37", "b=1", "c=2"}, 0, "a", {"b=1", "c=2"}},
                        {"last", {"a=2.37", "pi=3"}, 1, "pi", {"a=2.37"}},
                        {"value_with_equals", {"a=b=2"}, 0, "a", {}},
                        {"entry_without_equals", {"abc", "b=1"}, 0, std::nullopt, {"b=1"}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Dimension dim = withConstants(row.before);
        EXPECT_EQ(removeConstant(dim, row.index), row.removedName);
        EXPECT_EQ(stored(dim), row.after);
    }
    Dimension one = withConstants({"a=1"});
    EXPECT_THROW(removeConstant(one, 1), std::out_of_range);  // no entry beyond the last
}

}  // namespace
}  // namespace slopekit

#include "engine/engine_binding.h"
#include "engine/user_constants.h"

#include "../numbers/locale_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace slopekit {
namespace {

// A problem of its own, set up as at window load, holding the given constants and variables.
struct FreshProblem {
    FreshProblem(const std::vector<std::string>& constants, const std::vector<std::string>& variables)
    {
        binding.setErrorEventHandler([this](const std::string& m) { messages.push_back(m); });
        binding.setUp();
        for (const std::string& c : constants)
            dim.Cons[static_cast<std::size_t>(dim.NumCons++)] = c;
        dim.redimension(static_cast<int>(variables.size()));
        dim.VarNams = variables;
        dim.Varx.assign(variables.size(), 1);
    }

    // The function of x at `point`, after the constants.
    double evaluate(const char* function, double point)
    {
        binding.RegisterConstants();
        dim.Varx = {point};
        dim.Equation = function;
        return binding.EvaluateFunction();
    }

    Dimension dim;
    EngineBinding binding{dim};
    std::vector<std::string> messages;
};

// The engine holds exactly the point of the last hand-over, whatever statements the binding
// reuses from the one before and whatever ran in between.
TEST(Binding, EngineHoldsThePointOfTheLastHandOverBitForBit)
{
    struct Row {
        const char* name;
        std::vector<std::string> names;
        std::vector<double> first, second;
        const char* between;  // a statement run between the two hand-overs, or ""
    };
    // clang-format off
    const Row rows[] = {
        {.name = "values_swapped_between_names", .names = {"x", "y"}, .first = {1.5, -0.25}, .second = {-0.25, 1.5}, .between = ""},
        {.name = "same_value_after_another_statement", .names = {"a", "b"}, .first = {2, 3}, .second = {2, 3}, .between = "a = 7: b = a"},
        {.name = "last_bit_changed", .names = {"p"}, .first = {1.0}, .second = {std::nextafter(1.0, 2.0)}, .between = ""},
        {.name = "range_ends", .names = {"p", "q"}, .first = {1, 1}, .second = {std::numeric_limits<double>::max(), 4.9e-324}, .between = ""},
    };
    // clang-format on
    for (const Row& row : rows) {
        FreshProblem fresh({}, row.names);
        fresh.dim.Varx = row.first;
        fresh.binding.AssignVariables();
        if (*row.between)
            fresh.binding.ExecuteStatement(row.between);
        fresh.dim.Varx = row.second;
        fresh.binding.AssignVariables();
        for (std::size_t k = 0; k < row.names.size(); ++k) {
            const double held = fresh.binding.engine().eval(row.names[k]).number;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(held), std::bit_cast<std::uint64_t>(row.second[k]))
                << row.name << ": bits of " << row.names[k] << " = " << held;
        }
    }
}

TEST(Function, HasItsValueAtThePointAfterTheConstants)
{
    struct Row {
        const char* name;
        std::vector<std::string> constants;
        const char* function;
        double point;
        double value;
    };
    testing::LocaleGuard comma(",", ".");  // text results read alike in every locale
    // clang-format off
    const Row rows[] = {
        {.name = "at_the_point", .constants = {}, .function = "x^2 * -0.25", .point = 1.5, .value = -0.5625},
        {.name = "predefined_constants", .constants = {}, .function = "pi * 100 + halfpi * 10 + e", .point = 0, .value = M_PI * 100 + M_PI / 2 * 10 + M_E},
        {.name = "constants_in_list_order", .constants = {"a=2.37", "b=2*a"}, .function = "b + x", .point = 1, .value = 5.74},
        {.name = "renamed_halfpi_changes_asin", .constants = {"halfpi=2"}, .function = "Asin(x) + sh.Asin(x)", .point = 1, .value = 4},
        {.name = "renamed_halfpi_changes_asin_at_minus_1", .constants = {"halfpi=2"}, .function = "Asin(x)", .point = -1, .value = -2},
        {.name = "renamed_halfpi_keeps_acos_0_at_1", .constants = {"halfpi=2"}, .function = "Acos(x)", .point = 1, .value = 0},
        {.name = "renamed_halfpi_doubles_acos_at_minus_1", .constants = {"halfpi=2"}, .function = "Acos(x)", .point = -1, .value = 4},
        {.name = "x_is_the_field_of_sh", .constants = {}, .function = "sh.x", .point = 1.5, .value = 1.5},
        {.name = "truth_value", .constants = {}, .function = "x > 0", .point = 1, .value = -1},
        {.name = "text_with_point", .constants = {}, .function = "\"2.5\"", .point = 1, .value = 2.5},
        {.name = "text_comma_groups", .constants = {}, .function = "\"2,5\"", .point = 1, .value = 25},
        {.name = "number_text_argument", .constants = {}, .function = "Tanh(\"0\") + x", .point = 1, .value = 1},
        // the extra functions up to the ends of their domains, and where their results grow large
        {.name = "asin_one_reads_halfpi", .constants = {}, .function = "Asin(x)", .point = 1, .value = M_PI / 2},
        {.name = "asin_minus_one", .constants = {}, .function = "Asin(x)", .point = -1, .value = -M_PI / 2},
        {.name = "asin_just_inside", .constants = {}, .function = "Asin(x)", .point = 0.9999999999999999, .value = std::asin(0.9999999999999999)},
        {.name = "acos_one", .constants = {}, .function = "Acos(x)", .point = 1, .value = 0},
        {.name = "acos_minus_one", .constants = {}, .function = "Acos(x)", .point = -1, .value = M_PI},
        {.name = "acos_zero", .constants = {}, .function = "Acos(x)", .point = 0, .value = M_PI / 2},
        {.name = "sinh_small_accurate", .constants = {}, .function = "Sinh(x)", .point = 1e-10, .value = 1e-10},
        {.name = "sinh_710_is_finite", .constants = {}, .function = "Sinh(x)", .point = 710, .value = std::sinh(710.0)},
        {.name = "cosh_minus_710_is_finite", .constants = {}, .function = "Cosh(x)", .point = -710, .value = std::cosh(710.0)},
        {.name = "tanh_never_overflows", .constants = {}, .function = "Tanh(x)", .point = 710, .value = 1},
        {.name = "asinh_largest", .constants = {}, .function = "Asinh(x)", .point = -1.7e308, .value = -std::asinh(1.7e308)},
        {.name = "acosh_one", .constants = {}, .function = "Acosh(x)", .point = 1, .value = 0},
        {.name = "acosh_large", .constants = {}, .function = "Acosh(x)", .point = 1e200, .value = std::acosh(1e200)},
        {.name = "atanh_half", .constants = {}, .function = "Atanh(x)", .point = 0.5, .value = std::atanh(0.5)},
    };
    // clang-format on
    for (const Row& row : rows) {
        FreshProblem fresh(row.constants, {"x"});
        EXPECT_DOUBLE_EQ(fresh.evaluate(row.function, row.point), row.value) << row.name;
    }
}

// A failed evaluation raises its error from its source; the Error event announces only the
// errors that are not the computation's own (then the caller shows no second message).
TEST(Function, FailsWithItsErrorFromItsSource)
{
    struct Row {
        const char* name;
        const char* function;
        double point;
        int error;
        const char* source;
        bool announced;
    };
    const char* const App = "Slopekit";  // an error an extra function left in ierr
    const char* const Runtime = "Slopekit expression runtime error";
    const char* const Syntax = "Slopekit expression syntax error";
    // clang-format off
    const Row rows[] = {
        {.name = "text_not_a_number", .function = "\"abc\"", .point = 1, .error = 13, .source = App, .announced = false},
        {.name = "ierr_after_the_value", .function = "Atanh(x) + 1", .point = 1, .error = 11, .source = App, .announced = false},
        {.name = "invalid_call_silent", .function = "Sqr(-x)", .point = 1, .error = 5, .source = Runtime, .announced = false},
        {.name = "overflow_silent", .function = "Exp(710 * x)", .point = 1, .error = 6, .source = Runtime, .announced = false},
        {.name = "division_silent", .function = "x / 0", .point = 1, .error = 11, .source = Runtime, .announced = false},
        {.name = "coordinate_beyond_range_silent", .function = "x", .point = std::numeric_limits<double>::infinity(), .error = 6, .source = App, .announced = false},
        {.name = "syntax_announced", .function = "x +", .point = 1, .error = 1023, .source = Syntax, .announced = true},
        {.name = "undefined_announced", .function = "x + q", .point = 1, .error = 500, .source = Runtime, .announced = true},
        {.name = "type_mismatch_announced", .function = "x + \"a\"", .point = 1, .error = 13, .source = Runtime, .announced = true},
        {.name = "asin_beyond", .function = "Asin(x)", .point = 1.5, .error = 5, .source = App, .announced = false},
        {.name = "acos_beyond", .function = "Acos(x)", .point = -2, .error = 5, .source = App, .announced = false},
        {.name = "sinh_overflow", .function = "Sinh(x)", .point = 711, .error = 6, .source = App, .announced = false},
        {.name = "cosh_overflow", .function = "Cosh(x)", .point = -711, .error = 6, .source = App, .announced = false},
        {.name = "acosh_half", .function = "Acosh(x)", .point = 0.5, .error = 5, .source = App, .announced = false},
        {.name = "atanh_one_divides_by_zero", .function = "Atanh(x)", .point = 1, .error = 11, .source = App, .announced = false},
        {.name = "atanh_minus_one", .function = "Atanh(x)", .point = -1, .error = 5, .source = App, .announced = false},
        {.name = "atanh_beyond", .function = "Atanh(x)", .point = 2, .error = 5, .source = App, .announced = false},
        {.name = "extra_function_of_text", .function = "Sinh(\"apples\") + x", .point = 1, .error = 13, .source = App, .announced = false},
        {.name = "later_success_keeps_the_last_error", .function = "Atanh(x) + Asin(2 * x) + Asin(x / 2)", .point = 1, .error = 5, .source = App, .announced = false},
    };
    // clang-format on
    for (const Row& row : rows) {
        FreshProblem fresh({}, {"x"});
        try {
            fresh.evaluate(row.function, row.point);
            ADD_FAILURE() << row.name << ": no error";
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), row.error) << row.name << ": error number";
            EXPECT_EQ(e.source(), row.source) << row.name << ": source";
            EXPECT_EQ(announcedByErrorEvent(e), row.announced) << row.name << ": announced";
        }
        EXPECT_EQ(fresh.messages.size(), row.announced ? 1u : 0u) << row.name << ": messages of the Error event";
    }
}

// A field name of sh means a value only where a variable or constant of the problem gave
// it one (or, for pi, halfpi and e, the start did): otherwise it is undefined, as any name.
TEST(FieldName, ReadsTheValueAConstantAssigned)
{
    FreshProblem fresh({"X=3"}, {"a"});
    EXPECT_EQ(fresh.evaluate("a*x", 1), 3);
}

TEST(FieldName, IsUndefinedWhereNothingAssignedIt)
{
    struct Row {
        const char* name;
        std::vector<std::string> variables;
        std::vector<std::string> constants;
        const char* function;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "x_undeclared", .variables = {"xx"}, .constants = {}, .function = "x"},
        {.name = "x_undeclared_as_member", .variables = {"a", "b"}, .constants = {}, .function = "a*b + sh.x"},
        {.name = "x_undeclared_in_a_constant", .variables = {"a"}, .constants = {"c=x*2"}, .function = "c"},
    };
    // clang-format on
    for (const Row& row : rows) {
        FreshProblem fresh(row.constants, row.variables);
        fresh.dim.Equation = row.function;
        try {
            fresh.binding.RegisterConstants();
            fresh.binding.EvaluateFunction();
            ADD_FAILURE() << row.name << ": no error";
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), errnum::VariableUndefined) << row.name << ": error number";
        }
    }
}

TEST(Binding, RemovedConstantLeavesXUndefinedAgain)
{
    FreshProblem fresh({}, {"a"});
    fresh.binding.ExecuteStatement("x=2");
    EXPECT_EQ(fresh.evaluate("a + x", 1), 3);
    fresh.binding.forgetName("x");
    EXPECT_THROW(fresh.binding.EvaluateFunction(), RunError);
}

// Constants are set before the point, so one that reads a coordinate would hold the last
// point's (or none): it is refused, naming the variable, before any constant runs.
TEST(Constant, ReadingAVariableIsRefused)
{
    struct Row {
        const char* name;
        std::vector<std::string> constants;
        std::string refusal;  // empty: accepted
    };
    // clang-format off
    const Row rows[] = {
        {.name = "reads_a_variable", .constants = {"c=x*2"}, .refusal = constantReadsPointText("c=x*2", "x")},
        {.name = "reads_a_variable_in_another_case", .constants = {"a=1", "c=Y+1"}, .refusal = constantReadsPointText("c=Y+1", "y")},
        {.name = "reads_a_variable_as_member", .constants = {"c=sh.X"}, .refusal = constantReadsPointText("c=sh.X", "x")},
        {.name = "reads_a_variable_in_a_later_statement", .constants = {"a=1: b=y"}, .refusal = constantReadsPointText("a=1: b=y", "y")},
        {.name = "assigns_a_variable", .constants = {"x=3"}, .refusal = ""},
        {.name = "reads_another_constant", .constants = {"a=2", "b=a*2"}, .refusal = ""},
    };
    // clang-format on
    for (const Row& row : rows) {
        FreshProblem fresh(row.constants, {"x", "y"});
        std::string refusal;
        try {
            fresh.binding.RegisterConstants();
        } catch (const RefusedInput& refused) {
            refusal = refused.what();
        }
        EXPECT_EQ(refusal, row.refusal) << row.name;
    }
}

TEST(Binding, IerrIsResetBeforeEachEvaluation)
{
    FreshProblem fresh({}, {"u"});
    EXPECT_THROW(fresh.evaluate("Atanh(u) + 1", 1), RunError);
    EXPECT_EQ(fresh.evaluate("Atanh(u) + 1", 0), 1);
}

// Each announced error shows one message naming its place.
TEST(ErrorEvent, MessageNamesThePlace)
{
    FreshProblem fresh({}, {"x"});
    EXPECT_THROW(fresh.binding.ExecuteStatement("a = 1\nb = 1 # 2"), RunError);
    EXPECT_THROW(fresh.binding.ExecuteStatement("a = 7\nb = q + 1"), RunError);
    EXPECT_THAT(fresh.messages,
                ::testing::ElementsAre(
                    "Slopekit expression syntax error 1032\rInvalid character\r\rAt line 2, col 7: [b = 1 # 2]",
                    "Slopekit expression runtime error 500\rVariable is undefined\r\rAt line 2, col 5: [b = q + 1]"));
}

TEST(ErrorEvent, ShowsNoMessageWhenMuted)
{
    FreshProblem fresh({}, {"x"});
    fresh.binding.setErrorEventMuted(true);
    EXPECT_THROW(fresh.binding.ExecuteStatement("b = q"), RunError);
    EXPECT_THAT(fresh.messages, ::testing::IsEmpty());
}

TEST(ErrorEvent, LeavesTheStatementsBeforeTheFailingOneRun)
{
    FreshProblem fresh({}, {"x"});
    EXPECT_THROW(fresh.binding.ExecuteStatement("a = 7\nb = q + 1"), RunError);
    EXPECT_EQ(fresh.binding.engine().eval("a").number, 7);
}

// The user constants: the store the window keeps and the engine runs in list order.
Dimension withConstants(const std::vector<std::string>& texts)
{
    Dimension dim;
    for (const auto& t : texts)
        dim.Cons[static_cast<std::size_t>(dim.NumCons++)] = t;
    return dim;
}

std::vector<std::string> stored(const Dimension& dim) { return {dim.Cons.begin(), dim.Cons.begin() + dim.NumCons}; }

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
    using enum ConstantAdded;
    struct Row {
        const char* name;
        std::vector<std::string> before;
        const char* text;
        ConstantAdded result;
        int replacedIndex;
        std::vector<std::string> after;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "accepted", .before = {}, .text = "a=2.37", .result = Stored, .replacedIndex = -1, .after = {"a=2.37"}},
        {.name = "empty_value_stored", .before = {}, .text = "a=", .result = Stored, .replacedIndex = -1, .after = {"a="}},
        {.name = "second_equals_in_value", .before = {}, .text = "a=b=2", .result = Stored, .replacedIndex = -1, .after = {"a=b=2"}},
        {.name = "blank_before_equals", .before = {"k=1"}, .text = "a = 2", .result = Ignored, .replacedIndex = -1, .after = {"k=1"}},
        {.name = "underscore_inside", .before = {}, .text = "a_b=1", .result = Ignored, .replacedIndex = -1, .after = {}},
        {.name = "digit_first", .before = {}, .text = "2a=1", .result = Ignored, .replacedIndex = -1, .after = {}},
        {.name = "empty_name", .before = {}, .text = "=5", .result = Ignored, .replacedIndex = -1, .after = {}},
        {.name = "no_equals", .before = {}, .text = "a", .result = Ignored, .replacedIndex = -1, .after = {}},
        {.name = "replaced_moves_to_the_end", .before = {"a=2.37", "b=1"}, .text = "a=3", .result = Stored, .replacedIndex = 0, .after = {"b=1", "a=3"}},
        {.name = "other_case_replaces_as_typed", .before = {"a=2", "b=1"}, .text = "A=1", .result = Stored, .replacedIndex = 0, .after = {"b=1", "A=1"}},
        {.name = "reserved_name", .before = {}, .text = "SIN=1", .result = Ignored, .replacedIndex = -1, .after = {}},
        {.name = "entry_without_equals_never_matches", .before = {"a"}, .text = "a=1", .result = Stored, .replacedIndex = -1, .after = {"a", "a=1"}},
        {.name = "new_name_refused_when_full", .before = fullStore(), .text = "z=1", .result = Full, .replacedIndex = -1, .after = fullStore()},
        {.name = "replacing_works_when_full", .before = fullStore(), .text = "c0=7", .result = Stored, .replacedIndex = 0, .after = fullStore("c0=7")},
    };
    // clang-format on
    FreshProblem fresh({}, {"x"});
    for (const Row& row : rows) {
        Dimension store = withConstants(row.before);
        const AddConstantOutcome outcome = addConstant(store, row.text, fresh.binding.reservedNames());
        EXPECT_EQ(outcome.result, row.result) << row.name << ": result";
        EXPECT_EQ(outcome.replacedIndex, row.replacedIndex) << row.name << ": index replaced";
        EXPECT_EQ(stored(store), row.after) << row.name << ": constants after";
    }
}

// The rest move up; the removed name is the one the engine must forget.
TEST(RemoveConstant, TakesOutOneEntry)
{
    struct Row {
        const char* name;
        std::vector<std::string> before;
        int index;
        std::optional<std::string> removedName;
        std::vector<std::string> after;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "first_of_three", .before = {"a=2.37", "b=1", "c=2"}, .index = 0, .removedName = "a", .after = {"b=1", "c=2"}},
        {.name = "last", .before = {"a=2.37", "pi=3"}, .index = 1, .removedName = "pi", .after = {"a=2.37"}},
        {.name = "value_with_equals", .before = {"a=b=2"}, .index = 0, .removedName = "a", .after = {}},
        {.name = "entry_without_equals", .before = {"abc", "b=1"}, .index = 0, .removedName = std::nullopt, .after = {"b=1"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        Dimension store = withConstants(row.before);
        EXPECT_EQ(removeConstant(store, row.index), row.removedName) << row.name << ": name to forget";
        EXPECT_EQ(stored(store), row.after) << row.name << ": constants after";
    }
}

TEST(RemoveConstant, RefusesAnIndexBeyondTheLast)
{
    Dimension one = withConstants({"a=1"});
    EXPECT_THROW(removeConstant(one, 1), std::out_of_range);
}

}  // namespace
}  // namespace slopekit

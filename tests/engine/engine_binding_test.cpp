#include "engine/engine_binding.h"
#include "engine/user_constants.h"

#include "../numbers/locale_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace slopekit {
namespace {

class Binding : public ::testing::Test {
protected:
    Binding() : binding(dim)
    {
        binding.setErrorEventHandler([this](const std::string& m) { messages.push_back(m); });
        binding.setUp();
    }

    void problem(std::vector<std::string> names, std::vector<double> point, std::string function)
    {
        dim.redimension(static_cast<int>(names.size()));
        dim.VarNams = std::move(names);
        dim.Varx = std::move(point);
        dim.Equation = std::move(function);
    }

    Dimension dim;
    EngineBinding binding;
    std::vector<std::string> messages;
};

// The engine holds exactly the point of the last hand-over, whatever statements the binding
// reuses from the one before and whatever ran in between.
TEST_F(Binding, EngineHoldsThePointOfTheLastHandOverBitForBit)
{
    struct Row {
        const char* name;
        std::vector<std::string> names;
        std::vector<double> first, second;
        const char* between;  // a statement run between the two hand-overs, or ""
    };
    const Row rows[] = {
        {"values_swapped_between_names", {"x", "y"}, {1.5, -0.25}, {-0.25, 1.5}, ""},
        {"same_value_after_another_statement", {"a", "b"}, {2, 3}, {2, 3}, "a = 7: b = a"},
        {"last_bit_changed", {"p"}, {1.0}, {std::nextafter(1.0, 2.0)}, ""},
        {"range_ends", {"p", "q"}, {1, 1}, {std::numeric_limits<double>::max(), 4.9e-324}, ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        problem(row.names, row.first, "0");
        binding.AssignVariables();
        if (*row.between)
            binding.ExecuteStatement(row.between);
        dim.Varx = row.second;
        binding.AssignVariables();
        for (std::size_t k = 0; k < row.names.size(); ++k) {
            const double held = binding.engine().eval(row.names[k]).number;
            EXPECT_EQ(std::memcmp(&held, &row.second[k], sizeof held), 0) << row.names[k] << ": " << held;
        }
    }
}

// The function of x at a point, after the user constants: its value, or its error with
// whether the Error event announced it (then the caller shows no second message).
struct FunctionCase {
    const char* name;
    std::vector<std::string> constants;
    const char* function;
    double point;
    double value;
    int error = 0;
    bool announced = false;
    const char* source = nullptr;  // checked where given
};

void PrintTo(const FunctionCase& c, std::ostream* os) { *os << c.name; }

class Function : public Binding, public ::testing::WithParamInterface<FunctionCase> {};

TEST_P(Function, ValueOrOneMessagePerFailure)
{
    const FunctionCase& c = GetParam();
    testing::LocaleGuard comma(",", ".");  // text results read alike in every locale
    for (std::size_t i = 0; i < c.constants.size(); ++i)
        dim.Cons[i] = c.constants[i];
    dim.NumCons = static_cast<int>(c.constants.size());
    binding.RegisterConstants();
    problem({"x"}, {c.point}, c.function);
    try {
        EXPECT_DOUBLE_EQ(binding.EvaluateFunction(), c.value);
        EXPECT_EQ(c.error, 0);
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), c.error);
        EXPECT_EQ(announcedByErrorEvent(e), c.announced);
        if (c.source) {
            EXPECT_EQ(e.source(), c.source);
        }
    }
    EXPECT_EQ(messages.size(), c.announced ? 1u : 0u);
}

constexpr double Infinity = std::numeric_limits<double>::infinity();
using F = FunctionCase;
INSTANTIATE_TEST_SUITE_P(
    Rows, Function,
    ::testing::Values(
        F{"at_the_point", {}, "x^2 * -0.25", 1.5, -0.5625},
        F{"predefined_constants", {}, "pi * 100 + halfpi * 10 + e", 0, M_PI * 100 + M_PI / 2 * 10 + M_E},
        F{"constants_in_list_order", {"a=2.37", "b=2*a"}, "b + x", 1, 5.74},
        F{"renamed_halfpi_changes_asin", {"halfpi=2"}, "Asin(x) + sh.Asin(x)", 1, 4},
        F{"x_is_the_field_of_sh", {}, "sh.x", 1.5, 1.5}, F{"truth_value", {}, "x > 0", 1, -1},
        F{"text_with_point", {}, "\"2.5\"", 1, 2.5}, F{"text_comma_groups", {}, "\"2,5\"", 1, 25},
        F{"text_not_a_number", {}, "\"abc\"", 1, 0, 13},
        F{"ierr_after_the_value", {}, "Atanh(x) + 1", 1, 0, 11, false, "Slopekit"},
        F{"invalid_call_silent", {}, "Sqr(-x)", 1, 0, 5, false, "Slopekit expression runtime error"},
        F{"overflow_silent", {}, "Exp(710 * x)", 1, 0, 6}, F{"division_silent", {}, "x / 0", 1, 0, 11},
        F{"syntax_announced", {}, "x +", 1, 0, 1023, true}, F{"undefined_announced", {}, "x + q", 1, 0, 500, true},
        F{"type_mismatch_announced", {}, "x + \"a\"", 1, 0, 13, true},
        F{"coordinate_beyond_range_silent", {}, "x", Infinity, 0, 6},
        // the extra functions: the ends of their domains, and errors through ierr
        F{"asin_one_reads_halfpi", {}, "Asin(x)", 1, M_PI / 2}, F{"asin_minus_one", {}, "Asin(x)", -1, -M_PI / 2},
        F{"asin_just_inside", {}, "Asin(x)", 0.9999999999999999, std::asin(0.9999999999999999)},
        F{"asin_beyond", {}, "Asin(x)", 1.5, 0, 5}, F{"acos_one", {}, "Acos(x)", 1, 0},
        F{"acos_minus_one", {}, "Acos(x)", -1, M_PI}, F{"acos_zero", {}, "Acos(x)", 0, M_PI / 2},
        F{"acos_beyond", {}, "Acos(x)", -2, 0, 5}, F{"sinh_small_accurate", {}, "Sinh(x)", 1e-10, 1e-10},
        F{"sinh_710_is_finite", {}, "Sinh(x)", 710, std::sinh(710.0)}, F{"sinh_overflow", {}, "Sinh(x)", 711, 0, 6},
        F{"cosh_minus_710_is_finite", {}, "Cosh(x)", -710, std::cosh(710.0)},
        F{"cosh_overflow", {}, "Cosh(x)", -711, 0, 6}, F{"tanh_never_overflows", {}, "Tanh(x)", 710, 1},
        F{"asinh_largest", {}, "Asinh(x)", -1.7e308, -std::asinh(1.7e308)}, F{"acosh_one", {}, "Acosh(x)", 1, 0},
        F{"acosh_large", {}, "Acosh(x)", 1e200, std::acosh(1e200)}, F{"acosh_half", {}, "Acosh(x)", 0.5, 0, 5},
        F{"atanh_half", {}, "Atanh(x)", 0.5, std::atanh(0.5)}, F{"atanh_one_divides_by_zero", {}, "Atanh(x)", 1, 0, 11},
        F{"atanh_minus_one", {}, "Atanh(x)", -1, 0, 5}, F{"atanh_beyond", {}, "Atanh(x)", 2, 0, 5},
        F{"text_argument", {}, "Sinh(\"apples\") + x", 1, 0, 13, false, "Slopekit"},
        F{"number_text_argument", {}, "Tanh(\"0\") + x", 1, 1},
        F{"later_success_keeps_the_last_error", {}, "Atanh(x) + Asin(2 * x) + Asin(x / 2)", 1, 0, 5}));

// A problem of its own, set up as at window load, holding the given constants and variables.
struct FreshProblem {
    FreshProblem(const std::vector<std::string>& constants, const std::vector<std::string>& variables)
    {
        binding.setUp();
        for (const std::string& c : constants)
            dim.Cons[static_cast<std::size_t>(dim.NumCons++)] = c;
        dim.redimension(static_cast<int>(variables.size()));
        dim.VarNams = variables;
        dim.Varx.assign(variables.size(), 1);
    }

    Dimension dim;
    EngineBinding binding{dim};
};

// A field name of sh means a value only where a variable or constant of the problem gave
// it one (or, for pi, halfpi and e, the start did): otherwise it is undefined, as any name.
TEST_F(Binding, FieldNamesReadOnlyWhatTheProblemAssigned)
{
    struct Row {
        const char* name;
        std::vector<std::string> variables;
        std::vector<std::string> constants;
        const char* function;
        double value;
        int error = 0;
    };
    const Row rows[] = {
        {"x_undeclared", {"xx"}, {}, "x", 0, 500},
        {"x_undeclared_as_member", {"a", "b"}, {}, "a*b + sh.x", 0, 500},
        {"x_undeclared_in_a_constant", {"a"}, {"c=x*2"}, "c", 0, 500},
        {"x_a_variable", {"x"}, {}, "x*4 + sh.x", 5},
        {"x_assigned_by_a_constant", {"a"}, {"X=3"}, "a*x", 3},
        {"predefined_constants_keep_their_values", {"a"}, {}, "pi + halfpi + e", M_PI * 1.5 + M_E},
    };
    for (const Row& row : rows) {
        FreshProblem fresh(row.constants, row.variables);
        fresh.dim.Equation = row.function;
        try {
            fresh.binding.RegisterConstants();
            EXPECT_DOUBLE_EQ(fresh.binding.EvaluateFunction(), row.value) << row.name;
            EXPECT_EQ(row.error, 0) << row.name;
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), row.error) << row.name;
        }
    }
}

TEST_F(Binding, RemovedConstantLeavesXUndefinedAgain)
{
    problem({"a"}, {1}, "a + x");
    binding.ExecuteStatement("x=2");
    EXPECT_EQ(binding.EvaluateFunction(), 3);
    binding.forgetName("x");
    EXPECT_THROW(binding.EvaluateFunction(), RunError);
}

// Constants are set before the point, so one that reads a coordinate would hold the last
// point's (or none): it is refused, naming the variable, before any constant runs.
TEST_F(Binding, ConstantReadingAVariableIsRefused)
{
    struct Row {
        const char* name;
        std::vector<std::string> constants;
        std::string refusal;  // empty: accepted
    };
    const Row rows[] = {
        {"reads_a_variable", {"c=x*2"}, constantReadsPointText("c=x*2", "x")},
        {"reads_a_variable_in_another_case", {"a=1", "c=Y+1"}, constantReadsPointText("c=Y+1", "y")},
        {"reads_a_variable_as_member", {"c=sh.X"}, constantReadsPointText("c=sh.X", "x")},
        {"reads_a_variable_in_a_later_statement", {"a=1: b=y"}, constantReadsPointText("a=1: b=y", "y")},
        {"assigns_a_variable", {"x=3"}, ""},
        {"reads_another_constant", {"a=2", "b=a*2"}, ""},
    };
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

TEST_F(Binding, IerrIsResetBeforeEachEvaluation)
{
    problem({"u"}, {1}, "Atanh(u) + 1");
    EXPECT_THROW(binding.EvaluateFunction(), RunError);
    dim.Varx[0] = 0;
    EXPECT_EQ(binding.EvaluateFunction(), 1);
}

// Each announced error shows one message naming its place, unless the event is muted;
// the statements before the failing one ran.
TEST_F(Binding, ErrorEventMessagesNameThePlaceUnlessMuted)
{
    binding.setErrorEventMuted(true);
    EXPECT_THROW(binding.ExecuteStatement("b = q"), RunError);
    binding.setErrorEventMuted(false);
    EXPECT_THROW(binding.ExecuteStatement("a = 1\nb = 1 # 2"), RunError);
    EXPECT_THROW(binding.ExecuteStatement("a = 7\nb = q + 1"), RunError);
    EXPECT_THAT(messages,
                ::testing::ElementsAre(
                    "Slopekit expression syntax error 1032\rInvalid character\r\rAt line 2, col 7: [b = 1 # 2]",
                    "Slopekit expression runtime error 500\rVariable is undefined\r\rAt line 2, col 5: [b = q + 1]"));
    EXPECT_EQ(binding.engine().eval("a").number, 7);
}

// The user constants: the store the window keeps and the engine runs in list order.
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

TEST_F(Binding, AddConstantFollowsTheNameRules)
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
        {"empty_value_stored", {}, "a=", S::Stored, -1, {"a="}},
        {"second_equals_in_value", {}, "a=b=2", S::Stored, -1, {"a=b=2"}},
        {"blank_before_equals", {"k=1"}, "a = 2", S::Ignored, -1, {"k=1"}},
        {"underscore_inside", {}, "a_b=1", S::Ignored, -1, {}}, {"digit_first", {}, "2a=1", S::Ignored, -1, {}},
        {"empty_name", {}, "=5", S::Ignored, -1, {}}, {"no_equals", {}, "a", S::Ignored, -1, {}},
        {"replaced_moves_to_the_end", {"a=2.37", "b=1"}, "a=3", S::Stored, 0, {"b=1", "a=3"}},
        {"other_case_replaces_as_typed", {"a=2", "b=1"}, "A=1", S::Stored, 0, {"b=1", "A=1"}},
        {"reserved_name", {}, "SIN=1", S::Ignored, -1, {}},
        {"entry_without_equals_never_matches", {"a"}, "a=1", S::Stored, -1, {"a", "a=1"}},
        {"new_name_refused_when_full", fullStore(), "z=1", S::Full, -1, fullStore()},
        {"replacing_works_when_full", fullStore(), "c0=7", S::Stored, 0, fullStore("c0=7")}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Dimension store = withConstants(row.before);
        const AddConstantOutcome outcome = addConstant(store, row.text, binding.reservedNames());
        EXPECT_EQ(std::pair(outcome.result, outcome.replacedIndex), std::pair(row.result, row.replacedIndex));
        EXPECT_EQ(stored(store), row.after);
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
        Dimension store = withConstants(row.before);
        EXPECT_EQ(removeConstant(store, row.index), row.removedName);
        EXPECT_EQ(stored(store), row.after);
    }
    Dimension one = withConstants({"a=1"});
    EXPECT_THROW(removeConstant(one, 1), std::out_of_range);  // no entry beyond the last
}

}  // namespace
}  // namespace slopekit

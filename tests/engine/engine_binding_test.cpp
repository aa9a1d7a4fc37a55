#include "engine/engine_binding.h"

#include "../numbers/locale_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
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

TEST_F(Binding, AssignVariablesSendsEngineNumberStatements)
{
    EXPECT_EQ(dim.Step, 0.0003);
    EXPECT_EQ(dim.HalfStep, 0.00015);
    problem({"x", "y", "z", "t"}, {1.5, -0.25, 0, 2}, "x");
    binding.AssignVariables();
    EXPECT_EQ(dim.Statement, "t= 2");  // the last variable's statement stays
    EXPECT_EQ(binding.sh().x, 1.5);     // x is the field of sh
    EXPECT_EQ(binding.engine().eval("y").number, -0.25);
    dim.Varx[3] = 0.5;
    binding.AssignVariables();
    EXPECT_EQ(dim.Statement, "t= .5");
}

// The engine holds exactly the point of the last hand-over, whatever statements the binding
// reuses from the one before and whatever ran in between.
struct HandOverCase {
    const char* name;
    std::vector<std::string> names;
    std::vector<double> first;
    std::vector<double> second;
    const char* between;  // a statement run between the two hand-overs, or ""
};

void PrintTo(const HandOverCase& c, std::ostream* os) { *os << c.name; }

class HandOver : public Binding, public ::testing::WithParamInterface<HandOverCase> {};

TEST_P(HandOver, EngineHoldsThePointBitForBit)
{
    const HandOverCase& c = GetParam();
    problem(c.names, c.first, "0");
    binding.AssignVariables();
    if (*c.between)
        binding.ExecuteStatement(c.between);
    dim.Varx = c.second;
    binding.AssignVariables();
    for (std::size_t k = 0; k < c.names.size(); ++k) {
        const double held = binding.engine().eval(c.names[k]).number;
        EXPECT_EQ(std::memcmp(&held, &c.second[k], sizeof held), 0) << c.names[k] << ": " << held;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Points, HandOver,
    ::testing::Values(
        HandOverCase{"values_swapped_between_names", {"x", "y"}, {1.5, -0.25}, {-0.25, 1.5}, ""},
        HandOverCase{"same_value_after_another_statement", {"a", "b"}, {2, 3}, {2, 3}, "a = 7: b = a"},
        HandOverCase{"same_value_after_the_field_changed", {"x"}, {0.5}, {0.5}, "x = 4"},
        HandOverCase{"last_bit_changed", {"p"}, {1.0}, {std::nextafter(1.0, 2.0)}, ""},
        HandOverCase{"seventeen_digits", {"p", "q"}, {0.1, 1.0 / 3}, {0.1 + 0.2, -2.0 / 3}, ""},
        HandOverCase{"range_ends", {"p", "q"}, {1, 1}, {std::numeric_limits<double>::max(), 4.9e-324}, ""}));

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
INSTANTIATE_TEST_SUITE_P(
    Rows, Function,
    ::testing::Values(
        FunctionCase{"at_the_point", {}, "x^2 * -0.25", 1.5, -0.5625},
        FunctionCase{"predefined_constants", {}, "pi * 100 + halfpi * 10 + e", 0, M_PI * 100 + M_PI / 2 * 10 + M_E},
        FunctionCase{"constants_in_list_order", {"a=2.37", "b=2*a"}, "b + x", 1, 5.74},
        FunctionCase{"renamed_halfpi_changes_asin", {"halfpi=2"}, "Asin(x) + sh.Asin(x)", 1, 4},
        FunctionCase{"truth_value", {}, "x > 0", 1, -1},
        FunctionCase{"text_with_point", {}, "\"2.5\"", 1, 2.5},
        FunctionCase{"text_comma_groups", {}, "\"2,5\"", 1, 25},
        FunctionCase{"text_not_a_number", {}, "\"abc\"", 1, 0, 13},
        FunctionCase{"ierr_after_the_value", {}, "Atanh(x) + 1", 1, 0, 11, false, "Slopekit"},
        FunctionCase{"invalid_call_silent", {}, "Sqr(-x)", 1, 0, 5, false, "Slopekit expression runtime error"},
        FunctionCase{"overflow_silent", {}, "Exp(710 * x)", 1, 0, 6},
        FunctionCase{"division_silent", {}, "x / 0", 1, 0, 11},
        FunctionCase{"ierr_not_announced", {}, "Asin(2 * x)", 1, 0, 5, false, "Slopekit"},
        FunctionCase{"syntax_announced", {}, "x +", 1, 0, 1023, true},
        FunctionCase{"undefined_announced", {}, "x + q", 1, 0, 500, true},
        FunctionCase{"type_mismatch_announced", {}, "x + \"a\"", 1, 0, 13, true},
        FunctionCase{"coordinate_beyond_range_silent", {}, "x", Infinity, 0, 6},
        // the extra functions: the ends of their domains, and errors through ierr
        FunctionCase{"asin_one_reads_halfpi", {}, "Asin(x)", 1, M_PI / 2},
        FunctionCase{"asin_minus_one", {}, "Asin(x)", -1, -M_PI / 2}, FunctionCase{"asin_zero", {}, "Asin(x)", 0, 0},
        FunctionCase{"asin_half", {}, "Asin(x)", 0.5, std::asin(0.5)},
        FunctionCase{"asin_just_inside", {}, "Asin(x)", 0.9999999999999999, std::asin(0.9999999999999999)},
        FunctionCase{"asin_beyond", {}, "Asin(x)", 1.5, 0, 5},
        FunctionCase{"asin_just_beyond", {}, "Asin(x)", -1.0000000000000002, 0, 5},
        FunctionCase{"acos_one", {}, "Acos(x)", 1, 0}, FunctionCase{"acos_minus_one", {}, "Acos(x)", -1, M_PI},
        FunctionCase{"acos_zero", {}, "Acos(x)", 0, M_PI / 2}, FunctionCase{"acos_beyond", {}, "Acos(x)", -2, 0, 5},
        FunctionCase{"sinh_small_accurate", {}, "Sinh(x)", 1e-10, 1e-10},
        FunctionCase{"sinh_710_is_finite", {}, "Sinh(x)", 710, std::sinh(710.0)},
        FunctionCase{"sinh_overflow", {}, "Sinh(x)", 711, 0, 6},
        FunctionCase{"cosh_minus_710_is_finite", {}, "Cosh(x)", -710, std::cosh(710.0)},
        FunctionCase{"cosh_overflow", {}, "Cosh(x)", -711, 0, 6},
        FunctionCase{"tanh_never_overflows", {}, "Tanh(x)", 710, 1},
        FunctionCase{"tanh_negative_huge", {}, "Tanh(x)", -1e300, -1},
        FunctionCase{"asinh_positive", {}, "Asinh(x)", 1, std::asinh(1.0)},
        FunctionCase{"asinh_large_negative", {}, "Asinh(x)", -1e8, -std::asinh(1e8)},
        FunctionCase{"asinh_largest", {}, "Asinh(x)", -1.7e308, -std::asinh(1.7e308)},
        FunctionCase{"acosh_one", {}, "Acosh(x)", 1, 0},
        FunctionCase{"acosh_large", {}, "Acosh(x)", 1e200, std::acosh(1e200)},
        FunctionCase{"acosh_half", {}, "Acosh(x)", 0.5, 0, 5},
        FunctionCase{"acosh_minus_one", {}, "Acosh(x)", -1, 0, 5},
        FunctionCase{"atanh_half", {}, "Atanh(x)", 0.5, std::atanh(0.5)},
        FunctionCase{"atanh_one_divides_by_zero", {}, "Atanh(x)", 1, 0, 11},
        FunctionCase{"atanh_minus_one", {}, "Atanh(x)", -1, 0, 5},
        FunctionCase{"atanh_beyond", {}, "Atanh(x)", 2, 0, 5},
        FunctionCase{"text_argument", {}, "Sinh(\"apples\") + x", 1, 0, 13, false, "Slopekit"},
        FunctionCase{"number_text_argument", {}, "Tanh(\"0\") + x", 1, 1},
        FunctionCase{"later_success_keeps_the_last_error", {}, "Atanh(x) + Asin(2 * x) + Asin(x / 2)", 1, 0, 5}));

TEST_F(Binding, IerrIsResetBeforeEachEvaluation)
{
    problem({"u"}, {1}, "Atanh(u) + 1");
    EXPECT_THROW(binding.EvaluateFunction(), RunError);
    dim.Varx[0] = 0;
    EXPECT_EQ(binding.EvaluateFunction(), 1);
}

TEST_F(Binding, MutedErrorEventShowsNothingUntilUnmuted)
{
    problem({"x"}, {1}, "x + \"a\"");
    binding.setErrorEventMuted(true);
    EXPECT_THROW(binding.EvaluateFunction(), RunError);
    EXPECT_TRUE(messages.empty());
    binding.setErrorEventMuted(false);
    EXPECT_THROW(binding.EvaluateFunction(), RunError);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(Binding, ErrorEventMessageText)
{
    EXPECT_THROW(binding.ExecuteStatement("a = 1\nb = 1 # 2"), RunError);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              "Slopekit expression syntax error 1032\rInvalid character\r\rAt line 2, col 7: [b = 1 # 2]");
}

TEST(RunErrorMessage, SourceNumberDescription)
{
    EXPECT_EQ(runErrorMessage(RunError(11, "Slopekit")), "Slopekit 11\rDivision by zero\r\r");
}

}  // namespace
}  // namespace slopekit

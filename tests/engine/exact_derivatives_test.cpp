// Exact derivatives through the engine binding: the rules of every operation, where
// derivatives do not exist, and the values and errors of the evaluation itself.
#include "engine/engine_binding.h"
#include "engine/script/script_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace slopekit {
namespace {

class Exact : public ::testing::Test {
protected:
    Exact() : binding(dim) { binding.setUp(); }

    void place(std::vector<std::string> names, std::vector<double> point, std::string function)
    {
        dim.redimension(static_cast<int>(names.size()));
        dim.VarNams = std::move(names);
        dim.Varx = std::move(point);
        dim.Equation = std::move(function);
    }

    ExactDerivatives at(std::vector<std::string> names, std::vector<double> point, std::string function)
    {
        place(std::move(names), std::move(point), std::move(function));
        return binding.EvaluateExact();
    }

    Dimension dim;
    EngineBinding binding;
};

// Accurate to a few units in the last place of the reference (exactly zero for zero).
void expectClose(const ExactEntry& entry, double reference, const std::string& what)
{
    ASSERT_TRUE(entry.value.has_value()) << what << ": " << entry.reason;
    EXPECT_NEAR(*entry.value, reference, 8e-16 * std::fabs(reference)) << what;
}

// One variable: the first and second derivative of each rule, against 50-digit values. A
// wrong sign or factor in any rule shows here.
struct OneVariableRule {
    const char* name;
    const char* function;
    double point;
    double first;
    double second;
};

TEST_F(Exact, RulesOfOneVariableMatchTheirDerivatives)
{
    // clang-format off
    const OneVariableRule rows[] = {
        {.name = "sin", .function = "Sin(x)", .point = 0.7, .first = 0.76484218728448845, .second = -0.64421768723769102},
        {.name = "cos", .function = "Cos(x)", .point = 0.7, .first = -0.64421768723769102, .second = -0.76484218728448845},
        {.name = "tan", .function = "Tan(x)", .point = 1.2, .first = 7.6159639672070521, .second = 39.178828144614423},
        {.name = "atn", .function = "Atn(x)", .point = -2.5, .first = 0.13793103448275862, .second = 0.095124851367419738},
        {.name = "exp", .function = "Exp(x)", .point = 1.5, .first = 4.4816890703380648, .second = 4.4816890703380648},
        {.name = "log", .function = "Log(x)", .point = 0.3, .first = 3.3333333333333335, .second = -11.111111111111112},
        {.name = "sqr", .function = "Sqr(x)", .point = 2.25, .first = 0.33333333333333333, .second = -0.074074074074074074},
        {.name = "asin", .function = "Asin(x)", .point = -0.6, .first = 1.25, .second = -1.1718749999999999},
        {.name = "acos", .function = "Acos(x)", .point = 0.6, .first = -1.25, .second = -1.1718749999999999},
        {.name = "sinh", .function = "Sinh(x)", .point = -1.3, .first = 1.9709142303266285, .second = -1.6983824372926159},
        {.name = "cosh", .function = "Cosh(x)", .point = -1.3, .first = -1.6983824372926159, .second = 1.9709142303266285},
        {.name = "tanh", .function = "Tanh(x)", .point = 0.8, .first = 0.55905516773224395, .second = -0.74246637596493971},
        {.name = "asinh", .function = "Asinh(x)", .point = -3, .first = 0.31622776601683793, .second = 0.09486832980505138},
        {.name = "acosh", .function = "Acosh(x)", .point = 1.5, .first = 0.89442719099991588, .second = -1.0733126291998991},
        {.name = "atanh", .function = "Atanh(x)", .point = -0.5, .first = 1.3333333333333333, .second = -1.7777777777777778},
        {.name = "abs", .function = "Abs(x)", .point = -2, .first = -1.0, .second = 0.0},
        {.name = "constant_factor_after", .function = "x^3*2", .point = 1.5, .first = 13.5, .second = 18},
        {.name = "asin_near_end", .function = "Asin(x)", .point = 0.999999, .first = 707.10695795314245, .second = 353553302.18957668},
        {.name = "tanh_far_out", .function = "Tanh(x)", .point = 20, .first = 1.6993417021166356e-17, .second = -3.3986834042332711e-17},
        {.name = "acosh_near_end", .function = "Acosh(x)", .point = 1.000001, .first = 707.10660443900418, .second = -353553479.02515045},
        {.name = "atanh_near_end", .function = "Atanh(x)", .point = 0.999999, .first = 500000.24998574717, .second = 499999999971.11934},
    };
    // clang-format on
    for (const OneVariableRule& row : rows) {
        const ExactDerivatives d = at({"x"}, {row.point}, row.function);
        expectClose(d.gradient[0], row.first, std::string(row.name) + " Dx");
        expectClose(d.hessian[0][0], row.second, std::string(row.name) + " Dxx");
    }
}

// Two variables: the mixed partials of the product, quotient and power rules.
struct TwoVariableRule {
    const char* name;
    const char* function;
    std::vector<double> point;
    std::vector<double> gradient;  // Dx, Dy
    std::vector<double> hessian;   // Dxx, Dxy, Dyy
};

TEST_F(Exact, RulesOfTwoVariablesMatchTheirDerivatives)
{
    // clang-format off
    const TwoVariableRule rows[] = {
        {.name = "product", .function = "x*y^2", .point = {1.5, -2}, .gradient = {4.0000000000000000, -6.0000000000000000}, .hessian = {0, -4.0000000000000000, 3.0000000000000000}},
        {.name = "quotient", .function = "x/y", .point = {1.5, -2}, .gradient = {-0.50000000000000000, -0.37500000000000000}, .hessian = {0, -0.25000000000000000, -0.37500000000000000}},
        {.name = "varying_exponent", .function = "x^y", .point = {2, 3}, .gradient = {12.000000000000000, 5.5451774444795625}, .hessian = {12.000000000000000, 12.317766166719344, 3.8436241113456114}},
        {.name = "varying_exponent_fraction", .function = "x^y", .point = {0.7, 2.5}, .gradient = {1.4641550464346321, -0.14622367734931168}, .hessian = {3.1374750995027832, 0.063434599469168238, 0.052154321921081043}},
        {.name = "constant_base", .function = "2^(x*y)", .point = {0.5, 1.5}, .gradient = {1.7485949381282317, 0.58286497937607722}, .hessian = {1.8180504769574637, 1.7717467844046423, 0.20200560855082930}},
        {.name = "chain_of_product", .function = "Sin(x*y)", .point = {0.5, 1.5}, .gradient = {1.0975333033107313, 0.36584443443691044}, .hessian = {-1.5336872100525019, 0.22045979885632026, -0.17040969000583354}},
        {.name = "quotient_of_chains", .function = "Exp(x)/Cos(y)", .point = {0.3, 0.4}, .gradient = {1.4655476850773847, 0.61962362298812934}, .hessian = {1.4655476850773847, 0.61962362298812934, 1.9894930170160896}},
        {.name = "power_of_sum", .function = "(x+2*y)^3", .point = {0.5, -1}, .gradient = {6.7500000000000000, 13.500000000000000}, .hessian = {-9.0000000000000000, -18.000000000000000, -36.000000000000000}},
        {.name = "negation_before_power", .function = "-x^2*y", .point = {1.5, 2}, .gradient = {6, 2.25}, .hessian = {4, 3, 0}},
        {.name = "sum_in_the_first_variable_alone", .function = "(x + x)*y", .point = {2, 3}, .gradient = {6, 4}, .hessian = {0, 2, 0}},
        {.name = "host_method_of_quotient", .function = "Atanh(x/y)", .point = {1, 3}, .gradient = {0.37500000000000000, -0.12500000000000000}, .hessian = {0.093750000000000000, -0.15625000000000000, 0.093750000000000000}},
    };
    // clang-format on
    for (const TwoVariableRule& row : rows) {
        const ExactDerivatives d = at({"x", "y"}, row.point, row.function);
        const std::string name = row.name;
        expectClose(d.gradient[0], row.gradient[0], name + " Dx");
        expectClose(d.gradient[1], row.gradient[1], name + " Dy");
        expectClose(d.hessian[0][0], row.hessian[0], name + " Dxx");
        expectClose(d.hessian[1][0], row.hessian[1], name + " Dxy");
        expectClose(d.hessian[0][1], row.hessian[1], name + " Dyx");
        expectClose(d.hessian[1][1], row.hessian[2], name + " Dyy");
    }
}

// An entry as the edge tables write it: its number to 15 digits, or the reason it has none.
std::string shown(const ExactEntry& entry)
{
    if (!entry.value)
        return entry.reason;
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", *entry.value + 0.0);  // no "-0"
    return text;
}

// Where a derivative does not exist there is no number, only the reason, naming the
// operation and its column; every other entry keeps its exact number.
struct Edge {
    const char* name;
    const char* function;
    std::vector<std::string> names;
    std::vector<double> point;
    std::vector<std::string> gradient;
    std::vector<std::string> hessian;  // the lower triangle row by row: Dxx, Dyx, Dyy
};

class ExactEdges : public Exact {
protected:
    // Every entry of each row, as shown; the upper triangle as the lower one.
    void expect(const std::vector<Edge>& rows)
    {
        for (const Edge& row : rows) {
            const ExactDerivatives d = at(row.names, row.point, row.function);
            const std::size_t n = row.names.size();
            for (std::size_t i = 0; i < n; ++i)
                EXPECT_EQ(shown(d.gradient[i]), row.gradient[i]) << row.name << ": D" << row.names[i];
            for (std::size_t i = 0, k = 0; i < n; ++i) {
                for (std::size_t j = 0; j <= i; ++j, ++k) {
                    EXPECT_EQ(shown(d.hessian[i][j]), row.hessian[k])
                        << row.name << ": D" << row.names[i] << row.names[j];
                    EXPECT_EQ(shown(d.hessian[j][i]), row.hessian[k])
                        << row.name << ": D" << row.names[j] << row.names[i];
                }
            }
        }
    }
};

// Steps, whole numbers, halves and ties: no derivative where the function jumps, the flat slope elsewhere.
TEST_F(ExactEdges, JumpsHaveNoDerivativeAtTheJump)
{
    const std::string tie4 = "no derivative: > at a tie, where it jumps (column 4)";
    const std::string mod = "no derivative: Mod at a half, where it jumps (column 3)";
    const std::string int1 = "no derivative: Int at a whole number, where it jumps (column 1)";
    const std::string round = "no derivative: Round at a half, where it jumps (column 1)";
    const std::string roundInside = "no derivative: Round at a half, where it jumps (column 5)";
    const std::string fix = "no derivative: Fix at a whole number, where it jumps (column 1)";
    const std::string sgn = "no derivative: Sgn at 0, where it jumps (column 1)";
    const std::string tie3 = "no derivative: = at a tie, where it jumps (column 3)";
    const std::string tieOfTwoCharacters = "no derivative: <= at a tie, where it jumps (column 5)";
    const std::string greaterOrEqualTie = "no derivative: >= at a tie, where it jumps (column 5)";
    const std::string logical = "no derivative: And at a half, where it jumps (column 3)";
    expect({
        // clang-format off
        {.name = "step_times_square_at_the_step", .function = "-(x>0)*x^2", .names = {"x"}, .point = {0}, .gradient = {"0"}, .hessian = {tie4}},
        {.name = "mod_at_a_half", .function = "x Mod 3", .names = {"x"}, .point = {2.5}, .gradient = {mod}, .hessian = {mod}},
        {.name = "mod_between_halves", .function = "x Mod 3", .names = {"x"}, .point = {2.2}, .gradient = {"0"}, .hessian = {"0"}},
        {.name = "int_at_a_whole_number", .function = "Int(x)*x", .names = {"x"}, .point = {2}, .gradient = {int1}, .hessian = {int1}},
        {.name = "int_between_whole_numbers", .function = "Int(x)*x", .names = {"x"}, .point = {2.5}, .gradient = {"2"}, .hessian = {"0"}},
        {.name = "round_at_a_half", .function = "Round(x)", .names = {"x"}, .point = {2.5}, .gradient = {round}, .hessian = {round}},
        {.name = "round_digits_at_a_half", .function = "Round(x, 1)", .names = {"x"}, .point = {0.25}, .gradient = {round}, .hessian = {round}},
        {.name = "round_beyond_22_digits_is_x", .function = "Round(x, 23)", .names = {"x"}, .point = {1.25}, .gradient = {"1"}, .hessian = {"0"}},
        {.name = "fix_is_flat_around_0", .function = "Fix(x)", .names = {"x"}, .point = {0}, .gradient = {"0"}, .hessian = {"0"}},
        {.name = "fix_at_a_whole_number", .function = "Fix(x)", .names = {"x"}, .point = {-1}, .gradient = {fix}, .hessian = {fix}},
        {.name = "sign_times_x_is_abs", .function = "Sgn(x)*x", .names = {"x"}, .point = {0}, .gradient = {sgn}, .hessian = {sgn}},
        {.name = "comparison_at_a_tie", .function = "x = y", .names = {"x", "y"}, .point = {1, 1}, .gradient = {tie3, tie3}, .hessian = {tie3, tie3, tie3}},
        {.name = "two_character_comparison_named_whole", .function = "-(x <= 1)", .names = {"x"}, .point = {1}, .gradient = {tieOfTwoCharacters}, .hessian = {tieOfTwoCharacters}},
        {.name = "greater_or_equal_named_whole", .function = "-(x >= 1)", .names = {"x"}, .point = {1}, .gradient = {greaterOrEqualTie}, .hessian = {greaterOrEqualTie}},
        {.name = "comparison_apart", .function = "x < y", .names = {"x", "y"}, .point = {1, 2}, .gradient = {"0", "0"}, .hessian = {"0", "0", "0"}},
        {.name = "logical_operator_at_a_half", .function = "x And 3", .names = {"x"}, .point = {1.5}, .gradient = {logical}, .hessian = {logical}},
        {.name = "whole_number_of_a_kink_is_flat", .function = "Int(Abs(x)+0.5)", .names = {"x"}, .point = {0}, .gradient = {"0"}, .hessian = {"0"}},
        {.name = "step_of_a_jump_keeps_its_reason", .function = "Int(Round(x) + 0.5)", .names = {"x"}, .point = {2.5}, .gradient = {roundInside}, .hessian = {roundInside}},
        {.name = "truth_values_are_minus_one", .function = "(x > 0) * x", .names = {"x"}, .point = {2}, .gradient = {"-1"}, .hessian = {"0"}},
        // clang-format on
    });
}

// Kinks, infinite slopes and curvatures, and powers with a varying exponent over a base <= 0.
TEST_F(ExactEdges, NonSmoothPointsHaveNoDerivative)
{
    const std::string sqr = "no derivative: Sqr at 0, where its slope is infinite (column 1)";
    const std::string kink3 = "no derivative: Abs at its kink (column 3)";
    const std::string kink1 = "no derivative: Abs at its kink (column 1)";
    const std::string asin = "no derivative: Asin at an end of its domain, where its slope is infinite (column 1)";
    const std::string asin3 = "no derivative: Asin at an end of its domain, where its slope is infinite (column 3)";
    const std::string curvature = "no derivative: ^ at a base of 0, where its curvature is infinite (column 2)";
    const std::string slope = "no derivative: ^ at a base of 0, where its slope is infinite (column 2)";
    const std::string base = "no derivative: ^ with a base <= 0 and a varying exponent (column 2)";
    expect({
        // clang-format off
        {.name = "sqr_of_a_cancelled_difference", .function = "Sqr(x-x)", .names = {"x"}, .point = {1}, .gradient = {"0"}, .hessian = {"0"}},
        {.name = "sqr_of_a_square_at_0", .function = "Sqr(x^2)", .names = {"x"}, .point = {0}, .gradient = {sqr}, .hessian = {sqr}},
        {.name = "product_with_a_kink", .function = "x*Abs(y)", .names = {"x", "y"}, .point = {0, 0}, .gradient = {"0", "0"}, .hessian = {"0", kink3, "0"}},
        {.name = "x_times_its_kink", .function = "x*Abs(x)", .names = {"x"}, .point = {0}, .gradient = {"0"}, .hessian = {kink3}},
        {.name = "kink_times_a_factor_flat_to_second_order", .function = "Abs(x)*x^3", .names = {"x"}, .point = {0}, .gradient = {"0"}, .hessian = {"0"}},
        {.name = "kink_leaves_other_variables_exact", .function = "Abs(x)+y^2", .names = {"x", "y"}, .point = {0, 3}, .gradient = {kink1, "6"}, .hessian = {kink1, kink1, "2"}},
        {.name = "asin_at_the_end_of_its_domain", .function = "Asin(x)", .names = {"x"}, .point = {1}, .gradient = {asin}, .hessian = {asin}},
        {.name = "zero_factor_cancels_an_infinite_slope", .function = "x*Asin(1 - x^2)", .names = {"x"}, .point = {0}, .gradient = {"1.5707963267949"}, .hessian = {asin3}},
        {.name = "power_1_5_at_0", .function = "x^1.5", .names = {"x"}, .point = {0}, .gradient = {"0"}, .hessian = {curvature}},
        {.name = "power_0_5_at_0", .function = "x^0.5", .names = {"x"}, .point = {0}, .gradient = {slope}, .hessian = {slope}},
        {.name = "powers_with_whole_exponents_at_0", .function = "x^0 + x^1 + x^2 + x^3", .names = {"x"}, .point = {0}, .gradient = {"1"}, .hessian = {"2"}},
        {.name = "varying_exponent_base_0", .function = "x^y", .names = {"x", "y"}, .point = {0, 2}, .gradient = {"0", base}, .hessian = {"2", base, base}},
        {.name = "varying_exponent_negative_base", .function = "x^y", .names = {"x", "y"}, .point = {-2, 3}, .gradient = {"12", base}, .hessian = {"-12", base, base}},
        // clang-format on
    });
}

TEST_F(ExactEdges, AValueThroughTextHasNoDerivative)
{
    const std::string cstr = "no derivative: CStr passes the value through text (column 6)";
    const std::string len = "no derivative: Len passes the value through text (column 1)";
    expect({
        // clang-format off
        {.name = "value_through_text", .function = "CDbl(CStr(x))", .names = {"x"}, .point = {1.5}, .gradient = {cstr}, .hessian = {cstr}},
        {.name = "text_of_literals_is_constant", .function = "CDbl(\"2\" & \"5\") * x", .names = {"x"}, .point = {3}, .gradient = {"25"}, .hessian = {"0"}},
        {.name = "length_of_a_number_text", .function = "Len(x)", .names = {"x"}, .point = {12}, .gradient = {len}, .hessian = {len}},
        // clang-format on
    });
}

TEST_F(ExactEdges, AFieldIsTheSameVariableAsItsGlobalName)
{
    expect({{.name = "field_times_global_name",
             .function = "sh.x*x",
             .names = {"x"},
             .point = {3},
             .gradient = {"6"},
             .hessian = {"2"}}});
}

// An overflow of the derivative has no number unless a false comparison switches it off.
TEST_F(ExactEdges, AFalseComparisonSwitchesOffWhatItMultiplies)
{
    const std::string overflow = "the derivative is beyond the double range";
    expect({
        // clang-format off
        {.name = "false_comparison_switches_off_a_kink", .function = "-(x>1)*Sqr(x^2) + -(x<=1)*x", .names = {"x"}, .point = {0}, .gradient = {"1"}, .hessian = {"0"}},
        {.name = "false_comparison_switches_off_an_infinite_slope", .function = "-(x>1)*Sqr(Abs(x-0.5)) + x", .names = {"x"}, .point = {0.5}, .gradient = {"1"}, .hessian = {"0"}},
        {.name = "false_comparison_switches_off_an_overflow", .function = "-(x<1)*Exp(x^3) + x", .names = {"x"}, .point = {8.9}, .gradient = {"1"}, .hessian = {"0"}},
        {.name = "true_comparison_keeps_an_overflow", .function = "-(x>1)*Exp(x^3)", .names = {"x"}, .point = {8.9}, .gradient = {overflow}, .hessian = {overflow}},
        // clang-format on
    });
}

// The value and any error are those of the classic evaluation, bit for bit and column for column.
struct Evaluation {
    const char* name;
    const char* function;
    double point;
};

// The outcome of one evaluation: the value's bits, or the error.
struct Outcome {
    std::uint64_t bits = 0;
    int error = 0;
    std::string source, description;
    int column = 0;
};

template <typename Evaluate>
Outcome outcome(Evaluate evaluate)
{
    Outcome o;
    try {
        const double value = evaluate();
        std::memcpy(&o.bits, &value, sizeof o.bits);
    } catch (const RunError& e) {
        const auto* located = dynamic_cast<const script::ScriptError*>(&e);
        o = {0, e.number(), e.source(), e.description(), located ? located->column() : 0};
    }
    return o;
}

TEST_F(Exact, GivesTheValueOrErrorOfTheClassicEvaluation)
{
    // clang-format off
    const Evaluation rows[] = {
        {.name = "polynomial", .function = "x^3 - 2*x + 1", .point = 1.1},
        {.name = "transcendental", .function = "Sin(x)*Exp(x) + Log(x) / Atn(x)", .point = 0.7},
        {.name = "whole_numbers", .function = "x * 3 \\ 2 + x Mod 4", .point = 7},
        {.name = "truth_value", .function = "x > 1", .point = 2},
        {.name = "number_text", .function = "\"3\" + x", .point = 1.5},
        {.name = "text_result", .function = "CStr(x) & \"5\"", .point = 1.5},
        {.name = "empty_text_result", .function = "\"\"", .point = 1},
        {.name = "division_by_zero", .function = "1 + x / (x - 2)", .point = 2},
        {.name = "overflow", .function = "Exp(x * 1000)", .point = 1},
        {.name = "invalid_call", .function = "Sqr(x - 5)", .point = 1},
        {.name = "undefined_name", .function = "x + q", .point = 1},
        {.name = "text_no_number", .function = "x + \"a\"", .point = 1},
        {.name = "syntax_error", .function = "x +", .point = 1},
        {.name = "ierr_of_an_extra_function", .function = "Atanh(x) + 1", .point = 1},
        {.name = "ierr_of_a_text_argument", .function = "Sinh(\"apples\") + x", .point = 1},
        {.name = "whole_number_overflow", .function = "CInt(x)", .point = 40000},
        {.name = "negative_digits", .function = "Round(x, -1)", .point = 1},
        {.name = "wrong_argument_count", .function = "Sin(x, 2)", .point = 1},
    };
    // clang-format on
    for (const Evaluation& row : rows) {
        place({"x"}, {row.point}, row.function);
        const Outcome exact = outcome([&] { return binding.EvaluateExact().value; });
        const Outcome classic = outcome([&] { return binding.EvaluateFunction(); });
        EXPECT_EQ(exact.bits, classic.bits) << row.name << ": value bits";
        EXPECT_EQ(exact.error, classic.error) << row.name << ": error number";
        EXPECT_EQ(exact.source, classic.source) << row.name << ": error source";
        EXPECT_EQ(exact.description, classic.description) << row.name << ": error description";
        EXPECT_EQ(exact.column, classic.column) << row.name << ": error column";
    }
}

}  // namespace
}  // namespace slopekit

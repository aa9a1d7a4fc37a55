#include "engine/script/engine.h"

#include <gtest/gtest.h>

namespace slopekit::script {
namespace {

struct EvalCase {
    const char* name;
    const char* text;
    Type type;
    double number;
    const char* textValue = "";
};

void PrintTo(const EvalCase& c, std::ostream* os) { *os << c.name; }

class Evaluates : public ::testing::TestWithParam<EvalCase> {};

TEST_P(Evaluates, ToValueAndSubtype)
{
    Engine engine;
    engine.executeStatement("a = 2: b = -.25: s = \"3\"");
    const EvalCase& c = GetParam();
    const Variant v = engine.eval(c.text);
    EXPECT_EQ(v.type, c.type);
    if (c.type == Type::String)
        EXPECT_EQ(v.text, c.textValue);
    else
        EXPECT_DOUBLE_EQ(v.number, c.number);
}

INSTANTIATE_TEST_SUITE_P(
    Language, Evaluates,
    ::testing::Values(
        // precedence
        EvalCase{"unary_minus_binds_tighter_than_power", "-3^2", Type::Double, 9},
        EvalCase{"negative_exponent", "2^-1", Type::Double, 0.5},
        EvalCase{"power_left_associative", "2^3^2", Type::Double, 64},
        EvalCase{"product_before_sum", "1 + 2 * 3", Type::Integer, 7},
        EvalCase{"intdiv_below_product", "7 \\ 2 * 2", Type::Integer, 1},
        EvalCase{"mod_below_intdiv", "7 Mod 5 \\ 2", Type::Integer, 1},
        EvalCase{"sum_below_mod", "1 + 7 Mod 4", Type::Integer, 4},
        EvalCase{"concat_below_sum", "1 + 2 & 3", Type::String, 0, "33"},
        EvalCase{"comparison_below_concat", "\"12\" = 1 & 2", Type::Boolean, -1},
        EvalCase{"comparisons_left_to_right", "3 > 2 > 1", Type::Boolean, 0},
        EvalCase{"not_below_comparison", "Not 1 = 2", Type::Boolean, -1},
        EvalCase{"and_below_not", "Not False And False", Type::Boolean, 0},
        EvalCase{"or_below_and", "True Or True And False", Type::Boolean, -1},
        EvalCase{"xor_below_or", "True Xor True Or True", Type::Boolean, 0},
        EvalCase{"eqv_and_imp", "False Imp True Eqv False", Type::Boolean, -1},
        EvalCase{"parentheses", "(1 + 2) * 3", Type::Integer, 9},
        EvalCase{"names_case_insensitive", "A * B", Type::Double, -0.5},
        // literals
        EvalCase{"decimal", "12.5", Type::Double, 12.5},
        EvalCase{"leading_point", ".5", Type::Double, 0.5},
        EvalCase{"trailing_point", "10.", Type::Double, 10},
        EvalCase{"exponent", "1e-5", Type::Double, 1e-5},
        EvalCase{"signed_exponent", "1E+5", Type::Double, 1e5},
        EvalCase{"point_exponent", ".5e1", Type::Double, 5},
        EvalCase{"integer_literal", "32767", Type::Integer, 32767},
        EvalCase{"long_literal", "32768", Type::Long, 32768},
        EvalCase{"double_literal", "2147483648", Type::Double, 2147483648.0},
        EvalCase{"hex", "&HFF", Type::Integer, 255},
        EvalCase{"hex_sixteen_bit_negative", "&HFFFF", Type::Integer, -1},
        EvalCase{"hex_long_suffix", "&HFFFF&", Type::Long, 65535},
        EvalCase{"hex_long", "&H10000", Type::Long, 65536},
        EvalCase{"octal", "&O17", Type::Integer, 15},
        EvalCase{"string_doubled_quote", "\"say \"\"hi\"\"\"", Type::String, 0, "say \"hi\""},
        EvalCase{"tiny_literal_is_zero", "1e-400", Type::Double, 0},
        // promotion and coercion
        EvalCase{"integer_sum_widens_to_long", "32767 + 1", Type::Long, 32768},
        EvalCase{"long_product_widens_to_double", "65536 * 65536", Type::Double, 4294967296.0},
        EvalCase{"negating_lowest_integer", "-(-32768)", Type::Long, 32768},
        EvalCase{"division_is_double", "4 / 2", Type::Double, 2},
        EvalCase{"intdiv_rounds_half_even", "2.5 \\ 1 + 3.5 \\ 1", Type::Long, 6},
        EvalCase{"mod_takes_dividend_sign", "-7 Mod 3", Type::Integer, -1},
        EvalCase{"text_plus_number", "\"3\" + 1", Type::Double, 4},
        EvalCase{"text_plus_text_joins", "s + s", Type::String, 0, "33"},
        EvalCase{"true_is_minus_one", "True + 0", Type::Integer, -1},
        EvalCase{"bitwise_on_numbers", "6 And 3", Type::Integer, 2},
        EvalCase{"not_of_number", "Not 0", Type::Integer, -1},
        EvalCase{"number_text_form", "1.5 & \"|\" & 1E-05 & \"|\" & 1.5E+20", Type::String, 0,
                 "1.5|1E-05|1.5E+20"},
        EvalCase{"boolean_text_form", "True & \"\"", Type::String, 0, "True"},
        EvalCase{"number_less_than_text", "1 < \"a\"", Type::Boolean, -1},
        // built-in functions
        EvalCase{"atn", "Atn(1) * 4", Type::Double, 3.14159265358979323846},
        EvalCase{"exp", "Exp(1)", Type::Double, 2.71828182845904523536},
        EvalCase{"log_sqr", "Log(Sqr(Exp(4)))", Type::Double, 2},
        EvalCase{"sin_cos_tan", "Sin(0) + Cos(0) + Tan(0)", Type::Double, 1},
        EvalCase{"abs_keeps_subtype", "Abs(-3)", Type::Integer, 3},
        EvalCase{"fix_and_int", "Fix(-2.5) * 10 + Int(-2.5)", Type::Double, -23},
        EvalCase{"round_half_even", "Round(2.5) + Round(3.5)", Type::Double, 6},
        EvalCase{"round_digits", "Round(1.2345, 2)", Type::Double, 1.23},
        EvalCase{"sgn", "Sgn(-0.5)", Type::Integer, -1},
        EvalCase{"cint_rounds_half_even", "CInt(2.5)", Type::Integer, 2},
        EvalCase{"clng", "CLng(\"40000\")", Type::Long, 40000},
        EvalCase{"cbool_text", "CBool(\"true\")", Type::Boolean, -1},
        EvalCase{"cdbl_csng", "CDbl(1) + CSng(1)", Type::Double, 2},
        EvalCase{"cstr", "CStr(0.5)", Type::String, 0, "0.5"},
        EvalCase{"hex_of_negative_integer", "Hex(-1)", Type::String, 0, "FFFF"},
        EvalCase{"oct_of_long", "Oct(65536)", Type::String, 0, "200000"},
        EvalCase{"isnumeric", "IsNumeric(\"1.5\") And Not IsNumeric(\"x\")", Type::Boolean, -1},
        EvalCase{"isempty", "IsEmpty(a)", Type::Boolean, 0},
        EvalCase{"len_of_number", "Len(12.5)", Type::Long, 4}));

}  // namespace
}  // namespace slopekit::script

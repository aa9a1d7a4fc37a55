#include "engine/script/engine.h"

#include <gtest/gtest.h>

#include <limits>
#include <new>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace slopekit::script {
namespace {

// One row of the language: statements run first (`run`, may be empty), then `text` is
// evaluated; the row expects a value of a subtype, or an error with its number and place.
struct Case {
    std::string name;
    std::string run;
    std::string text;
    Type type = Type::Empty;
    double number = 0;
    std::string textValue;
    int error = 0;
    int line = 1;
    int column = 1;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Language : public ::testing::TestWithParam<Case> {};

TEST_P(Language, GivesTheValueOrTheErrorAtItsPlace)
{
    Engine engine;
    double f = 0;
    double u = std::numeric_limits<double>::quiet_NaN();  // a field without a value yet
    std::int32_t w = 0;
    HostObject host;  // fields and methods known by name alone and as members; a method that runs out of memory
    host.fields = {{"f", &f, nullptr}, {"u", &u, nullptr}, {"w", nullptr, &w}};
    host.methods = {{"Twice", 1, [](std::span<const Value> a) { return Value::real(2 * toNumber(a[0])); }},
                    {"Exhaust", 1, [](std::span<const Value>) -> Value { throw std::bad_alloc(); }}};
    engine.executeStatement("f = 7");  // a variable before the object arrives becomes its field
    engine.addObject("host", host, true);
    engine.executeStatement("a = 2: b = -.25: s = \"3\": k = \"" + std::string(1000, 'k') + "\"");
    const Case& c = GetParam();
    try {
        if (!c.run.empty())
            engine.executeStatement(c.run);
        const Variant v = engine.eval(c.text);
        EXPECT_EQ(c.error, 0) << c.name << ": no error";
        EXPECT_EQ(v.type, c.type) << c.name << ": subtype";
        EXPECT_DOUBLE_EQ(v.number, c.number) << c.name << ": number";
        EXPECT_EQ(v.text, c.textValue) << c.name << ": text";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.number(), c.error) << c.name << ": error number";
        EXPECT_EQ(e.line(), c.line) << c.name << ": error line";
        EXPECT_EQ(e.column(), c.column) << c.name << ": error column";
        EXPECT_EQ(e.source(), c.error >= 1000 ? SyntaxSource : RuntimeSource) << c.name << ": error source";
        EXPECT_EQ(e.description(), standardDescription(c.error)) << c.name << ": description";
        EXPECT_EQ(engine.eval("k = k & \"\"").number, -1) << c.name << ": engine usable after the error, names kept";
    }
}

// k & k & ... & k: each & makes a text 1000 bytes longer than the one before.
std::string chainOfTexts(int copies)
{
    std::string chain = "k";
    for (int i = 1; i < copies; ++i)
        chain += "&k";
    return chain;
}

// Every built-in but Round takes one argument: a call with none or with two fails.
std::vector<Case> withArgumentCounts(std::vector<Case> rows)
{
    for (const std::string name :
         {"Abs",   "Atn",  "Cos",  "Exp",  "Fix",  "Int",  "Log", "Sgn", "Sin",       "Sqr",     "Tan",
          "CBool", "CDbl", "CInt", "CLng", "CSng", "CStr", "Hex", "Oct", "IsNumeric", "IsEmpty", "Len"})
        for (const std::string arguments : {"()", "(1, 2)"})
            rows.push_back({.name = name + (arguments == "()" ? "_without_arguments" : "_with_two_arguments"),
                            .text = name + arguments,
                            .error = 450,
                            .column = 1});
    return rows;
}

using enum Type;
INSTANTIATE_TEST_SUITE_P(
    Rows, Language,
    ::testing::ValuesIn(withArgumentCounts({
        // clang-format off
        {.name = "unary_minus_binds_tighter_than_power", .text = "-3^2", .type = Double, .number = 9},
        {.name = "negative_exponent", .text = "2^-1", .type = Double, .number = 0.5},
        {.name = "power_left_associative", .text = "2^3^2", .type = Double, .number = 64},
        {.name = "product_before_sum", .text = "1 + 2 * 3", .type = Integer, .number = 7},
        {.name = "intdiv_below_product", .text = "7 \\ 2 * 2", .type = Integer, .number = 1},
        {.name = "mod_below_intdiv", .text = "7 Mod 5 \\ 2", .type = Integer, .number = 1},
        {.name = "sum_below_mod", .text = "1 + 7 Mod 4", .type = Integer, .number = 4},
        {.name = "concat_below_sum", .text = "1 + 2 & 3", .type = String, .number = 0, .textValue = "33"},
        {.name = "comparison_below_concat", .text = "\"12\" = 1 & 2", .type = Boolean, .number = -1},
        {.name = "comparisons_left_to_right", .text = "3 > 2 > 1", .type = Boolean, .number = 0},
        {.name = "not_below_comparison", .text = "Not 1 = 2", .type = Boolean, .number = -1},
        {.name = "and_below_not", .text = "Not False And False", .type = Boolean, .number = 0},
        {.name = "or_below_and", .text = "True Or True And False", .type = Boolean, .number = -1},
        {.name = "xor_below_or", .text = "True Xor True Or True", .type = Boolean, .number = 0},
        {.name = "imp_below_eqv", .text = "False Imp True Eqv False", .type = Boolean, .number = -1},
        {.name = "parentheses", .text = "(1 + 2) * 3", .type = Integer, .number = 9},
        {.name = "names_case_insensitive", .text = "A * B", .type = Double, .number = -0.5},
        {.name = "decimal", .text = "12.5", .type = Double, .number = 12.5},
        {.name = "leading_point", .text = ".5", .type = Double, .number = 0.5},
        {.name = "trailing_point", .text = "10.", .type = Double, .number = 10},
        {.name = "exponent", .text = "1e-5", .type = Double, .number = 1e-5},
        {.name = "signed_exponent", .text = "1E+5", .type = Double, .number = 1e5},
        {.name = "point_exponent", .text = ".5e1", .type = Double, .number = 5},
        {.name = "integer_literal", .text = "32767", .type = Integer, .number = 32767},
        {.name = "long_literal", .text = "32768", .type = Long, .number = 32768},
        {.name = "double_literal", .text = "2147483648", .type = Double, .number = 2147483648.0},
        {.name = "hex", .text = "&HFF", .type = Integer, .number = 255},
        {.name = "hex_sixteen_bit_negative", .text = "&HFFFF", .type = Integer, .number = -1},
        {.name = "hex_long_suffix", .text = "&HFFFF&+1", .type = Long, .number = 65536},
        {.name = "hex_long", .text = "&H10000", .type = Long, .number = 65536},
        {.name = "octal", .text = "&O17", .type = Integer, .number = 15},
        {.name = "string_doubled_quote", .text = "\"say \"\"hi\"\"\"", .type = String, .number = 0, .textValue = "say \"hi\""},
        {.name = "tiny_literal_is_zero", .text = "1e-400", .type = Double, .number = 0},
        {.name = "integer_sum_widens_to_long", .text = "32767 + 1", .type = Long, .number = 32768},
        {.name = "long_product_widens_to_double", .text = "65536 * 65536", .type = Double, .number = 4294967296.0},
        {.name = "negating_lowest_integer", .text = "-(-32768)", .type = Long, .number = 32768},
        {.name = "division_is_double", .text = "4 / 2", .type = Double, .number = 2},
        {.name = "intdiv_rounds_half_down_to_even", .text = "2.5 \\ 1", .type = Long, .number = 2},
        {.name = "intdiv_rounds_half_up_to_even", .text = "3.5 \\ 1", .type = Long, .number = 4},
        {.name = "mod_takes_dividend_sign", .text = "-7 Mod 3", .type = Integer, .number = -1},
        {.name = "text_plus_number", .text = "\"3\" + 1", .type = Double, .number = 4},
        {.name = "text_plus_text_joins", .text = "s + s", .type = String, .number = 0, .textValue = "33"},
        {.name = "true_is_minus_one", .text = "True + 0", .type = Integer, .number = -1},
        {.name = "bitwise_on_numbers", .text = "6 And 3", .type = Integer, .number = 2},
        {.name = "not_of_number", .text = "Not 0", .type = Integer, .number = -1},
        {.name = "number_text_form_plain", .text = "1.5 & \"\"", .type = String, .number = 0, .textValue = "1.5"},
        {.name = "number_text_form_small", .text = "1E-05 & \"\"", .type = String, .number = 0, .textValue = "1E-05"},
        {.name = "number_text_form_large", .text = "1.5E+20 & \"\"", .type = String, .number = 0, .textValue = "1.5E+20"},
        {.name = "boolean_text_form", .text = "True & \"\"", .type = String, .number = 0, .textValue = "True"},
        {.name = "number_less_than_text", .text = "1 < \"a\"", .type = Boolean, .number = -1},
        {.name = "atn", .text = "Atn(1) * 4", .type = Double, .number = 3.14159265358979323846},
        {.name = "exp", .text = "Exp(1)", .type = Double, .number = 2.71828182845904523536},
        {.name = "log_sqr", .text = "Log(Sqr(Exp(4)))", .type = Double, .number = 2},
        {.name = "sin", .text = "Sin(0.5)", .type = Double, .number = 0.479425538604203},
        {.name = "cos", .text = "Cos(0.5)", .type = Double, .number = 0.87758256189037276},
        {.name = "tan", .text = "Tan(0.5)", .type = Double, .number = 0.54630248984379051},
        {.name = "abs_keeps_subtype", .text = "Abs(-3)", .type = Integer, .number = 3},
        {.name = "fix_rounds_toward_zero", .text = "Fix(-2.5)", .type = Double, .number = -2},
        {.name = "int_rounds_down", .text = "Int(-2.5)", .type = Double, .number = -3},
        {.name = "round_half_down_to_even", .text = "Round(2.5)", .type = Double, .number = 2},
        {.name = "round_half_up_to_even", .text = "Round(3.5)", .type = Double, .number = 4},
        {.name = "round_digits", .text = "Round(1.2345, 2)", .type = Double, .number = 1.23},
        {.name = "round_one_digit_half_to_even", .text = "Round(1.25, 1)", .type = Double, .number = 1.2},
        {.name = "round_to_22_digits_still_rounds", .text = "Round(1.4E-22, 22)", .type = Double, .number = 1e-22},
        {.name = "sgn", .text = "Sgn(-0.5)", .type = Integer, .number = -1},
        {.name = "cint_rounds_half_even", .text = "CInt(2.5)", .type = Integer, .number = 2},
        {.name = "clng", .text = "CLng(\"40000\")", .type = Long, .number = 40000},
        {.name = "cbool_text", .text = "CBool(\"true\")", .type = Boolean, .number = -1},
        {.name = "cdbl", .text = "CDbl(1)", .type = Double, .number = 1},
        {.name = "csng_is_double", .text = "CSng(1)", .type = Double, .number = 1},
        {.name = "cstr", .text = "CStr(0.5)", .type = String, .number = 0, .textValue = "0.5"},
        {.name = "hex_of_negative_integer", .text = "Hex(-1)", .type = String, .number = 0, .textValue = "FFFF"},
        {.name = "oct_of_long", .text = "Oct(65536)", .type = String, .number = 0, .textValue = "200000"},
        {.name = "isnumeric_number_text", .text = "IsNumeric(\"1.5\")", .type = Boolean, .number = -1},
        {.name = "isnumeric_word", .text = "IsNumeric(\"x\")", .type = Boolean, .number = 0},
        {.name = "isempty", .text = "IsEmpty(a)", .type = Boolean, .number = 0},
        {.name = "len_of_number", .text = "Len(12.5)", .type = Long, .number = 4},
        {.name = "abs_of_text", .text = "Abs(\"-2.5\")", .type = Double, .number = 2.5},
        {.name = "cbool_four_letters", .text = "CBool(\"tree\")", .error = 13, .column = 1},
        {.name = "cbool_five_letters", .text = "CBool(\"fable\")", .error = 13, .column = 1},
        {.name = "cube_by_value", .text = "a ^ (a + 1)", .type = Double, .number = 8},
        {.name = "fourth_power_by_value", .text = "a ^ (a + 2)", .type = Double, .number = 16},
        {.name = "square_by_value", .text = "a ^ a", .type = Double, .number = 4},
        {.name = "integer_top", .text = "32766 + 1", .type = Integer, .number = 32767},
        {.name = "integer_bottom", .text = "-32767 - 1", .type = Integer, .number = -32768},
        {.name = "long_top", .text = "2147483647 \\ 1", .type = Long, .number = 2147483647},
        {.name = "long_bottom", .text = "-2147483648 \\ 1", .type = Long, .number = -2147483648.0},
        {.name = "positive_fraction", .run = "x= 1.5", .text = "x", .type = Double, .number = 1.5},
        {.name = "negative_below_one", .run = "y=-.25", .text = "y", .type = Double, .number = -0.25},
        {.name = "zero", .run = "z= 0", .text = "z", .type = Integer, .number = 0},
        {.name = "whole", .run = "t= 2", .text = "t", .type = Integer, .number = 2},
        {.name = "exponent_form", .run = "u= 1.5E+20", .text = "u", .type = Double, .number = 1.5e20},
        {.name = "negative_exponent_form", .run = "v=-1E-05", .text = "v", .type = Double, .number = -1e-5},
        {.name = "lowest_integer", .run = "w=-32768", .text = "w", .type = Long, .number = -32768},
        {.name = "constant_uses_earlier", .run = "a=2.37: b=2*a", .text = "b", .type = Double, .number = 4.74},
        {.name = "lines_separate_statements", .run = "a=1\r\nb=a+1", .text = "b", .type = Integer, .number = 2},
        {.name = "comparison_on_right_side", .run = "a = 1 = 1", .text = "a", .type = Boolean, .number = -1},
        {.name = "comment_ignored", .run = "a=3 ' three", .text = "a", .type = Integer, .number = 3},
        {.name = "case_insensitive", .run = "ABC=4", .text = "abc", .type = Integer, .number = 4},
        {.name = "sqr_of_negative", .text = "1 + Sqr(-1)", .error = 5, .column = 5},
        {.name = "log_of_zero", .text = "Log(0)", .error = 5, .column = 1},
        {.name = "negative_base_fractional_exponent", .text = "(-8) ^ 0.5", .error = 5, .column = 6},
        {.name = "zero_to_negative_power", .text = "0 ^ -1", .error = 5, .column = 3},
        {.name = "round_negative_digits", .text = "Round(1, -1)", .error = 5, .column = 1},
        {.name = "exp_overflow", .text = "Exp(710)", .error = 6, .column = 1},
        {.name = "product_overflow", .text = "1E308 * 10", .error = 6, .column = 7},
        {.name = "zero_by_zero", .text = "0 / 0", .error = 6, .column = 3},
        {.name = "cint_out_of_range", .text = "CInt(40000)", .error = 6, .column = 1},
        {.name = "intdiv_beyond_long", .text = "3E9 \\ 1", .error = 6, .column = 5},
        {.name = "division_by_zero", .text = "1 / 0", .error = 11, .column = 3},
        {.name = "intdiv_by_zero", .text = "1 \\ 0", .error = 11, .column = 3},
        {.name = "mod_by_zero", .text = "1 Mod 0", .error = 11, .column = 3},
        {.name = "text_as_number", .text = "\"abc\" + 1", .error = 13, .column = 7},
        {.name = "call_of_non_function", .text = "foo(1)", .error = 13, .column = 1},
        {.name = "call_of_variable", .text = "a(1)", .error = 13, .column = 1},
        {.name = "round_three_arguments", .text = "Round(1, 2, 3)", .error = 450, .column = 1},
        {.name = "round_no_argument", .text = "Round()", .error = 450, .column = 1},
        {.name = "never_assigned", .text = "a + undefinedName", .error = 500, .column = 5},
        {.name = "texts_beyond_their_room", .text = "Len(" + chainOfTexts(3000) + ")", .error = 14, .column = 368},
        {.name = "allocation_that_fails", .text = "1 + Exhaust(1)", .error = 7, .column = 1},
        {.name = "dangling_operator", .text = "1 +", .error = 1023, .column = 4},
        {.name = "empty", .text = "", .error = 1023, .column = 1},
        {.name = "unclosed_parenthesis", .text = "(1 + 2", .error = 1006, .column = 7},
        {.name = "unclosed_call", .text = "Sin(1", .error = 1006, .column = 6},
        {.name = "member_not_a_name", .text = "a.+", .error = 1010, .column = 3},
        {.name = "trailing_token", .text = "1 2", .error = 1025, .column = 3},
        {.name = "token_after_comparison", .text = "2 >1 1", .error = 1025, .column = 6},
        {.name = "second_line", .text = "1\n+2", .error = 1025, .column = 2},
        {.name = "bad_exponent", .text = "1e+", .error = 1031, .column = 1},
        {.name = "huge_literal", .text = "1e400", .error = 1031, .column = 1},
        {.name = "hex_beyond_32_bits", .text = "&H100000000", .error = 1031, .column = 1},
        {.name = "invalid_character", .text = "1 # 2", .error = 1032, .column = 3},
        {.name = "nul_byte", .text = std::string("1 +\0 2", 6), .error = 1032, .column = 4},
        {.name = "non_ascii", .text = "1 + \xc3\xa4", .error = 1032, .column = 5},
        {.name = "unterminated_string", .text = "\"abc", .error = 1033, .column = 1},
        {.name = "deep_nesting", .text = std::string(300, '(') + "1" + std::string(300, ')'), .error = 1002, .column = 257},
        {.name = "deep_prefix_chain", .text = std::string(300, '-') + "1", .error = 1002, .column = 257},
        {.name = "too_long", .text = std::string(70000, '1'), .error = 1002, .column = 65537},
        {.name = "empty_value", .run = "a=", .text = "0", .error = 1023, .column = 3},
        {.name = "no_equals", .run = "a", .text = "0", .error = 1011, .column = 2},
        {.name = "operator_for_equals", .run = "a - 1", .text = "0", .error = 1011, .column = 3},
        {.name = "no_name", .run = "=5", .text = "0", .error = 1010, .column = 1},
        {.name = "keyword_target", .run = "Mod= 1", .text = "0", .error = 1010, .column = 1},
        {.name = "value_only", .run = "0", .text = "0", .error = 1010, .column = 1},
        {.name = "two_values", .run = "a = 1 2", .text = "0", .error = 1025, .column = 7},
        {.name = "undefined_on_right", .run = "a = nothingHere", .text = "0", .error = 500, .column = 5},
        {.name = "field_by_name_and_as_member", .run = "f= 1.5: host.f = f + 1", .text = "f", .type = Double, .number = 2.5},
        {.name = "whole_field_rounds_half_to_even", .run = "w = 3.5", .text = "w", .type = Long, .number = 4},
        {.name = "field_without_value", .text = "1 + u", .error = 500, .column = 5},
        {.name = "field_without_value_as_member", .text = "host.u", .error = 500, .column = 6},
        {.name = "field_without_value_assigned", .run = "u = 2", .text = "host.u", .type = Double, .number = 2},
        {.name = "method_by_name", .text = "Twice(a)", .type = Double, .number = 4},
        {.name = "method_as_member", .text = "host.Twice(1)", .type = Double, .number = 2},
        {.name = "unknown_member", .text = "host.nothing", .error = 438, .column = 6},
        {.name = "object_assigned", .run = "host = 1", .text = "0", .error = 13, .column = 1},
        // clang-format on
    })));

TEST(CompileCache, SeesTheCurrentValueOfEachName)
{
    Engine engine;
    EXPECT_THROW(engine.eval("x * 10"), ScriptError);  // a name defined after its first use
    const std::pair<const char*, double> steps[] = {{"x= 1", 10}, {"x= 2.5", 25}, {"x = \"4\"", 40}};
    for (const auto& [statement, expected] : steps) {
        engine.executeStatement(statement);
        EXPECT_EQ(engine.eval("x * 10").number, expected) << statement;
    }
}

// The texts of one call may fill their room exactly, and no more.
TEST(Texts, FillTheirRoomExactly)
{
    Engine engine;
    engine.executeStatement("s = \"x\"");
    for (int i = 0; i < 24; ++i)
        engine.executeStatement("s = s & s");
    EXPECT_EQ(engine.eval("Len(s)").number, static_cast<double>(Scratch::MaxText));
    EXPECT_THROW(engine.executeStatement("s = s & s"), ScriptError);
}

}  // namespace
}  // namespace slopekit::script

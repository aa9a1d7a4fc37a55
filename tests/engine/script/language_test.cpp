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
    const char* name;
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

Case value(const char* name, std::string text, Type type, double number, const char* textValue = "")
{
    return {name, "", std::move(text), type, number, textValue};
}
Case assigns(const char* name, const char* run, const char* read, Type type, double number)
{
    return {name, run, read, type, number, ""};
}
Case fails(const char* name, std::string text, int error, int column, int line = 1)
{
    return {name, "", std::move(text), Type::Empty, 0, "", error, line, column};
}
Case failsToRun(const char* name, const char* run, int error, int column)
{
    return {name, run, "0", Type::Empty, 0, "", error, 1, column};
}

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
    for (const std::string name : {"Abs", "Atn", "Cos", "Exp", "Fix", "Int", "Log", "Sgn", "Sin", "Sqr", "Tan", "CBool",
                                   "CDbl", "CInt", "CLng", "CSng", "CStr", "Hex", "Oct", "IsNumeric", "IsEmpty", "Len"})
        for (const char* arguments : {"()", "(1, 2)"})
            rows.push_back(fails("argument_count", name + arguments, 450, 1));
    return rows;
}

using enum Type;
INSTANTIATE_TEST_SUITE_P(
    Rows, Language,
    ::testing::ValuesIn(withArgumentCounts({
        value("unary_minus_binds_tighter_than_power", "-3^2", Double, 9),
        value("negative_exponent", "2^-1", Double, 0.5),
        value("power_left_associative", "2^3^2", Double, 64),
        value("product_before_sum", "1 + 2 * 3", Integer, 7),
        value("intdiv_below_product", "7 \\ 2 * 2", Integer, 1),
        value("mod_below_intdiv", "7 Mod 5 \\ 2", Integer, 1),
        value("sum_below_mod", "1 + 7 Mod 4", Integer, 4),
        value("concat_below_sum", "1 + 2 & 3", String, 0, "33"),
        value("comparison_below_concat", "\"12\" = 1 & 2", Boolean, -1),
        value("comparisons_left_to_right", "3 > 2 > 1", Boolean, 0),
        value("not_below_comparison", "Not 1 = 2", Boolean, -1),
        value("and_below_not", "Not False And False", Boolean, 0),
        value("or_below_and", "True Or True And False", Boolean, -1),
        value("xor_below_or", "True Xor True Or True", Boolean, 0),
        value("imp_below_eqv", "False Imp True Eqv False", Boolean, -1),
        value("parentheses", "(1 + 2) * 3", Integer, 9),
        value("names_case_insensitive", "A * B", Double, -0.5),
        value("decimal", "12.5", Double, 12.5),
        value("leading_point", ".5", Double, 0.5),
        value("trailing_point", "10.", Double, 10),
        value("exponent", "1e-5", Double, 1e-5),
        value("signed_exponent", "1E+5", Double, 1e5),
        value("point_exponent", ".5e1", Double, 5),
        value("integer_literal", "32767", Integer, 32767),
        value("long_literal", "32768", Long, 32768),
        value("double_literal", "2147483648", Double, 2147483648.0),
        value("hex", "&HFF", Integer, 255),
        value("hex_sixteen_bit_negative", "&HFFFF", Integer, -1),
        value("hex_long_suffix", "&HFFFF&+1", Long, 65536),
        value("hex_long", "&H10000", Long, 65536),
        value("octal", "&O17", Integer, 15),
        value("string_doubled_quote", "\"say \"\"hi\"\"\"", String, 0, "say \"hi\""),
        value("tiny_literal_is_zero", "1e-400", Double, 0),
        value("integer_sum_widens_to_long", "32767 + 1", Long, 32768),
        value("long_product_widens_to_double", "65536 * 65536", Double, 4294967296.0),
        value("negating_lowest_integer", "-(-32768)", Long, 32768),
        value("division_is_double", "4 / 2", Double, 2),
        value("intdiv_rounds_half_down_to_even", "2.5 \\ 1", Long, 2),
        value("intdiv_rounds_half_up_to_even", "3.5 \\ 1", Long, 4),
        value("mod_takes_dividend_sign", "-7 Mod 3", Integer, -1),
        value("text_plus_number", "\"3\" + 1", Double, 4),
        value("text_plus_text_joins", "s + s", String, 0, "33"),
        value("true_is_minus_one", "True + 0", Integer, -1),
        value("bitwise_on_numbers", "6 And 3", Integer, 2),
        value("not_of_number", "Not 0", Integer, -1),
        value("number_text_form_plain", "1.5 & \"\"", String, 0, "1.5"),
        value("number_text_form_small", "1E-05 & \"\"", String, 0, "1E-05"),
        value("number_text_form_large", "1.5E+20 & \"\"", String, 0, "1.5E+20"),
        value("boolean_text_form", "True & \"\"", String, 0, "True"),
        value("number_less_than_text", "1 < \"a\"", Boolean, -1),
        value("atn", "Atn(1) * 4", Double, 3.14159265358979323846),
        value("exp", "Exp(1)", Double, 2.71828182845904523536),
        value("log_sqr", "Log(Sqr(Exp(4)))", Double, 2),
        value("sin", "Sin(0.5)", Double, 0.479425538604203),
        value("cos", "Cos(0.5)", Double, 0.87758256189037276),
        value("tan", "Tan(0.5)", Double, 0.54630248984379051),
        value("abs_keeps_subtype", "Abs(-3)", Integer, 3),
        value("fix_rounds_toward_zero", "Fix(-2.5)", Double, -2),
        value("int_rounds_down", "Int(-2.5)", Double, -3),
        value("round_half_down_to_even", "Round(2.5)", Double, 2),
        value("round_half_up_to_even", "Round(3.5)", Double, 4),
        value("round_digits", "Round(1.2345, 2)", Double, 1.23),
        value("sgn", "Sgn(-0.5)", Integer, -1),
        value("cint_rounds_half_even", "CInt(2.5)", Integer, 2),
        value("clng", "CLng(\"40000\")", Long, 40000),
        value("cbool_text", "CBool(\"true\")", Boolean, -1),
        value("cdbl", "CDbl(1)", Double, 1),
        value("csng_is_double", "CSng(1)", Double, 1),
        value("cstr", "CStr(0.5)", String, 0, "0.5"),
        value("hex_of_negative_integer", "Hex(-1)", String, 0, "FFFF"),
        value("oct_of_long", "Oct(65536)", String, 0, "200000"),
        value("isnumeric_number_text", "IsNumeric(\"1.5\")", Boolean, -1),
        value("isnumeric_word", "IsNumeric(\"x\")", Boolean, 0),
        value("isempty", "IsEmpty(a)", Boolean, 0),
        value("len_of_number", "Len(12.5)", Long, 4),
        value("abs_of_text", "Abs(\"-2.5\")", Double, 2.5),
        fails("cbool_four_letters", "CBool(\"tree\")", 13, 1),
        fails("cbool_five_letters", "CBool(\"fable\")", 13, 1),
        value("cube_by_value", "a ^ (a + 1)", Double, 8),
        value("fourth_power_by_value", "a ^ (a + 2)", Double, 16),
        value("square_by_value", "a ^ a", Double, 4),
        value("integer_top", "32766 + 1", Integer, 32767),
        value("integer_bottom", "-32767 - 1", Integer, -32768),
        value("long_top", "2147483647 \\ 1", Long, 2147483647),
        value("long_bottom", "-2147483648 \\ 1", Long, -2147483648.0),
        assigns("positive_fraction", "x= 1.5", "x", Double, 1.5),
        assigns("negative_below_one", "y=-.25", "y", Double, -0.25),
        assigns("zero", "z= 0", "z", Integer, 0),
        assigns("whole", "t= 2", "t", Integer, 2),
        assigns("exponent_form", "u= 1.5E+20", "u", Double, 1.5e20),
        assigns("negative_exponent_form", "v=-1E-05", "v", Double, -1e-5),
        assigns("lowest_integer", "w=-32768", "w", Long, -32768),
        assigns("constant_uses_earlier", "a=2.37: b=2*a", "b", Double, 4.74),
        assigns("lines_separate_statements", "a=1\r\nb=a+1", "b", Integer, 2),
        assigns("comparison_on_right_side", "a = 1 = 1", "a", Boolean, -1),
        assigns("comment_ignored", "a=3 ' three", "a", Integer, 3),
        assigns("case_insensitive", "ABC=4", "abc", Integer, 4),
        fails("sqr_of_negative", "1 + Sqr(-1)", 5, 5),
        fails("log_of_zero", "Log(0)", 5, 1),
        fails("negative_base_fractional_exponent", "(-8) ^ 0.5", 5, 6),
        fails("zero_to_negative_power", "0 ^ -1", 5, 3),
        fails("round_negative_digits", "Round(1, -1)", 5, 1),
        fails("exp_overflow", "Exp(710)", 6, 1),
        fails("product_overflow", "1E308 * 10", 6, 7),
        fails("zero_by_zero", "0 / 0", 6, 3),
        fails("cint_out_of_range", "CInt(40000)", 6, 1),
        fails("intdiv_beyond_long", "3E9 \\ 1", 6, 5),
        fails("division_by_zero", "1 / 0", 11, 3),
        fails("intdiv_by_zero", "1 \\ 0", 11, 3),
        fails("mod_by_zero", "1 Mod 0", 11, 3),
        fails("text_as_number", "\"abc\" + 1", 13, 7),
        fails("call_of_non_function", "foo(1)", 13, 1),
        fails("call_of_variable", "a(1)", 13, 1),
        fails("round_three_arguments", "Round(1, 2, 3)", 450, 1),
        fails("round_no_argument", "Round()", 450, 1),
        fails("never_assigned", "a + undefinedName", 500, 5),
        fails("texts_beyond_their_room", "Len(" + chainOfTexts(3000) + ")", 14, 368),
        fails("allocation_that_fails", "1 + Exhaust(1)", 7, 1),
        fails("dangling_operator", "1 +", 1023, 4),
        fails("empty", "", 1023, 1),
        fails("unclosed_parenthesis", "(1 + 2", 1006, 7),
        fails("unclosed_call", "Sin(1", 1006, 6),
        fails("member_not_a_name", "a.+", 1010, 3),
        fails("trailing_token", "1 2", 1025, 3),
        fails("token_after_comparison", "2 >1 1", 1025, 6),
        fails("second_line", "1\n+2", 1025, 2),
        fails("bad_exponent", "1e+", 1031, 1),
        fails("huge_literal", "1e400", 1031, 1),
        fails("hex_beyond_32_bits", "&H100000000", 1031, 1),
        fails("invalid_character", "1 # 2", 1032, 3),
        fails("nul_byte", std::string("1 +\0 2", 6), 1032, 4),
        fails("non_ascii", "1 + \xc3\xa4", 1032, 5),
        fails("unterminated_string", "\"abc", 1033, 1),
        fails("deep_nesting", std::string(300, '(') + "1" + std::string(300, ')'), 1002, 257),
        fails("deep_prefix_chain", std::string(300, '-') + "1", 1002, 257),
        fails("too_long", std::string(70000, '1'), 1002, 65537),
        failsToRun("empty_value", "a=", 1023, 3),
        failsToRun("no_equals", "a", 1011, 2),
        failsToRun("operator_for_equals", "a - 1", 1011, 3),
        failsToRun("no_name", "=5", 1010, 1),
        failsToRun("keyword_target", "Mod= 1", 1010, 1),
        failsToRun("value_only", "0", 1010, 1),
        failsToRun("two_values", "a = 1 2", 1025, 7),
        failsToRun("undefined_on_right", "a = nothingHere", 500, 5),
        assigns("field_by_name_and_as_member", "f= 1.5: host.f = f + 1", "f", Double, 2.5),
        assigns("whole_field_rounds_half_to_even", "w = 3.5", "w", Long, 4),
        fails("field_without_value", "1 + u", 500, 5),
        fails("field_without_value_as_member", "host.u", 500, 6),
        assigns("field_without_value_assigned", "u = 2", "host.u", Double, 2),
        value("method_by_name", "Twice(a)", Double, 4),
        value("method_as_member", "host.Twice(1)", Double, 2),
        fails("unknown_member", "host.nothing", 438, 6),
        failsToRun("object_assigned", "host = 1", 13, 1),
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

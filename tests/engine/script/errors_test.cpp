#include "engine/script/engine.h"

#include <gtest/gtest.h>

#include <new>
#include <span>
#include <string>

namespace slopekit::script {
namespace {

struct ErrorCase {
    const char* name;
    std::string text;
    int number;
    int line;
    int column;
    bool syntax;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class FailsWith : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(FailsWith, NumberPlaceAndSource)
{
    Engine engine;
    HostObject host;  // a method that runs out of memory
    host.methods = {{"Exhaust", 1, [](std::span<const Value>) -> Value { throw std::bad_alloc(); }}};
    engine.addObject("host", host, true);
    engine.executeStatement("a = 1: k = \"" + std::string(1000, 'k') + "\"");
    const ErrorCase& c = GetParam();
    try {
        engine.eval(c.text);
        FAIL() << "no error";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.number(), c.number);
        EXPECT_EQ(e.line(), c.line);
        EXPECT_EQ(e.column(), c.column);
        EXPECT_EQ(e.source(), c.syntax ? SyntaxSource : RuntimeSource);
        EXPECT_EQ(e.description(), standardDescription(c.number));
    }
    // Still usable, names kept.
    EXPECT_EQ(engine.eval("a + 1").number, 2);
}

// k & k & ... & k: each & makes a text 1000 bytes longer than the one before.
std::string chainOfTexts(int copies)
{
    std::string chain = "k";
    for (int i = 1; i < copies; ++i)
        chain += "&k";
    return chain;
}

std::string nested(int depth)
{
    return std::string(static_cast<std::size_t>(depth), '(') + "1" + std::string(static_cast<std::size_t>(depth), ')');
}

INSTANTIATE_TEST_SUITE_P(
    Runtime, FailsWith,
    ::testing::Values(
        ErrorCase{"sqr_of_negative", "1 + Sqr(-1)", 5, 1, 5, false},
        ErrorCase{"log_of_zero", "Log(0)", 5, 1, 1, false},
        ErrorCase{"negative_base_fractional_exponent", "(-8) ^ 0.5", 5, 1, 6, false},
        ErrorCase{"zero_to_negative_power", "0 ^ -1", 5, 1, 3, false},
        ErrorCase{"round_negative_digits", "Round(1, -1)", 5, 1, 1, false},
        ErrorCase{"exp_overflow", "Exp(710)", 6, 1, 1, false},
        ErrorCase{"product_overflow", "1E308 * 10", 6, 1, 7, false},
        ErrorCase{"zero_by_zero", "0 / 0", 6, 1, 3, false},
        ErrorCase{"cint_out_of_range", "CInt(40000)", 6, 1, 1, false},
        ErrorCase{"intdiv_beyond_long", "3E9 \\ 1", 6, 1, 5, false},
        ErrorCase{"division_by_zero", "1 / 0", 11, 1, 3, false},
        ErrorCase{"intdiv_by_zero", "1 \\ 0", 11, 1, 3, false},
        ErrorCase{"mod_by_zero", "1 Mod 0", 11, 1, 3, false},
        ErrorCase{"text_as_number", "\"abc\" + 1", 13, 1, 7, false},
        ErrorCase{"call_of_non_function", "foo(1)", 13, 1, 1, false},
        ErrorCase{"call_of_variable", "a(1)", 13, 1, 1, false},
        ErrorCase{"wrong_argument_count", "Sin(1, 2)", 450, 1, 1, false},
        ErrorCase{"no_arguments", "Atn()", 450, 1, 1, false},
        ErrorCase{"never_assigned", "a + undefinedName", 500, 1, 5, false},
        ErrorCase{"texts_beyond_their_room", "Len(" + chainOfTexts(3000) + ")", 14, 1, 368, false},
        ErrorCase{"allocation_that_fails", "1 + Exhaust(1)", 7, 1, 1, false}));

INSTANTIATE_TEST_SUITE_P(
    Syntax, FailsWith,
    ::testing::Values(
        ErrorCase{"dangling_operator", "1 +", 1023, 1, 4, true},
        ErrorCase{"empty", "", 1023, 1, 1, true},
        ErrorCase{"unclosed_parenthesis", "(1 + 2", 1006, 1, 7, true},
        ErrorCase{"unclosed_call", "Sin(1", 1006, 1, 6, true},
        ErrorCase{"member_not_a_name", "a.+", 1010, 1, 3, true},
        ErrorCase{"trailing_token", "1 2", 1025, 1, 3, true},
        ErrorCase{"second_line", "1\n+2", 1025, 1, 2, true},
        ErrorCase{"bad_exponent", "1e+", 1031, 1, 1, true},
        ErrorCase{"huge_literal", "1e400", 1031, 1, 1, true},
        ErrorCase{"hex_beyond_32_bits", "&H100000000", 1031, 1, 1, true},
        ErrorCase{"invalid_character", "1 # 2", 1032, 1, 3, true},
        ErrorCase{"nul_byte", std::string("1 +\0 2", 6), 1032, 1, 4, true},
        ErrorCase{"non_ascii", "1 + \xc3\xa4", 1032, 1, 5, true},
        ErrorCase{"unterminated_string", "\"abc", 1033, 1, 1, true},
        ErrorCase{"deep_nesting", nested(300), 1002, 1, 257, true},
        ErrorCase{"hundred_thousand_parentheses", nested(100000), 1002, 1, 65537, true},
        ErrorCase{"deep_prefix_chain", std::string(300, '-') + "1", 1002, 1, 257, true},
        ErrorCase{"too_long", std::string(70000, '1'), 1002, 1, 65537, true}));

TEST(ErrorEvent, FiresOnceInsideTheCallWithTheSameNumber)
{
    Engine engine;
    int calls = 0;
    int seen = 0;
    engine.setErrorHandler([&](const ErrorInfo& info) {
        ++calls;
        seen = info.number;
        EXPECT_EQ(engine.error().number, info.number);  // the error object is already set
    });
    try {
        engine.eval("1 / 0");
        FAIL();
    } catch (const ScriptError& e) {
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(e.number(), seen);
        EXPECT_EQ(engine.error().number, 11);
        EXPECT_EQ(engine.error().text, "1 / 0");
    }
    EXPECT_EQ(engine.eval("1 + 1").number, 2);
    EXPECT_EQ(calls, 1);
}

TEST(ErrorObject, NamesTheLineAndTextOfTheFailingStatement)
{
    Engine engine;
    try {
        engine.executeStatement("a = 1\nb = Sqr(-1)");
        FAIL();
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.number(), 5);
        EXPECT_EQ(e.line(), 2);
        EXPECT_EQ(e.column(), 5);
        EXPECT_EQ(e.text(), "b = Sqr(-1)");
    }
    EXPECT_EQ(engine.eval("a").number, 1);  // the statement before the failure ran
}

}  // namespace
}  // namespace slopekit::script

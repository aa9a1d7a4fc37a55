#include "documents/problem_reader.h"
#include "numbers/locale_guard.h"
#include "problem/dimension.h"

#include <gtest/gtest.h>

#include <sstream>

namespace slopekit {
namespace {

// These tests are about the file, not about the language's own names.
bool noneReserved(std::string_view) { return false; }

using testing::LocaleGuard;

LoadedProblem read(const std::string& text)
{
    std::istringstream in(text);
    return readProblem(in, noneReserved);
}

struct GoodCase {
    const char* name;
    const char* text;
    int order;
    const char* equation;
    std::vector<std::string> names;
    std::vector<double> point;
    std::vector<std::string> constants;
};

void PrintTo(const GoodCase& c, std::ostream* os) { *os << c.name; }

class ReadsFieldSyntax : public ::testing::TestWithParam<GoodCase> {};

TEST_P(ReadsFieldSyntax, GivesTheProblem)
{
    LocaleGuard comma(",", ".");
    const GoodCase& c = GetParam();
    const LoadedProblem p = read(c.text);
    EXPECT_EQ(p.order, c.order);
    EXPECT_EQ(p.equation, c.equation);
    EXPECT_EQ(p.names, c.names);
    EXPECT_EQ(p.point, c.point);
    EXPECT_EQ(p.constants, c.constants);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadsFieldSyntax,
    ::testing::Values(
        GoodCase{"example", "Slopekit\r\n2,\"x^2*y+a\"\r\n\"x\",1.5\r\n\"y\",-2.5\r\n 1 \r\na=2.37\r\n", 2,
                 "x^2*y+a", {"x", "y"}, {1.5, -2.5}, {"a=2.37"}},
        GoodCase{"exponent_and_half_count_to_even", "Slopekit\r\n2.5,\"x\"\r\n\"x\",1E-05\r\n\"y\",.5\r\n 0 \r\n", 2,
                 "x", {"x", "y"}, {1e-5, 0.5}, {}},
        GoodCase{"three_and_a_half_rounds_up", "Slopekit\r\n3.5,\"f\"\r\n\"a\",1\r\n\"b\",2\r\n\"c\",3\r\n\"d\",4\r\n0\r\n",
                 4, "f", {"a", "b", "c", "d"}, {1, 2, 3, 4}, {}},
        GoodCase{"commas_inside_quotes_and_constant_lines", "Slopekit\r\n1,\"max(x, b)\"\r\n\"x\",1\r\n 2 \r\nb=max(1,2)\r\n c = 3 \r\n",
                 1, "max(x, b)", {"x"}, {1}, {"b=max(1,2)", " c = 3 "}},
        GoodCase{"blanks_tabs_unquoted_fields_lf_ends", "Slopekit\n \t1 ,\t x+1\n x, -2D+1 \n\t0\t\n", 1, "x+1",
                 {"x"}, {-20}, {}},
        GoodCase{"no_final_line_end", "Slopekit\r\n1,\"x\"\r\n\"x\",3\r\n 1 \r\nk=1", 1, "x", {"x"}, {3}, {"k=1"}},
        GoodCase{"byte_order_mark_first", "\xEF\xBB\xBFSlopekit\r\n1,\"x\"\r\n\"x\",3\r\n 0 \r\n", 1, "x", {"x"}, {3}, {}}));

struct BadCase {
    const char* name;
    const char* text;
    int line;  // 0: incompatible file
    const char* reasonPart;
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class RefusesBadFile : public ::testing::TestWithParam<BadCase> {};

TEST_P(RefusesBadFile, NamesTheLineAndLeavesTheStateAlone)
{
    const BadCase& c = GetParam();
    Dimension dim;
    dim.redimension(1);
    dim.VarNams[0] = "t";
    dim.Equation = "t*2";
    dim.Cons[0] = "k=1";
    dim.NumCons = 1;
    const Dimension before = dim;
    std::istringstream in(c.text);
    try {
        applyProblem(readProblem(in, noneReserved), dim);
        ADD_FAILURE() << "read";
    } catch (const IncompatibleFile& e) {
        EXPECT_EQ(c.line, 0);
        EXPECT_STREQ(e.what(), "Incompatible file");
    } catch (const BadProblemFile& e) {
        EXPECT_EQ(e.line(), c.line);
        EXPECT_NE(std::string(e.what()).find(c.reasonPart), std::string::npos) << e.what();
    }
    EXPECT_EQ(dim.Order, before.Order);
    EXPECT_EQ(dim.VarNams, before.VarNams);
    EXPECT_EQ(dim.Varx, before.Varx);
    EXPECT_EQ(dim.Equation, before.Equation);
    EXPECT_EQ(dim.NumCons, before.NumCons);
    EXPECT_EQ(dim.Cons, before.Cons);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusesBadFile,
    ::testing::Values(
        BadCase{"signature_in_capitals", "SLOPEKIT\r\n1,\"x\"\r\n\"x\",1\r\n 0 \r\n", 0, ""},
        BadCase{"other_text", "hello\r\n", 0, ""},
        BadCase{"empty_file", "", 0, ""},
        BadCase{"ends_after_count_line", "Slopekit\r\n2,\"x*y\"\r\n\"x\",1\r\n", 4, "ends early"},
        BadCase{"ends_before_constants_count", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n", 4, "ends early"},
        BadCase{"ends_before_last_constant", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 2 \r\na=1\r\n", 6, "constant 2 of 2"},
        BadCase{"count_not_a_number", "Slopekit\r\ntwo,\"x\"\r\n", 2, "not a number"},
        BadCase{"value_not_a_number", "Slopekit\r\n1,\"x\"\r\n\"x\",1.5x\r\n 0 \r\n", 3, "not a number"},
        BadCase{"value_beyond_range", "Slopekit\r\n1,\"x\"\r\n\"x\",1E999\r\n 0 \r\n", 3, "too large"},
        BadCase{"no_variables", "Slopekit\r\n0,\"x\"\r\n 0 \r\n", 2, "1 to 10"},
        BadCase{"eleven_variables", "Slopekit\r\n11,\"x\"\r\n", 2, "1 to 10"},
        BadCase{"constants_count_102", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 102 \r\n", 4, "0 to 101"},
        BadCase{"constants_count_negative", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n -1 \r\n", 4, "0 to 101"},
        BadCase{"unclosed_quote", "Slopekit\r\n1,\"x\r\n\"x\",1\r\n 0 \r\n", 2, "no closing double quote"},
        BadCase{"text_after_quote", "Slopekit\r\n1,\"x\"y\r\n\"x\",1\r\n 0 \r\n", 2, "after a closing double quote"},
        BadCase{"missing_function", "Slopekit\r\n1\r\n\"x\",1\r\n 0 \r\n", 2, "the number of variables and the function"},
        BadCase{"extra_field", "Slopekit\r\n1,\"x\"\r\n\"x\",1,2\r\n 0 \r\n", 3, "name and value of variable 1"}));

}  // namespace
}  // namespace slopekit

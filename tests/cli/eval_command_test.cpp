#include "cli/eval_command.h"

#include <gtest/gtest.h>

#include <sstream>

namespace slopekit::cli {
namespace {

struct CliCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* out;
    const char* err;
};

void PrintTo(const CliCase& c, std::ostream* os) { *os << c.name; }

class Eval : public ::testing::TestWithParam<CliCase> {};

TEST_P(Eval, PrintsValueOrMessage)
{
    const CliCase& c = GetParam();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runEval(c.args, out, err), c.status);
    EXPECT_EQ(out.str(), c.out);
    if (c.status == 2)
        EXPECT_TRUE(err.str().starts_with("usage:"));
    else
        EXPECT_EQ(err.str(), c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Eval,
    ::testing::Values(
        CliCase{"variables", {"--var", "x=1.5", "--var", "y=-0.25", "x^2*y"}, 0, "-0.5625\n", ""},
        CliCase{"point_keeps_all_its_digits", {"--var", "x=1.000000000000001", "(x-1)*1E16"}, 0,
                "11.1022302462516\n", ""},
        CliCase{"unary_minus_before_power", {"-3^2"}, 0, "9\n", ""},
        CliCase{"predefined_constant", {"pi"}, 0, "3.14159265358979\n", ""},
        CliCase{"constants_in_order", {"--const", "a=2", "--const", "b=a*3", "b"}, 0, "6\n", ""},
        CliCase{"var_blanks_around_the_number", {"--var", "x= 4 ", "x"}, 0, "4\n", ""},
        CliCase{"var_text_after_the_number", {"--var", "x=1.5abc", "x"}, 1, "",
                "The value \"1.5abc\" given for x cannot be read as a number.\n"},
        CliCase{"var_blank_inside_the_number", {"--var", "x=1 0", "x"}, 1, "",
                "The value \"1 0\" given for x cannot be read as a number.\n"},
        CliCase{"var_named_like_the_error_channel", {"--var", "IErr=1.5", "ierr^2"}, 1, "",
                "\"IErr\" cannot be a name: the expression language uses it.\n"},
        CliCase{"division_by_zero", {"1/0"}, 1, "", "Slopekit expression runtime error 11\nDivision by zero\n"},
        CliCase{"ierr", {"Atanh(1)"}, 1, "", "Slopekit 11\nDivision by zero\n"},
        CliCase{"event_message", {"1 +"}, 1, "",
                "Slopekit expression syntax error 1023\nExpected expression\n\nAt line 1, col 4: [1 +]\n"},
        CliCase{"no_expression", {"--var", "x=1"}, 2, "", ""},
        CliCase{"missing_value", {"x", "--var"}, 2, "", ""},
        CliCase{"two_expressions", {"x", "y"}, 2, "", ""}));

}  // namespace
}  // namespace slopekit::cli

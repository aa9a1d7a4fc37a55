#include "cli/compute_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <sstream>

namespace slopekit::cli {
namespace {

struct ComputeCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* out;
    const char* err;
};

void PrintTo(const ComputeCase& c, std::ostream* os) { *os << c.name; }

class Compute : public ::testing::TestWithParam<ComputeCase> {};

TEST_P(Compute, PrintsListLinesOrOneMessage)
{
    const ComputeCase& c = GetParam();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runCompute(c.args, out, err), c.status);
    EXPECT_EQ(out.str(), c.out);
    if (c.status == 2)
        EXPECT_TRUE(err.str().starts_with("usage: slopekit-cli compute"));
    else
        EXPECT_EQ(err.str(), c.err);
}

// A function that fails wherever x is a power of two (every refined trial offset at 0) but
// not at the classic offsets, so the refinement finds no value for its derivatives.
const char* const FailsAtPowersOfTwo = "1/(x*2^21 - Int(x*2^21) + (x=0))";

// Coordinates of 1e6 make every difference exact, so the digits are those of the formulas.
INSTANTIATE_TEST_SUITE_P(
    Cli, Compute,
    ::testing::Values(
        ComputeCase{"one_variable", {"--var", "x=1e6", "x^2"}, 0,
                    "Function = 1000000000000\nDx = 2000000\nDxx = 2\n", ""},
        ComputeCase{"constants_in_order_variables_in_option_order",
                    {"--const", "a=3", "--var", "y=-2e6", "--const", "b=a*2", "--var", "x=1e6", "b*x*y"}, 0,
                    "Function = -12000000000000\nDy = 6000000\nDx = -12000000\nDyy = 0\nDxx = 0\nDyx = 6\n", ""},
        ComputeCase{"failure_at_a_displaced_point", {"--var", "x=0", "Sqr(x)"}, 1, "",
                    "Slopekit expression runtime error 5\nInvalid procedure call or argument\n"},
        ComputeCase{"text_result_gets_the_computation_message", {"--var", "x=1", "\"a\" & x"}, 1, "",
                    "Slopekit 13\nType mismatch\n"},
        ComputeCase{"engine_error_gets_the_event_message", {"--var", "x=1", "x+"}, 1, "",
                    "Slopekit expression syntax error 1023\nExpected expression\n\nAt line 1, col 3: [x+]\n"},
        ComputeCase{"rejected_constant", {"--const", "a=", "--var", "x=1", "x"}, 1, "",
                    "Slopekit expression syntax error 1023\nExpected expression\n\nAt line 1, col 3: [a=]\n"},
        ComputeCase{"unreadable_point", {"--var", "x=abc", "x"}, 1, "",
                    "The value \"abc\" given for x cannot be read as a number.\n"},
        ComputeCase{"text_after_the_point", {"--var", "x=1,000", "x"}, 1, "",
                    "The value \"1,000\" given for x cannot be read as a number.\n"},
        ComputeCase{"names_differing_only_in_case", {"--var", "x=1", "--var", "X=2", "x"}, 1, "",
                    "\"X\" is given twice: names that differ only in case are the same name.\n"},
        ComputeCase{"constant_name_with_a_blank", {"--const", "a b=1", "--var", "x=1", "x"}, 1, "",
                    "\"a b\" is not a name: a name starts with a letter and has only letters and digits.\n"},
        ComputeCase{"constants_without_variables", {"--const", "a=1", "x"}, 2, "", ""},
        ComputeCase{"save_without_file", {"--var", "x=1", "x", "--save"}, 2, "", ""},
        ComputeCase{"no_function", {"--var", "x=1"}, 2, "", ""},
        ComputeCase{"hessian_adds_the_analysis", {"--var", "x=0", "--var", "y=0", "--hessian", "x^2 - y^2"}, 0,
                    "Function = 0\nDx = 0\nDy = 0\nDxx = 2\nDyy = -2\nDxy = 0\nEigenvalues = -2, 2\n"
                    "Classification = saddle point\nFrom the refined estimates and their errors: the gradient is "
                    "zero within its error and one eigenvalue is positive and one negative beyond their error "
                    "(3E-14).\n",
                    ""},
        ComputeCase{"hessian_shows_the_steepest_ascent", {"--var", "x=1E6", "--hessian", "x^2"}, 0,
                    "Function = 1000000000000\nDx = 2000000\nDxx = 2\nEigenvalues = 2\n"
                    "Classification = not a critical point\nSteepest ascent = 1\nFrom the refined estimates and "
                    "their errors: the gradient is not zero within its error (|grad f| = 2000000).\n",
                    ""},
        ComputeCase{"points_need_a_problem_file", {"--var", "x=1", "--points", "p.csv", "x"}, 2, "", ""},
        ComputeCase{"format_without_points", {"problem.sk", "--format", "csv"}, 2, "", ""},
        ComputeCase{"unknown_points_format", {"problem.sk", "--points", "p.csv", "--format", "xml"}, 2, "", ""},
        ComputeCase{"plot_option", {"--var", "x=1", "--along", "x", "x"}, 2, "", ""},
        ComputeCase{"csv_for_one_point", {"--format", "csv", "--var", "x=1", "x"}, 2, "", ""},
        ComputeCase{"refine_with_points", {"problem.sk", "--points", "p.csv", "--refine"}, 2, "", ""},
        ComputeCase{"refine_keeps_the_failure_message", {"--refine", "--var", "x=0", "Sqr(x)"}, 1, "",
                    "Slopekit expression runtime error 5\nInvalid procedure call or argument\n"},
        ComputeCase{"json_keeps_the_failure_message", {"--format", "json", "--var", "x=0", "Sqr(x)"}, 1, "",
                    "Slopekit expression runtime error 5\nInvalid procedure call or argument\n"},
        ComputeCase{"refine_names_an_entry_without_value", {"--refine", "--var", "x=0", FailsAtPowersOfTwo}, 0,
                    "Function = -1\nDx = no value: the function fails at every trial step\n"
                    "Dxx = no value: the function fails at every trial step\n",
                    ""}));

std::string computed(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    EXPECT_EQ(runCompute(args, out, err), 0) << err.str();
    return out.str();
}

TEST(ComputeRefined, ListsEachValueWithItsErrorEstimate)
{
    EXPECT_THAT(computed({"--refine", "--var", "x=2", "--var", "y=0.5", "x*y"}),
                ::testing::MatchesRegex("Function = 1\n"
                                        "Dx = 0\\.5 ± [0-9.]+E-1[0-9]\n"
                                        "Dy = 2 ± [0-9.]+E-1[0-9]\n"
                                        "Dxx = -?[0-9.]+E-[0-9]+ ± [0-9.]+E-1[0-9]\n"
                                        "Dyy = -?[0-9.]+E-[0-9]+ ± [0-9.]+E-1[0-9]\n"
                                        "Dxy = 1 ± [0-9.]+E-1[0-9]\n"));
}

std::vector<std::string> keys(const nlohmann::ordered_json& object)
{
    std::vector<std::string> names;
    for (const auto& [key, value] : object.items())
        names.push_back(key);
    return names;
}

TEST(ComputeJson, HoldsBothResultsTheWarningsTheCountsAndTheAnalysis)
{
    const auto json = nlohmann::ordered_json::parse(computed(
        {"--format", "json", "--hessian", "--var", "x=13700", "--var", "y=0.30000000000000004", "Sin(x)+y*y"}));
    EXPECT_THAT(keys(json), ::testing::ElementsAre("variables", "point", "classic", "refined", "flagged",
                                                   "evaluations", "analysis"));
    EXPECT_THAT(keys(json["refined"]), ::testing::ElementsAre("value", "gradient", "gradient_error", "hessian",
                                                              "hessian_error", "unreliable"));
    EXPECT_EQ(json["variables"], nlohmann::json({"x", "y"}));
    EXPECT_EQ(json["point"][1].get<double>(), 0.30000000000000004);  // all 17 digits read back
    EXPECT_EQ(json["classic"]["value"], json["refined"]["value"]);
    EXPECT_EQ(json["classic"]["hessian"][0][1], json["classic"]["hessian"][1][0]);
    EXPECT_NEAR(json["refined"]["gradient"][0].get<double>(), std::cos(13700.0),
                json["refined"]["gradient_error"][0].get<double>());
    EXPECT_EQ(json["refined"]["hessian_error"][1].size(), 2u);
    EXPECT_EQ(json["refined"]["unreliable"], nlohmann::json::array());
    // The classic steps, 2.055 wide at 13700, are far too coarse for the sine.
    EXPECT_EQ(json["flagged"], nlohmann::json({"Dx", "Dxx"}));
    EXPECT_EQ(json["evaluations"]["classic"], 35);
    EXPECT_EQ(json["evaluations"]["refined"], 2 + 2 * 42 + 244);
    EXPECT_EQ(json["analysis"]["classification"], "not critical");
    EXPECT_EQ(json["analysis"]["eigenvalues"].size(), 2u);
}

TEST(ComputeJson, EntriesWithoutValueAreNull)
{
    const auto json = nlohmann::json::parse(computed({"--format", "json", "--var", "x=0", FailsAtPowersOfTwo}));
    EXPECT_EQ(json["refined"]["gradient"], nlohmann::json::parse("[null]"));
    EXPECT_EQ(json["refined"]["gradient_error"], nlohmann::json::parse("[null]"));
    EXPECT_EQ(json["refined"]["hessian"], nlohmann::json::parse("[[null]]"));
    EXPECT_EQ(json["refined"]["unreliable"], nlohmann::json({"Dx", "Dxx"}));
    EXPECT_EQ(json["flagged"], nlohmann::json({"Dx", "Dxx"}));
    EXPECT_TRUE(json["classic"]["gradient"][0].is_number());
}

}  // namespace
}  // namespace slopekit::cli

// eval and compute: the window's list lines and messages, the refined and exact lines, the
// analysis and the JSON results.
#include "cli/cli_run.h"

#include <nlohmann/json.hpp>

namespace slopekit::cli {
namespace {

// A function that fails wherever x is a power of two (every refined trial offset at 0) but
// not at the classic offsets, so the refinement finds no value for its derivatives.
const std::string FailsAtPowersOfTwo = "'1/(x*2^21 - Int(x*2^21) + (x=0))'";

class CliCompute : public ::testing::TestWithParam<CliRun> {};

TEST_P(CliCompute, PrintsTheWindowsLinesOrItsOneMessage) { expectRun(GetParam()); }

// clang-format off
const CliRun Runs[] = {
    {.name = "eval_variables", .line = "eval --var x=1.5 --var y=-0.25 'x^2*y'", .out = "-0.5625\n"},
    {.name = "eval_point_keeps_all_its_digits", .line = "eval --var x=1.000000000000001 '(x-1)*1E16'", .out = "11.1022302462516\n"},
    {.name = "eval_text_after_the_number", .line = "eval --var x=1.5abc x", .status = 1, .err = "The value \"1.5abc\" given for x cannot be read as a number.\n"},
    {.name = "eval_variable_named_like_the_error_channel", .line = "eval --var IErr=1.5 'ierr^2'", .status = 1, .err = "\"IErr\" cannot be a name: the expression language uses it.\n"},
    {.name = "eval_ierr", .line = "eval 'Atanh(1)'", .status = 1, .err = "Slopekit 11\nDivision by zero\n"},
    {.name = "eval_event_message", .line = "eval '1 +'", .status = 1, .err = "Slopekit expression syntax error 1023\nExpected expression\n\nAt line 1, col 4: [1 +]\n"},
    {.name = "eval_option_name_after_double_dash", .line = "eval -- --var", .status = 1, .err = "Slopekit expression runtime error 500\nVariable is undefined\n\nAt line 1, col 3: [--var]\n"},
    {.name = "compute_constants_in_order_variables_in_option_order", .line = "compute --const a=3 --var y=-2e6 --const b=a*2 --var x=1e6 'b*x*y'", .out = "Function = -12000000000000\nDy = 6000000\nDx = -12000000\nDyy = 0\nDxx = 0\nDyx = 6\n"},
    {.name = "compute_saves_what_compute_file_reads", .line = "compute --const a=2.5 --var x=1e6 --var y=-2e6 --save %D/saved 'x*y+a'", .out = ExampleLines, .file = "saved", .holds = Example},
    {.name = "compute_names_differing_only_in_case", .line = "compute --var x=1 --var X=2 x", .status = 1, .err = "\"X\" is given twice: names that differ only in case are the same name.\n"},
    {.name = "compute_constant_named_like_the_object", .line = "compute --const sh=1 --var x=1 x", .status = 1, .err = "\"sh\" cannot be a name: the expression language uses it.\n"},
    {.name = "compute_constant_undefined", .line = "compute --const c=q --var x=1 x", .status = 1, .err = "Slopekit expression runtime error 500\nVariable is undefined\n\nAt line 1, col 3: [c=q]\n"},
    {.name = "compute_x_not_a_variable", .line = "compute --var xx=1 x", .status = 1, .err = "Slopekit expression runtime error 500\nVariable is undefined\n\nAt line 1, col 1: [x]\n"},
    {.name = "compute_function_that_does_not_compile", .line = "compute --var x=1.5 --var y=2 '(x+y'", .status = 1, .err = "Slopekit expression syntax error 1006\nExpected ')'\n\nAt line 1, col 5: [(x+y]\n"},
    {.name = "compute_save_of_a_function_that_fails", .line = "compute --var x=-1 --save %D/failing 'Sqr(x)'", .status = 1, .err = Runtime5, .absent = "failing"},
    {.name = "compute_exact_lines_name_a_missing_derivative", .line = "compute %D/kink --exact", .out = std::string("Function = 9\nDx = ") + AbsKink + "\nDy = 6\nDxx = " + AbsKink + "\nDyy = 2\nDxy = " + AbsKink + "\n"},
    {.name = "compute_refine_keeps_the_failure_message", .line = "compute --refine --var x=0 'Sqr(x)'", .status = 1, .err = Runtime5},
    {.name = "compute_refine_names_an_entry_without_value", .line = "compute --refine --var x=0 " + FailsAtPowersOfTwo, .out = "Function = -1\nDx = no value: the function fails at every trial step\nDxx = no value: the function fails at every trial step\n"},
    // Output to a full device: the lost results are reported, never taken for success.
    {.name = "compute_output_lost", .line = "compute %D/example >/dev/full", .status = 1, .err = "The output could not be written.\n"},
    // A curvature of 1E-13 beside 2: the exact results tell it from zero, the refined ones could not.
    {.name = "hessian_rests_on_the_exact_results", .line = "compute --var x=0 --var y=0 --hessian 'x^2 + 1E-13*y^2'", .out = "Function = 0\nDx = 0\nDy = 0\nDxx = 2\nDyy = 2E-13\nDxy = 0\nEigenvalues = 2E-13, 2\nClassification = local minimum\nFrom the exact derivatives, good to rounding: the gradient is zero within its error and every eigenvalue is positive beyond its error (5.7E-14).\n"},
    {.name = "hessian_shows_the_steepest_ascent", .line = "compute --var x=1E6 --hessian x^2", .out = "Function = 1000000000000\nDx = 2000000\nDxx = 2\nEigenvalues = 2\nClassification = not a critical point\nSteepest ascent = 1\nFrom the exact derivatives, good to rounding: the gradient is not zero within its error (|grad f| = 2000000).\n"},
    {.name = "hessian_without_any_second_derivative", .line = "compute --hessian --var x=0 " + FailsAtPowersOfTwo, .out = "Function = -1\nDx = -5809.90622027011\nDxx = 323509631.708518\nNo analysis: the Hessian has entries without a reliable value, so it has no eigenvalues.\nFrom the refined estimates and their errors: some estimates are unreliable, so nothing can be concluded.\n"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Commands, CliCompute, ::testing::ValuesIn(Runs), rowName);

nlohmann::json computedJson(const std::string& line, const std::string& input = "")
{
    Folder folder;
    std::ofstream(folder.path + "/in", std::ios::binary) << input;
    const Output output = runCli(line, folder.path);
    EXPECT_EQ(output.status, 0) << output.err;
    return nlohmann::json::parse(output.out, nullptr, false);
}

// The classic steps, 2.055 wide at 13700, are far too coarse for the sine.
const std::string Sine = "compute --format json --hessian --var x=13700 --var y=0.30000000000000004 'Sin(x)+y*y'";
const std::string AtTheKink = "compute --format json --var x=0 --var y=3 'Abs(x)+y^2'";
const std::string WithoutRefinedValue = "compute --format json --var x=0 " + FailsAtPowersOfTwo;
// A problem file keeps every digit of its point.
const char* const Precise = "Slopekit\r\n1,\"x*1E6\"\r\n\"x\",0.12345678901234567\r\n 0 \r\n";

TEST(CliJson, HoldsEachResultAtItsPlace)
{
    struct Row {
        const char* name;
        std::string line;
        const char* pointer;
        nlohmann::json value;
        std::string input = "";  // written to %D/in first
    };
    // clang-format off
    const Row rows[] = {
        {.name = "variables", .line = Sine, .pointer = "/variables", .value = {"x", "y"}},
        {.name = "point_with_all_17_digits", .line = Sine, .pointer = "/point/1", .value = 0.30000000000000004},
        {.name = "point_of_a_file_with_all_17_digits", .line = "compute --format json %D/in", .pointer = "/point/0", .value = 0.12345678901234567, .input = Precise},
        {.name = "classic_values_flagged", .line = Sine, .pointer = "/flagged", .value = {"Dx", "Dxx"}},
        {.name = "classic_evaluations", .line = Sine, .pointer = "/evaluations/classic", .value = 35},
        {.name = "refined_evaluations", .line = Sine, .pointer = "/evaluations/refined", .value = 2 + 2 * 42 + 244},
        {.name = "exact_hessian", .line = Sine, .pointer = "/exact/hessian", .value = {{-0.46670574294333234, 0.0}, {0.0, 2.0}}},
        {.name = "classification", .line = Sine, .pointer = "/analysis/classification", .value = "not critical"},
        {.name = "eigenvalues", .line = Sine, .pointer = "/analysis/eigenvalues/1", .value = 2.0},
        {.name = "missing_exact_gradient_entry_null", .line = AtTheKink, .pointer = "/exact/gradient", .value = {nullptr, 6.0}},
        {.name = "missing_exact_entry_with_its_reason", .line = AtTheKink, .pointer = "/exact/missing/2", .value = {{"label", "Dxy"}, {"reason", AbsKink}}},
        // The refined Dxx is the reference where the exact one is missing, and cannot vouch for the classic one.
        {.name = "classic_value_flagged_beside_a_missing_exact_one", .line = AtTheKink, .pointer = "/flagged", .value = {"Dxx"}},
        {.name = "refined_entries_without_value_null", .line = WithoutRefinedValue, .pointer = "/refined", .value = nlohmann::json::parse(R"({"value": -1, "gradient": [null], "gradient_error": [null], "hessian": [[null]], "hessian_error": [[null]], "unreliable": ["Dx", "Dxx"]})")},
    };
    // clang-format on
    for (const Row& row : rows) {
        const nlohmann::json json = computedJson(row.line, row.input);
        EXPECT_EQ(json.value(nlohmann::json::json_pointer(row.pointer), nlohmann::json()), row.value)
            << row.name << ": " << row.pointer;
    }
}

// A problem file keeps every digit of its point, so a computation of the file is the
// computation that saved it.
TEST(CliFile, ComputesAtThePointItsSaveWrote)
{
    Folder folder;
    const Output saved = runCli("compute --var x=0.12345678901234567 --save %D/saved 'x*1E6'", folder.path);
    EXPECT_EQ(runCli("compute %D/saved", folder.path).out, saved.out);
}

}  // namespace
}  // namespace slopekit::cli

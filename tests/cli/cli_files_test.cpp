// The files the cli reads and writes: problem files opened and saved, reports and plots.
#include "cli/cli_run.h"

namespace slopekit::cli {
namespace {

const std::string TooLarge =
    "The file %D/example could not be written (File too large). An earlier file of that name is unchanged.\n";

class CliFiles : public ::testing::TestWithParam<CliRun> {};

TEST_P(CliFiles, WriteWhatIsAskedOrKeepTheEarlierFile) { expectRun(GetParam()); }

// clang-format off
const CliRun Runs[] = {
    {.name = "save_through_a_link_into_its_target", .line = "compute --var x=1e6 --save %D/link x", .out = "Function = 1000000\nDx = 1\nDxx = 0\n", .file = "example", .holds = "Slopekit\r\n1,\"x\"\r\n\"x\",1000000\r\n 0 \r\n"},
    {.name = "refused_save_keeps_the_old_file", .line = "compute --var x=1 --save %D/example '\"x\"'", .status = 1, .err = "The function contains a double quote (\"), which a problem file cannot hold.\n", .file = "example", .holds = Example},
    {.name = "save_refuses_a_read_only_file", .line = "compute --var x=1 --save %D/readonly x", .status = 1, .err = "The file %D/readonly is read-only.\n", .file = "readonly", .holds = Example},
    {.name = "save_through_a_dangling_link", .line = "compute --var x=1 --save %D/dangling x", .status = 1, .err = "The file %D/dangling could not be written (No such file or directory).\n"},
    {.name = "save_into_a_missing_folder", .line = "compute --var x=1 --save %D/no/such x", .status = 1, .err = "The file %D/no/such could not be written (No such file or directory).\n"},
    {.name = "save_onto_a_fifo", .line = "compute --var x=1 --save %D/fifo x", .status = 1, .err = "The file %D/fifo could not be written (It is not a regular file). An earlier file of that name is unchanged.\n"},
    {.name = "save_beyond_the_file_size_limit", .line = "compute --var x=1 --save %D/example x" + repeated("+x", 1500), .status = 1, .err = TooLarge, .file = "example", .holds = Example, .smallFiles = true},
    {.name = "save_of_a_function_too_long", .line = "compute --var x=1 --save %D/long x" + repeated("+x", 35000), .status = 1, .err = "The function is too long: a function may be at most 65,536 characters long.\n", .absent = "long"},
    {.name = "open_missing", .line = "compute %D/missing", .status = 1, .err = "The file %D/missing cannot be opened.\n"},
    {.name = "open_fifo", .line = "compute %D/fifo", .status = 1, .err = "The file %D/fifo cannot be opened.\nIt is not a regular file.\n"},
    {.name = "open_larger_than_any_problem", .line = "report %D/big", .status = 1, .err = "The file %D/big cannot be opened.\nIt is larger than a problem file can be (16 MiB).\n"},
    {.name = "open_video", .line = "compute %D/in", .status = 1, .err = "Incompatible file\n", .input = "\x1A\x45\xDF\xA3"},
    {.name = "open_bad_line", .line = "compute %D/in", .status = 1, .err = "The file %D/in does not hold a problem that can be opened.\nLine 2: the number of variables must be 1 to 10, not 11.\n", .input = "Slopekit\r\n11,\"x\"\r\n"},
    {.name = "report_lines", .line = "report %D/example", .out = "    ORDER: 2 \nVARIABLES: x,y\n\nFUNCTION:\nx*y+a\n\nCONSTANTS:\na=2.5\n\nEVALUATION POINT:\nx = 1000000 \ny =-2000000 \n\nFUNCTION =-1999999999997.5 \n\nDx = -2000000\nDy = 1000000\nDxx = 0\nDyy = 0\nDxy = 1\n\n"},
    {.name = "report_three_variables_without_constants", .line = "report %D/in", .out = "    ORDER: 3 \nVARIABLES: x,y,z\n\nFUNCTION:\nx*y*z\n\nEVALUATION POINT:\nx = 1000000 \ny = 2000000 \nz =-3 \n\nFUNCTION =-6000000000000 \n\nDx = -6000000\nDy = -3000000\nDz = 2000000000000\nDxx = 0\nDyy = 0\nDzz = 0\nDxy = -3\nDxz = 2000000\nDyz = 1000000\n\n", .input = "Slopekit\r\n3,\"x*y*z\"\r\n\"x\",1000000\r\n\"y\",2000000\r\n\"z\",-3\r\n 0 \r\n"},
    {.name = "report_pdf", .line = "report %D/example --pdf %D/report.pdf", .file = "report.pdf", .holds = "%PDF"},
    {.name = "report_pdf_beyond_the_file_size_limit", .line = "report %D/sgn --pdf %D/example", .status = 1, .err = TooLarge, .file = "example", .holds = Example, .smallFiles = true},
    {.name = "report_refuses_to_replace_its_problem_file", .line = "report %D/link --pdf %D/example", .status = 1, .err = "The file %D/example is the problem file being read; give the output another name.\n", .file = "example", .holds = Example},
    {.name = "report_failing", .line = "report %D/in", .status = 1, .err = Runtime5, .input = "Slopekit\r\n1,\"Sqr(x)\"\r\n\"x\",0\r\n 0 \r\n"},
    {.name = "report_announced_failure", .line = "report %D/in", .status = 1, .err = "Slopekit expression syntax error 1023\nExpected expression\n\nAt line 1, col 3: [x+]\n", .input = "Slopekit\r\n1,\"x+\"\r\n\"x\",1\r\n 0 \r\n"},
    {.name = "plot_draws_an_svg", .line = "plot %D/sgn --along y --svg %D/plot.svg", .file = "plot.svg", .holds = "f along y through y = 2"},
    {.name = "plot_along_in_any_case", .line = "plot %D/sgn --along Y --svg %D/plot.svg", .file = "plot.svg", .holds = "f along y"},
    // The curve's colour: it is drawn.
    {.name = "plot_narrowed_near_the_largest_number", .line = "plot --var x=1.7E308 --var y=1 --along x --svg %D/b.svg y", .file = "b.svg", .holds = "stroke=\"#1f5ab4\""},
    {.name = "plot_along_no_variable", .line = "plot %D/sgn --along z --svg %D/p.svg", .status = 1, .err = "The problem has no variable z to plot along; its variables are x, y.\n"},
    {.name = "plot_names_checked", .line = "plot --var x=1 --var X=2 --along x --svg %D/p.svg x+X", .status = 1, .err = "\"X\" is given twice: names that differ only in case are the same name.\n"},
    {.name = "plot_name_with_a_blank", .line = "plot --var 'x =1' --along x --svg %D/p.svg x", .status = 1, .err = "\"x \" is not a name: a name starts with a letter and has only letters and digits.\n"},
    {.name = "plot_refuses_to_replace_its_problem_file", .line = "plot %D/example --along x --svg %D/./example", .status = 1, .err = "The file %D/./example is the problem file being read; give the output another name.\n", .file = "example", .holds = Example},
    {.name = "plot_refuses_a_read_only_file", .line = "plot %D/example --along x --svg %D/readonly", .status = 1, .err = "The file %D/readonly is read-only.\n", .file = "readonly", .holds = Example},
    {.name = "plot_failing", .line = "plot --var x=0 --along x --svg %D/p.svg 'Sqr(x)'", .status = 1, .err = Runtime5},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Commands, CliFiles, ::testing::ValuesIn(Runs), rowName);

// A 580-character function is all on the report's PDF pages, wrapped over several lines.
TEST(CliReport, APdfHoldsEveryCharacterOfALongFunction)
{
    std::string function;
    for (int k = 1; function.size() < 560; ++k)
        function += "Sin(x*" + std::to_string(k) + ")+";
    function += "1" + std::string(580 - function.size() - 1, '0');
    Folder folder;
    std::ofstream(folder.path + "/long", std::ios::binary)
        << "Slopekit\r\n1,\"" + function + "\"\r\n\"x\",1\r\n 0 \r\n";
    ASSERT_EQ(runCli("report %D/long --pdf %D/long.pdf", folder.path).status, 0) << "exit status";
    const Output text = run(inFolder("pdftotext %D/long.pdf -", folder.path), folder.path);
    ASSERT_EQ(text.status, 0) << "pdftotext (poppler-utils) is needed";
    const auto start = text.out.find("FUNCTION:\n") + 10;
    std::string printed = text.out.substr(start, text.out.find("EVALUATION POINT:", start) - start);
    const auto lines = std::count(printed.begin(), printed.end(), '\n');
    printed.erase(std::remove(printed.begin(), printed.end(), '\n'), printed.end());
    EXPECT_EQ(printed, function) << "function on the pages";
    EXPECT_GE(lines, 6) << "lines it is wrapped over";
}

}  // namespace
}  // namespace slopekit::cli

// slopekit-cli run as a program, as scripts run it. Each run gets a fresh folder (%D in
// arguments and expected texts) holding the files below, and must leave no temporary file.
#include "cli/cli_usage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>

namespace slopekit::cli {
namespace {

namespace fs = std::filesystem;

// Coordinates of a million make every difference exact, so the digits are those of the formulas.
const std::string Example = "Slopekit\r\n2,\"x*y+a\"\r\n\"x\",1000000\r\n\"y\",-2000000\r\n 1 \r\na=2.5\r\n";
const char* const ExampleLines = "Function = -1999999999997.5\nDx = -2000000\nDy = 1000000\nDxx = 0\nDyy = 0\nDxy = 1\n";

// Fails at x = 0 only.
const char* const Sgn = "Slopekit\r\n2,\"x*y/Sgn(x)\"\r\n\"x\",1\r\n\"y\",2\r\n 0 \r\n";
// No derivative in x at x = 0.
const char* const Kink = "Slopekit\r\n2,\"Abs(x)+y^2\"\r\n\"x\",0\r\n\"y\",3\r\n 0 \r\n";

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string inFolder(std::string text, const std::string& folder)
{
    for (auto at = text.find("%D"); at != std::string::npos; at = text.find("%D", at + folder.size()))
        text.replace(at, 2, folder);
    return text;
}

class Folder {
public:
    Folder()
    {
        std::string name = (fs::temp_directory_path() / "slopekit-cli-XXXXXX").string();
        path = mkdtemp(name.data());
        for (const char* file : {"/example", "/big"})
            std::ofstream(path + file, std::ios::binary) << Example;
        std::ofstream(path + "/sgn", std::ios::binary) << Sgn;
        std::ofstream(path + "/kink", std::ios::binary) << Kink;
        fs::create_symlink("example", path + "/link");
        fs::create_symlink("missing", path + "/dangling");
        mkfifo((path + "/fifo").c_str(), 0600);
        fs::resize_file(path + "/big", 17 << 20);  // larger than any problem file
        std::ofstream(path + "/readonly", std::ios::binary) << Example;
        fs::permissions(path + "/readonly", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    ~Folder() { fs::remove_all(path); }
    bool holdsATemporaryFile() const
    {
        return std::ranges::any_of(fs::directory_iterator(path), [](const fs::directory_entry& entry) {
            return entry.path().filename().string().starts_with(".slopekit-");
        });
    }
    std::string path;
};

struct Output {
    int status;
    std::string out;
    std::string err;
};

// Runs a command line through the shell, as scripts run it; a redirection in the arguments
// overrides the folder's files. A small file size limit makes a write fail with EFBIG, as on
// a full disk, instead of ending the program.
Output run(const std::string& command, const std::string& folder, bool smallFiles = false)
{
    const std::string limit = smallFiles ? "ulimit -f 2; trap '' XFSZ; " : "";
    const int status =
        std::system((limit + "exec >" + folder + "/stdout 2>" + folder + "/stderr " + command).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents(folder + "/stdout"), contents(folder + "/stderr")};
}

Output runCli(const std::string& arguments, const std::string& folder, bool smallFiles = false)
{
    return run(SLOPEKIT_CLI " " + arguments, folder, smallFiles);
}

struct CliRun {
    const char* name;
    std::string line;  // the arguments as a shell takes them
    int status;
    std::string out;
    std::string err;
    std::string input = "";                          // written to %D/in first
    std::pair<std::string, std::string> wrote = {};  // a file in %D and a text it must hold
    bool smallFiles = false;
    const char* absent = "";  // a file in %D that the run must not write
};

class Cli : public ::testing::TestWithParam<CliRun> {};

TEST_P(Cli, ExitStatusOutputAndMessagesAreExact)
{
    const CliRun& run = GetParam();
    Folder folder;
    std::ofstream(folder.path + "/in", std::ios::binary) << run.input;
    const Output output = runCli(inFolder(run.line, folder.path), folder.path, run.smallFiles);
    EXPECT_EQ(output.status, run.status);
    EXPECT_EQ(output.out, run.out);
    EXPECT_EQ(output.err, inFolder(run.err, folder.path));
    if (!run.wrote.first.empty()) {
        EXPECT_THAT(contents(folder.path + "/" + run.wrote.first), ::testing::HasSubstr(run.wrote.second));
    }
    if (*run.absent) {
        EXPECT_FALSE(fs::exists(folder.path + "/" + run.absent));
    }
    EXPECT_FALSE(folder.holdsATemporaryFile());
}

CliRun failed(const char* name, std::string line, std::string err) { return {name, std::move(line), 1, "", std::move(err)}; }
// A usage error: the line that names the fault, then the command's usage.
CliRun usage(const char* name, std::string line, const std::string& fault, const char* text)
{
    return {name, std::move(line), 2, "", fault + "\n" + text};
}

// The message of an error the engine reports with the place where it arose.
std::string located(const char* error, const char* description, int column, const std::string& text)
{
    return "Slopekit expression " + std::string(error) + "\n" + description + "\n\nAt line 1, col " +
           std::to_string(column) + ": [" + text + "]\n";
}

// The function at (x, y) = (1.5, 2).
CliRun function(const char* name, const std::string& f, const char* error, const char* description, int column)
{
    return failed(name, "compute --var x=1.5 --var y=2 '" + f + "'", located(error, description, column, f));
}

CliRun points(const char* name, std::string csv, const std::string& options, int status, std::string out,
              std::string err = "")
{
    return {name, "compute %D/sgn --points %D/in " + options, status, std::move(out), std::move(err), std::move(csv)};
}

const char* const Header = "x,y,Function,Dx,Dy,Dxx,Dyy,Dxy,error\n";
const char* const AbsKink = "no derivative: Abs at its kink (column 1)";
const std::string Row = "1000000,2000000,2000000000000,2000000,1000000,0,0,1,\n";
const char* const Runtime5 = "Slopekit expression runtime error 5\nInvalid procedure call or argument\n";
const std::string TooLarge =
    "The file %D/example could not be written (File too large). An earlier file of that name is unchanged.\n";
const std::string Deep = std::string(300, '(') + "x" + std::string(300, ')');

std::string repeated(const std::string& text, int times)
{
    std::string all;
    for (int k = 0; k < times; ++k)
        all += text;
    return all;
}

// A function that fails wherever x is a power of two (every refined trial offset at 0) but
// not at the classic offsets, so the refinement finds no value for its derivatives.
const char* const FailsAtPowersOfTwo = "'1/(x*2^21 - Int(x*2^21) + (x=0))'";

// Every command's usage, as help and a faulty command line show it.
const char* const AllUsage =
    "usage: slopekit-cli eval [--const NAME=VALUE]... [--var NAME=VALUE]... EXPRESSION\n"
    "       slopekit-cli compute [--const NAME=VALUE]... --var NAME=VALUE... [--save FILE]\n"
    "                            [--refine | --exact] [--hessian] [--format json] FUNCTION\n"
    "       slopekit-cli compute FILE [--refine | --exact] [--hessian] [--format json]\n"
    "       slopekit-cli compute FILE --points POINTS.csv [--exact] [--format csv|json]\n"
    "       slopekit-cli report FILE [--pdf OUT.pdf]\n"
    "       slopekit-cli plot [--const NAME=VALUE]... --var NAME=VALUE... --along NAME --svg OUT FUNCTION\n"
    "       slopekit-cli plot FILE --along NAME --svg OUT\n";

const CliRun Runs[] = {
    {"eval_variables", "eval --var x=1.5 --var y=-0.25 'x^2*y'", 0, "-0.5625\n", ""},
    {"eval_point_keeps_all_its_digits", "eval --var x=1.000000000000001 '(x-1)*1E16'", 0, "11.1022302462516\n", ""},
    failed("eval_text_after_the_number", "eval --var x=1.5abc x",
           "The value \"1.5abc\" given for x cannot be read as a number.\n"),
    failed("eval_variable_named_like_the_error_channel", "eval --var IErr=1.5 'ierr^2'",
           "\"IErr\" cannot be a name: the expression language uses it.\n"),
    failed("eval_ierr", "eval 'Atanh(1)'", "Slopekit 11\nDivision by zero\n"),
    failed("eval_event_message", "eval '1 +'", located("syntax error 1023", "Expected expression", 4, "1 +")),
    failed("eval_option_name_after_double_dash", "eval -- --var", located("runtime error 500", "Variable is undefined", 3, "--var")),
    usage("eval_no_expression", "eval --var x=1", "An EXPRESSION is missing.", EvalUsage), usage("eval_missing_value", "eval x --var", "--var needs NAME=VALUE.", EvalUsage),
    usage("eval_two_expressions", "eval x y", "\"y\" is one text too many: give one, quoted when it holds blanks.", EvalUsage), usage("eval_save", "eval --save %D/saved 1", "--save does not go with eval.", EvalUsage),
    usage("eval_points", "eval --points p.csv 1", "--points does not go with eval.", EvalUsage),

    {"compute_constants_in_order_variables_in_option_order", "compute --const a=3 --var y=-2e6 --const b=a*2 --var x=1e6 'b*x*y'",
     0, "Function = -12000000000000\nDy = 6000000\nDx = -12000000\nDyy = 0\nDxx = 0\nDyx = 6\n", ""},
    {"compute_saves_what_compute_file_reads", "compute --const a=2.5 --var x=1e6 --var y=-2e6 --save %D/saved 'x*y+a'", 0,
     ExampleLines, "", "", {"saved", Example}},
    {"compute_file", "compute %D/example", 0, ExampleLines, ""},
    {"compute_saves_through_a_link_into_its_target", "compute --var x=1e6 --save %D/link x", 0,
     "Function = 1000000\nDx = 1\nDxx = 0\n", "", "", {"example", "Slopekit\r\n1,\"x\"\r\n\"x\",1000000\r\n 0 \r\n"}},
    {"compute_refused_save_keeps_the_old_file", "compute --var x=1 --save %D/example '\"x\"'", 1, "",
     "The function contains a double quote (\"), which a problem file cannot hold.\n", "", {"example", Example}},
    {"compute_save_refuses_a_read_only_file", "compute --var x=1 --save %D/readonly x", 1, "",
     "The file %D/readonly is read-only.\n", "", {"readonly", Example}},
    failed("compute_save_through_a_dangling_link", "compute --var x=1 --save %D/dangling x",
           "The file %D/dangling could not be written (No such file or directory).\n"),
    failed("compute_save_into_a_missing_folder", "compute --var x=1 --save %D/no/such x",
           "The file %D/no/such could not be written (No such file or directory).\n"),
    failed("compute_save_onto_a_fifo", "compute --var x=1 --save %D/fifo x",
           "The file %D/fifo could not be written (It is not a regular file). An earlier file of that name is unchanged.\n"),
    {"compute_save_beyond_the_file_size_limit", "compute --var x=1 --save %D/example x" + repeated("+x", 1500), 1, "",
     TooLarge, "", {"example", Example}, true},
    failed("compute_names_differing_only_in_case", "compute --var x=1 --var X=2 x",
           "\"X\" is given twice: names that differ only in case are the same name.\n"),
    failed("compute_constant_named_like_the_object", "compute --const sh=1 --var x=1 x",
           "\"sh\" cannot be a name: the expression language uses it.\n"),
    failed("compute_constant_undefined", "compute --const c=q --var x=1 x",
           located("runtime error 500", "Variable is undefined", 3, "c=q")),
    failed("compute_x_not_a_variable", "compute --var xx=1 x", located("runtime error 500", "Variable is undefined", 1, "x")),
    failed("compute_constant_reading_the_point", "compute --const c=x*2 --var x=3 c*x",
           "The constant c=x*2 uses the variable x. Constants cannot depend on the point: they are set once, before the "
           "point is.\n"),
    function("function_parenthesis_unclosed", "(x+y", "syntax error 1006", "Expected ')'", 5),
    function("function_two_operands", "x y", "syntax error 1025", "Expected end of statement", 3),
    function("function_unterminated_string", "\"abc", "syntax error 1033", "Unterminated string constant", 1),
    function("function_nesting_too_deep", Deep, "syntax error 1002", "Syntax error", 257),
    function("function_wrong_argument_count", "Sqr(x, y)", "runtime error 450",
             "Wrong number of arguments or invalid property assignment", 1),
    function("function_member_of_a_number", "x.y", "runtime error 424", "Object required", 1),
    function("function_unknown_member", "sh.w", "runtime error 438", "Object doesn't support this property or method", 4),
    usage("compute_constants_without_variables", "compute --const a=1 x", "--var is missing: give each variable with its value.", ComputeUsage),
    usage("compute_save_without_file", "compute --var x=1 x --save", "--save needs a value.", ComputeUsage),
    usage("compute_no_function", "compute --var x=1", "A FUNCTION or a problem FILE is missing.", ComputeUsage),
    usage("compute_points_need_a_problem_file", "compute --var x=1 --points p.csv x", "--points needs a problem FILE, not a FUNCTION.", ComputeUsage),
    usage("compute_format_without_points", "compute problem.sk --format csv", "--format csv needs --points.", ComputeUsage),
    usage("compute_unknown_points_format", "compute p.sk --points p.csv --format xml", "--format xml is not known: use json, or csv with --points.", ComputeUsage),
    usage("compute_plot_option", "compute --var x=1 --along x x", "--along does not go with compute.", ComputeUsage),
    usage("compute_file_with_a_variable", "compute %D/example --var y=3",
          "--var does not go with a problem file: the file holds the variables, the point and the constants.", ComputeUsage),
    usage("compute_unknown_option", "compute --var x=1 --hesian x", "--hesian is not an option; put -- before a text that begins with --.",
          ComputeUsage),
    usage("compute_option_twice", "compute --var x=1 --save %D/a --save %D/b x", "--save is given twice.", ComputeUsage),
    usage("compute_eleven_variables", "compute" + repeated(" --var a=1", 11) + " a",
          "A problem has at most 10 variables; --var gives 11.", ComputeUsage),
    usage("compute_102_constants", "compute" + repeated(" --const c=1", 102) + " --var a=1 a",
          "A problem has at most 101 constants; --const gives 102.", ComputeUsage),
    {"compute_help", "compute --help", 0, ComputeUsage, ""},
    {"compute_file_help", "compute %D/example -h", 0, ComputeUsage, ""},
    {"compute_save_of_a_function_too_long", "compute --var x=1 --save %D/long x" + repeated("+x", 35000), 1, "",
     "The function is too long: a function may be at most 65,536 characters long.\n", "", {}, false, "long"},
    {"compute_save_of_a_function_that_fails", "compute --var x=-1 --save %D/failing 'Sqr(x)'", 1, "", Runtime5, "", {},
     false, "failing"},
    {"compute_exact_lines_name_a_missing_derivative", "compute %D/kink --exact", 0,
     std::string("Function = 9\nDx = ") + AbsKink + "\nDy = 6\nDxx = " + AbsKink + "\nDyy = 2\nDxy = " + AbsKink + "\n", ""},
    // A curvature of 1E-13 beside 2: the exact results tell it from zero, the refined ones could not.
    {"compute_hessian_rests_on_the_exact_results", "compute --var x=0 --var y=0 --hessian 'x^2 + 1E-13*y^2'", 0,
     "Function = 0\nDx = 0\nDy = 0\nDxx = 2\nDyy = 2E-13\nDxy = 0\nEigenvalues = 2E-13, 2\n"
     "Classification = local minimum\nFrom the exact derivatives, good to rounding: the gradient is zero within its "
     "error and every eigenvalue is positive beyond its error (5.7E-14).\n", ""},
    usage("compute_refined_and_exact_lines_at_once", "compute --var x=1 --refine --exact x",
          "--refine and --exact do not go together: one list is shown.", ComputeUsage),
    usage("compute_refine_with_points", "compute problem.sk --points p.csv --refine", "--refine does not go with --points.", ComputeUsage),
    {"compute_hessian_shows_the_steepest_ascent", "compute --var x=1E6 --hessian x^2", 0,
     "Function = 1000000000000\nDx = 2000000\nDxx = 2\nEigenvalues = 2\nClassification = not a critical point\n"
     "Steepest ascent = 1\nFrom the exact derivatives, good to rounding: the gradient is not zero within its error "
     "(|grad f| = 2000000).\n",
     ""},
    {"compute_hessian_without_any_second_derivative", "compute --hessian --var x=0 " + std::string(FailsAtPowersOfTwo), 0,
     "Function = -1\nDx = -5809.90622027011\nDxx = 323509631.708518\nNo analysis: the Hessian has entries without a "
     "reliable value, so it has no eigenvalues.\nFrom the refined estimates and their errors: some estimates are "
     "unreliable, so nothing can be concluded.\n", ""},
    failed("compute_refine_keeps_the_failure_message", "compute --refine --var x=0 'Sqr(x)'", Runtime5),
    {"compute_refine_names_an_entry_without_value", "compute --refine --var x=0 " + std::string(FailsAtPowersOfTwo), 0,
     "Function = -1\nDx = no value: the function fails at every trial step\n"
     "Dxx = no value: the function fails at every trial step\n",
     ""},

    failed("open_missing", "compute %D/missing", "The file %D/missing cannot be opened.\n"),
    failed("open_fifo", "compute %D/fifo", "The file %D/fifo cannot be opened.\nIt is not a regular file.\n"),
    failed("open_larger_than_any_problem", "report %D/big",
           "The file %D/big cannot be opened.\nIt is larger than a problem file can be (16 MiB).\n"),
    {"open_video", "compute %D/in", 1, "", "Incompatible file\n", "\x1A\x45\xDF\xA3"},
    {"open_bad_line", "compute %D/in", 1, "",
     "The file %D/in does not hold a problem that can be opened.\nLine 2: the number of variables must be 1 to 10, not 11.\n",
     "Slopekit\r\n11,\"x\"\r\n"},

    {"report_lines", "report %D/example", 0,
     "    ORDER: 2 \nVARIABLES: x,y\n\nFUNCTION:\nx*y+a\n\nCONSTANTS:\na=2.5\n\nEVALUATION POINT:\nx = 1000000 \n"
     "y =-2000000 \n\nFUNCTION =-1999999999997.5 \n\nDx = -2000000\nDy = 1000000\nDxx = 0\nDyy = 0\nDxy = 1\n\n",
     ""},
    {"report_three_variables_without_constants", "report %D/in", 0,
     "    ORDER: 3 \nVARIABLES: x,y,z\n\nFUNCTION:\nx*y*z\n\nEVALUATION POINT:\nx = 1000000 \ny = 2000000 \nz =-3 \n\n"
     "FUNCTION =-6000000000000 \n\nDx = -6000000\nDy = -3000000\nDz = 2000000000000\nDxx = 0\nDyy = 0\nDzz = 0\n"
     "Dxy = -3\nDxz = 2000000\nDyz = 1000000\n\n",
     "", "Slopekit\r\n3,\"x*y*z\"\r\n\"x\",1000000\r\n\"y\",2000000\r\n\"z\",-3\r\n 0 \r\n"},
    {"report_pdf", "report %D/example --pdf %D/report.pdf", 0, "", "", "", {"report.pdf", "%PDF"}},
    {"report_pdf_beyond_the_file_size_limit", "report %D/sgn --pdf %D/example", 1, "", TooLarge, "",
     {"example", Example}, true},
    {"report_refuses_to_replace_its_problem_file", "report %D/link --pdf %D/example", 1, "",
     "The file %D/example is the problem file being read; give the output another name.\n", "", {"example", Example}},
    {"report_refuses_a_read_only_file", "report %D/example --pdf %D/readonly", 1, "",
     "The file %D/readonly is read-only.\n", "", {"readonly", Example}},
    {"report_failing", "report %D/in", 1, "", Runtime5, "Slopekit\r\n1,\"Sqr(x)\"\r\n\"x\",0\r\n 0 \r\n"},
    {"report_announced_failure", "report %D/in", 1, "", located("syntax error 1023", "Expected expression", 3, "x+"),
     "Slopekit\r\n1,\"x+\"\r\n\"x\",1\r\n 0 \r\n"},
    usage("report_no_file", "report", "A problem FILE is missing.", ReportUsage), usage("report_two_files", "report a b", "\"b\" is one text too many: give one, quoted when it holds blanks.", ReportUsage),

    points("points_without_header", "1E6,2E6", "", 0, Header + Row),
    points("points_header_in_any_order_blanks_and_crlf", " Y , X \r\n\r\n 2E6 ,\t1E6\t\r\n", "--format csv", 0, Header + Row),
    points("points_failing_point_gives_its_message_and_the_others_go_on", "0,1\n1E6,2E6\n", "", 1,
           Header + std::string("0,1,,,,,,,\"Slopekit expression runtime error 6: Overflow\"\n") + Row),
    points("points_json_one_object_a_line", "1E6,2E6\n0,1\n", "--format json", 1,
           "{\"gradient\":[2000000.0,1000000.0],\"hessian\":[[0.0,1.0],[1.0,0.0]],"
           "\"point\":[1000000.0,2000000.0],\"value\":2000000000000.0}\n"
           "{\"error\":\"Slopekit expression runtime error 6: Overflow\",\"point\":[0.0,1.0]}\n"),
    points("points_exact_in_the_same_columns", "1E6,2E6", "--exact", 0, Header + Row),
    {"points_exact_missing_entry_empty_with_its_reason", "compute %D/kink --points %D/in --exact", 0,
     Header + std::string("0,3,9,,6,,2,,\"Dx: ") + AbsKink + "; Dxx: " + AbsKink + "; Dxy: " + AbsKink + "\"\n", "",
     "0,3"},
    {"points_exact_json_missing_entry_null_with_its_reason", "compute %D/kink --points %D/in --exact --format json", 0,
     std::string("{\"point\":[0.0,3.0],\"value\":9.0,\"gradient\":[null,6.0],\"hessian\":[[null,null],[null,2.0]],"
                 "\"missing\":[{\"label\":\"Dx\",\"reason\":\"") + AbsKink + "\"},{\"label\":\"Dxx\",\"reason\":\"" +
         AbsKink + "\"},{\"label\":\"Dxy\",\"reason\":\"" + AbsKink + "\"}]}\n", "", "0,3"},
    points("points_wrong_count", "1E6,2E6\n1,2,3\n", "", 1, "", "Line 2 of the points file has 3 values; it needs 2 (x, y).\n"),
    points("points_not_a_number_late_in_the_file", "1,2\n3,4\n1,2abc\n", "", 1, "",
           "Line 3 of the points file: \"2abc\" is not a number.\n"),
    points("points_empty_file", "", "", 1, "", "The points file holds no points.\n"),
    points("points_header_only", "x,y\n", "", 1, "", "The points file holds no points.\n"),
    points("points_unknown_variable", "x,z\n1,2\n", "", 1, "",
           "Line 1 of the points file names \"z\", which is not a variable of the problem (x, y).\n"),
    points("points_variable_twice", "x,X\n1,2\n", "", 1, "", "Line 1 of the points file names x twice.\n"),
    points("points_byte_order_mark", "\xEF\xBB\xBFx,y\n1E6,2E6\n", "", 0, Header + Row),
    points("points_quoted_fields", "\"x\",\"y\"\n\"1E6\", \"2E6\"\n", "", 0, Header + Row),
    points("points_lines_ended_by_cr_alone", "x,y\r1E6,2E6\r", "", 0, Header + Row),
    points("points_numbers_as_the_point_boxes_read_them", " 1D6 ,\t2000000.0\n", "", 0, Header + Row),
    points("points_first_line_of_nan_is_data", "NaN,nan\n", "", 1, "", "Line 1 of the points file: \"NaN\" is not a number.\n"),
    points("points_first_line_beyond_the_range_is_data", "1,1e999\n", "", 1, "",
           "Line 1 of the points file: \"1e999\" is beyond the number range.\n"),
    points("points_nul_byte_shown_in_the_message", std::string("1,2\0x\n", 6), "", 1, "",
           "Line 1 of the points file: \"2\\x00x\" is not a number.\n"),
    points("points_quote_never_closed", "\"1,2\n", "", 1, "", "Line 1 of the points file has a quoted field without its closing quote.\n"),
    failed("points_file_missing", "compute %D/sgn --points %D/missing",
           "The points file %D/missing cannot be opened: it does not exist.\n"),
    failed("points_file_a_folder", "compute %D/sgn --points %D", "The points file %D cannot be opened: it is not a regular file.\n"),
    {"points_function_that_does_not_compile_reported_once", "compute %D/in --points %D/in", 1, "",
     located("syntax error 1023", "Expected expression", 5, "x*y+"), "Slopekit\r\n2,\"x*y+\"\r\n\"x\",1\r\n\"y\",2\r\n 0 \r\n"},
    points("points_line_too_long", "1," + std::string(5000, ' ') + "2\n", "", 1, "", "Line 1 of the points file is too long.\n"),

    {"plot_draws_an_svg", "plot %D/sgn --along y --svg %D/plot.svg", 0, "", "", "", {"plot.svg", "f along y through y = 2"}},
    {"plot_narrowed_near_the_largest_number", "plot --var x=1.7E308 --var y=1 --along x --svg %D/b.svg y", 0, "", "", "",
     {"b.svg", "stroke=\"#1f5ab4\""}},  // the curve is drawn
    failed("plot_along_no_variable", "plot %D/sgn --along z --svg %D/p.svg",
           "The problem has no variable z to plot along; its variables are x, y.\n"),
    {"plot_along_in_any_case", "plot %D/sgn --along Y --svg %D/plot.svg", 0, "", "", "", {"plot.svg", "f along y"}},
    failed("plot_names_checked", "plot --var x=1 --var X=2 --along x --svg %D/p.svg x+X",
           "\"X\" is given twice: names that differ only in case are the same name.\n"),
    failed("plot_reserved_name", "plot --var Sin=1 --along Sin --svg %D/p.svg Sin",
           "\"Sin\" cannot be a name: the expression language uses it.\n"),
    failed("plot_name_with_a_blank", "plot --var 'x =1' --along x --svg %D/p.svg x",
           "\"x \" is not a name: a name starts with a letter and has only letters and digits.\n"),
    usage("plot_file_with_a_variable", "plot %D/sgn --along x --svg %D/o.svg --var y=3",
          "--var does not go with a problem file: the file holds the variables, the point and the constants.", PlotUsage),
    {"plot_refuses_to_replace_its_problem_file", "plot %D/example --along x --svg %D/./example", 1, "",
     "The file %D/./example is the problem file being read; give the output another name.\n", "", {"example", Example}},
    {"plot_refuses_a_read_only_file", "plot %D/example --along x --svg %D/readonly", 1, "",
     "The file %D/readonly is read-only.\n", "", {"readonly", Example}},
    failed("plot_failing", "plot --var x=0 --along x --svg %D/p.svg 'Sqr(x)'", Runtime5),
    usage("plot_without_along", "plot %D/sgn --svg %D/p.svg", "--along is missing: name the variable to plot along.", PlotUsage),
    usage("plot_without_svg", "plot %D/sgn --along y", "--svg is missing: name the SVG file to draw.", PlotUsage),
    usage("plot_compute_option", "plot %D/sgn --along y --svg %D/p.svg --hessian", "--hessian does not go with plot.", PlotUsage),
    usage("plot_two_files", "plot %D/sgn %D/sgn --along y --svg %D/p.svg", "\"%D/sgn\" is one text too many: give one, quoted when it holds blanks.", PlotUsage),

    {"version_from_the_project", "--version", 0, "Slopekit " SLOPEKIT_PROJECT_VERSION "\n", ""},

    {"help_command", "help", 0, AllUsage, ""},
    {"help_option", "--help", 0, AllUsage, ""},
    {"help_short_option", "-h", 0, AllUsage, ""},
    usage("no_command", "", "A command is missing.", AllUsage),

    // Output to a full device: the lost results are reported, never taken for success.
    failed("output_lost", "compute %D/example >/dev/full", "The output could not be written.\n"),

    usage("no_such_command", "evaluate 1", "evaluate is not a command.", AllUsage),
};

INSTANTIATE_TEST_SUITE_P(Commands, Cli, ::testing::ValuesIn(Runs),
                         [](const auto& info) { return std::string(info.param.name); });

std::string computed(const std::string& line)
{
    Folder folder;
    const Output output = runCli(line, folder.path);
    EXPECT_EQ(output.status, 0) << output.err;
    return output.out;
}

// The window program answers --version as the cli does, even where no display can be had.
TEST(WindowProgram, PrintsItsVersionWithoutADisplay)
{
    Folder folder;
    const Output output =
        run("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb " SLOPEKIT_WINDOW " --version", folder.path);
    EXPECT_EQ(output.status, 0) << output.err;
    EXPECT_EQ(output.out, "Slopekit " SLOPEKIT_PROJECT_VERSION "\n");
}

// The installed manual page and bash completion keep up with the program: each option that
// the usage names is in both (packaging/slopekit-cli.1.in, packaging/slopekit-cli.bash-completion).
TEST(CliDocumentation, EveryOptionOfTheUsageIsInTheManualPageAndTheCompletion)
{
    Folder folder;
    const std::string usage = runCli("no-such-command", folder.path).err;
    const std::string manual = contents(SLOPEKIT_PACKAGING_DIR "/slopekit-cli.1.in");
    const std::string completion = contents(SLOPEKIT_PACKAGING_DIR "/slopekit-cli.bash-completion");
    const std::regex option("--[a-z][a-z-]*");
    std::set<std::string> options;
    for (auto it = std::sregex_iterator(usage.begin(), usage.end(), option); it != std::sregex_iterator(); ++it)
        options.insert(it->str());
    EXPECT_GT(options.size(), 10u) << usage;
    for (const std::string& name : options) {
        const std::string roff = std::regex_replace(name, std::regex("-"), "\\-");
        EXPECT_NE(manual.find(roff), std::string::npos) << name << " is missing from packaging/slopekit-cli.1.in";
        EXPECT_NE(completion.find(name), std::string::npos)
            << name << " is missing from packaging/slopekit-cli.bash-completion";
    }
}

TEST(CliJson, HoldsBothResultsTheWarningsTheCountsAndTheAnalysis)
{
    auto json = nlohmann::json::parse(computed(
        "compute --format json --hessian --var x=13700 --var y=0.30000000000000004 'Sin(x)+y*y'"));
    EXPECT_EQ(json.size(), 8u);  // each of them checked below
    EXPECT_EQ(json["refined"].size(), 6u);
    EXPECT_EQ(json["variables"], nlohmann::json({"x", "y"}));
    EXPECT_EQ(json["point"][1].get<double>(), 0.30000000000000004);  // all 17 digits read back
    EXPECT_EQ(json["classic"]["value"], json["refined"]["value"]);
    EXPECT_EQ(json["classic"]["hessian"][0][1], json["classic"]["hessian"][1][0]);
    EXPECT_NEAR(json["refined"]["gradient"][0].get<double>(), std::cos(13700.0),
                json["refined"]["gradient_error"][0].get<double>());
    EXPECT_EQ(json["refined"]["hessian"][1].size() + json["refined"]["hessian_error"][1].size(), 4u);
    EXPECT_EQ(json["refined"]["unreliable"], nlohmann::json::array());
    // The classic steps, 2.055 wide at 13700, are far too coarse for the sine.
    EXPECT_EQ(json["flagged"], nlohmann::json({"Dx", "Dxx"}));
    EXPECT_EQ(json["evaluations"]["classic"], 35);
    EXPECT_EQ(json["evaluations"]["refined"], 2 + 2 * 42 + 244);
    EXPECT_EQ(json["analysis"]["classification"], "not critical");
    EXPECT_EQ(json["analysis"]["eigenvalues"].size(), 2u);
}

TEST(CliJson, HoldsTheExactResultsAfterTheRefinedOnes)
{
    const std::string text = computed("compute --format json --var x=13700 --var y=0.5 'Sin(x)+y*y'");
    EXPECT_LT(text.find("\n  \"refined\""), text.find("\n  \"exact\""));
    EXPECT_LT(text.find("\n  \"exact\""), text.find("\n  \"flagged\""));
    const auto json = nlohmann::json::parse(text);
    EXPECT_NEAR(json["exact"]["gradient"][0].get<double>(), std::cos(13700.0), 1e-15);
    EXPECT_EQ(json["exact"]["hessian"], nlohmann::json::parse("[[-0.46670574294333234, 0.0], [0.0, 2.0]]"));
    EXPECT_EQ(json["exact"]["missing"], nlohmann::json::array());
}

// Where the exact derivative is missing, the refined one is the reference: the classic Dxx
// differs across the kink, and the refinement cannot vouch for any value there.
TEST(CliJson, AMissingExactEntryIsNullWithItsReason)
{
    const auto json = nlohmann::json::parse(computed("compute --format json --var x=0 --var y=3 'Abs(x)+y^2'"));
    EXPECT_EQ(json["exact"]["gradient"], nlohmann::json::parse("[null, 6.0]"));
    EXPECT_EQ(json["exact"]["hessian"][1][0], nullptr);
    EXPECT_EQ(json["exact"]["missing"][2], nlohmann::json::parse(std::string(R"({"label": "Dxy", "reason": ")") + AbsKink + R"("})"));
    EXPECT_EQ(json["flagged"], nlohmann::json({"Dxx"}));
}

TEST(CliJson, EntriesWithoutValueAreNull)
{
    const auto json = nlohmann::json::parse(computed("compute --format json --var x=0 " + std::string(FailsAtPowersOfTwo)));
    EXPECT_EQ(json["refined"], nlohmann::json::parse(R"({"value": -1, "gradient": [null], "gradient_error": [null],
        "hessian": [[null]], "hessian_error": [[null]], "unreliable": ["Dx", "Dxx"]})"));
    EXPECT_EQ(json["flagged"], nlohmann::json({"Dx", "Dxx"}));
    EXPECT_TRUE(json["classic"]["gradient"][0].is_number());
}

// A problem file keeps every digit of its point, so a computation of the file is the
// computation that saved it, and its outputs show the point that reads back the same.
const char* const Precise = "Slopekit\r\n1,\"x*1E6\"\r\n\"x\",0.12345678901234567\r\n 0 \r\n";

TEST(CliFile, ComputesAtThePointItsSaveWrote)
{
    Folder folder;
    const Output saved = runCli("compute --var x=0.12345678901234567 --save " + folder.path + "/saved 'x*1E6'", folder.path);
    const Output reopened = runCli("compute " + folder.path + "/saved", folder.path);
    EXPECT_EQ(reopened.out, saved.out);
}

TEST(CliFile, JsonPointReadsBackToTheFilesPoint)
{
    Folder folder;
    std::ofstream(folder.path + "/in", std::ios::binary) << Precise;
    const Output output = runCli("compute --format json " + folder.path + "/in", folder.path);
    EXPECT_EQ(nlohmann::json::parse(output.out)["point"][0].get<double>(), 0.12345678901234567);
}

TEST(CliFile, PointColumnsReadBackToThePointsComputed)
{
    Folder folder;
    std::ofstream(folder.path + "/in", std::ios::binary) << "0.30000000000000004,1E6\n";
    const Output output = runCli("compute " + folder.path + "/sgn --points " + folder.path + "/in", folder.path);
    EXPECT_THAT(output.out, ::testing::HasSubstr("\n0.30000000000000004,1000000,"));
}

// A CSV reader keeps one column of a name: the header names each column once.
TEST(CliPoints, HeaderNamesEachColumnOnce)
{
    struct Row {
        const char* name;
        const char* names;  // the problem's two variables, quoted as the file holds them
        std::string header;
    };
    const Row rows[] = {
        {"variables_whose_labels_would_repeat", "\"x\",1\r\n\"xx\",2", "x,xx,Function,Dx,Dxx,D(x,x),D(xx,xx),D(x,xx),error"},
        {"variable_named_error", "\"x\",1\r\n\"Error\",2",
         "x,Error,Function,Dx,DError,Dxx,DErrorError,DxError,error_message"},
    };
    for (const Row& row : rows) {
        Folder folder;
        std::ofstream(folder.path + "/problem", std::ios::binary)
            << "Slopekit\r\n2,\"1\"\r\n" << row.names << "\r\n 0 \r\n";
        std::ofstream(folder.path + "/points", std::ios::binary) << "1,2\n";
        const Output output =
            runCli("compute " + folder.path + "/problem --points " + folder.path + "/points", folder.path);
        EXPECT_EQ(output.out.substr(0, output.out.find('\n')), row.header) << row.name;
    }
}

// Output that cannot be written ends a batch of points at once: these would take far
// longer than the CPU seconds allowed, and only the first rows are computed.
TEST(CliPoints, StopsAtTheFirstOutputThatCannotBeWritten)
{
    Folder folder;
    std::ofstream(folder.path + "/ten", std::ios::binary)
        << "Slopekit\r\n10,\"Sin(a)*Cos(b)+c*d*e/(1+f*f)+Exp(g/100)+Sqr(h*h+i*i+j*j)\"\r\n\"a\",1\r\n\"b\",1\r\n"
           "\"c\",1\r\n\"d\",1\r\n\"e\",1\r\n\"f\",1\r\n\"g\",1\r\n\"h\",1\r\n\"i\",1\r\n\"j\",1\r\n 0 \r\n";
    {
        std::ofstream points(folder.path + "/points", std::ios::binary);
        for (int k = 1; k <= 200000; ++k)
            points << k << ",2,3,4,5,6,7,8,9,10\n";
    }
    const Output output = run("sh -c 'ulimit -t 10; exec " SLOPEKIT_CLI " compute " + folder.path + "/ten --points " +
                                  folder.path + "/points >/dev/full'",
                              folder.path);
    EXPECT_EQ(output.status, 1);
    EXPECT_EQ(output.err, "The output could not be written.\n");
}

// A 580-character function is all on the report's PDF pages, wrapped over several lines.
TEST(CliReport, APdfHoldsEveryCharacterOfALongFunction)
{
    std::string function;
    for (int k = 1; function.size() < 560; ++k)
        function += "Sin(x*" + std::to_string(k) + ")+";
    function += "1" + std::string(580 - function.size() - 1, '0');
    Folder folder;
    std::ofstream(folder.path + "/long", std::ios::binary) << "Slopekit\r\n1,\"" + function + "\"\r\n\"x\",1\r\n 0 \r\n";
    ASSERT_EQ(runCli(inFolder("report %D/long --pdf %D/long.pdf", folder.path), folder.path).status, 0);
    const Output text = run(inFolder("pdftotext %D/long.pdf -", folder.path), folder.path);
    ASSERT_EQ(text.status, 0) << "pdftotext (poppler-utils) is needed";
    const auto start = text.out.find("FUNCTION:\n") + 10;
    const auto end = text.out.find("EVALUATION POINT:", start);
    std::string printed = text.out.substr(start, end - start);
    const auto lines = std::count(printed.begin(), printed.end(), '\n');
    printed.erase(std::remove(printed.begin(), printed.end(), '\n'), printed.end());
    EXPECT_EQ(printed, function);
    EXPECT_GE(lines, 6);
}

}  // namespace
}  // namespace slopekit::cli

// The command line itself: usage errors, help, the version and the documents that describe it.
#include "cli/cli_run.h"
#include "cli/cli_usage.h"

#include <regex>
#include <set>

namespace slopekit::cli {
namespace {

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

struct UsageFault {
    const char* name;
    std::string line;   // the arguments as a shell takes them
    std::string fault;  // the first line of standard error
    std::string usage;  // the rest of it
};

void PrintTo(const UsageFault& row, std::ostream* out) { *out << row.name; }

class CliUsage : public ::testing::TestWithParam<UsageFault> {};

TEST_P(CliUsage, NamesTheFaultAboveTheCommandsUsage)
{
    const UsageFault& row = GetParam();
    Folder folder;
    const Output output = runCli(row.line, folder.path);
    const std::size_t usageStart = output.err.find('\n') + 1;
    EXPECT_EQ(output.status, 2) << row.name << ": exit status";
    EXPECT_EQ(output.out, "") << row.name << ": standard output";
    EXPECT_EQ(output.err.substr(0, usageStart), row.fault + "\n") << row.name << ": fault";
    EXPECT_EQ(output.err.substr(usageStart), row.usage) << row.name << ": usage";
}

// clang-format off
const UsageFault UsageFaults[] = {
    {.name = "no_command", .line = "", .fault = "A command is missing.", .usage = AllUsage},
    {.name = "no_such_command", .line = "evaluate 1", .fault = "evaluate is not a command.", .usage = AllUsage},
    {.name = "eval_no_expression", .line = "eval --var x=1", .fault = "An EXPRESSION is missing.", .usage = EvalUsage},
    {.name = "eval_missing_value", .line = "eval x --var", .fault = "--var needs NAME=VALUE.", .usage = EvalUsage},
    {.name = "eval_two_expressions", .line = "eval x y", .fault = "\"y\" is one text too many: give one, quoted when it holds blanks.", .usage = EvalUsage},
    {.name = "eval_save", .line = "eval --save %D/saved 1", .fault = "--save does not go with eval.", .usage = EvalUsage},
    {.name = "eval_one_letter_option", .line = "eval --v x=1 x", .fault = "--v is not an option; put -- before a text that begins with --.", .usage = EvalUsage},
    {.name = "compute_constants_without_variables", .line = "compute --const a=1 x", .fault = "--var is missing: give each variable with its value.", .usage = ComputeUsage},
    {.name = "compute_save_without_file", .line = "compute --var x=1 x --save", .fault = "--save needs a value.", .usage = ComputeUsage},
    {.name = "compute_no_function", .line = "compute --var x=1", .fault = "A FUNCTION or a problem FILE is missing.", .usage = ComputeUsage},
    {.name = "compute_points_need_a_problem_file", .line = "compute --var x=1 --points p.csv x", .fault = "--points needs a problem FILE, not a FUNCTION.", .usage = ComputeUsage},
    {.name = "compute_format_without_points", .line = "compute problem.sk --format csv", .fault = "--format csv needs --points.", .usage = ComputeUsage},
    {.name = "compute_unknown_points_format", .line = "compute p.sk --points p.csv --format xml", .fault = "--format xml is not known: use json, or csv with --points.", .usage = ComputeUsage},
    {.name = "compute_plot_option", .line = "compute --var x=1 --along x x", .fault = "--along does not go with compute.", .usage = ComputeUsage},
    {.name = "compute_file_with_a_variable", .line = "compute %D/example --var y=3", .fault = "--var does not go with a problem file: the file holds the variables, the point and the constants.", .usage = ComputeUsage},
    {.name = "compute_unknown_option", .line = "compute --var x=1 --hesian x", .fault = "--hesian is not an option; put -- before a text that begins with --.", .usage = ComputeUsage},
    {.name = "compute_option_twice", .line = "compute --var x=1 --save %D/a --save %D/b x", .fault = "--save is given twice.", .usage = ComputeUsage},
    {.name = "compute_eleven_variables", .line = "compute" + repeated(" --var a=1", 11) + " a", .fault = "A problem has at most 10 variables; --var gives 11.", .usage = ComputeUsage},
    {.name = "compute_102_constants", .line = "compute" + repeated(" --const c=1", 102) + " --var a=1 a", .fault = "A problem has at most 101 constants; --const gives 102.", .usage = ComputeUsage},
    {.name = "compute_refined_and_exact_lines_at_once", .line = "compute --var x=1 --refine --exact x", .fault = "--refine and --exact do not go together: one list is shown.", .usage = ComputeUsage},
    {.name = "compute_refine_with_points", .line = "compute problem.sk --points p.csv --refine", .fault = "--refine does not go with --points.", .usage = ComputeUsage},
    {.name = "report_no_file", .line = "report", .fault = "A problem FILE is missing.", .usage = ReportUsage},
    {.name = "plot_without_along", .line = "plot %D/sgn --svg %D/p.svg", .fault = "--along is missing: name the variable to plot along.", .usage = PlotUsage},
    {.name = "plot_without_svg", .line = "plot %D/sgn --along y", .fault = "--svg is missing: name the SVG file to draw.", .usage = PlotUsage},
    {.name = "plot_file_with_a_variable", .line = "plot %D/sgn --along x --svg %D/o.svg --var y=3", .fault = "--var does not go with a problem file: the file holds the variables, the point and the constants.", .usage = PlotUsage},
    {.name = "plot_compute_option", .line = "plot %D/sgn --along y --svg %D/p.svg --hessian", .fault = "--hessian does not go with plot.", .usage = PlotUsage},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Commands, CliUsage, ::testing::ValuesIn(UsageFaults),
                         [](const auto& info) { return std::string(info.param.name); });

class CliHelp : public ::testing::TestWithParam<CliRun> {};

TEST_P(CliHelp, PrintsWhatItIsAskedFor) { expectRun(GetParam()); }

// clang-format off
const CliRun HelpRuns[] = {
    {.name = "help_command", .line = "help", .out = AllUsage},
    {.name = "help_option", .line = "--help", .out = AllUsage},
    {.name = "help_short_option", .line = "-h", .out = AllUsage},
    {.name = "compute_help", .line = "compute --help", .out = ComputeUsage},
    {.name = "compute_file_help", .line = "compute %D/example -h", .out = ComputeUsage},
    {.name = "version_from_the_project", .line = "--version", .out = "Slopekit " SLOPEKIT_PROJECT_VERSION "\n"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Commands, CliHelp, ::testing::ValuesIn(HelpRuns), rowName);

// The window program answers --version as the cli does, even where no display can be had.
TEST(WindowProgram, PrintsItsVersionWithoutADisplay)
{
    Folder folder;
    const Output output =
        run("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb " SLOPEKIT_WINDOW " --version", folder.path);
    EXPECT_EQ(output.status, 0) << output.err;
    EXPECT_EQ(output.out, "Slopekit " SLOPEKIT_PROJECT_VERSION "\n") << "standard output";
}

// The installed manual page and bash completion keep up with the program: each option that
// the usage names is in both (packaging/slopekit-cli.1.in, packaging/slopekit-cli.bash-completion).
TEST(CliDocumentation, NamesEveryOptionOfTheUsage)
{
    const std::string manual = contents(SLOPEKIT_PACKAGING_DIR "/slopekit-cli.1.in");
    const std::string completion = contents(SLOPEKIT_PACKAGING_DIR "/slopekit-cli.bash-completion");
    const std::string usage = AllUsage;
    const std::regex option("--[a-z][a-z-]*");
    std::set<std::string> options;
    for (auto it = std::sregex_iterator(usage.begin(), usage.end(), option); it != std::sregex_iterator(); ++it)
        options.insert(it->str());
    for (const std::string& name : options) {
        const std::string roff = std::regex_replace(name, std::regex("-"), "\\-");
        EXPECT_NE(manual.find(roff), std::string::npos) << name << " is missing from packaging/slopekit-cli.1.in";
        EXPECT_NE(completion.find(name), std::string::npos)
            << name << " is missing from packaging/slopekit-cli.bash-completion";
    }
}

}  // namespace
}  // namespace slopekit::cli

#include "cli/compute_command.h"
#include "cli/plot_command.h"
#include "cli/report_command.h"

#include "file_size_limit.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>

namespace slopekit::cli {
namespace {

const std::string Example = "Slopekit\r\n2,\"x^2*y+a\"\r\n\"x\",1.5\r\n\"y\",-2.5\r\n 1 \r\na=2.37\r\n";

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

template <typename Command>
CommandRun run(Command command, const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(args, out, err);
    return {status, out.str(), err.str()};
}

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// slopekit-cli run as a program in a child process whose files may grow to at most
// maxFileBytes; standard output goes to outFile (a file in folder if empty), standard
// error to a file in folder.
CommandRun runProgram(const std::vector<std::string>& args, const std::string& folder, rlim_t maxFileBytes,
                      std::string outFile = {})
{
    if (outFile.empty())
        outFile = folder + "/stdout";
    const std::string errFile = folder + "/stderr";
    const int status = testing::exitStatusWithFileSizeLimit(maxFileBytes, [&] {
        std::vector<char*> argv{const_cast<char*>(SLOPEKIT_CLI)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        dup2(open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        dup2(open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        execv(SLOPEKIT_CLI, argv.data());
        return 126;
    });
    const bool ownOutput = outFile.starts_with(folder);
    CommandRun run{status, ownOutput ? contents(outFile) : "", contents(errFile)};
    if (ownOutput)
        std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return run;
}

class ProblemFileCommands : public ::testing::Test {
protected:
    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    std::string folder() const { return m_dir.path().toStdString(); }
    std::string write(const char* name, const std::string& text) const
    {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(ProblemFileCommands, SaveWritesWhatComputeFileComputesAlike)
{
    const std::string saved = path("saved");
    const CommandRun adHoc = run(runCompute, {"--const", "a=2.37", "--var", "x=1.5", "--var", "y=-2.5", "--save",
                                       saved, "x^2*y+a"});
    EXPECT_EQ(adHoc.status, 0);
    EXPECT_EQ(contents(saved), Example);
    const CommandRun fromFile = run(runCompute, {saved});
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(fromFile.out, adHoc.out);
    EXPECT_TRUE(fromFile.out.starts_with("Function = -3.255\nDx = "));
}

// A file written one byte per character, as older systems do: é is the byte E9.
TEST_F(ProblemFileCommands, AFileThatIsNotUtf8IsReadAsWindows1252)
{
    const std::string file = write("cafe", "Slopekit\r\n1,\"Len(s)+0*x\"\r\n\"x\",1\r\n 1 \r\ns=\"caf\xe9\"\r\n");
    const CommandRun computed = run(runCompute, {file});
    EXPECT_EQ(computed.status, 0);
    EXPECT_TRUE(computed.out.starts_with("Function = 4\n")) << computed.out;
    EXPECT_NE(run(runReport, {file}).out.find("s=\"caf\xc3\xa9\"\n"), std::string::npos);
}

TEST_F(ProblemFileCommands, ReportPrintsTheLinesOrAPdf)
{
    const std::string file = write("example", Example);
    const CommandRun lines = run(runReport, {file});
    EXPECT_EQ(lines.status, 0);
    EXPECT_TRUE(lines.out.starts_with("    ORDER: 2 \nVARIABLES: x,y\n\nFUNCTION:\nx^2*y+a\n\nCONSTANTS:\na=2.37\n\n"
                                      "EVALUATION POINT:\nx = 1.5 \ny =-2.5 \n\nFUNCTION =-3.255 \n\nDx = "))
        << lines.out;
    EXPECT_TRUE(lines.out.ends_with("\nDxy = 3.0000000023826\n\n")) << lines.out;

    const std::string pdf = path("report.pdf");
    const CommandRun printed = run(runReport, {file, "--pdf", pdf});
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.out + printed.err, "");
    EXPECT_TRUE(contents(pdf).starts_with("%PDF"));
}

TEST_F(ProblemFileCommands, FailuresGiveTheWindowsMessage)
{
    const std::string incompatible = write("capitals", "SLOPEKIT\r\n1,\"x\"\r\n\"x\",1\r\n 0 \r\n");
    const std::string failing = write("failing", "Slopekit\r\n1,\"Sqr(x)\"\r\n\"x\",0\r\n 0 \r\n");
    EXPECT_EQ(run(runCompute, {incompatible}).err, "Incompatible file\n");
    EXPECT_EQ(run(runReport, {path("missing")}).err, "The file " + path("missing") + " cannot be opened.\n");
    const CommandRun report = run(runReport, {failing});
    EXPECT_EQ(report.status, 1);
    EXPECT_EQ(report.out, "");
    EXPECT_EQ(report.err, "Slopekit expression runtime error 5\nInvalid procedure call or argument\n");
    const CommandRun unsaved = run(runCompute, {"--var", "x=1", "--save", path("no/such/folder"), "x"});
    EXPECT_EQ(unsaved.status, 1);
    EXPECT_EQ(unsaved.out, "");
    EXPECT_EQ(run(runReport, {}).status, 2);
    EXPECT_EQ(run(runReport, {"a", "b"}).status, 2);
}

struct SavingFault {
    const char* name;
    std::vector<std::string> args;  // "OLD" stands for the existing file that must be kept
    rlim_t maxFileBytes;
    std::string reason;
};

void PrintTo(const SavingFault& c, std::ostream* os) { *os << c.name; }

class SavingFaults : public ProblemFileCommands, public ::testing::WithParamInterface<SavingFault> {};

// A save that fails leaves the old file byte for byte, no temporary file beside it, says
// why on standard error and exits 1.
TEST_P(SavingFaults, KeepTheOldFileAndSayWhy)
{
    const std::string old = write("old", Example);
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args)
        if (arg == "OLD")
            arg = old;
    const CommandRun failed = runProgram(args, folder(), GetParam().maxFileBytes);
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err, "The file " + old + " could not be written (" + GetParam().reason +
                              "). An earlier file of that name is unchanged.\n");
    EXPECT_EQ(contents(old), Example);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}), 1);
}

const std::string LongFunction(1200, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cli, SavingFaults,
    ::testing::Values(
        SavingFault{"FunctionBeyondTheFileSizeLimit", {"compute", "--var", "x=1", "--save", "OLD", LongFunction},
                    1024, "File too large"},
        SavingFault{"PdfBeyondTheFileSizeLimit", {"report", "OLD", "--pdf", "OLD"}, 1024, "File too large"}),
    [](const auto& info) { return std::string(info.param.name); });

// The function fails at x = 0 only; at coordinates of a million its differences are exact.
const std::string Fails = "Slopekit\r\n2,\"x*y/Sgn(x)\"\r\n\"x\",1\r\n\"y\",2\r\n 0 \r\n";
const char* const Header = "x,y,Function,Dx,Dy,Dxx,Dyy,Dxy,error\n";
const char* const Row = "1000000,2000000,2000000000000,2000000,1000000,0,0,1,\n";

struct PointsCase {
    const char* name;
    std::string csv;
    std::vector<std::string> options;
    int status;
    std::string out;
    std::string err;
};

void PrintTo(const PointsCase& c, std::ostream* os) { *os << c.name; }

class Points : public ProblemFileCommands, public ::testing::WithParamInterface<PointsCase> {};

TEST_P(Points, OneRowPerPointOrOneMessageForABadFile)
{
    const PointsCase& c = GetParam();
    std::vector<std::string> args{write("problem", Fails), "--points", write("points.csv", c.csv)};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CommandRun points = run(runCompute, args);
    EXPECT_EQ(points.status, c.status);
    EXPECT_EQ(points.out, c.out);
    EXPECT_EQ(points.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Points,
    ::testing::Values(
        PointsCase{"without_header", "1E6,2E6", {}, 0, std::string(Header) + Row, ""},
        PointsCase{"header_in_any_order_blank_lines_and_crlf", "Y , X\r\n\r\n2E6,1E6\r\n", {"--format", "csv"}, 0,
                   std::string(Header) + Row, ""},
        PointsCase{"failing_point_gives_its_message_and_the_others_go_on", "0,1\n1E6,2E6\n", {}, 1,
                   std::string(Header) + "0,1,,,,,,,\"Slopekit expression runtime error 6: Overflow\"\n" + Row, ""},
        PointsCase{"json_one_object_a_line", "1E6,2E6\n0,1\n", {"--format", "json"}, 1,
                   "{\"gradient\":[2000000.0,1000000.0],\"hessian\":[[0.0,1.0],[1.0,0.0]],"
                   "\"point\":[1000000.0,2000000.0],\"value\":2000000000000.0}\n"
                   "{\"error\":\"Slopekit expression runtime error 6: Overflow\",\"point\":[0.0,1.0]}\n",
                   ""},
        PointsCase{"wrong_count", "1E6,2E6\n1,2,3\n", {}, 1, "",
                   "Line 2 of the points file has 3 values; it needs 2 (x, y).\n"},
        PointsCase{"not_a_number_late_in_the_file", "1,2\n3,4\n1,2abc\n", {}, 1, "",
                   "Line 3 of the points file: \"2abc\" is not a number.\n"},
        PointsCase{"empty_file", "", {}, 1, "", "The points file holds no points.\n"},
        PointsCase{"header_only", "x,y\n", {}, 1, "", "The points file holds no points.\n"},
        PointsCase{"unknown_variable", "x,z\n1,2\n", {}, 1, "",
                   "Line 1 of the points file names \"z\", which is not a variable of the problem (x, y).\n"},
        PointsCase{"variable_twice", "x,X\n1,2\n", {}, 1, "", "Line 1 of the points file names x twice.\n"},
        PointsCase{"line_too_long", "1," + std::string(5000, ' ') + "2\n", {}, 1, "",
                   "Line 1 of the points file is too long.\n"}));

TEST_F(ProblemFileCommands, PlotDrawsAnSvgWithoutAWindow)
{
    const std::string file = write("problem", Fails);
    const std::string svg = path("plot.svg");
    const CommandRun plot = run(runPlot, {file, "--along", "y", "--svg", svg});
    EXPECT_EQ(plot.status, 0);
    EXPECT_EQ(plot.out + plot.err, "");
    EXPECT_TRUE(contents(svg).starts_with("<?xml")) << contents(svg).substr(0, 100);
    EXPECT_NE(contents(svg).find("f along y through y = 2"), std::string::npos);
    EXPECT_EQ(run(runPlot, {file, "--along", "z", "--svg", svg}).err, "There is no variable z to plot along.\n");
    EXPECT_EQ(run(runPlot, {file, "--svg", svg}).status, 2);
    const CommandRun failing = run(runPlot, {"--var", "x=0", "--along", "x", "--svg", svg, "Sqr(x)"});
    EXPECT_EQ(failing.status, 1);
    EXPECT_EQ(failing.err, "Slopekit expression runtime error 5\nInvalid procedure call or argument\n");
}

struct OutputFailure {
    const char* name;
    std::vector<std::string> args;  // "EXAMPLE" stands for a problem file
};

void PrintTo(const OutputFailure& c, std::ostream* os) { *os << c.name; }

class OutputFailures : public ProblemFileCommands, public ::testing::WithParamInterface<OutputFailure> {};

// Standard output on a full device: the lost results are reported, never taken for success.
TEST_P(OutputFailures, ExitOneWithAMessage)
{
    const std::string example = write("example", Example);
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args)
        if (arg == "EXAMPLE")
            arg = example;
    const CommandRun failed = runProgram(args, folder(), RLIM_INFINITY, "/dev/full");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "The output could not be written.\n");
}

INSTANTIATE_TEST_SUITE_P(Cli, OutputFailures,
                         ::testing::Values(OutputFailure{"Eval", {"eval", "1+1"}},
                                           OutputFailure{"ComputeFile", {"compute", "EXAMPLE"}},
                                           OutputFailure{"Report", {"report", "EXAMPLE"}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slopekit::cli

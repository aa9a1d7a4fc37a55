#include "cli/compute_command.h"
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
// maxFileBytes; standard output and error go to files in folder.
CommandRun runProgram(const std::vector<std::string>& args, const std::string& folder, rlim_t maxFileBytes)
{
    const std::string outFile = folder + "/stdout";
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
    CommandRun run{status, contents(outFile), contents(errFile)};
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
                    1024, "File too large"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slopekit::cli

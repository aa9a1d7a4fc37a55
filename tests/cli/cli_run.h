#pragma once

// slopekit-cli run as a program, as scripts run it. Each run gets a fresh folder (%D in
// arguments and expected texts) holding the files below, and must leave no temporary file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>

namespace slopekit::cli {

namespace fs = std::filesystem;

// Coordinates of a million make every difference exact, so the digits are those of the formulas.
inline const std::string Example = "Slopekit\r\n2,\"x*y+a\"\r\n\"x\",1000000\r\n\"y\",-2000000\r\n 1 \r\na=2.5\r\n";
inline const char* const ExampleLines =
    "Function = -1999999999997.5\nDx = -2000000\nDy = 1000000\nDxx = 0\nDyy = 0\nDxy = 1\n";
inline const char* const Runtime5 = "Slopekit expression runtime error 5\nInvalid procedure call or argument\n";
inline const char* const AbsKink = "no derivative: Abs at its kink (column 1)";

inline std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string inFolder(std::string text, const std::string& folder)
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
        for (const char* file : {"/example", "/big", "/readonly"})
            std::ofstream(path + file, std::ios::binary) << Example;
        // Fails at x = 0 only.
        std::ofstream(path + "/sgn", std::ios::binary)
            << "Slopekit\r\n2,\"x*y/Sgn(x)\"\r\n\"x\",1\r\n\"y\",2\r\n 0 \r\n";
        // No derivative in x at x = 0.
        std::ofstream(path + "/kink", std::ios::binary)
            << "Slopekit\r\n2,\"Abs(x)+y^2\"\r\n\"x\",0\r\n\"y\",3\r\n 0 \r\n";
        std::ofstream(path + "/points", std::ios::binary) << "1,2\n";
        fs::create_symlink("example", path + "/link");
        fs::create_symlink("missing", path + "/dangling");
        mkfifo((path + "/fifo").c_str(), 0600);
        fs::resize_file(path + "/big", 17 << 20);  // larger than any problem file
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
inline Output run(const std::string& command, const std::string& folder, bool smallFiles = false)
{
    const std::string limit = smallFiles ? "ulimit -f 2; trap '' XFSZ; " : "";
    const int status = std::system((limit + "exec >" + folder + "/stdout 2>" + folder + "/stderr " + command).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents(folder + "/stdout"), contents(folder + "/stderr")};
}

inline Output runCli(const std::string& arguments, const std::string& folder, bool smallFiles = false)
{
    return run(SLOPEKIT_CLI " " + inFolder(arguments, folder), folder, smallFiles);
}

// One command line and what it must print, write and leave alone.
struct CliRun {
    const char* name;
    std::string line;  // the arguments as a shell takes them
    int status = 0;
    std::string out = "";
    std::string err = "";
    std::string input = "";  // written to %D/in first
    const char* file = "";   // a file in %D after the run ...
    std::string holds = "";  // ... and a text it must hold
    bool smallFiles = false;
    const char* absent = "";  // a file in %D that the run must not write
};

inline void expectRun(const CliRun& row)
{
    Folder folder;
    std::ofstream(folder.path + "/in", std::ios::binary) << row.input;
    const Output output = runCli(row.line, folder.path, row.smallFiles);
    EXPECT_EQ(output.status, row.status) << row.name << ": exit status";
    EXPECT_EQ(output.out, inFolder(row.out, folder.path)) << row.name << ": standard output";
    EXPECT_EQ(output.err, inFolder(row.err, folder.path)) << row.name << ": standard error";
    if (*row.file) {
        EXPECT_THAT(contents(folder.path + "/" + row.file), ::testing::HasSubstr(row.holds))
            << row.name << ": " << row.file;
    }
    if (*row.absent) {
        EXPECT_FALSE(fs::exists(folder.path + "/" + row.absent)) << row.name << ": " << row.absent << " written";
    }
    EXPECT_FALSE(folder.holdsATemporaryFile()) << row.name << ": temporary file left";
}

// A failing row is named by its name alone.
inline void PrintTo(const CliRun& row, std::ostream* out) { *out << row.name; }
inline std::string rowName(const ::testing::TestParamInfo<CliRun>& info) { return info.param.name; }

inline std::string repeated(const std::string& text, int times)
{
    std::string all;
    for (int k = 0; k < times; ++k)
        all += text;
    return all;
}

}  // namespace slopekit::cli

#include "documents/problem_file_loading.h"
#include "documents/problem_file_saving.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace slopekit {
namespace {

// These tests are about the file, not about the language's own names.
bool noneReserved(std::string_view) { return false; }

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const ProblemToSave Problem{"1", "x^2", {"x"}, {"3"}, {}};

TEST(ProblemFileSaving, SavedFileLoadsBackUnderTheExactName)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("problem").toStdString();  // no extension added
    saveProblemFile(path, Problem);
    EXPECT_EQ(contents(path), "Slopekit\r\n1,\"x^2\"\r\n\"x\",3\r\n 0 \r\n");
    EXPECT_EQ(loadProblemFile(path, noneReserved).equation, "x^2");
}

TEST(ProblemFileSaving, ARefusedOrFailedSaveLeavesTheOldFile)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("old.txt").toStdString();
    saveProblemFile(path, Problem);
    const std::string before = contents(path);
    EXPECT_THROW(saveProblemFile(path, {"1", "\"", {"x"}, {"1"}, {}}), ProblemNotSavable);
    EXPECT_EQ(contents(path), before);
}

// With no earlier file, the message does not speak of one.
TEST(ProblemFileSaving, AFailedSaveWithoutAnEarlierFileDoesNotMentionOne)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("missing/new").toStdString();
    try {
        saveProblemFile(path, Problem);
        ADD_FAILURE() << "saved";
    } catch (const ProblemFileAccess& e) {
        EXPECT_EQ(e.what(), "The file " + path + " could not be written (No such file or directory).");
    }
}

// Save replaces only a regular file, keeps its permissions, and works for any name the
// system allows.
TEST(ProblemFileSaving, ReplacesOnlyRegularFilesAndKeepsTheirPermissions)
{
    QTemporaryDir dir;
    const std::string fifo = dir.filePath("fifo").toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    try {
        saveProblemFile(fifo, Problem);
        ADD_FAILURE() << "saved onto a FIFO";
    } catch (const ProblemFileAccess& e) {
        EXPECT_EQ(e.what(), "The file " + fifo +
                                " could not be written (It is not a regular file). An earlier file of that name is unchanged.");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    const std::string longest = dir.filePath(QString(255, QChar('n'))).toStdString();
    saveProblemFile(longest, Problem);
    ASSERT_EQ(chmod(longest.c_str(), 0640), 0);
    saveProblemFile(longest, {"1", "x^3", {"x"}, {"3"}, {}});
    struct stat saved {};
    ASSERT_EQ(stat(longest.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 07777, 0640u);
    EXPECT_EQ(loadProblemFile(longest, noneReserved).equation, "x^3");
}

struct OpeningBound {
    const char* name;
    std::function<void(const std::string&)> make;  // creates the file at the path
    std::string failure;                            // after "The file PATH "; empty: Incompatible file
};

void PrintTo(const OpeningBound& c, std::ostream* os) { *os << c.name; }

class OpeningBounds : public ::testing::TestWithParam<OpeningBound> {};

// Only a regular file is read, and no more of it than a problem file can hold.
TEST_P(OpeningBounds, RefuseWhatCannotBeAProblemFile)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("picked").toStdString();
    GetParam().make(path);
    try {
        loadProblemFile(path, noneReserved);
        ADD_FAILURE() << "loaded";
    } catch (const IncompatibleFile& e) {
        EXPECT_EQ(GetParam().failure, "");
    } catch (const ProblemFileAccess& e) {
        EXPECT_EQ(e.what(), "The file " + path + " " + GetParam().failure);
    }
}

void sized(const std::string& path, const std::string& start, off_t size)
{
    std::ofstream(path, std::ios::binary) << start;
    ASSERT_EQ(truncate(path.c_str(), size), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpeningBounds,
    ::testing::Values(
        OpeningBound{"Missing", [](const std::string&) {}, "cannot be opened."},
        OpeningBound{"Folder", [](const std::string& p) { std::filesystem::create_directory(p); },
                     "cannot be opened.\rIt is not a regular file."},
        OpeningBound{"Fifo", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); },
                     "cannot be opened.\rIt is not a regular file."},
        OpeningBound{"LargerThanAnyProblem",
                     [](const std::string& p) { sized(p, "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 0 \r\n", 17 << 20); },
                     "cannot be opened.\rIt is larger than a problem file can be (16 MiB)."},
        OpeningBound{"VideoWithAnotherStart", [](const std::string& p) { sized(p, "\x1A\x45\xDF\xA3", 8 << 20); }, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slopekit

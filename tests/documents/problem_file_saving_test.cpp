#include "documents/problem_file_loading.h"
#include "documents/problem_file_saving.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace slopekit {
namespace {

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
    EXPECT_EQ(loadProblemFile(path).equation, "x^2");
}

TEST(ProblemFileSaving, ARefusedOrFailedSaveLeavesTheOldFile)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("old.txt").toStdString();
    saveProblemFile(path, Problem);
    const std::string before = contents(path);
    EXPECT_THROW(saveProblemFile(path, {"1", "\"", {"x"}, {"1"}, {}}), ProblemNotSavable);
    EXPECT_EQ(contents(path), before);
    EXPECT_THROW(saveProblemFile(dir.filePath("missing/new").toStdString(), Problem), ProblemFileAccess);
}

TEST(ProblemFileLoading, AFileThatCannotBeOpenedSaysSo)
{
    QTemporaryDir dir;
    for (const QString& path : {dir.filePath("missing"), dir.path()}) {
        try {
            loadProblemFile(path.toStdString());
            ADD_FAILURE() << "loaded " << path.toStdString();
        } catch (const ProblemFileAccess& e) {
            EXPECT_EQ(e.what(), "The file " + path.toStdString() + " cannot be opened.");
        }
    }
}

}  // namespace
}  // namespace slopekit

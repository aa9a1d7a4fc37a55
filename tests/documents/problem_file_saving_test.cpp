#include "documents/problem_file_loading.h"
#include "documents/problem_file_saving.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>

#include <sys/stat.h>

namespace slopekit {
namespace {

// Save works for any name the system allows and keeps the permissions of the file it
// replaces; the command-line tests cover its failures.
TEST(ProblemFileSaving, ReplacesAFileOfTheLongestNameKeepingItsPermissions)
{
    QTemporaryDir dir;
    const std::string longest = dir.filePath(QString(255, QChar('n'))).toStdString();
    saveProblemFile(longest, {"1", "x^2", {"x"}, {"3"}, {}});
    ASSERT_EQ(chmod(longest.c_str(), 0640), 0);
    saveProblemFile(longest, {"1", "x^3", {"x"}, {"3"}, {}});
    struct stat saved {};
    ASSERT_EQ(stat(longest.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 07777, 0640u);
    errno = EINTR;  // left over from an earlier call, it must not look like an interrupted read
    EXPECT_EQ(loadProblemFile(longest, [](std::string_view) { return false; }).equation, "x^3");
}

}  // namespace
}  // namespace slopekit

#include "documents/problem_file_loading.h"

#include "documents/problem_reader.h"

#include <cerrno>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace slopekit {
namespace {

// Far above what Save writes (ten names, a hundred constants and a function within the
// engine's text limit), far below what could strain memory.
constexpr std::size_t MaxProblemFileBytes = 16u << 20;
constexpr std::size_t ReadChunk = 64u << 10;

class OpenFile {
public:
    explicit OpenFile(const std::string& path) : m_fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~OpenFile()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

ProblemFileAccess notOpened(const std::string& path, const std::string& why)
{
    return ProblemFileAccess("The file " + path + " cannot be opened." + (why.empty() ? "" : "\r" + why));
}

// The file's bytes, read only from a regular file (a FIFO or a device could block or never
// end) and never more than a problem file can hold. Stops at the first bytes that show the
// file is something else.
std::string readBounded(const std::string& path)
{
    const OpenFile file(path);
    struct stat status {};
    if (file.fd() < 0 || fstat(file.fd(), &status) != 0)
        throw notOpened(path, "");
    if (!S_ISREG(status.st_mode))
        throw notOpened(path, "It is not a regular file.");
    const std::string tooLarge = "It is larger than a problem file can be (16 MiB).";
    if (static_cast<std::size_t>(status.st_size) > MaxProblemFileBytes)
        throw notOpened(path, tooLarge);
    std::string bytes;
    for (;;) {
        const std::size_t used = bytes.size();
        bytes.resize(used + ReadChunk);
        const ssize_t got = read(file.fd(), bytes.data() + used, ReadChunk);
        if (got < 0 && errno == EINTR) {
            bytes.resize(used);
            continue;
        }
        if (got < 0)
            throw ProblemFileAccess("The file " + path + " cannot be read.");
        bytes.resize(used + static_cast<std::size_t>(got));
        if (used == 0 && !mayBeginProblemFile(bytes))
            throw IncompatibleFile();
        if (bytes.size() > MaxProblemFileBytes)
            throw notOpened(path, tooLarge);  // it grew while being read
        if (got == 0)
            return bytes;
    }
}

}  // namespace

LoadedProblem loadProblemFile(const std::string& path, const ReservedName& reserved)
{
    std::istringstream in(readBounded(path));
    return readProblem(in, reserved);
}

std::string openFailureText(const std::string& path, const std::exception& failure)
{
    if (dynamic_cast<const BadProblemFile*>(&failure))
        return "The file " + path + " does not hold a problem that can be opened.\r" + failure.what();
    return failure.what();
}

}  // namespace slopekit

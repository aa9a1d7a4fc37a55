#include "documents/file_replacement.h"

#include "messages/file_messages.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace slopekit {
namespace {

constexpr const char* AccessAcl = "system.posix_acl_access";

std::string reasonFor(int error) { return std::strerror(error); }

// The file that path names in the end: the target of a symbolic link, so that saving
// through a link updates what it points to instead of replacing the link.
std::string finalTarget(const std::string& path)
{
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return path;
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved)
        throw FileNotWritten(reasonFor(errno), false);
    return resolved.get();
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A temporary file beside the target. Its name is short whatever the target's length, so
// it fits wherever the target's name fits.
class TemporaryFile {
public:
    TemporaryFile(const std::string& folder, mode_t mode)
    {
        std::random_device seed;
        std::mt19937_64 random(seed());
        constexpr int Attempts = 100;
        for (int attempt = 0; attempt < Attempts; ++attempt) {
            m_path = folder + "/.slopekit-" + std::to_string(random() % 1'000'000'000'000ULL) + ".tmp";
            m_fd = open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (m_fd >= 0 || errno != EEXIST)
                return;
        }
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0)
            close(m_fd);
        if (!m_renamed && !m_path.empty())
            unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }

    // Closes the file; false (errno set) when the close reports a failed write.
    bool closeChecked()
    {
        const int fd = m_fd;
        m_fd = -1;
        return close(fd) == 0;
    }
    void renamed() { m_renamed = true; }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_renamed = false;
};

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Gives the new file what the old one had. The owner is kept only where the process may
// set it; the permissions are set last, as a change of owner clears the set-user-ID bit.
void keepAttributes(int fd, const std::string& oldPath, const struct stat& old)
{
    if (fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    const ssize_t aclSize = getxattr(oldPath.c_str(), AccessAcl, nullptr, 0);
    if (aclSize > 0) {
        std::string acl(static_cast<std::size_t>(aclSize), '\0');
        if (getxattr(oldPath.c_str(), AccessAcl, acl.data(), acl.size()) == aclSize)
            (void)fsetxattr(fd, AccessAcl, acl.data(), acl.size(), 0);
    }
    if (fchmod(fd, old.st_mode & 07777) != 0)
        throw FileNotWritten(reasonFor(errno), true);
}

}  // namespace

std::string notWrittenText(const std::string& path, const FileNotWritten& failure)
{
    if (failure.readOnly())
        return "The file " + path + " is read-only.";
    return notWrittenMessage(path, failure.what(), failure.existedBefore());
}

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

void replaceFile(const std::string& path, std::string_view bytes)
{
    const std::string target = finalTarget(path);
    struct stat old {};
    bool existed = stat(target.c_str(), &old) == 0;
    if (!existed && errno != ENOENT)
        throw FileNotWritten(reasonFor(errno), false);
    if (existed && !S_ISREG(old.st_mode))
        throw FileNotWritten("It is not a regular file", true);
    if (existed && ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(target.c_str(), W_OK) != 0))
        throw FileNotWritten("It is read-only", true, true);

    TemporaryFile temporary(folderOf(target), existed ? S_IRUSR | S_IWUSR : 0666);
    if (temporary.fd() < 0)
        throw FileNotWritten(reasonFor(errno), existed);
    if (existed)
        keepAttributes(temporary.fd(), target, old);
    if (!writeAll(temporary.fd(), bytes) || fsync(temporary.fd()) != 0 || !temporary.closeChecked() ||
        rename(temporary.path().c_str(), target.c_str()) != 0)
        throw FileNotWritten(reasonFor(errno), existed);
    temporary.renamed();
    // The rename itself reaches the disk with the folder.
    const int folder = open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)fsync(folder);
        close(folder);
    }
}

}  // namespace slopekit

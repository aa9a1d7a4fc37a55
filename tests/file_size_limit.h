#pragma once

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace slopekit::testing {

// Runs body in a forked child in which no file may grow beyond maxFileBytes: a write
// past that fails with EFBIG, as on a full disk, instead of ending the child. Gives the
// child's exit status (body's result), or -1 when it did not exit.
inline int exitStatusWithFileSizeLimit(rlim_t maxFileBytes, const std::function<int()>& body)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = maxFileBytes;
        std::signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            std::_Exit(127);
        std::_Exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

}  // namespace slopekit::testing

#include "tests/support/child_run.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace marlit::test {

namespace {

int runForked(const std::function<void()>& setUp, const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        setUp();
        const int code = body();
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

pid_t startChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    return pid;
}

int waitForChild(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int inChildKilledAfter(uint32_t microseconds, const std::function<int()>& body) {
    const pid_t pid = startChild(body);
    if (pid < 0)
        return -1;
    ::usleep(microseconds);
    ::kill(pid, SIGKILL);
    return waitForChild(pid);
}

int inChild(const std::function<int()>& body) {
    return runForked([] {}, body);
}

int inChildWithFileLimit(uint64_t maxFileBytes, const std::function<int()>& body) {
    return runForked(
        [maxFileBytes] {
            // The write fails instead of the signal ending the child.
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{maxFileBytes, maxFileBytes};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        },
        body);
}

}  // namespace marlit::test

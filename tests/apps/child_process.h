// Programs started alongside a test (a display server, the player) that
// the test watches, signals and waits for with a time limit.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace marlit::test {

// The full path of a program found on PATH, or empty.
inline std::string findOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t pos = 0;
    while (pos <= dirs.size()) {
        size_t colon = dirs.find(':', pos);
        if (colon == std::string::npos)
            colon = dirs.size();
        std::string candidate = dirs.substr(pos, colon - pos) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        pos = colon + 1;
    }
    return {};
}

class ChildProcess {
  public:
    // Starts `argv` (argv[0] a full path) with this process's environment;
    // its output goes to /dev/null. `keepFd` stays open in the child.
    explicit ChildProcess(const std::vector<std::string>& argv, int keepFd = -1) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        (void)keepFd;  // inherited: it is made without close-on-exec
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        if (posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ChildProcess() {
        if (pid_ > 0 && !exitCode_) {
            ::kill(pid_, SIGKILL);
            int status;
            ::waitpid(pid_, &status, 0);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    bool running() { return started() && !poll(); }
    void signal(int sig) {
        if (running())
            ::kill(pid_, sig);
    }
    // The exit code (128 + signal when killed), or none if still running
    // after `ms`.
    std::optional<int> wait(int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!poll()) {
            if (std::chrono::steady_clock::now() > end)
                return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return exitCode_;
    }

  private:
    std::optional<int> poll() {
        if (exitCode_ || pid_ <= 0)
            return exitCode_;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        return exitCode_;
    }

    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

// Reads a line that a child writes into `fd` within `ms`.
inline std::string readLineWithin(int fd, int ms) {
    std::string line;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        char c;
        if (::read(fd, &c, 1) != 1)
            break;
        if (c == '\n')
            return line;
        line.push_back(c);
    }
    return line;
}

}  // namespace marlit::test

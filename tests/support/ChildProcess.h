#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <thread>

namespace testsupport {

// Runs body in a forked child and returns its exit code, or nothing when it did not exit by
// itself within the time allowed (it is then killed): a test of something that might block
// fails instead of hanging the suite. The child leaves with _exit, so nothing of the test
// program's own shutdown runs twice.
inline std::optional<int> RunInChild(const std::function<int()>& body,
                                     std::chrono::milliseconds allowed) {
    const pid_t child = fork();
    if (child < 0) {
        return std::nullopt;
    }
    if (child == 0) {
        int code = 99;
        try {
            code = body();
        } catch (...) {
            code = 98;
        }
        _exit(code);
    }
    const auto deadline = std::chrono::steady_clock::now() + allowed;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) {
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (!WIFEXITED(status)) {
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}

}  // namespace testsupport

#include "tests/support/file_size_limit.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "framework/core/exceptions.h"

namespace {
// The child's exit codes. Other error numbers exit as kOtherErrorNumber + errno.
constexpr int kEfbig = 0, kNoException = 1, kOtherException = 2, kOtherErrorNumber = 10;

[[noreturn]] void RunChild(rlim_t limitBytes, const std::function<void()>& start,
                           const std::function<void()>& write) {
    signal(SIGXFSZ, SIG_DFL);
    start();
    const rlimit limit{limitBytes, limitBytes};
    setrlimit(RLIMIT_FSIZE, &limit);
    try {
        write();
        _exit(kNoException);
    } catch (const IOException& e) {
        _exit(e.ErrorNumber == EFBIG ? kEfbig : kOtherErrorNumber + e.ErrorNumber);
    } catch (...) {
        _exit(kOtherException);
    }
}
}  // namespace

std::string WriteUnderFileSizeLimit(rlim_t limitBytes, const std::function<void()>& start,
                                    const std::function<void()>& write) {
    const pid_t child = fork();
    if (child < 0) return "fork failed";
    if (child == 0) RunChild(limitBytes, start, write);
    int status = 0;
    if (waitpid(child, &status, 0) != child) return "lost the child";
    if (WIFSIGNALED(status)) return "ended by signal " + std::to_string(WTERMSIG(status));
    switch (const int code = WEXITSTATUS(status)) {
        case kEfbig:
            return "IOException EFBIG";
        case kNoException:
            return "no exception";
        case kOtherException:
            return "another exception";
        default:
            return "IOException " + std::to_string(code - kOtherErrorNumber);
    }
}

#include "framework/core/system_seam.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace {
int OpenUnnamed(const char* folder, mode_t mode) {
    return ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
}

// open() is variadic: its address does not fit the pointer.
int OpenPath(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

std::string HomeOfRealUser() {
    long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    // Entries from a directory service can be larger than the size suggested.
    for (size_t size = suggested > 0 ? size_t(suggested) : 4096; size <= (1u << 20); size *= 2) {
        std::vector<char> buffer(size);
        passwd entry{};
        passwd* found = nullptr;
        int error = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error != ERANGE) return error == 0 && found && found->pw_dir ? found->pw_dir : "";
    }
    return "";
}

DIR* OpenDir(const char* path) {
    return ::opendir(path);
}

timespec CoarseNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return now;
}
}  // namespace

namespace SystemSeam {
int (*OpenUnnamedFile)(const char* folder, mode_t mode) = OpenUnnamed;
std::string (*PasswordHome)() = HomeOfRealUser;
DIR* (*OpenFolder)(const char* path) = OpenDir;
timespec (*CoarseClock)() = CoarseNow;
int (*Open)(const char* path, int flags, mode_t mode) = OpenPath;
ssize_t (*Write)(int fd, const void* data, size_t size) = ::write;
int (*Fsync)(int fd) = ::fsync;
int (*Linkat)(int fromFolder, const char* from, int toFolder, const char* to, int flags) = ::linkat;
int (*Rename)(const char* from, const char* to) = ::rename;
int (*Close)(int fd) = ::close;
int (*Unlink)(const char* path) = ::unlink;
}  // namespace SystemSeam

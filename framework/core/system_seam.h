#pragma once
// Calls into the operating system that tests may stand in for, to reach outcomes this machine
// cannot be made to give honestly (a file system that refuses unnamed files, a disk that fails an
// fsync, a user with no entry in the password database, a clock stepped back), or to count them.
// The framework calls through these pointers; only tests assign them, and put the originals back.
#include <dirent.h>
#include <sys/types.h>

#include <cstddef>
#include <ctime>
#include <string>

namespace SystemSeam {
// open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, mode): a new file with no name in `folder`;
// -1 with errno set when refused.
extern int (*OpenUnnamedFile)(const char* folder, mode_t mode);
// The home folder in the password database entry of the real user; "" when there is no entry.
extern std::string (*PasswordHome)();
// opendir(path): each read of a folder's listing starts here.
extern DIR* (*OpenFolder)(const char* path);
// CLOCK_REALTIME_COARSE, the clock the kernel stamps file times from.
extern timespec (*CoarseClock)();

// The file calls of the writer, each with the signature and the errno behaviour of its libc
// namesake.
extern int (*Open)(const char* path, int flags, mode_t mode);
extern ssize_t (*Write)(int fd, const void* data, size_t size);
extern int (*Fsync)(int fd);
extern int (*Linkat)(int fromFolder, const char* from, int toFolder, const char* to, int flags);
extern int (*Rename)(const char* from, const char* to);
extern int (*Close)(int fd);
extern int (*Unlink)(const char* path);
}  // namespace SystemSeam

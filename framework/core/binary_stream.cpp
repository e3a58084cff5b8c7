#include "framework/core/binary_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/core/system_seam.h"

namespace {
IOException Failure(const char* what, const std::filesystem::path& file, int error) {
    return IOException(
        std::string("cannot ") + what + " file \"" + file.string() + "\": " + std::strerror(error),
        error);
}

// A fresh hidden name in `folder`: ".tw-" and six characters, so it fits wherever the target's
// name fits and is never listed as a .wav.
std::string FreshName(const std::filesystem::path& folder) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 engine{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kAlphabet - 2);
    std::string name = ".tw-";
    for (int k = 0; k < 6; ++k) name += kAlphabet[pick(engine)];
    return (folder / name).string();
}

// Calls `take` with fresh names until one is free. Bounded: a folder that refuses every name with
// EEXIST must not hang the caller. Returns take's last result, with errno from it.
template <class Take>
int WithFreshName(const std::filesystem::path& folder, std::string& path, Take take) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = FreshName(folder);
        int result = take(path);
        if (result >= 0 || errno != EEXIST) return result;
    }
    errno = EEXIST;
    return -1;
}

// Opens a new, empty file under a fresh name in `folder`, with the permissions a plain open()
// gives (the umask applies). Returns the descriptor, or -1 with errno set.
int OpenTempFile(const std::filesystem::path& folder, std::string& path) {
    return WithFreshName(folder, path, [](const std::string& p) {
        return SystemSeam::Open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    });
}

std::string ProcPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

// Opens a file with no name in `folder`: if the program dies before Close, the file system
// frees it and nothing is left behind. -1 when the file system or kernel cannot, or when it
// could not be named later (no /proc).
int OpenUnnamedFile(const std::filesystem::path& folder) {
    int fd = SystemSeam::OpenUnnamedFile(folder.c_str(), 0666);
    if (fd >= 0 && ::access(ProcPath(fd).c_str(), F_OK) != 0) {
        SystemSeam::Close(fd);
        errno = EOPNOTSUPP;
        return -1;
    }
    return fd;
}

// What open(O_TMPFILE) answers where the file system or kernel lacks it.
bool UnnamedFilesRefused(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Gives the unnamed file `fd` a fresh hidden name in `folder`. 0 or errno.
int NameUnnamedFile(int fd, const std::filesystem::path& folder, std::filesystem::path& named) {
    std::string path;
    int result = WithFreshName(folder, path, [fd](const std::string& p) {
        if (SystemSeam::Linkat(AT_FDCWD, ProcPath(fd).c_str(), AT_FDCWD, p.c_str(),
                               AT_SYMLINK_FOLLOW) == 0)
            return 0;
        // /proc gone since Create: linking the descriptor itself needs CAP_DAC_READ_SEARCH.
        if (errno != ENOENT) return -1;
        return SystemSeam::Linkat(fd, "", AT_FDCWD, p.c_str(), AT_EMPTY_PATH);
    });
    if (result != 0) return errno;
    named = path;
    return 0;
}

// Gives the file at `target`, if there is one, a second, hidden name in `folder`, so that Close
// can put it back when the new file cannot be made to last. `existed` tells whether there was a
// file. Where the file system has no hard links, or refuses one (a folder, or a file of another
// user under protected_hardlinks), nothing is kept. 0 or errno.
int KeepOldFile(const std::filesystem::path& target, const std::filesystem::path& folder,
                std::filesystem::path& kept, bool& existed) {
    std::string path;
    int result = WithFreshName(folder, path, [&target](const std::string& p) {
        return SystemSeam::Linkat(AT_FDCWD, target.c_str(), AT_FDCWD, p.c_str(), 0);
    });
    existed = result == 0 || errno != ENOENT;
    if (result == 0) {
        kept = path;
        return 0;
    }
    if (errno == ENOENT || errno == EPERM || errno == EOPNOTSUPP || errno == ENOSYS) return 0;
    return errno;
}

// fsyncs the folder, so that a rename in it survives a power cut. 0 or errno.
int SyncFolder(const std::filesystem::path& folder) {
    int fd = SystemSeam::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return errno;
    int error = 0;
    // EINVAL: a file system with nothing to sync for a folder.
    if (SystemSeam::Fsync(fd) != 0 && errno != EINVAL) error = errno;
    SystemSeam::Close(fd);  // read only: nothing left for close to report
    return error;
}

std::filesystem::path Folder(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? "." : folder;
}

}  // namespace

const ClassInfo& BinaryStream::StaticClass() {
    static const ClassInfo info{"BinaryStream", &Object::StaticClass(), {}};
    return info;
}

BinaryStream::BinaryStream(std::shared_ptr<FolderItem> file, int fd, std::filesystem::path temp)
    : file_(std::move(file)), fd_(fd), temp_(std::move(temp)) {}

std::shared_ptr<BinaryStream> BinaryStream::Create(const std::shared_ptr<FolderItem>& file) {
    FolderItem& item = Deref(file, "the file to create");
    const std::filesystem::path& target = item.Path();
    auto fail = [&](int error) {
        item.lastError_ = error;
        return Failure("create", target, error);
    };
    // A folder is never replaced: refuse it before anything is written.
    struct stat st;
    if (::lstat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) throw fail(EISDIR);

    const std::filesystem::path folder = Folder(target);
    // Refuse an overlong name now rather than after the whole file is written.
    long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (target.filename().string().size() > size_t(nameMax > 0 ? nameMax : 255))
        throw fail(ENAMETOOLONG);

    // Unnamed where the file system allows, else under a temporary name.
    std::string temp;
    int fd = OpenUnnamedFile(folder);
    if (fd < 0 && UnnamedFilesRefused(errno)) fd = OpenTempFile(folder, temp);
    if (fd < 0) throw fail(errno);
    item.lastError_ = 0;
    return std::shared_ptr<BinaryStream>(new BinaryStream(file, fd, temp));
}

BinaryStream::~BinaryStream() {
    if (fd_ >= 0) SystemSeam::Close(fd_);
    if (!temp_.empty()) SystemSeam::Unlink(temp_.c_str());
}

void BinaryStream::Write(const String& data) {
    if (fd_ < 0) {
        lastError_ = EBADF;
        throw Failure("write", file_->Path(), EBADF);
    }
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        ssize_t n = SystemSeam::Write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            lastError_ = errno;
            throw Failure("write", file_->Path(), lastError_);
        }
        p += n;
        left -= size_t(n);
    }
    lastError_ = 0;
}

void BinaryStream::Close() {
    if (fd_ < 0) return;  // closed already
    const std::filesystem::path& target = file_->Path();
    const std::filesystem::path folder = Folder(target);
    int error = 0;
    // fsync before the rename, so that a crash cannot leave an empty file where the old one was.
    if (SystemSeam::Fsync(fd_) != 0 && errno != EINVAL) error = errno;
    // Named only now that it is complete; the rename below then puts it in place.
    if (!error && temp_.empty()) error = NameUnnamedFile(fd_, folder, temp_);
    if (SystemSeam::Close(fd_) != 0 && !error) error = errno;
    fd_ = -1;
    std::filesystem::path kept;
    bool existed = false;
    if (!error) error = KeepOldFile(target, folder, kept, existed);
    if (!error && SystemSeam::Rename(temp_.c_str(), target.c_str()) != 0) error = errno;
    if (error) {
        // The target is as it was: drop the new file and the old one's second name.
        if (!temp_.empty()) SystemSeam::Unlink(temp_.c_str());
        if (!kept.empty()) SystemSeam::Unlink(kept.c_str());
    } else {
        // Reported written only once the folder's sync makes the rename last; until then the old
        // file keeps its second name, to be put back.
        error = SyncFolder(folder);
        if (!error && !kept.empty() && SystemSeam::Unlink(kept.c_str()) != 0) error = errno;
        if (error && !kept.empty())
            SystemSeam::Rename(kept.c_str(), target.c_str());
        else if (error && !existed)
            SystemSeam::Unlink(target.c_str());
        // A file system without hard links kept no second name: the new file stays.
    }
    temp_.clear();
    if (error) {
        lastError_ = error;
        throw Failure("write", target, error);
    }
    lastError_ = 0;
}

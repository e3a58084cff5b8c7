#include "framework/core/binary_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "framework/core/exceptions.h"

namespace {
IOException Failure(const char* what, const std::filesystem::path& file, int error) {
    return IOException(
        std::string("cannot ") + what + " file \"" + file.string() + "\": " + std::strerror(error),
        error);
}

// Opens a new, empty file under a fresh ".tw-XXXXXX" name in `folder`, with the permissions a
// plain open() gives (the umask applies). Returns the descriptor, or -1 with errno set.
int OpenTempFile(const std::filesystem::path& folder, std::string& path) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 engine{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kAlphabet - 2);
    // Bounded: a folder that refuses every name with EEXIST must not hang the caller.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".tw-";
        for (int k = 0; k < 6; ++k) name += kAlphabet[pick(engine)];
        path = (folder / name).string();
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Puts `temp` in place as `target`; without `replace` an existing target is refused.
int Publish(const std::filesystem::path& temp, const std::filesystem::path& target, bool replace) {
    if (replace) return ::rename(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without RENAME_NOREPLACE: link() refuses an existing name as well.
    if (::link(temp.c_str(), target.c_str()) != 0) return errno;
    ::unlink(temp.c_str());
    return 0;
}
}  // namespace

const ClassInfo& BinaryStream::StaticClass() {
    static const ClassInfo info{"BinaryStream", &Object::StaticClass(), {}, {}};
    return info;
}

BinaryStream::BinaryStream(std::shared_ptr<FolderItem> file, bool replace, int fd,
                           std::filesystem::path temp)
    : file_(std::move(file)), replace_(replace), fd_(fd), temp_(std::move(temp)) {}

std::shared_ptr<BinaryStream> BinaryStream::Create(const std::shared_ptr<FolderItem>& file,
                                                   bool replace) {
    FolderItem& item = Deref(file, "the file to create");
    const std::filesystem::path& target = item.Path();
    auto fail = [&](int error) {
        item.lastError_ = error;
        return Failure("create", target, error);
    };
    if (!replace && item.Exists()) throw fail(EEXIST);

    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    // Refuse an overlong name now rather than after the whole file is written.
    long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (target.filename().string().size() > size_t(nameMax > 0 ? nameMax : 255))
        throw fail(ENAMETOOLONG);

    // A short hidden name: it fits wherever the target's name fits, and is never listed as a .wav.
    std::string temp;
    int fd = OpenTempFile(folder, temp);
    if (fd < 0) throw fail(errno);
    item.lastError_ = 0;
    return std::shared_ptr<BinaryStream>(new BinaryStream(file, replace, fd, temp));
}

BinaryStream::~BinaryStream() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
}

void BinaryStream::Write(const String& data) {
    if (fd_ < 0) {
        lastError_ = EBADF;
        throw Failure("write", file_->Path(), EBADF);
    }
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd_, p, left);
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
    if (temp_.empty()) return;  // closed already
    int error = 0;
    // fsync before the rename, so that a crash cannot leave an empty file where the old one was.
    if (::fsync(fd_) != 0 && errno != EINVAL) error = errno;
    if (::close(fd_) != 0 && !error) error = errno;
    fd_ = -1;
    if (!error) error = Publish(temp_, file_->Path(), replace_);
    if (error) {
        ::unlink(temp_.c_str());
        temp_.clear();
        lastError_ = error;
        throw Failure("write", file_->Path(), error);
    }
    temp_.clear();
    lastError_ = 0;
}

#include "framework/core/folder_item.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "framework/core/movie.h"
#include "framework/core/system_seam.h"

namespace {
// Installed by the ui layer, which has the desktop.
FolderItem::Launcher installedLauncher = nullptr;

bool Before(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// A listing read at coarse time `readAt` can be trusted later while the folder's stamp stays the
// same only if the folder's times lie before `readAt`: a change made in the same clock tick
// would leave the times as they were. Times with no nanoseconds come from a file system with
// coarse timestamps (FAT keeps two seconds), so those need a wider margin.
bool Settled(const timespec& modified, const timespec& changed, timespec readAt) {
    if (modified.tv_nsec == 0 && changed.tv_nsec == 0) readAt.tv_sec -= 2;
    return Before(modified, readAt) && Before(changed, readAt);
}
}  // namespace

const ClassInfo& FolderItem::StaticClass() {
    static const ClassInfo info{"FolderItem", &Object::StaticClass(), {}};
    return info;
}

bool FolderItem::FolderStamp::operator==(const FolderStamp& o) const {
    return device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
}

FolderItem::FolderItem(std::filesystem::path path) : path_(std::move(path)) {}

std::shared_ptr<FolderItem> FolderItem::Child(const String& name) const {
    if (name.empty() || name == "." || name == ".." || name.find('/') != String::npos ||
        name.find('\0') != String::npos)
        return nullptr;
    return std::make_shared<FolderItem>(path_ / std::filesystem::path(name));
}

bool FolderItem::Exists() const {
    struct stat st;
    return ::lstat(path_.c_str(), &st) == 0;
}

bool FolderItem::Directory() const {
    struct stat st;
    return ::stat(path_.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void FolderItem::Delete() {
    lastError_ = std::remove(path_.c_str()) == 0 ? 0 : errno;
}

void FolderItem::CreateAsFolder() {
    if (::mkdir(path_.c_str(), 0777) == 0) {
        lastError_ = 0;
        return;
    }
    lastError_ = errno;
    if (lastError_ == EEXIST && Directory()) lastError_ = 0;
}

bool FolderItem::Refresh() const {
    timespec readAt{};
    clock_gettime(CLOCK_REALTIME_COARSE, &readAt);
    struct stat st;
    int failed = ::stat(path_.c_str(), &st) != 0 ? errno : S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    if (failed) {
        lastError_ = failed;
        listing_.clear();
        listingTrusted_ = false;
        return false;
    }
    FolderStamp now{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
    if (listingTrusted_ && now == stamp_) return true;

    listing_.clear();
    listingTrusted_ = false;
    DIR* dir = ::opendir(path_.c_str());
    if (!dir) {
        lastError_ = errno;
        return false;
    }
    while (const dirent* entry = ::readdir(dir)) {
        String name = entry->d_name;
        if (name != "." && name != "..") listing_.push_back(std::move(name));
    }
    ::closedir(dir);
    lastError_ = 0;
    stamp_ = now;
    listingTrusted_ = Settled(now.modified, now.changed, readAt);
    return true;
}

int32_t FolderItem::Count() const {
    if (!Refresh()) return 0;
    return listing_.size() > size_t(std::numeric_limits<int32_t>::max())
               ? std::numeric_limits<int32_t>::max()
               : static_cast<int32_t>(listing_.size());
}

std::shared_ptr<FolderItem> FolderItem::Item(int32_t index) const {
    if (index < 1 || !Refresh() || size_t(index) > listing_.size()) return nullptr;
    return std::make_shared<FolderItem>(path_ / std::filesystem::path(listing_[index - 1]));
}

String FolderItem::Name() const {
    return path_.filename().string();
}

std::shared_ptr<Movie> FolderItem::OpenAsMovie() const {
    return Movie::Open(path_);
}

void FolderItem::Launch(bool /*activate*/) const {
    if (installedLauncher) installedLauncher(path_);
}

FolderItem::Launcher FolderItem::SetLauncher(Launcher launcher) {
    Launcher previous = installedLauncher;
    installedLauncher = launcher;
    return previous;
}

namespace {
// Without HOME Qt takes "/" for the home folder, which would put Documents at the root of the file
// system. The home in the user's password entry stands in; with none there is no Documents
// folder. A home that is not an absolute path below the root is taken as none.
std::shared_ptr<FolderItem> DocumentsInPasswordHome() {
    const std::string home = SystemSeam::PasswordHome();
    if (home.empty() || home.front() != '/' || home.find_first_not_of('/') == std::string::npos)
        return nullptr;
    return std::make_shared<FolderItem>(std::filesystem::path(home) / "Documents");
}
}  // namespace

std::shared_ptr<FolderItem> SpecialFolder::Documents() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) return DocumentsInPasswordHome();
    QString location = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (location.isEmpty()) return nullptr;
    QByteArray bytes = QFile::encodeName(location);
    return std::make_shared<FolderItem>(std::string(bytes.constData(), size_t(bytes.size())));
}

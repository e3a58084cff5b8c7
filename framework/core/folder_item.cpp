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

constexpr time_t kForever = std::numeric_limits<time_t>::max();

bool Before(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

timespec Plus(timespec t, long nanoseconds) {
    t.tv_sec += nanoseconds / 1'000'000'000;
    t.tv_nsec += nanoseconds % 1'000'000'000;
    if (t.tv_nsec >= 1'000'000'000) t.tv_sec += 1, t.tv_nsec -= 1'000'000'000;
    if (t.tv_nsec < 0) t.tv_sec -= 1, t.tv_nsec += 1'000'000'000;
    return t;
}

// The step of the clock the kernel stamps file times from.
long TickNanoseconds() {
    static const long tick = [] {
        timespec res{};
        const bool known = ::clock_getres(CLOCK_REALTIME_COARSE, &res) == 0 && res.tv_sec == 0;
        return known && res.tv_nsec > 0 ? res.tv_nsec : 10'000'000L;
    }();
    return tick;
}

// Times with no nanoseconds come from a file system with coarse times (FAT keeps two seconds).
bool CoarseTimes(const timespec& modified, const timespec& changed) {
    return modified.tv_nsec == 0 && changed.tv_nsec == 0;
}

// A listing read at `readAt` holds while the folder's stamp stays the same only if no change made
// after the read could leave the stamp as it was. A change stamps the folder with the clock's time
// then: a time lying before the read rules that out for good, and a time ahead of the clock (a
// clock stepped back, a folder restored with tar or rsync -t) until the clock gets near it. A time
// near the read's rules out nothing. Gives whether the listing holds, and until when.
bool TrustFor(const timespec& modified, const timespec& changed, const timespec& readAt,
              timespec& until) {
    timespec settledBefore = readAt;
    if (CoarseTimes(modified, changed)) settledBefore.tv_sec -= 2;
    const long margin = 2 * TickNanoseconds();
    until = {kForever, 0};
    for (const timespec& time : {modified, changed}) {
        if (Before(time, settledBefore)) continue;
        if (!Before(Plus(readAt, margin), time)) return false;
        const timespec expires = Plus(time, -margin);
        if (Before(expires, until)) until = expires;
    }
    return true;
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
    // A folder changed within the last clock tick is read once the clock has moved on (two ticks
    // at most), so that the listing holds for the calls that follow. Waiting does not help a
    // folder that goes on changing, nor one on a file system with coarse times, where it would
    // take seconds: those are read at once.
    constexpr int kMostWaits = 6;
    FolderStamp now, waitedOn;
    timespec readAt{}, until{};
    bool trusted = false;
    for (int waits = 0;; ++waits) {
        readAt = SystemSeam::CoarseClock();
        struct stat st;
        int failed = ::stat(path_.c_str(), &st) != 0 ? errno : S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
        if (failed) {
            lastError_ = failed;
            listing_.clear();
            listingTrusted_ = false;
            return false;
        }
        now = {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
        if (listingTrusted_ && now == stamp_ && Before(readAt, trustedUntil_)) return true;
        trusted = TrustFor(now.modified, now.changed, readAt, until);
        if (trusted || CoarseTimes(now.modified, now.changed) || waits == kMostWaits ||
            (waits > 0 && !(now == waitedOn)))
            break;
        waitedOn = now;
        const timespec pause{0, TickNanoseconds() / 2};
        ::nanosleep(&pause, nullptr);
    }

    listing_.clear();
    listingTrusted_ = false;
    DIR* dir = SystemSeam::OpenFolder(path_.c_str());
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
    listingTrusted_ = trusted;
    trustedUntil_ = until;
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

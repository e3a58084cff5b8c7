#pragma once
// A file or folder of the file system, named by bytes: the path is built from the byte string and
// never passes through QString, so a name holding bytes an escape made is used exactly.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

#include <sys/types.h>

#include "framework/core/object.h"
#include "framework/core/text.h"

class Movie;  // framework/core/movie.h

class FolderItem : public Object {
    TW_CLASS_INFO
  public:
    explicit FolderItem(std::filesystem::path path);

    // The item `name` directly inside this folder, existing or not. Nil for what is not one name:
    // "", ".", "..", or a name holding '/' or a NUL byte.
    std::shared_ptr<FolderItem> Child(const String& name) const;
    bool Exists() const;
    bool Directory() const;
    // Removes the file or empty folder; reports nothing (see LastErrorCode).
    void Delete();
    // Creates the folder when missing (its parent must exist); an existing one stays as it is.
    // Reports nothing: LastErrorCode is 0 when a folder stands there afterwards, else errno
    // (EEXIST for a file of that name).
    void CreateAsFolder();
    // Items of a folder in the file system's own order ("." and ".." left out); 0 for a non-folder.
    // The listing is kept and reused while the folder's status (inode, size, times) is unchanged,
    // so walking Count/Item reads the folder once, whatever its times say; any change to the
    // folder reads it afresh. A folder changed within the last few milliseconds is read once the
    // clock has moved on, a pause of a clock tick or two.
    int32_t Count() const;
    // Item `index` (1-based) of that order; Nil out of range.
    std::shared_ptr<FolderItem> Item(int32_t index) const;
    // The name alone, as bytes.
    String Name() const;
    const std::filesystem::path& Path() const { return path_; }
    // errno of the last failed operation on this item, 0 after a success.
    int32_t LastErrorCode() const { return lastError_; }

    // The item as a movie the player can load; Nil for what cannot be played.
    std::shared_ptr<Movie> OpenAsMovie() const;
    // Opens the item in the desktop's file browser, through the launcher the ui layer installs.
    // Without one (a program without the desktop) nothing opens.
    void Launch(bool activate = true) const;
    using Launcher = void (*)(const std::filesystem::path& path);
    // Installs the launcher Launch calls; returns the one it replaces.
    static Launcher SetLauncher(Launcher launcher);

  private:
    friend class BinaryStream;  // reports its create failures through LastErrorCode

    // What identifies one state of a folder's entries.
    struct FolderStamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{}, changed{};
        bool operator==(const FolderStamp& o) const;
    };
    // Brings the kept listing up to date; false when this is not a readable folder.
    bool Refresh() const;

    std::filesystem::path path_;
    mutable int32_t lastError_ = 0;
    mutable std::vector<std::string> listing_;
    mutable FolderStamp stamp_;
    mutable bool listingTrusted_ = false;
    mutable timespec trustedUntil_{};  // the listing holds until the clock gets here
};

namespace SpecialFolder {
// The user's Documents folder as the desktop defines it (XDG user directories, read afresh at
// each call). With HOME unset or empty: Documents in the home of the user's password entry, Nil
// when there is no entry. Needs no QCoreApplication.
std::shared_ptr<FolderItem> Documents();
}  // namespace SpecialFolder

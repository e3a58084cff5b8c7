#pragma once
// A file or folder of the file system, named by bytes: the path is built from the byte string and
// never passes through QString, so a name holding bytes an escape made is used exactly.
#include <cstdint>
#include <filesystem>
#include <memory>

#include "framework/core/object.h"
#include "framework/core/text.h"

class Movie;  // framework/ui/movie_player.h

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
    // Creates the folder when missing; an existing one stays as it is. Reports nothing.
    void CreateAsFolder();
    // Items of a folder in the file system's own order ("." and ".." left out); 0 for a non-folder.
    int32_t Count() const;
    // Item `index` (1-based) of that order; Nil out of range.
    std::shared_ptr<FolderItem> Item(int32_t index) const;
    // The name alone, as bytes.
    String Name() const;
    const std::filesystem::path& Path() const { return path_; }
    // errno of the last failed operation on this item, 0 after a success.
    int32_t LastErrorCode() const { return lastError_; }

    // Defined by framework/ui (they need the player and the desktop).
    // The item as a movie the player can load; Nil for what cannot be played.
    std::shared_ptr<Movie> OpenAsMovie() const;
    // Opens the item in the desktop's file browser.
    void Launch(bool activate = true) const;

private:
    std::filesystem::path path_;
    mutable int32_t lastError_ = 0;
};

namespace SpecialFolder {
// The user's Documents folder as the desktop defines it (XDG user directories).
std::shared_ptr<FolderItem> Documents();
}  // namespace SpecialFolder

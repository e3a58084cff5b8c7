#pragma once
// A movie: a file the player can load.
#include <filesystem>
#include <memory>

#include "framework/core/object.h"

class Movie : public Object {
    TW_CLASS_INFO
  public:
    explicit Movie(std::filesystem::path path) : path_(std::move(path)) {}
    // The file as a movie: a regular file that starts as RIFF/WAVE; Nil for anything else.
    static std::shared_ptr<Movie> Open(const std::filesystem::path& path);
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

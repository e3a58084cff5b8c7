#pragma once
#include <filesystem>
#include <string>

// A fresh HOME for one test: the Documents folder then resolves inside it, so no test touches the
// real one. Restores the previous environment and removes the folder when it goes.
class TempHome {
  public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Documents() const { return path_ / "Documents"; }
    std::filesystem::path OutputFolder() const { return Documents() / "Tarnwhistle"; }

  private:
    std::filesystem::path path_;
    std::string oldHome_, oldConfig_;
    bool hadHome_ = false, hadConfig_ = false;
};

// The FolderItem operations that need the player or the desktop.
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include <fstream>
#include <system_error>

#include "framework/core/folder_item.h"
#include "framework/ui/movie_player.h"

namespace {
// A RIFF/WAVE header: "RIFF", a 4-byte size, "WAVE".
bool HasWaveHeader(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    char header[12] = {};
    if (!in.read(header, sizeof header)) return false;
    return String(header, 4) == "RIFF" && String(header + 8, 4) == "WAVE";
}
}  // namespace

std::shared_ptr<Movie> FolderItem::OpenAsMovie() const {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path_, error)) return nullptr;
    if (!HasWaveHeader(path_)) return nullptr;
    return std::make_shared<Movie>(path_);
}

void FolderItem::Launch(bool /*activate*/) const {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path_.c_str())));
}

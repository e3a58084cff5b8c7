#include "framework/core/movie.h"

#include <fstream>
#include <system_error>

namespace {
// A RIFF/WAVE header: "RIFF", a 4-byte size, "WAVE".
bool HasWaveHeader(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    char header[12] = {};
    if (!in.read(header, sizeof header)) return false;
    return std::string(header, 4) == "RIFF" && std::string(header + 8, 4) == "WAVE";
}
}  // namespace

const ClassInfo& Movie::StaticClass() {
    static const ClassInfo info{"Movie", &Object::StaticClass(), {}};
    return info;
}

std::shared_ptr<Movie> Movie::Open(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return nullptr;
    if (!HasWaveHeader(path)) return nullptr;
    return std::make_shared<Movie>(path);
}

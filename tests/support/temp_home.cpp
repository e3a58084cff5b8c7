#include "tests/support/temp_home.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace {
bool Save(const char* name, std::string& out) {
    const char* v = std::getenv(name);
    if (v) out = v;
    return v != nullptr;
}
void Restore(const char* name, bool had, const std::string& value) {
    if (had)
        setenv(name, value.c_str(), 1);
    else
        unsetenv(name);
}
}  // namespace

TempHome::TempHome() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tw-home-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a temporary HOME");
    path_ = tmpl;
    hadHome_ = Save("HOME", oldHome_);
    hadConfig_ = Save("XDG_CONFIG_HOME", oldConfig_);
    setenv("HOME", path_.c_str(), 1);
    // No user-dirs.dirs there, so Documents is HOME/Documents.
    setenv("XDG_CONFIG_HOME", (path_ / ".config").c_str(), 1);
}

TempHome::~TempHome() {
    Restore("HOME", hadHome_, oldHome_);
    Restore("XDG_CONFIG_HOME", hadConfig_, oldConfig_);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

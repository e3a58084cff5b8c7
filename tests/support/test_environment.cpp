#include "tests/support/test_environment.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {
bool IsName(const std::string& key) {
    if (key.empty() || (key[0] >= '0' && key[0] <= '9')) return false;
    for (char c : key)
        if (!(c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
              (c >= '0' && c <= '9')))
            return false;
    return true;
}
}  // namespace

EnvironmentEntries ReadEnvironmentFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read the test environment " + file.string());
    EnvironmentEntries entries;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos || !IsName(line.substr(0, equals)))
            throw std::runtime_error(file.string() + ":" + std::to_string(number) +
                                     ": not KEY=VALUE: " + line);
        entries.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return entries;
}

std::filesystem::path TestEnvironmentFile() {
    return TW_TEST_ENVIRONMENT_FILE;
}

TestEnvironment::TestEnvironment() {
    for (const auto& [key, value] : ReadEnvironmentFile(TestEnvironmentFile()))
        setenv(key.c_str(), value.c_str(), 1);
    home_ = std::make_unique<TempHome>();
}

#pragma once
// The environment every test binary runs in, however it was started: the variables of the shared
// file (tests/support/quiet.env) set over the caller's, and a temporary HOME for the whole run.
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/temp_home.h"

using EnvironmentEntries = std::vector<std::pair<std::string, std::string>>;

// The KEY=VALUE lines of `file`, in order. Throws std::runtime_error, naming the file and the line,
// when it cannot be read or a line is neither KEY=VALUE, a comment nor empty.
EnvironmentEntries ReadEnvironmentFile(const std::filesystem::path& file);

// The shared file the build was configured with.
std::filesystem::path TestEnvironmentFile();

class TestEnvironment {
  public:
    // Sets the shared file's variables, then makes the temporary HOME. Throws as the reader does.
    TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    const TempHome& Home() const { return *home_; }

  private:
    std::unique_ptr<TempHome> home_;
};

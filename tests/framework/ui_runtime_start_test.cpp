// What the runtime's start sets up for the whole process.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/core/binary_stream.h"
#include "framework/core/exceptions.h"
#include "framework/ui/runtime.h"
#include "tests/support/temp_home.h"

namespace {
namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The child starts with SIGXFSZ at its default action, as a fresh program does, and relies on
// the runtime's start alone: a write past the file-size limit must then fail, not kill it.
TEST(RuntimeStart, AWritePastTheFileSizeLimitRaisesInsteadOfEndingTheProgram) {
    TempHome home;
    const fs::path target = home.Path() / "big.wav";
    const std::string old(3000, 'o');
    std::ofstream(target, std::ios::binary) << old;

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_DFL);
        RuntimeInit();
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            auto stream = BinaryStream::Create(std::make_shared<FolderItem>(target));
            stream->Write(std::string(5000, 'n'));
            stream->Close();
            _exit(10);
        } catch (const IOException& e) {
            _exit(e.ErrorNumber == EFBIG ? 0 : 11);
        } catch (...) {
            _exit(12);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status))
        << "the writer was ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: no exception, 11: not EFBIG, 12: another exception";
    EXPECT_EQ(Read(target), old);
    size_t entries = 0;
    for (const auto& e : fs::directory_iterator(home.Path())) entries += e.path() == target ? 0 : 1;
    EXPECT_EQ(entries, 0u) << "a temporary file was left beside the target";
}
}  // namespace

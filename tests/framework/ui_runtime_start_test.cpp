// What the runtime's start sets up for the whole process.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/core/binary_stream.h"
#include "framework/ui/runtime.h"
#include "tests/support/bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_home.h"

namespace {
namespace fs = std::filesystem;

// The child starts with SIGXFSZ at its default action, as a fresh program does, and relies on
// the runtime's start alone: a write past the file-size limit must then fail, not kill it.
TEST(RuntimeStart, AWritePastTheFileSizeLimitRaisesInsteadOfEndingTheProgram) {
    TempHome home;
    const fs::path target = home.Path() / "big.wav";
    const std::string old(3000, 'o');
    WriteFile(target, old);

    const std::string outcome = WriteUnderFileSizeLimit(1000, RuntimeInit, [&] {
        auto stream = BinaryStream::Create(std::make_shared<FolderItem>(target));
        stream->Write(std::string(5000, 'n'));
        stream->Close();
    });
    EXPECT_EQ(outcome, "IOException EFBIG");
    EXPECT_EQ(ReadFile(target), old);
    size_t entries = 0;
    for (const auto& e : fs::directory_iterator(home.Path())) entries += e.path() == target ? 0 : 1;
    EXPECT_EQ(entries, 0u) << "a temporary file was left beside the target";
}
}  // namespace

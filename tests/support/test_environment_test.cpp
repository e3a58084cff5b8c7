// The shared test environment holds in every suite, whatever the caller's shell had set.
#include <QGuiApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

#include "tests/support/temp_home.h"
#include "tests/support/test_environment.h"

namespace fs = std::filesystem;

namespace {

TEST(TestEnvironment, EveryVariableOfTheSharedFileIsSet) {
    const EnvironmentEntries entries = ReadEnvironmentFile(TestEnvironmentFile());
    std::set<std::string> keys;
    for (const auto& [key, value] : entries) {
        keys.insert(key);
        const char* actual = std::getenv(key.c_str());
        ASSERT_NE(actual, nullptr) << key;
        EXPECT_EQ(actual, value) << key;
    }
    for (const char* needed : {"PULSE_SERVER", "GST_PLUGIN_FEATURE_RANK", "QT_QPA_PLATFORM"})
        EXPECT_EQ(keys.count(needed), 1u) << needed;
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
}

TEST(TestEnvironment, HomeAndDocumentsAreTemporary) {
    const fs::path home = std::getenv("HOME");
    EXPECT_EQ(home.parent_path(), fs::temp_directory_path());
    EXPECT_EQ(home.filename().string().rfind("tw-home-", 0), 0u) << home;
    EXPECT_TRUE(fs::is_directory(home));
    const fs::path documents =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    EXPECT_EQ(documents, home / "Documents");
}

TEST(TestEnvironment, FileIsReadLiterallyAndMalformedLinesAreRefused) {
    TempHome scratch;
    const fs::path file = scratch.Path() / "test.env";
    std::ofstream(file) << "# a comment\n\nA=b=c\nEMPTY=\nQ='x y'\n";
    const EnvironmentEntries expected = {{"A", "b=c"}, {"EMPTY", ""}, {"Q", "'x y'"}};
    EXPECT_EQ(ReadEnvironmentFile(file), expected);

    for (const char* line : {"no equals sign", "=value", "1A=x", "export A=x", " A=x"}) {
        SCOPED_TRACE(line);
        std::ofstream(file) << "A=x\n" << line << "\n";
        EXPECT_THROW(ReadEnvironmentFile(file), std::runtime_error);
    }
    EXPECT_THROW(ReadEnvironmentFile(scratch.Path() / "missing.env"), std::runtime_error);
}

}  // namespace

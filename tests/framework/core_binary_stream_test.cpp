#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/binary_stream.h"
#include "framework/core/exceptions.h"
#include "framework/core/process_signals.h"
#include "framework/core/system_seam.h"
#include "tests/support/bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/scoped_seam.h"
#include "tests/support/temp_home.h"

namespace {
namespace fs = std::filesystem;
using std::string_literals::operator""s;

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* e = dir ? readdir(dir) : nullptr)
        if (e->d_name != "."s && e->d_name != ".."s) names.insert(e->d_name);
    if (dir) closedir(dir);
    return names;
}

void WriteThroughStream(const std::shared_ptr<FolderItem>& file, const String& bytes) {
    auto stream = BinaryStream::Create(file);
    stream->Write(bytes);
    stream->Close();
}

// Writes `bytes` through a stream; returns the error number of the IOException, or 0.
int StreamErrorWriting(const std::shared_ptr<FolderItem>& file, const String& bytes) {
    try {
        WriteThroughStream(file, bytes);
        return 0;
    } catch (const IOException& e) {
        return e.ErrorNumber;
    }
}

bool UnnamedFilesWork(const fs::path& folder) {
    int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    close(fd);
    return true;
}

class StreamFolder : public testing::Test {
  protected:
    TempHome home;
    fs::path root = home.Path() / "out";
    std::shared_ptr<FolderItem> folder;
    const String image = "RIFF\0\0\0\0WAVE\x80\xFF\x01"s;
    void SetUp() override {
        fs::create_directory(root);
        folder = std::make_shared<FolderItem>(root);
    }
};

// Every stream test runs twice: with the temporary file unnamed (the real call), and with the
// file system refusing unnamed files, as some do, so that the named temporary file stands in.
enum class TempKind { Unnamed, Named };

int RefuseUnnamedFiles(const char*, mode_t) {
    errno = EOPNOTSUPP;
    return -1;
}

class BinaryStreamTest : public StreamFolder, public testing::WithParamInterface<TempKind> {
  protected:
    std::optional<ScopedSeam<decltype(SystemSeam::OpenUnnamedFile)>> refusal;
    void SetUp() override {
        StreamFolder::SetUp();
        if (GetParam() == TempKind::Named)
            refusal.emplace(SystemSeam::OpenUnnamedFile, RefuseUnnamedFiles);
        else if (!UnnamedFilesWork(root))
            GTEST_SKIP() << "this file system refuses unnamed files";
    }
    // Entries that `streams` open streams add to their folder before Close.
    size_t TemporaryEntries(size_t streams) const {
        return GetParam() == TempKind::Named ? streams : 0;
    }
};

INSTANTIATE_TEST_SUITE_P(TempFiles, BinaryStreamTest,
                         testing::Values(TempKind::Unnamed, TempKind::Named),
                         [](const testing::TestParamInfo<TempKind>& info) {
                             return info.param == TempKind::Unnamed ? "Unnamed" : "Named";
                         });

TEST_P(BinaryStreamTest, WritesANewFileAndLeavesNothingElse) {
    auto file = folder->Child("new.wav");
    ASSERT_EQ(StreamErrorWriting(file, image), 0);
    EXPECT_EQ(ReadFile(root / "new.wav"), image);
    EXPECT_EQ(Names(root), std::set<std::string>{"new.wav"});

    mode_t mask = umask(0);
    umask(mask);
    struct stat st;
    ASSERT_EQ(stat((root / "new.wav").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);

    ASSERT_EQ(StreamErrorWriting(folder->Child("empty.wav"), ""), 0);
    EXPECT_EQ(fs::file_size(root / "empty.wav"), 0u);
}

TEST_P(BinaryStreamTest, ReplaceKeepsOneFileWithTheNewBytes) {
    WriteFile(root / "same.wav", "old bytes, longer than the new ones");
    WriteFile(root / "other.wav", "other");
    ASSERT_EQ(StreamErrorWriting(folder->Child("same.wav"), image), 0);
    EXPECT_EQ(ReadFile(root / "same.wav"), image);
    EXPECT_EQ(ReadFile(root / "other.wav"), "other");
    EXPECT_EQ(Names(root), (std::set<std::string>{"same.wav", "other.wav"}));
}

TEST_P(BinaryStreamTest, DroppedBeforeCloseLeavesTheOldFile) {
    WriteFile(root / "a.wav", "old");
    {
        auto stream = BinaryStream::Create(folder->Child("a.wav"));
        stream->Write(image);
        auto fresh = BinaryStream::Create(folder->Child("b.wav"));
        fresh->Write(image);
        EXPECT_EQ(Names(root).size(), 1 + TemporaryEntries(2));
    }
    EXPECT_EQ(ReadFile(root / "a.wav"), "old");
    EXPECT_EQ(Names(root), std::set<std::string>{"a.wav"});
}

TEST_P(BinaryStreamTest, WriteFailingPartWayKeepsTheOldFile) {
    const std::string old(3000, 'o');
    WriteFile(root / "big.wav", old);
    auto file = folder->Child("big.wav");
    EXPECT_EQ(WriteUnderFileSizeLimit(1000, IgnoreFileSizeSignal,
                                      [&] { WriteThroughStream(file, String(5000, 'n')); }),
              "IOException EFBIG");
    EXPECT_EQ(ReadFile(root / "big.wav"), old);
    EXPECT_EQ(Names(root), std::set<std::string>{"big.wav"});
}

TEST_P(BinaryStreamTest, CreateFailuresRaiseWithErrnoAndName) {
    WriteFile(root / "plain", "a file where a folder should be");
    struct Case {
        std::shared_ptr<FolderItem> file;
        int error;
    };
    const Case cases[] = {
        {folder->Child("missing")->Child("x.wav"), ENOENT},
        {folder->Child("plain")->Child("x.wav"), ENOTDIR},
        {folder->Child(String(300, 'n')), ENAMETOOLONG},
    };
    for (const Case& c : cases) {
        try {
            BinaryStream::Create(c.file);
            ADD_FAILURE() << "no exception for " << c.file->Path();
        } catch (const IOException& e) {
            EXPECT_EQ(e.ErrorNumber, c.error) << c.file->Path();
            EXPECT_EQ(c.file->LastErrorCode(), c.error);
            EXPECT_NE(e.Message.find(c.file->Path().string()), std::string::npos) << e.Message;
            EXPECT_STREQ(e.ClassName(), "IOException");
        }
    }
    EXPECT_EQ(Names(root), std::set<std::string>{"plain"});
    EXPECT_EQ(ReadFile(root / "plain"), "a file where a folder should be");
    EXPECT_THROW(BinaryStream::Create(nullptr), NilObjectException);
}

TEST_P(BinaryStreamTest, CloseFailureRemovesTheTemporaryFile) {
    // A folder stands where the file goes: refused at once, empty or not.
    fs::create_directory(root / "dir.wav");
    WriteFile(root / "dir.wav" / "inside", "kept");
    fs::create_directory(root / "empty.wav");
    EXPECT_EQ(StreamErrorWriting(folder->Child("dir.wav"), image), EISDIR);
    EXPECT_EQ(StreamErrorWriting(folder->Child("empty.wav"), image), EISDIR);
    EXPECT_EQ(ReadFile(root / "dir.wav" / "inside"), "kept");
    EXPECT_EQ(Names(root), (std::set<std::string>{"dir.wav", "empty.wav"}));

    // One that appears after Create fails the rename in Close.
    auto late = BinaryStream::Create(folder->Child("late.wav"));
    late->Write(image);
    fs::create_directory(root / "late.wav");
    WriteFile(root / "late.wav" / "inside", "kept");
    try {
        late->Close();
        ADD_FAILURE() << "Close replaced a folder";
    } catch (const IOException& e) {
        EXPECT_EQ(e.ErrorNumber, EISDIR);
    }
    EXPECT_EQ(ReadFile(root / "late.wav" / "inside"), "kept");
    EXPECT_EQ(Names(root), (std::set<std::string>{"dir.wav", "empty.wav", "late.wav"}));

    auto stream = BinaryStream::Create(folder->Child("twice.wav"));
    stream->Close();
    stream->Close();  // a second Close does nothing
    EXPECT_THROW(stream->Write("late"), IOException);
    EXPECT_EQ(stream->LastErrorCode(), EBADF);
}

TEST_P(BinaryStreamTest, NamesAreWrittenAsTheirBytes) {
    String controls;
    for (char c = 0x01; c <= 0x1F; ++c) controls += c;
    const std::set<std::string> names = {controls + ".wav",
                                         "\xFF"
                                         "br1225.wav",
                                         "a\nb.wav", "\xC3\xA9.wav", "\xE6\x97.wav"};
    for (const std::string& name : names) {
        auto file = folder->Child(name);
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(StreamErrorWriting(file, name), 0) << testing::PrintToString(name);
    }
    EXPECT_EQ(Names(root), names);
    for (const std::string& name : names) EXPECT_EQ(ReadFile(root / name), name);
}
TEST_F(StreamFolder, AWriterKilledMidWriteLeavesNoTemporaryFile) {
    if (!UnnamedFilesWork(root)) GTEST_SKIP() << "this file system refuses unnamed files";
    WriteFile(root / "a.wav", "old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto replacing = BinaryStream::Create(folder->Child("a.wav"));
        auto fresh = BinaryStream::Create(folder->Child("b.wav"));
        replacing->Write(String(4096, 'n'));
        fresh->Write(image);
        raise(SIGKILL);  // before either Close
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(Names(root), std::set<std::string>{"a.wav"});
    EXPECT_EQ(ReadFile(root / "a.wav"), "old");
}

TEST_F(StreamFolder, WhereUnnamedFilesAreRefusedANamedTemporaryFileStandsIn) {
    static int refusal = 0;
    ScopedSeam seam(
        SystemSeam::OpenUnnamedFile, +[](const char*, mode_t) {
            errno = refusal;
            return -1;
        });
    // What kernels and file systems without O_TMPFILE answer.
    for (int error : {EOPNOTSUPP, EISDIR, EINVAL}) {
        SCOPED_TRACE(error);
        refusal = error;
        auto stream = BinaryStream::Create(folder->Child("x.wav"));
        stream->Write(image);
        const std::set<std::string> open = Names(root);
        ASSERT_EQ(open.size(), 1u);
        EXPECT_EQ(open.begin()->substr(0, 4), ".tw-");
        EXPECT_EQ(open.begin()->size(), 10u);
        stream->Close();
        EXPECT_EQ(Names(root), std::set<std::string>{"x.wav"});
        EXPECT_EQ(ReadFile(root / "x.wav"), image);
        fs::remove(root / "x.wav");
    }
    // Any other refusal is the folder's and is reported.
    refusal = EACCES;
    auto file = folder->Child("y.wav");
    EXPECT_EQ(StreamErrorWriting(file, image), EACCES);
    EXPECT_EQ(file->LastErrorCode(), EACCES);
    EXPECT_TRUE(Names(root).empty());
}

// The writer's system calls, in the order Close meets them; the table below makes each fail.
enum class Step {
    OpenFile,
    Write,
    SyncFile,
    NameFile,  // the link that names an unnamed temporary file
    KeepOld,   // the link that keeps the old file under a second name
    Close,
    Rename,
    OpenFolder,
    SyncFolder,
    Unlink,
};

struct Injection {
    Step step;
    int error;
    bool fired = false;
};
Injection* armed = nullptr;

bool Armed(Step step) {
    return armed && armed->step == step;
}

int Failed() {
    armed->fired = true;
    errno = armed->error;
    return -1;
}

bool IsFolder(int fd) {
    struct stat st;
    return fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

decltype(SystemSeam::OpenUnnamedFile) realUnnamedOpen = nullptr;

// Each stand-in does the real call unless its step is armed; a failing close still releases the
// descriptor, as the kernel's does.
struct FailingCalls {
    ScopedSeam<decltype(SystemSeam::OpenUnnamedFile)> unnamed{
        SystemSeam::OpenUnnamedFile, +[](const char* folder, mode_t mode) {
            int fd = realUnnamedOpen(folder, mode);
            if (fd < 0 || !Armed(Step::OpenFile)) return fd;
            ::close(fd);
            return Failed();
        }};
    ScopedSeam<decltype(SystemSeam::Open)> open{
        SystemSeam::Open, +[](const char* path, int flags, mode_t mode) {
            if (Armed(flags & O_DIRECTORY ? Step::OpenFolder : Step::OpenFile)) return Failed();
            return ::open(path, flags, mode);
        }};
    ScopedSeam<decltype(SystemSeam::Write)> write{
        SystemSeam::Write, +[](int fd, const void* data, size_t size) -> ssize_t {
            if (Armed(Step::Write)) return Failed();
            return ::write(fd, data, size);
        }};
    ScopedSeam<decltype(SystemSeam::Fsync)> fsync{
        SystemSeam::Fsync, +[](int fd) {
            if (Armed(IsFolder(fd) ? Step::SyncFolder : Step::SyncFile)) return Failed();
            return ::fsync(fd);
        }};
    ScopedSeam<decltype(SystemSeam::Linkat)> linkat{
        SystemSeam::Linkat,
        +[](int fromFolder, const char* from, int toFolder, const char* to, int flags) {
            const bool naming = flags & AT_EMPTY_PATH || std::string(from).starts_with("/proc/");
            if (Armed(naming ? Step::NameFile : Step::KeepOld)) return Failed();
            return ::linkat(fromFolder, from, toFolder, to, flags);
        }};
    ScopedSeam<decltype(SystemSeam::Close)> close{SystemSeam::Close, +[](int fd) {
                                                      int result = ::close(fd);
                                                      return Armed(Step::Close) ? Failed() : result;
                                                  }};
    ScopedSeam<decltype(SystemSeam::Rename)> rename{SystemSeam::Rename,
                                                    +[](const char* from, const char* to) {
                                                        if (Armed(Step::Rename)) return Failed();
                                                        return ::rename(from, to);
                                                    }};
    ScopedSeam<decltype(SystemSeam::Unlink)> unlink{SystemSeam::Unlink, +[](const char* path) {
                                                        if (Armed(Step::Unlink)) return Failed();
                                                        return ::unlink(path);
                                                    }};
};

class FailingCallTest : public BinaryStreamTest {
  protected:
    std::optional<FailingCalls> calls;
    void SetUp() override {
        BinaryStreamTest::SetUp();
        if (IsSkipped()) return;
        realUnnamedOpen = SystemSeam::OpenUnnamedFile;  // the refusal, for named files
        calls.emplace();
    }
    void TearDown() override { armed = nullptr; }
};

INSTANTIATE_TEST_SUITE_P(TempFiles, FailingCallTest,
                         testing::Values(TempKind::Unnamed, TempKind::Named),
                         [](const testing::TestParamInfo<TempKind>& info) {
                             return info.param == TempKind::Unnamed ? "Unnamed" : "Named";
                         });

TEST_P(FailingCallTest, AFailedCallLeavesTheFolderAsItWas) {
    struct Row {
        const char* name;
        Step step;
        int error;
    };
    const Row rows[] = {
        {"open", Step::OpenFile, EACCES},        {"write", Step::Write, ENOSPC},
        {"fsync", Step::SyncFile, EIO},          {"link to name", Step::NameFile, EDQUOT},
        {"link to keep", Step::KeepOld, EMLINK}, {"close", Step::Close, EIO},
        {"rename", Step::Rename, EROFS},         {"open folder", Step::OpenFolder, EMFILE},
        {"fsync folder", Step::SyncFolder, EIO}, {"unlink", Step::Unlink, EBUSY},
    };
    const std::string old = "old bytes\0, longer than the new ones"s;
    for (bool replacing : {true, false}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.name) + (replacing ? ", replacing" : ", new file"));
            // Steps that only a replacement, or only an unnamed temporary file, meets.
            if (!replacing && (row.step == Step::KeepOld || row.step == Step::Unlink)) continue;
            if (GetParam() == TempKind::Named && row.step == Step::NameFile) continue;
            if (replacing) WriteFile(root / "a.wav", old);
            auto file = folder->Child("a.wav");
            Injection injection{row.step, row.error};
            armed = &injection;
            std::optional<IOException> raised;
            try {
                WriteThroughStream(file, image);
            } catch (const IOException& e) {
                raised = e;
            }
            armed = nullptr;
            EXPECT_TRUE(injection.fired);
            ASSERT_TRUE(raised.has_value());
            EXPECT_EQ(raised->ErrorNumber, row.error);
            EXPECT_NE(raised->Message.find(file->Path().string()), std::string::npos)
                << raised->Message;
            EXPECT_NE(raised->Message.find(std::strerror(row.error)), std::string::npos)
                << raised->Message;
            if (replacing) {
                EXPECT_EQ(ReadFile(root / "a.wav"), old);
                EXPECT_EQ(Names(root), std::set<std::string>{"a.wav"});
            } else {
                EXPECT_EQ(Names(root), std::set<std::string>{});
            }
            fs::remove(root / "a.wav");
        }
    }
}

TEST_P(FailingCallTest, WhereLinksAreRefusedTheFileIsStillReplaced) {
    // vfat and some network file systems have no hard links: no second name for the old file.
    WriteFile(root / "a.wav", "old");
    Injection injection{Step::KeepOld, EPERM};
    armed = &injection;
    EXPECT_EQ(StreamErrorWriting(folder->Child("a.wav"), image), 0);
    armed = nullptr;
    EXPECT_TRUE(injection.fired);
    EXPECT_EQ(ReadFile(root / "a.wav"), image);
    EXPECT_EQ(Names(root), std::set<std::string>{"a.wav"});
}

TEST_P(BinaryStreamTest, TheFileIsSyncedBeforeTheRenameAndTheFolderAfterIt) {
    // What the target held at each fsync, and whether the fsync was the folder's.
    static std::vector<std::pair<bool, std::string>> syncs;
    static fs::path target;
    syncs.clear();
    target = root / "a.wav";
    WriteFile(target, "old");
    ScopedSeam seam(
        SystemSeam::Fsync, +[](int fd) {
            syncs.emplace_back(IsFolder(fd), ReadFile(target));
            return ::fsync(fd);
        });
    ASSERT_EQ(StreamErrorWriting(folder->Child("a.wav"), image), 0);
    const std::vector<std::pair<bool, std::string>> expected = {{false, "old"}, {true, image}};
    EXPECT_EQ(syncs, expected);
}
}  // namespace

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/folder_item.h"
#include "framework/core/movie.h"
#include "framework/core/system_seam.h"
#include "tests/support/bytes.h"
#include "tests/support/scoped_seam.h"
#include "tests/support/temp_home.h"

namespace {
namespace fs = std::filesystem;
using std::string_literals::operator""s;

std::vector<std::string> ReaddirOrder(const fs::path& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* e = dir ? readdir(dir) : nullptr)
        if (e->d_name != "."s && e->d_name != ".."s) names.push_back(e->d_name);
    if (dir) closedir(dir);
    return names;
}

void Touch(const fs::path& path) {
    std::ofstream(path) << "x";
}

// Walks the folder the way the file list does: Count read afresh before each Item.
std::vector<std::string> Walk(const FolderItem& folder) {
    std::vector<std::string> names;
    for (int32_t i = 1; i <= folder.Count(); ++i) names.push_back(folder.Item(i)->Name());
    return names;
}

class FolderItemTest : public testing::Test {
  protected:
    TempHome home;
    fs::path root = home.Path() / "root";
    std::shared_ptr<FolderItem> folder;
    void SetUp() override {
        fs::create_directory(root);
        folder = std::make_shared<FolderItem>(root);
    }
};

TEST_F(FolderItemTest, ChildIsOneNameOnly) {
    for (const String& name : {""s, "."s, ".."s, "a/b"s, "/"s, "../x"s, "x/"s, "a\0b"s, "\0"s})
        EXPECT_EQ(folder->Child(name), nullptr) << testing::PrintToString(name);

    for (const String& name : {"a"s, "..."s, ".hidden"s, "a b.wav"s, "\xFF\n\x01"s, "\\"s}) {
        auto child = folder->Child(name);
        ASSERT_NE(child, nullptr) << testing::PrintToString(name);
        EXPECT_EQ(child->Name(), name);
        EXPECT_EQ(child->Path(), root / name);
        EXPECT_FALSE(child->Exists());
    }
}

TEST_F(FolderItemTest, ExistsDirectoryAndDelete) {
    Touch(root / "file");
    fs::create_directory(root / "sub");
    auto file = folder->Child("file"), sub = folder->Child("sub");
    EXPECT_TRUE(file->Exists());
    EXPECT_FALSE(file->Directory());
    EXPECT_TRUE(sub->Directory());

    file->Delete();
    EXPECT_EQ(file->LastErrorCode(), 0);
    EXPECT_FALSE(file->Exists());
    file->Delete();
    EXPECT_EQ(file->LastErrorCode(), ENOENT);

    Touch(root / "sub" / "inner");
    sub->Delete();  // not empty: stays, silently
    EXPECT_NE(sub->LastErrorCode(), 0);
    EXPECT_TRUE(fs::exists(root / "sub" / "inner"));
    fs::remove(root / "sub" / "inner");
    sub->Delete();
    EXPECT_EQ(sub->LastErrorCode(), 0);
    EXPECT_FALSE(sub->Exists());
}

TEST_F(FolderItemTest, CreateAsFolderKeepsWhatIsThere) {
    auto sub = folder->Child("sub");
    sub->CreateAsFolder();
    EXPECT_EQ(sub->LastErrorCode(), 0);
    EXPECT_TRUE(sub->Directory());
    Touch(root / "sub" / "kept");
    sub->CreateAsFolder();
    EXPECT_EQ(sub->LastErrorCode(), 0);
    EXPECT_TRUE(fs::exists(root / "sub" / "kept"));

    Touch(root / "plain");
    auto plain = folder->Child("plain");
    plain->CreateAsFolder();
    EXPECT_EQ(plain->LastErrorCode(), EEXIST);
    EXPECT_TRUE(fs::is_regular_file(root / "plain"));

    auto deep = folder->Child("missing")->Child("deep");
    deep->CreateAsFolder();
    EXPECT_EQ(deep->LastErrorCode(), ENOENT);
    EXPECT_FALSE(deep->Exists());
}

TEST_F(FolderItemTest, CountAndItemFollowTheFileSystemOrder) {
    for (const char* name : {"b.wav", "a.wav", ".hidden", "c", "\xFF.wav"}) Touch(root / name);
    fs::create_directory(root / "dir.wav");
    auto expected = ReaddirOrder(root);
    ASSERT_EQ(expected.size(), 6u);
    EXPECT_EQ(folder->Count(), 6);
    EXPECT_EQ(Walk(*folder), expected);
    EXPECT_EQ(folder->Item(2)->Path(), root / expected[1]);

    for (int32_t index : {0, -1, 7, INT32_MAX, INT32_MIN}) EXPECT_EQ(folder->Item(index), nullptr);
    EXPECT_EQ(folder->Child("c")->Count(), 0);
    EXPECT_EQ(folder->Child("c")->Item(1), nullptr);
    EXPECT_EQ(folder->Child("none")->Count(), 0);
    EXPECT_EQ(FolderItem(root / "dir.wav").Count(), 0);
}

TEST_F(FolderItemTest, ListingFollowsChangesAtOnce) {
    EXPECT_EQ(folder->Count(), 0);
    // Changes right after a listing, inside the same clock tick, must still show.
    for (int round = 0; round < 50; ++round) {
        Touch(root / ("f" + std::to_string(round)));
        ASSERT_EQ(folder->Count(), round + 1);
        ASSERT_EQ(Walk(*folder), ReaddirOrder(root));
    }
    fs::remove(root / "f7");
    EXPECT_EQ(folder->Count(), 49);
    fs::rename(root / "f8", root / "g8");
    EXPECT_EQ(Walk(*folder), ReaddirOrder(root));
    // The folder replaced by another of the same name.
    fs::remove_all(root);
    fs::create_directory(root);
    Touch(root / "only");
    EXPECT_EQ(Walk(*folder), std::vector<std::string>{"only"});
}

TEST(SpecialFolder, DocumentsIsInsideHome) {
    TempHome home;
    auto docs = SpecialFolder::Documents();
    ASSERT_NE(docs, nullptr);
    EXPECT_EQ(docs->Path(), home.Documents());
}

TEST(SpecialFolder, DocumentsFollowsTheUserDirectories) {
    TempHome home;
    fs::create_directories(home.Path() / ".config");
    fs::create_directory(home.Path() / "Papers");
    std::ofstream(home.Path() / ".config" / "user-dirs.dirs")
        << "# written by the test\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n";
    auto docs = SpecialFolder::Documents();
    ASSERT_NE(docs, nullptr);
    EXPECT_EQ(docs->Path(), home.Path() / "Papers");
}

// Without HOME Qt would take "/" for the home folder; the password entry's home stands in.
TEST(SpecialFolder, WithoutHomeDocumentsIsInThePasswordEntrysHome) {
    TempHome home;  // puts HOME back afterwards
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr) << "this user has no password entry";
    const fs::path passwordHome = entry->pw_dir;
    if (passwordHome == "/") GTEST_SKIP() << "this user's home is the root";
    for (const char* value : {static_cast<const char*>(nullptr), ""}) {
        SCOPED_TRACE(value ? "HOME empty" : "HOME unset");
        if (value)
            setenv("HOME", value, 1);
        else
            unsetenv("HOME");
        auto docs = SpecialFolder::Documents();
        ASSERT_NE(docs, nullptr);
        EXPECT_EQ(docs->Path(), passwordHome / "Documents");
    }
}

std::string standInHome;
std::string StandInHome() {
    return standInHome;
}

TEST(SpecialFolder, APasswordHomeThatIsNoneOrTheRootGivesNil) {
    TempHome home;
    ScopedSeam seam(SystemSeam::PasswordHome, StandInHome);
    const struct {
        std::string passwordHome;
        const char* documents;  // nullptr: Nil
    } cases[] = {
        {"/srv/user", "/srv/user/Documents"},
        {"", nullptr},  // no entry
        {"/", nullptr},
        {"//", nullptr},
        {"relative/home", nullptr},
    };
    unsetenv("HOME");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.passwordHome);
        standInHome = c.passwordHome;
        auto docs = SpecialFolder::Documents();
        if (!c.documents) {
            if (docs) ADD_FAILURE() << "Documents is " << docs->Path() << ", not Nil";
        } else {
            ASSERT_NE(docs, nullptr);
            EXPECT_EQ(docs->Path(), c.documents);
        }
    }
    // With HOME set the password entry plays no part.
    setenv("HOME", home.Path().c_str(), 1);
    standInHome = "/srv/user";
    ASSERT_NE(SpecialFolder::Documents(), nullptr);
    EXPECT_EQ(SpecialFolder::Documents()->Path(), home.Documents());
}
// Linked with framework/core alone: what core declares, core defines.
TEST_F(FolderItemTest, OpenAsMovieGivesNilForWhatCannotBePlayed) {
    struct Case {
        const char* what;
        fs::path path;
        std::optional<String> bytes;  // none: nothing written there
    };
    fs::create_directories(root / "old.wav");
    const Case cases[] = {
        {"a 0-byte file", root / "empty.wav", ""},
        {"a folder", root / "old.wav", std::nullopt},
        {"a missing file", root / "missing.wav", std::nullopt},
        {"text", root / "notes.wav", "not a wave file at all"},
        {"a RIFF that is not WAVE", root / "avi.wav", "RIFF\x04\0\0\0AVI "s},
        {"a header cut short", root / "short.wav", "RIFF"},
    };
    for (const Case& c : cases) {
        if (c.bytes) WriteFile(c.path, *c.bytes);
        EXPECT_EQ(FolderItem(c.path).OpenAsMovie(), nullptr) << c.what;
    }

    const fs::path wav = root / "good.wav";
    WriteFile(wav, "RIFF\x04\0\0\0WAVE"s);
    auto movie = FolderItem(wav).OpenAsMovie();
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->Path(), wav);
}

std::vector<fs::path> launched;
void RecordLaunch(const fs::path& path) {
    launched.push_back(path);
}

TEST_F(FolderItemTest, LaunchGoesThroughTheInstalledLauncherOnly) {
    launched.clear();
    const FolderItem::Launcher before = FolderItem::SetLauncher(nullptr);
    folder->Launch(true);  // no desktop: nothing to open, nothing raised

    FolderItem::SetLauncher(RecordLaunch);
    folder->Child("a b")->Launch(true);
    EXPECT_EQ(FolderItem::SetLauncher(before), &RecordLaunch);
    EXPECT_EQ(launched, std::vector<fs::path>{root / "a b"});
}

int folderReads = 0;
DIR* CountedOpenFolder(const char* path) {
    ++folderReads;
    return opendir(path);
}

time_t clockShift = 0;
timespec ShiftedClock() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    now.tv_sec += clockShift;
    return now;
}

// Sets the folder's modification time `shift` seconds off the clock; its change time becomes now.
void ShiftModified(const fs::path& folder, time_t shift) {
    timespec times[2] = {{0, UTIME_OMIT}, {}};
    clock_gettime(CLOCK_REALTIME, &times[1]);
    times[1].tv_sec += shift;
    ASSERT_EQ(utimensat(AT_FDCWD, folder.c_str(), times, 0), 0);
}

// A walk (Count before every Item) over a folder whose times lie ahead of the clock must not read
// the folder again at each call; nor one changed a moment ago.
TEST_F(FolderItemTest, AWalkReadsTheFolderOnceWhateverItsTimes) {
    ScopedSeam reads(SystemSeam::OpenFolder, CountedOpenFolder);
    ScopedSeam clock(SystemSeam::CoarseClock, ShiftedClock);
    for (int i = 0; i < 200; ++i) Touch(root / ("f" + std::to_string(i)));
    const struct {
        const char* what;
        time_t modified;  // seconds off the clock; 0: as the last change left it
        time_t clock;     // the clock's step back
    } cases[] = {
        {"changed just now", 0, 0},
        {"modified an hour ahead, as tar or rsync -t restore it", 3600, 0},
        {"the clock stepped back an hour", 0, -3600},
    };
    int round = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Touch(root / ("new" + std::to_string(round++)));
        if (c.modified) ShiftModified(root, c.modified);
        clockShift = c.clock;
        folderReads = 0;
        FolderItem fresh(root);
        EXPECT_EQ(Walk(fresh), ReaddirOrder(root));
        EXPECT_EQ(folderReads, 1);

        // The clock set right reaches the times the listing relied on: the folder is read again.
        clockShift = 0;
        fresh.Count();
        EXPECT_EQ(folderReads, c.clock ? 2 : 1);

        Touch(root / ("added" + std::to_string(round)));
        fs::remove(root / ("f" + std::to_string(round)));
        EXPECT_EQ(Walk(fresh), ReaddirOrder(root));
    }
}
}  // namespace

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/core/process_signals.h"
#include "framework/core/system_seam.h"
#include "signal/generator.h"
#include "tests/support/bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/scoped_seam.h"
#include "tests/support/temp_home.h"

namespace fs = std::filesystem;

namespace {

const String kTail = "br1225sr29400hi7350lo4900.wav";

String Image(const String& data, const String& head, const String& foot) {
    GeneraterClass g;
    g.Constructor(data, head, foot, 1225, 29400, 7350, 4900);
    return g.mWavData;
}

class OutputFile : public testing::Test {
  protected:
    std::shared_ptr<FolderItem> Generate(const String& data, const String& head = "",
                                         const String& foot = "\n\n") {
        return Module1::generate(data, head, foot, 1225, 29400, 7350, 4900);
    }

    // Every entry under `root`, with the bytes of each file.
    static std::map<String, String> Snapshot(const fs::path& root) {
        std::map<String, String> entries;
        for (const auto& e : fs::recursive_directory_iterator(root))
            entries[fs::relative(e.path(), root).string()] = e.is_regular_file()
                                                                 ? ReadFile(e.path())
                                                             : e.is_directory() ? "<folder>"
                                                                                : "<other>";
        return entries;
    }

    std::vector<String> OutputNames() const {
        std::vector<String> names;
        for (const auto& e : fs::directory_iterator(home_.OutputFolder()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempHome home_;
};

TEST_F(OutputFile, WavFolderIsTarnwhistleInDocumentsMadeAtEveryCall) {
    auto folder = Module1::wavFolder();
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->Path(), home_.OutputFolder());
    EXPECT_TRUE(fs::is_directory(home_.OutputFolder()));
    WriteFile(home_.OutputFolder() / "kept.wav", "k");
    Module1::wavFolder();
    EXPECT_EQ(ReadFile(home_.OutputFolder() / "kept.wav"), "k");
    fs::remove_all(home_.Documents());
    Module1::wavFolder();
    EXPECT_TRUE(fs::is_directory(home_.OutputFolder()));
}

TEST_F(OutputFile, InitialStateAndKeypadFiles) {
    const struct {
        String data, head, foot;
        String name;
        size_t bytes;
    } cases[] = {
        {"Hello!", "", "\n\n", "Hello!" + kTail, 3308},
        {"5", "", "\n\n", "5" + kTail, 2108},
        {"", "H", "\n\n", kTail, 2108},
        {Module1::HexStringConv("(41)(42)", "(", ")"), "", "", "AB" + kTail, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto f = Generate(c.data, c.head, c.foot);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->Path(), home_.OutputFolder() / c.name);
        EXPECT_TRUE(f->Exists());
        const String written = ReadFile(f->Path());
        EXPECT_TRUE(written == Image(c.data, c.head, c.foot));
        if (c.bytes) {
            EXPECT_EQ(written.size(), c.bytes);
        }
    }
}

TEST_F(OutputFile, AllTextsEmptyGiveAnEmptyFileThatIsStillCreated) {
    auto f = Generate("", "", "");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Path(), home_.OutputFolder() / kTail);
    ASSERT_TRUE(fs::exists(f->Path()));
    EXPECT_EQ(fs::file_size(f->Path()), 0u);
}

TEST_F(OutputFile, TheSameNameTwiceLeavesOneFileWithTheSecondImage) {
    Generate("Hello!", "", "\n\n");
    Generate("other");
    const String otherBytes = ReadFile(home_.OutputFolder() / ("other" + kTail));
    Generate("Hello!", "pre", "");
    EXPECT_EQ(OutputNames(), (std::vector<String>{"Hello!" + kTail, "other" + kTail}));
    EXPECT_TRUE(ReadFile(home_.OutputFolder() / ("Hello!" + kTail)) == Image("Hello!", "pre", ""));
    EXPECT_TRUE(ReadFile(home_.OutputFolder() / ("other" + kTail)) == otherBytes);
}

TEST_F(OutputFile, ARemovedOutputFolderIsMadeAgain) {
    Generate("x");
    fs::remove_all(home_.OutputFolder());
    auto f = Generate("y");
    EXPECT_TRUE(fs::exists(home_.OutputFolder() / ("y" + kTail)));
}

TEST_F(OutputFile, NumbersAreWrittenInPlainDecimal) {
    auto f = Module1::generate("d", "", "", 4294967295u, 44100, 0, 0);
    EXPECT_EQ(f->Name(), "dbr4294967295sr44100hi0lo0.wav");
}

// The output folder is made before the name is looked at, so a refused name leaves exactly the
// two empty folders behind and nothing else.
TEST_F(OutputFile, NamesThatAreNotOneFileNameWriteNothing) {
    const std::map<String, String> onlyTheFolders = {{"Documents", "<folder>"},
                                                     {"Documents/Tarnwhistle", "<folder>"}};
    for (const String& data : {String("a/b"), String("../x"), String("/abs"), String("a\0b", 3)}) {
        SCOPED_TRACE(data);
        TempHome fresh;
        ASSERT_TRUE(fs::is_empty(fresh.Path()));
        try {
            Generate(data);
            ADD_FAILURE() << "no exception";
        } catch (const NilObjectException& e) {
            String shown = data;
            if (shown.find('\0') != String::npos) shown = "a\\x00b";
            EXPECT_NE(e.Message.find(shown + kTail), String::npos) << e.Message;
        }
        EXPECT_EQ(Snapshot(fresh.Path()), onlyTheFolders);
    }
    // A name taken as a path would have landed at the root or in the fixture's HOME.
    EXPECT_FALSE(fs::exists("/abs" + kTail));
    EXPECT_TRUE(fs::is_empty(home_.Path()));
}

TEST_F(OutputFile, DotsNameAFileInsideTheFolder) {
    // ".." followed by the numbers is an ordinary name, never the parent folder.
    auto f = Generate("..");
    EXPECT_EQ(f->Path(), home_.OutputFolder() / (".." + kTail));
    EXPECT_EQ(OutputNames(), std::vector<String>{".." + kTail});
    EXPECT_FALSE(fs::exists(home_.Documents() / kTail));
}

TEST_F(OutputFile, BytesEscapesMadeAreWrittenExactly) {
    String data;
    for (int b = 0x01; b <= 0x1F; ++b) data += char(b);
    data += "\xFF\xC3\xA9";
    Generate(data);
    EXPECT_EQ(OutputNames(), std::vector<String>{data + kTail});
    EXPECT_TRUE(ReadFile(home_.OutputFolder() / (data + kTail)) == Image(data, "", "\n\n"));
}

TEST_F(OutputFile, AnOverlongNameRaisesIOException) {
    try {
        Generate(String(300, 'n'));
        ADD_FAILURE() << "no exception";
    } catch (const IOException& e) {
        EXPECT_EQ(e.ErrorNumber, ENAMETOOLONG);
    }
    EXPECT_TRUE(OutputNames().empty());
}

// The whole name, bytes counted: the data text plus the 29 bytes that the numbers here add.
TEST_F(OutputFile, TheLongestNameIsWrittenAndOneByteMoreIsRefused) {
    const String twoByte = "\xC3\xA9";  // fewer characters than bytes
    String wide;
    while (wide.size() < 226) wide += twoByte;
    const struct {
        String data;
        bool written;
    } cases[] = {
        {String(226, 'n'), true},
        {wide, true},
        {String(227, 'n'), false},
        {wide + "x", false},
    };
    for (const auto& c : cases) {
        const String name = c.data + kTail;
        SCOPED_TRACE(name.size());
        ASSERT_EQ(name.size(), c.written ? 255u : 256u);
        if (c.written) {
            auto f = Generate(c.data);
            EXPECT_EQ(f->Name(), name);
            EXPECT_TRUE(ReadFile(home_.OutputFolder() / name) == Image(c.data, "", "\n\n"));
            continue;
        }
        try {
            Generate(c.data);
            ADD_FAILURE() << "no exception";
        } catch (const IOException& e) {
            EXPECT_EQ(e.ErrorNumber, ENAMETOOLONG);
        }
    }
    EXPECT_EQ(OutputNames(), (std::vector<String>{String(226, 'n') + kTail, wide + kTail}));
}

// A link at the name is replaced, never followed: what it points to, outside the output folder,
// keeps its bytes, whether it is a file, a folder or nothing.
TEST_F(OutputFile, ALinkAtTheNameIsReplacedAndNeverFollowed) {
    Module1::wavFolder();
    const fs::path target = home_.OutputFolder() / ("Hello!" + kTail);
    const fs::path outside = home_.Path() / "outside";
    fs::create_directory(outside);
    WriteFile(outside / "file.wav", "outside file");
    fs::create_directory(outside / "folder");
    WriteFile(outside / "folder" / "inside", "inside");
    const auto before = Snapshot(outside);
    for (const fs::path& pointee :
         {outside / "file.wav", outside / "folder", outside / "missing.wav"}) {
        SCOPED_TRACE(pointee.string());
        fs::remove(target);
        fs::create_symlink(pointee, target);
        auto f = Generate("Hello!");
        EXPECT_FALSE(fs::is_symlink(target));
        EXPECT_TRUE(fs::is_regular_file(target));
        EXPECT_TRUE(ReadFile(target) == Image("Hello!", "", "\n\n"));
        EXPECT_EQ(Snapshot(outside), before);
        EXPECT_EQ(OutputNames(), std::vector<String>{"Hello!" + kTail});
    }
}

TEST_F(OutputFile, APlainFileWhereAFolderShouldBeRaisesIOException) {
    for (const fs::path& blocker : {home_.OutputFolder(), home_.Documents()}) {
        SCOPED_TRACE(blocker.string());
        fs::remove_all(home_.Documents());
        fs::create_directories(blocker.parent_path());
        WriteFile(blocker, "plain");
        EXPECT_THROW(Generate("x"), IOException);
        EXPECT_EQ(ReadFile(blocker), "plain");
    }
}

TEST_F(OutputFile, AnEmptyFolderAtTheNameGivesWayToTheFile) {
    Module1::wavFolder();
    const fs::path target = home_.OutputFolder() / ("Hello!" + kTail);
    fs::create_directory(target);
    auto f = Generate("Hello!");
    ASSERT_TRUE(f);
    EXPECT_TRUE(fs::is_regular_file(target));
    EXPECT_TRUE(ReadFile(target) == Image("Hello!", "", "\n\n"));
    EXPECT_EQ(OutputNames(), std::vector<String>{"Hello!" + kTail});
}

TEST_F(OutputFile, AFolderHoldingAnythingAtTheNameStaysAndIsNamedInTheException) {
    Module1::wavFolder();
    const fs::path target = home_.OutputFolder() / ("Hello!" + kTail);
    // A hidden file or an empty sub-folder counts as much as a file.
    for (const String& inside : {String("kept.wav"), String(".hidden"), String("sub/")}) {
        SCOPED_TRACE(inside);
        fs::remove_all(target);
        fs::create_directory(target);
        if (inside.back() == '/')
            fs::create_directory(target / inside);
        else
            WriteFile(target / inside, "inside");
        const auto before = Snapshot(home_.Documents());
        try {
            Generate("Hello!");
            ADD_FAILURE() << "no exception";
        } catch (const IOException& e) {
            EXPECT_EQ(e.ErrorNumber, EISDIR);
            EXPECT_NE(e.Message.find(target.string()), String::npos) << e.Message;
        }
        EXPECT_EQ(Snapshot(home_.Documents()), before);
    }
}

std::string standInHome;
std::string StandInHome() {
    return standInHome;
}

// Without HOME the output folder goes into the password entry's home (a stand-in here, so the
// real one is never touched), and with no entry nothing is made anywhere: never at the root.
TEST_F(OutputFile, WithoutHomeNothingIsMadeAtTheRoot) {
    ScopedSeam seam(SystemSeam::PasswordHome, StandInHome);
    const fs::path user = home_.Path() / "user";
    fs::create_directory(user);
    const bool rootHadDocuments = fs::exists("/Documents");
    for (const char* value : {static_cast<const char*>(nullptr), ""}) {
        SCOPED_TRACE(value ? "HOME empty" : "HOME unset");
        if (value)
            setenv("HOME", value, 1);
        else
            unsetenv("HOME");
        standInHome = user.string();
        // Checked before anything is written, so that a fault cannot write at the root.
        ASSERT_EQ(SpecialFolder::Documents()->Path(), user / "Documents");
        auto f = Generate("Hello!");
        EXPECT_EQ(f->Path(), user / "Documents" / "Tarnwhistle" / ("Hello!" + kTail));
        EXPECT_TRUE(ReadFile(f->Path()) == Image("Hello!", "", "\n\n"));
        fs::remove_all(user / "Documents");

        standInHome = "";  // no password entry
        EXPECT_THROW(Generate("Hello!"), NilObjectException);
        EXPECT_TRUE(fs::is_empty(user));
    }
    if (!rootHadDocuments) {
        EXPECT_FALSE(fs::exists("/Documents"));
    }
}

TEST_F(OutputFile, AFailedWriteKeepsTheOldFile) {
    Module1::wavFolder();
    const fs::path target = home_.OutputFolder() / ("Hello!" + kTail);
    WriteFile(target, "the old file");

    EXPECT_EQ(WriteUnderFileSizeLimit(1000, IgnoreFileSizeSignal, [&] { Generate("Hello!"); }),
              "IOException EFBIG");
    EXPECT_EQ(ReadFile(target), "the old file");
    EXPECT_EQ(OutputNames(), std::vector<String>{"Hello!" + kTail});
}

}  // namespace

// The output-file popup, rebuilt from the disk at every press, and the folder button.
#include <fcntl.h>
#include <sys/stat.h>

#include <QUrl>
#include <ctime>

#include "framework/core/system_seam.h"
#include "tests/app/handlers_fixture.h"
#include "tests/support/desktop_capture.h"
#include "tests/support/scoped_seam.h"

using namespace handlers_test;

namespace {

class FileList : public Window1Test {
  protected:
    // Puts items into the output folder: a name ending in '/' makes a folder.
    void Populate(const std::vector<String>& names) {
        fs::create_directories(OutputPath());
        for (const String& name : names) {
            if (name.ends_with('/'))
                fs::create_directory(OutputPath() / name.substr(0, name.size() - 1));
            else
                WriteFile(OutputPath() / name, kImage);
        }
    }
    // The listed names, in the order the folder gives its items.
    static std::vector<String> InFolderOrder(const std::vector<String>& listed) {
        std::vector<String> ordered;
        FolderItem folder(OutputPath());
        for (int32_t i = 1; i <= folder.Count(); ++i) {
            const String name = folder.Item(i)->Name();
            for (const String& l : listed)
                if (l == name) ordered.push_back(name);
        }
        return ordered;
    }
    void PressAndClose() {
        PressPopup(window->wavPM());
        ComboOf(window->wavPM())->hidePopup();
    }
    int RowOf(const String& name) {
        for (int32_t i = 0; i < window->wavPM()->ListCount(); ++i)
            if (window->wavPM()->List(i) == name) return i;
        return -1;
    }
    // Presses the popup (which rebuilds the rows), then chooses the row of that name.
    void Choose(const String& name) {
        PressPopup(window->wavPM());
        ASSERT_TRUE(ListOpen(window->wavPM()));
        ASSERT_GE(RowOf(name), 0) << name;
        ChooseInOpenList(window->wavPM(), RowOf(name));
    }
    String MoviePath() {
        auto movie = window->mp()->Movie();
        return movie ? movie->Path().string() : "(none)";
    }

    const String kImage = ImageFor("A", "", "", 1225, 29400, 7350, 4900);
};

TEST_F(FileList, FirstPressCreatesTheFolderAndListsNothing) {
    ASSERT_FALSE(fs::exists(DocumentsPath()));
    PressPopup(window->wavPM());
    EXPECT_TRUE(fs::is_directory(OutputPath()));
    EXPECT_EQ(window->wavPM()->ListCount(), 0);
    EXPECT_FALSE(ListOpen(window->wavPM()));
    // A change with no row selected does nothing.
    Click(window->GeneratePB());
    PressAndClose();
    ASSERT_EQ(window->wavPM()->ListCount(), 1);
    window->wavPM()->DeleteAllRows();
    EXPECT_NO_THROW(window->wavPM_Change(window->wavPM()));
    EXPECT_EQ(MoviePath(), (OutputPath() / kHelloName).string());
    EXPECT_TRUE(reports.empty());
}

TEST_F(FileList, ListsItemsEndingInDotWavWithTheirItems) {
    struct Case {
        std::vector<String> items;
        std::vector<String> listed;  // in any order; the rows follow the folder's
    };
    const Case cases[] = {
        {{"a.wav", "notes.txt", "b.wav"}, {"a.wav", "b.wav"}},
        {{".wav", "old.wav/", "x.wave", "x.wav.txt", "wav", "av"}, {".wav", "old.wav"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items.front());
        TearDown();
        SetUp();
        Populate(c.items);
        PressAndClose();
        const std::vector<String> expected = InFolderOrder(c.listed);
        ASSERT_EQ(expected.size(), c.listed.size());
        EXPECT_EQ(Rows(window->wavPM()), expected);
        for (int32_t i = 0; i < window->wavPM()->ListCount(); ++i) {
            auto item = std::dynamic_pointer_cast<FolderItem>(window->wavPM()->RowTag(i));
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->Path(), OutputPath() / expected[size_t(i)]);
        }
    }
}

TEST_F(FileList, EveryPressStartsFromTheDisk) {
    Populate({"a.wav", "b.wav"});
    PressAndClose();
    PressAndClose();
    EXPECT_EQ(Rows(window->wavPM()), InFolderOrder({"a.wav", "b.wav"}));

    fs::remove(OutputPath() / "a.wav");
    Populate({"c.wav"});
    PressAndClose();
    EXPECT_EQ(Rows(window->wavPM()), InFolderOrder({"b.wav", "c.wav"}));
}

int folderReads = 0;
DIR* CountedOpenFolder(const char* path) {
    ++folderReads;
    return opendir(path);
}

// Sets the folder's modification time an hour ahead, as a clock stepped back or a folder restored
// with tar or rsync -t leaves it.
void ModifiedAnHourAhead(const fs::path& folder) {
    timespec times[2] = {{0, UTIME_OMIT}, {}};
    clock_gettime(CLOCK_REALTIME, &times[1]);
    times[1].tv_sec += 3600;
    ASSERT_EQ(utimensat(AT_FDCWD, folder.c_str(), times, 0), 0);
}

TEST_F(FileList, EachPressReadsTheFolderOnceWhateverItsTimes) {
    std::vector<String> names;
    for (int i = 0; i < 300; ++i) names.push_back("f" + std::to_string(i) + ".wav");
    Populate(names);
    ModifiedAnHourAhead(OutputPath());
    ScopedSeam reads(SystemSeam::OpenFolder, CountedOpenFolder);

    folderReads = 0;
    PressAndClose();
    EXPECT_EQ(folderReads, 1);
    EXPECT_EQ(Rows(window->wavPM()), InFolderOrder(names));

    // Names added and removed between presses show at the next one, the times put ahead again.
    fs::remove(OutputPath() / "f7.wav");
    Populate({"added.wav"});
    ModifiedAnHourAhead(OutputPath());
    folderReads = 0;
    PressAndClose();
    EXPECT_EQ(folderReads, 1);
    names.erase(names.begin() + 7);
    names.push_back("added.wav");
    EXPECT_EQ(Rows(window->wavPM()), InFolderOrder(names));
    EXPECT_TRUE(reports.empty());
}

TEST_F(FileList, ChoosingARowLoadsItStopped) {
    Click(window->GeneratePB());  // the player holds and plays the generated file
    Populate({"a.wav", "b.wav"});
    ASSERT_TRUE(window->mp()->IsPlaying());

    PressAndClose();
    EXPECT_EQ(MoviePath(), (OutputPath() / kHelloName).string()) << "a press alone loads nothing";
    Choose("b.wav");
    EXPECT_EQ(MoviePath(), (OutputPath() / "b.wav").string());
    EXPECT_FALSE(window->mp()->IsPlaying());
    EXPECT_TRUE(reports.empty());
}

TEST_F(FileList, ChoosingAFolderRowEmptiesThePlayer) {
    Populate({"a.wav", "old.wav/"});
    Choose("a.wav");
    ASSERT_NE(window->mp()->Movie(), nullptr);
    Choose("old.wav");
    EXPECT_EQ(window->mp()->Movie(), nullptr);
    EXPECT_TRUE(reports.empty());
}

TEST_F(FileList, RowWhoseFileWasDeletedChangesNothing) {
    Populate({"a.wav", "b.wav"});
    Choose("a.wav");
    ASSERT_EQ(MoviePath(), (OutputPath() / "a.wav").string());

    PressPopup(window->wavPM());
    ASSERT_TRUE(ListOpen(window->wavPM()));
    const int row = RowOf("b.wav");
    fs::remove(OutputPath() / "b.wav");
    ChooseInOpenList(window->wavPM(), row);
    EXPECT_EQ(MoviePath(), (OutputPath() / "a.wav").string());
    EXPECT_EQ(window->wavPM()->List(row), "b.wav") << "the row stays until the next press";
    EXPECT_TRUE(reports.empty());
}

TEST_F(FileList, FolderButtonCreatesAndOpensTheFolder) {
    DesktopCapture desktop;
    Click(window->ShowFolderPB());
    EXPECT_TRUE(fs::is_directory(OutputPath()));
    Click(window->ShowFolderPB());
    const QUrl folder = QUrl::fromLocalFile(QString::fromStdString(OutputPath().string()));
    EXPECT_EQ(desktop.Urls(), (QList<QUrl>{folder, folder}));
    EXPECT_TRUE(reports.empty());
}

}  // namespace

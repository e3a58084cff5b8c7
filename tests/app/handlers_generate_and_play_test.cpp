// Generate and play: clicks on "Generate" and the keypad write the file and hand it to the player.
#include <QClipboard>

#include <functional>

#include "tests/app/handlers_fixture.h"
#include "tests/support/temp_home.h"

using namespace handlers_test;

namespace {

class Generate : public Window1Test {
  protected:
    // Checks the file of that name holds that image and is the movie the player was given.
    void ExpectWrittenAndLoaded(const String& name, const String& image) {
        const fs::path file = OutputPath() / name;
        ASSERT_TRUE(fs::is_regular_file(file)) << name;
        EXPECT_EQ(ReadFile(file), image) << name;
        ASSERT_NE(window->mp()->Movie(), nullptr);
        EXPECT_EQ(window->mp()->Movie()->Path(), file);
    }
};

TEST_F(Generate, InitialStateWritesHelloAndPlaysIt) {
    Click(window->GeneratePB());

    ExpectWrittenAndLoaded(kHelloName, ImageFor("Hello!", "", "\n\n", 1225, 29400, 7350, 4900));
    EXPECT_EQ(fs::file_size(OutputPath() / kHelloName), 3308u);
    EXPECT_TRUE(window->mp()->IsPlaying());
    EXPECT_TRUE(reports.empty());
    // Only that file is written.
    EXPECT_EQ(std::distance(fs::directory_iterator(OutputPath()), fs::directory_iterator()), 1);
}

TEST_F(Generate, KeypadButtonGeneratesItsDigit) {
    for (int32_t digit = 0; digit < 10; ++digit) {
        SCOPED_TRACE(digit);
        Click(window->NumGene(digit));
        const String data = std::to_string(digit);
        ExpectWrittenAndLoaded(data + "br1225sr29400hi7350lo4900.wav",
                               ImageFor(data, "", "\n\n", 1225, 29400, 7350, 4900));
        EXPECT_EQ(fs::file_size(OutputPath() / (data + "br1225sr29400hi7350lo4900.wav")), 2108u);
        // Loading the new file stopped the last one: playing again means Play followed.
        EXPECT_TRUE(window->mp()->IsPlaying());
    }
    EXPECT_TRUE(reports.empty());
}

// What the user types reaches the name and the payload; numbers convert by Val, then to UInt32
// (NaN and negatives 0, fractions cut, beyond the range capped). Each case on a fresh window.
struct TypedCase {
    const char* what;  // the test's name: letters and digits only
    std::function<void(Window1&)> edit;
    String name;
    String image;
};

class GenerateTyped : public Generate, public testing::WithParamInterface<TypedCase> {};

TEST_P(GenerateTyped, TypedTextsNameAndFillTheFile) {
    GetParam().edit(*window);
    Click(window->GeneratePB());
    ExpectWrittenAndLoaded(GetParam().name, GetParam().image);
    EXPECT_TRUE(reports.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Generate, GenerateTyped,
    testing::Values(
        TypedCase{"EmptyData", [](Window1& w) { Type(w.DataEF(), ""); },
                  "br1225sr29400hi7350lo4900.wav",
                  ImageFor("", "", "\n\n", 1225, 29400, 7350, 4900)},
        TypedCase{"PrefixWithAnEscape", [](Window1& w) { Type(w.HeadEF(), "(48)i "); }, kHelloName,
                  ImageFor("Hello!", "Hi ", "\n\n", 1225, 29400, 7350, 4900)},
        TypedCase{"DataOfEscapesOnly", [](Window1& w) { Type(w.DataEF(), "(41)(42)"); },
                  "ABbr1225sr29400hi7350lo4900.wav",
                  ImageFor("AB", "", "\n\n", 1225, 29400, 7350, 4900)},
        TypedCase{"SampleRateTypedNotARow",
                  [](Window1& w) { TypeInCombo(w.SampleRateCB(), "20000", false); },
                  "Hello!br1225sr20000hi7350lo4900.wav",
                  ImageFor("Hello!", "", "\n\n", 1225, 20000, 7350, 4900)},
        TypedCase{"FractionalBaudRate", [](Window1& w) { TypeInCombo(w.BaudCB(), "1225.9", true); },
                  kHelloName, ImageFor("Hello!", "", "\n\n", 1225, 29400, 7350, 4900)},
        TypedCase{"LettersAsHighFrequency", [](Window1& w) { Type(w.HighEF(), "abc"); },
                  "Hello!br1225sr29400hi0lo4900.wav",
                  ImageFor("Hello!", "", "\n\n", 1225, 29400, 0, 4900)},
        TypedCase{"HugeHighFrequency", [](Window1& w) { Type(w.HighEF(), "1e20"); },
                  "Hello!br1225sr29400hi4294967295lo4900.wav",
                  ImageFor("Hello!", "", "\n\n", 1225, 29400, 4294967295u, 4900)},
        TypedCase{"NegativeLowFrequency", [](Window1& w) { Type(w.LowEF(), "-5"); },
                  "Hello!br1225sr29400hi7350lo0.wav",
                  ImageFor("Hello!", "", "\n\n", 1225, 29400, 7350, 0)},
        TypedCase{"FractionalLowFrequency", [](Window1& w) { Type(w.LowEF(), " 4900.9"); },
                  kHelloName, ImageFor("Hello!", "", "\n\n", 1225, 29400, 7350, 4900)}),
    [](const testing::TestParamInfo<TypedCase>& info) { return String(info.param.what); });

// A prefix far past Qt's default field limit of 32767 characters, pasted, is sent whole.
TEST_F(Generate, APastedLongPrefixIsSentWhole) {
    String prefix;
    for (int i = 0; i < 100000; ++i) prefix += char('a' + i % 26);
    // One sample per bit keeps the file near a megabyte.
    TypeInCombo(window->SampleRateCB(), "1225", false);
    auto* editor = static_cast<QLineEdit*>(Native(window->HeadEF()));
    QApplication::clipboard()->setText(
        QString::fromLatin1(prefix.data(), qsizetype(prefix.size())));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(window->HeadEF()->Text().size(), prefix.size());
    Click(window->GeneratePB());

    const fs::path file = OutputPath() / "Hello!br1225sr1225hi7350lo4900.wav";
    const String image = ImageFor("Hello!", prefix, "\n\n", 1225, 1225, 7350, 4900);
    EXPECT_GT(image.size(), 100008u * 10u);
    ASSERT_EQ(fs::file_size(file), image.size());
    EXPECT_TRUE(ReadFile(file) == image);  // not printed: a megabyte
    ASSERT_NE(window->mp()->Movie(), nullptr);
    EXPECT_EQ(window->mp()->Movie()->Path(), file);
}

TEST_F(Generate, AllTextsEmptyGiveAnEmptyFileAndNoMovie) {
    Click(window->GeneratePB());  // the player holds a movie before
    Type(window->DataEF(), "");
    Type(window->FootEF(), "");
    Click(window->GeneratePB());

    const fs::path file = OutputPath() / "br1225sr29400hi7350lo4900.wav";
    ASSERT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(window->mp()->Movie(), nullptr);
    EXPECT_FALSE(window->mp()->IsPlaying());
    EXPECT_TRUE(reports.empty());
}

TEST_F(Generate, SameGenerationAgainReplacesTheFileAndPlaysTheNewOne) {
    Click(window->GeneratePB());
    ASSERT_NE(window->mp()->Movie(), nullptr);
    // Same name, other payload: the second image must replace the first under the player.
    Type(window->HeadEF(), "x");
    Click(window->GeneratePB());

    ExpectWrittenAndLoaded(kHelloName, ImageFor("Hello!", "x", "\n\n", 1225, 29400, 7350, 4900));
    // Loading the new file stopped the old one: playing means Play followed the load.
    EXPECT_TRUE(window->mp()->IsPlaying());
    EXPECT_EQ(std::distance(fs::directory_iterator(OutputPath()), fs::directory_iterator()), 1);
    EXPECT_TRUE(reports.empty());
}

// A baud rate or sample rate the modulator cannot use: reported, the player empty, nothing
// written, and the next click works.
TEST_F(Generate, UnusableRatesAreReportedAndWriteNothing) {
    struct Case {
        const char* baud;  // nullptr: left as it is
        const char* sampleRate;
    };
    const Case cases[] = {
        {"0", nullptr}, {"abc", nullptr}, {"", nullptr}, {"-3", nullptr}, {"1e-3", nullptr},
        {nullptr, "0"}, {nullptr, "abc"}, {"1", "1e20"},  // 4294967295 samples per bit: more than a
                                                          // WAV file can state
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(String("baud ") + (c.baud ? c.baud : "-") + ", sample rate " +
                     (c.sampleRate ? c.sampleRate : "-"));
        Click(window->GeneratePB());
        ASSERT_NE(window->mp()->Movie(), nullptr);
        const auto before = Snapshot(HomePath());
        reports.clear();

        if (c.baud) TypeInCombo(window->BaudCB(), c.baud, true);
        if (c.sampleRate) TypeInCombo(window->SampleRateCB(), c.sampleRate, false);
        Click(window->GeneratePB());
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].className, "SignalParameterException");
        EXPECT_EQ(window->mp()->Movie(), nullptr);
        EXPECT_EQ(Snapshot(HomePath()), before);

        TypeInCombo(window->BaudCB(), "1225", true);
        TypeInCombo(window->SampleRateCB(), "29400", false);
        Click(window->GeneratePB());
        ExpectWrittenAndLoaded(kHelloName, ImageFor("Hello!", "", "\n\n", 1225, 29400, 7350, 4900));
        EXPECT_EQ(reports.size(), 1u);
    }
}

// The output folder is made before the name is looked at: a refused name leaves the two empty
// folders in a fresh HOME and nothing else.
TEST_F(Generate, DataThatIsNoFileNameIsReportedAndWritesNothing) {
    for (const String data : {"a/b", "../x", "x(2F)y", "a(0)b"}) {
        SCOPED_TRACE(data);
        TempHome fresh;
        ASSERT_EQ(HomePath(), fresh.Path());
        ASSERT_TRUE(fs::is_empty(fresh.Path()));
        reports.clear();
        Type(window->DataEF(), data);
        Click(window->GeneratePB());
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].className, "NilObjectException");
        EXPECT_EQ(window->mp()->Movie(), nullptr);
        const std::map<String, String> onlyTheFolders = {{fresh.Documents().string(), "other"},
                                                         {fresh.OutputFolder().string(), "other"}};
        EXPECT_EQ(Snapshot(HomePath()), onlyTheFolders);
    }
    Type(window->DataEF(), "Hello!");
    Click(window->GeneratePB());
    ExpectWrittenAndLoaded(kHelloName, ImageFor("Hello!", "", "\n\n", 1225, 29400, 7350, 4900));
}

// ".." names no path once the numbers follow it: the file lands in the output folder.
TEST_F(Generate, DotDotDataStaysInTheOutputFolder) {
    Module1::wavFolder();
    auto expected = Snapshot(HomePath());
    Type(window->DataEF(), "..");
    Click(window->GeneratePB());
    const String name = "..br1225sr29400hi7350lo4900.wav";
    ExpectWrittenAndLoaded(name, ImageFor("..", "", "\n\n", 1225, 29400, 7350, 4900));
    expected[(OutputPath() / name).string()] =
        "file " + std::to_string(ReadFile(OutputPath() / name).size());
    EXPECT_EQ(Snapshot(HomePath()), expected);
    EXPECT_TRUE(reports.empty());
}

}  // namespace

// Timer, movie player, and what goes to the desktop.
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "framework/core/folder_item.h"
#include "framework/ui/movie_player.h"
#include "framework/ui/runtime.h"
#include "framework/ui/system.h"
#include "signal/generator.h"
#include "tests/framework/ui_controls_probe.h"
#include "tests/support/desktop_capture.h"
#include "tests/support/timers_due.h"

namespace fs = std::filesystem;

namespace {

// ---- Timer ----

class UiControlsTimer : public ::testing::Test {
  protected:
    void SetUp() override {
        window = MakeProbeWindow();
        timer = window->New<Timer>();
        window->AddControl("Timer1", timer);
        timer->Action.AddHandler(window, &ProbeWindow::Tick, "( Timer )");
    }
    std::shared_ptr<ProbeWindow> window;
    std::shared_ptr<Timer> timer;
};

TEST_F(UiControlsTimer, SingleShotFiresOnceAPeriodAfterArmingThenTurnsOff) {
    timer->SetPeriod(50);
    EXPECT_EQ(timer->Mode(), Timer::ModeOff);
    ASSERT_TRUE(RunTimersDueWithin(2 * 50));
    EXPECT_EQ(window->Count("Action"), 0);  // off until armed

    QElapsedTimer clock;
    clock.start();
    timer->SetMode(Timer::ModeSingle);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Count("Action") == 1; }, 5000));
    EXPECT_GE(clock.elapsed(), 45);  // not before its period
    EXPECT_EQ(window->calls[0].sender, timer);
    EXPECT_EQ(timer->Mode(), Timer::ModeOff);
    ASSERT_TRUE(RunTimersDueWithin(3 * 50));
    EXPECT_EQ(window->Count("Action"), 1);
}

TEST_F(UiControlsTimer, ModeIsOffAlreadyWhileTheActionRuns) {
    int32_t modeSeen = -1;
    struct Watcher : Window {
        int32_t* seen;
        void Tick(std::shared_ptr<Timer> t) { *seen = t->Mode(); }
    };
    auto watcher = std::make_shared<Watcher>();
    watcher->seen = &modeSeen;
    timer->Action.AddHandler(watcher, &Watcher::Tick, "( Timer )");
    timer->SetPeriod(10);
    timer->SetMode(Timer::ModeSingle);
    ASSERT_TRUE(QTest::qWaitFor([&] { return modeSeen != -1; }, 5000));
    EXPECT_EQ(modeSeen, Timer::ModeOff);
}

TEST_F(UiControlsTimer, ArmingAgainRestartsThePeriod) {
    constexpr int kPeriodMs = 100;
    timer->SetPeriod(kPeriodMs);
    timer->SetMode(Timer::ModeSingle);
    // The first deadline passes while the event loop is held, so it cannot fire before the re-arm.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() <= kPeriodMs) QTest::qSleep(5);
    timer->SetMode(Timer::ModeSingle);
    clock.restart();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Count("Action") >= 1; }, 60000));
    // A whole period from the re-arm, not at once for the deadline already passed.
    EXPECT_GE(clock.elapsed(), kPeriodMs * 9 / 10);
    ASSERT_TRUE(RunTimersDueWithin(3 * kPeriodMs));
    EXPECT_EQ(window->Count("Action"), 1);
}

TEST(UiControlsTimerLife, TimerLetGoInsideItsOwnActionEndsCleanly) {
    struct Owner : Window {
        std::shared_ptr<Timer> held;
        int fired = 0;
        void Tick(std::shared_ptr<Timer>) {
            ++fired;
            held.reset();
        }
    };
    auto owner = std::make_shared<Owner>();
    owner->held = std::make_shared<Timer>();
    std::weak_ptr<Timer> weak = owner->held;
    owner->held->Action.AddHandler(owner, &Owner::Tick, "( Timer )");
    owner->held->SetPeriod(5);
    owner->held->SetMode(Timer::ModeMultiple);
    ASSERT_TRUE(QTest::qWaitFor([&] { return weak.expired(); }, 5000));
    ASSERT_TRUE(RunTimersDueWithin(10 * 5));
    EXPECT_EQ(owner->fired, 1);
}

TEST_F(UiControlsTimer, MultipleRepeatsUntilTurnedOff) {
    timer->SetPeriod(20);
    timer->SetMode(Timer::ModeMultiple);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Count("Action") >= 3; }, 5000));
    EXPECT_EQ(timer->Mode(), Timer::ModeMultiple);
    timer->SetMode(Timer::ModeOff);
    const int fired = window->Count("Action");
    ASSERT_TRUE(RunTimersDueWithin(3 * 20));
    EXPECT_EQ(window->Count("Action"), fired);
}

// ---- Player ----

class UiControlsPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("tw-player-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        window = MakeProbeWindow();
        player = AddProbeControl<MoviePlayer>(*window, "mp", 323, 70, 160, 16);
    }
    void TearDown() override {
        player.reset();
        window.reset();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    // A short real WAV from the generator.
    fs::path WriteWav(const std::string& name, const String& payload = "A") {
        GeneraterClass generator;
        generator.Constructor(payload, "", "", 1225, 8000, 2450, 1225);
        return WriteBytes(name, generator.mWavData);
    }
    fs::path WriteBytes(const std::string& name, const String& bytes) {
        fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    QProgressBar* Bar() const { return player->NativeWidget()->findChild<QProgressBar*>(); }
    // Played to its end: stopped with the bar full (a fake sink keeps time without a device).
    bool PlaysToItsEnd() const {
        return QTest::qWaitFor(
            [&] { return !player->IsPlaying() && Bar()->value() == Bar()->maximum(); }, 20000);
    }
    // Whether this process holds the file open.
    static bool HeldOpen(const fs::path& file) {
        std::error_code error;
        for (const auto& fd : fs::directory_iterator("/proc/self/fd", error))
            if (fs::read_symlink(fd.path(), error) == file) return true;
        return false;
    }

    fs::path folder;
    std::shared_ptr<ProbeWindow> window;
    std::shared_ptr<MoviePlayer> player;
};

TEST_F(UiControlsPlayer, StripShowsAButtonAndAPositionWithinItsBounds) {
    QWidget* strip = player->NativeWidget();
    EXPECT_EQ(strip->geometry(), QRect(323, 70, 160, 16));
    auto* button = strip->findChild<QToolButton*>();
    auto* bar = strip->findChild<QProgressBar*>();
    ASSERT_NE(button, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(strip->rect().contains(button->geometry()));
    EXPECT_TRUE(strip->rect().contains(bar->geometry()));
}

TEST_F(UiControlsPlayer, GeneratedWavLoadsAndStarts) {
    auto movie = FolderItem(WriteWav("Abr1225.wav")).OpenAsMovie();
    ASSERT_NE(movie, nullptr);
    player->SetMovie(movie);
    EXPECT_EQ(player->Movie(), movie);
    EXPECT_FALSE(player->IsPlaying());  // loading does not start it
    player->Play();
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_TRUE(PlaysToItsEnd());
}

TEST_F(UiControlsPlayer, NilUnloadsAndPlayWithoutAMovieDoesNothing) {
    player->SetMovie(FolderItem(WriteWav("a.wav")).OpenAsMovie());
    player->Play();
    player->SetMovie(nullptr);
    EXPECT_EQ(player->Movie(), nullptr);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FALSE(HeldOpen(folder / "a.wav"));
    player->Play();
    EXPECT_FALSE(player->IsPlaying());
}

TEST_F(UiControlsPlayer, SameNameLoadsTheRewrittenFile) {
    const fs::path path = WriteWav("same.wav", "A");
    player->SetMovie(FolderItem(path).OpenAsMovie());
    player->Play();
    ASSERT_TRUE(PlaysToItsEnd());
    const int firstMs = Bar()->maximum();
    player->SetMovie(nullptr);
    EXPECT_FALSE(HeldOpen(path)) << "let go before it is rewritten";
    WriteWav("same.wav", "a longer payload this time");
    player->SetMovie(FolderItem(path).OpenAsMovie());
    player->Play();
    EXPECT_TRUE(player->IsPlaying());
    ASSERT_TRUE(PlaysToItsEnd());
    // The bar counts the new content's milliseconds: well over the first file's.
    GeneraterClass longer;
    longer.Constructor("a longer payload this time", "", "", 1225, 8000, 2450, 1225);
    const qint64 expectedMs = qint64(longer.mWavData.size() - 44) * 1000 / 8000;
    EXPECT_GT(Bar()->maximum(), firstMs);
    EXPECT_NEAR(double(Bar()->maximum()), double(expectedMs), expectedMs * 0.2);
}

TEST_F(UiControlsPlayer, ReplaysAfterTheEnd) {
    const fs::path path = WriteWav("again.wav");
    player->SetMovie(FolderItem(path).OpenAsMovie());
    player->Play();
    ASSERT_TRUE(PlaysToItsEnd());
    EXPECT_FALSE(HeldOpen(path)) << "the file is let go at the end";
    player->Play();
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_TRUE(PlaysToItsEnd());
}

// Any WAV GStreamer can decode plays, not only 8-bit PCM.
TEST_F(UiControlsPlayer, WavsThatAreNotEightBitPcmPlay) {
    // A 0.1 s WAV of silence at 8000 Hz, mono: format tag, bits per sample, bytes per sample.
    auto wav = [](uint16_t format, uint16_t bits, uint16_t bytes, bool withFact) {
        const uint32_t frames = 800, dataSize = frames * bytes;
        auto le = [](uint32_t v, int n) {
            String out;
            for (int i = 0; i < n; ++i) out += char((v >> (8 * i)) & 0xff);
            return out;
        };
        const String fmt = le(format, 2) + le(1, 2) + le(8000, 4) + le(8000 * bytes, 4) +
                           le(bytes, 2) + le(bits, 2) + (withFact ? le(0, 2) : "");
        const String fact = withFact ? "fact" + le(4, 4) + le(frames, 4) : "";
        const String data = String(dataSize, format == 7 ? '\xff' : '\0');
        const String body =
            "WAVEfmt " + le(uint32_t(fmt.size()), 4) + fmt + fact + "data" + le(dataSize, 4) + data;
        return "RIFF" + le(uint32_t(body.size()), 4) + body;
    };
    struct Case {
        const char* what;
        String bytes;
    };
    const Case cases[] = {
        {"16-bit PCM", wav(1, 16, 2, false)},
        {"32-bit float", wav(3, 32, 4, true)},
        {"mu-law", wav(7, 8, 1, true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto movie = FolderItem(WriteBytes("other.wav", c.bytes)).OpenAsMovie();
        ASSERT_NE(movie, nullptr);
        player->SetMovie(movie);
        player->Play();
        EXPECT_TRUE(player->IsPlaying());
        EXPECT_TRUE(PlaysToItsEnd());
        player->SetMovie(nullptr);
    }
}

TEST_F(UiControlsPlayer, ANameThatIsNotUtf8StillNamesItsFile) {
    const fs::path path = WriteWav(
        "\xff"
        "br1225.wav");
    player->SetMovie(FolderItem(path).OpenAsMovie());
    player->Play();
    EXPECT_TRUE(PlaysToItsEnd());
}

TEST_F(UiControlsPlayer, ControllerButtonStartsALoadedMovie) {
    player->SetMovie(FolderItem(WriteWav("b.wav")).OpenAsMovie());
    auto* button = player->NativeWidget()->findChild<QToolButton*>();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(player->IsPlaying());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(player->IsPlaying());
}

// ---- Desktop ----

TEST(UiControlsDesktop, ShowUrlAndLaunchGoThroughTheDesktop) {
    RuntimeInit();  // installs the launcher behind Launch
    DesktopCapture desktop;
    ShowURL("https://example.org/maker");
    ShowURL("http://example.org/");
    FolderItem("/tmp/tw out").Launch(true);
    ASSERT_EQ(desktop.Urls().size(), 3);
    EXPECT_EQ(desktop.Urls()[0], QUrl(QStringLiteral("https://example.org/maker")));
    EXPECT_EQ(desktop.Urls()[1], QUrl(QStringLiteral("http://example.org/")));
    EXPECT_TRUE(desktop.Urls()[2].isLocalFile());
    EXPECT_EQ(desktop.Urls()[2].toLocalFile(), QStringLiteral("/tmp/tw out"));
}

}  // namespace

// MoviePlayer: an AudioTrack to the default audio sink under a strip of a play/pause button and a
// position bar. The track runs elsewhere and reports back here, on the poll timer, so nothing in
// the window ever waits on the sound server.
#include "framework/ui/movie_player.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include <optional>

#include "framework/ui/audio_track.h"
#include "framework/ui/backdrop.h"
#include "framework/ui/control.h"
#include "framework/ui/control_tables.h"
#include "framework/ui/exception_boundary.h"
#include "framework/ui/rect_control_impl.h"

using namespace classinfo;

const ClassInfo& MoviePlayer::StaticClass() {
    static const ClassInfo info{
        "MoviePlayer",
        &RectControl::StaticClass(),
        {Kept("AutoResize", PropertyType::Boolean), Kept("Border", PropertyType::Boolean),
         Kept("Speaker", PropertyType::Boolean), Kept("HasStep", PropertyType::Boolean),
         Kept("PlayerType", PropertyType::Int32), Kept("Controller", PropertyType::Int32),
         Kept("AutoPlay", PropertyType::Boolean), Kept("Looping", PropertyType::Boolean),
         Kept("Palindrome", PropertyType::Boolean)}};
    return info;
}

namespace {
// How often the track's events and position are read while a movie plays.
constexpr int kPollIntervalMs = 40;
// At most this long the player, going away with the window, waits for its audio stream to close.
constexpr int kCloseWaitMs = 2000;
const char* const kNoOutput = "no sound output";
}  // namespace

struct MoviePlayer::Playback {
    enum class Phase { Stopped, Playing, Paused, Ended };

    // Children of the strip: they go with it.
    QPointer<QToolButton> button;
    QPointer<QProgressBar> bar;
    QPointer<QTimer> poll;
    // The loaded movie's track, Nil when none is loaded; the file is open only while it plays.
    std::unique_ptr<AudioTrack> track;
    Phase phase = Phase::Stopped;

    void Start();
    void Pause();
    // Back to the start with the file and the audio stream let go.
    void Halt(Phase to);
    void SetPhase(Phase to);
    // Reads the track's events and shows the position; runs on the poll timer.
    void Poll();
    void ShowPosition();
    // Says in the strip that nothing could be heard, or takes that back.
    void ShowNoOutput(bool shown);
};

void MoviePlayer::Playback::Start() {
    if (!track) return;
    if (phase == Phase::Paused) {
        track->Resume();
    } else {
        track->Start();
        if (bar) bar->setValue(0);
    }
    SetPhase(Phase::Playing);
    if (poll) poll->start();
}

void MoviePlayer::Playback::Pause() {
    if (!track || phase != Phase::Playing) return;
    track->Pause();
    SetPhase(Phase::Paused);
}

void MoviePlayer::Playback::Halt(Phase to) {
    if (poll) poll->stop();
    if (track && to != Phase::Ended) track->Stop();  // an ended track has let go already
    SetPhase(to);
    if (bar) bar->setValue(to == Phase::Ended ? bar->maximum() : 0);
}

void MoviePlayer::Playback::SetPhase(Phase to) {
    phase = to;
    if (!button) return;
    const bool playing = to == Phase::Playing;
    SetReadableStandardIcon(*button, playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay);
    button->setToolTip(playing ? QStringLiteral("Pause") : QStringLiteral("Play"));
}

void MoviePlayer::Playback::Poll() {
    if (!track) return;
    ShowPosition();
    while (const std::optional<AudioTrack::Event> event = track->TakeEvent()) {
        switch (*event) {
            case AudioTrack::Event::Ended:
                ShowNoOutput(false);
                Halt(Phase::Ended);
                break;
            case AudioTrack::Event::NoOutput:
                // Nothing was played: the bar stays where it was, and the strip says why.
                ShowNoOutput(true);
                Halt(Phase::Stopped);
                break;
            case AudioTrack::Event::Failed:
                Halt(Phase::Stopped);  // a file it cannot read, a server gone: quietly stopped
                break;
        }
    }
}

// The bar counts milliseconds of the movie once its length is known.
void MoviePlayer::Playback::ShowPosition() {
    if (!bar || phase != Phase::Playing) return;
    const int64_t duration = track->DurationMs();
    if (duration > 0) {
        const int ms = int(std::max<int64_t>(1, duration));
        if (bar->maximum() != ms) bar->setRange(0, ms);
    }
    const int64_t position = track->PositionMs();
    if (position > 0) ShowNoOutput(false);
    bar->setValue(int(std::clamp<int64_t>(position, 0, bar->maximum())));
}

void MoviePlayer::Playback::ShowNoOutput(bool shown) {
    if (!bar || bar->isTextVisible() == shown) return;
    bar->setFormat(shown ? QString::fromLatin1(kNoOutput) : QString());
    bar->setTextVisible(shown);
    bar->setToolTip(shown ? QString::fromLatin1(kNoOutput) : QString());
}

MoviePlayer::MoviePlayer() : playback_(std::make_unique<Playback>()) {}

MoviePlayer::~MoviePlayer() {
    if (playback_->poll) playback_->poll->stop();
    if (playback_->track) playback_->track->Close(kCloseWaitMs);
}

void MoviePlayer::Constructor() {
    RectControl::Constructor();
}

QWidget* MoviePlayer::CreateWidget(QWidget* parent) {
    auto* strip = new QWidget(parent);
    impl_->BridgeEvents(strip, strip, true);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* button = new QToolButton(strip);
    button->setAutoRaise(true);
    button->setFixedWidth(std::max(12, Height()));
    auto* bar = new QProgressBar(strip);
    bar->setRange(0, 1000);
    bar->setValue(0);
    bar->setTextVisible(false);
    layout->addWidget(button);
    layout->addWidget(bar, 1);
    strip->setFocusProxy(button);
    strip->setFocusPolicy(Qt::StrongFocus);
    auto* poll = new QTimer(strip);
    poll->setInterval(kPollIntervalMs);
    playback_->button = button;
    playback_->bar = bar;
    playback_->poll = poll;
    playback_->SetPhase(Playback::Phase::Stopped);

    const std::weak_ptr<Object> weak = impl_->self;
    QObject::connect(button, &QToolButton::clicked, button, [weak] {
        RuntimeDispatch([&] {
            auto self = LockControl<MoviePlayer>(weak);
            if (!self) return;
            if (self->IsPlaying())
                self->playback_->Pause();
            else
                self->Play();
        });
    });
    QObject::connect(poll, &QTimer::timeout, poll, [weak] {
        RuntimeDispatch([&] {
            if (auto self = LockControl<MoviePlayer>(weak)) self->playback_->Poll();
        });
    });
    Load();
    return strip;
}

std::shared_ptr<::Movie> MoviePlayer::Movie() const {
    return movie_;
}

void MoviePlayer::SetMovie(std::shared_ptr<::Movie> movie) {
    movie_ = std::move(movie);
    Load();
}

void MoviePlayer::Load() {
    if (!playback_->poll) return;  // no strip yet: CreateWidget loads
    // The old track goes first: it is taken down before anything of the new one is done.
    playback_->Halt(Playback::Phase::Stopped);
    playback_->track.reset();
    if (playback_->bar) playback_->bar->setRange(0, 1000);
    if (movie_) playback_->track = std::make_unique<AudioTrack>(movie_->Path());
}

void MoviePlayer::Play() {
    if (!movie_) return;
    playback_->Start();
}

bool MoviePlayer::IsPlaying() const {
    return playback_->phase == Playback::Phase::Playing;
}

// MoviePlayer: QMediaPlayer and QAudioOutput under a strip of a play/pause button and a
// position bar. Positions are only shown, never set: seeking can hang some PulseAudio pipelines.
#include "framework/ui/movie_player.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAudioOutput>
#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QMediaPlayer>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

#include "framework/ui/control_support.h"

using namespace classinfo;

const ClassInfo& Movie::StaticClass() {
    static const ClassInfo info{"Movie", &Object::StaticClass(), {}, {}};
    return info;
}

const ClassInfo& MoviePlayer::StaticClass() {
    static const ClassInfo info{
        "MoviePlayer",
        &RectControl::StaticClass(),
        {Kept("AutoResize", PropertyType::Boolean), Kept("Border", PropertyType::Boolean),
         Kept("Speaker", PropertyType::Boolean), Kept("HasStep", PropertyType::Boolean),
         Kept("PlayerType", PropertyType::Int32), Kept("Controller", PropertyType::Int32),
         Kept("AutoPlay", PropertyType::Boolean), Kept("Looping", PropertyType::Boolean),
         Kept("Palindrome", PropertyType::Boolean)},
        {}};
    return info;
}

struct MoviePlayer::Playback {
    // Children of the strip: they go with it; the control lets go of the file when it goes.
    QPointer<QMediaPlayer> player;
    QPointer<QAudioOutput> audio;
    QPointer<QToolButton> button;
    QPointer<QProgressBar> bar;
    // The open file, for a name a URL cannot carry; closed on the next load.
    std::unique_ptr<QFile> file;
};

namespace {
std::filesystem::path Absolute(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute;
}

// Whether the path's bytes survive the trip through a QString (and so through a file URL).
bool NameSurvivesQString(const std::filesystem::path& path) {
    const QByteArray bytes(path.c_str());
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}
}  // namespace

MoviePlayer::MoviePlayer() : playback_(std::make_unique<Playback>()) {}

MoviePlayer::~MoviePlayer() {
    if (playback_->player && QCoreApplication::instance()) {
        playback_->player->stop();
        playback_->player->setSource(QUrl());
    }
    playback_->file.reset();
}

void MoviePlayer::Constructor() {
    RectControl::Constructor();
}

QWidget* MoviePlayer::CreateWidget(QWidget* parent) {
    auto* strip = new QWidget(parent);
    strip->installEventFilter(new ControlEventBridge(impl_->self, strip, true, strip));
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* button = new QToolButton(strip);
    button->setIcon(strip->style()->standardIcon(QStyle::SP_MediaPlay));
    button->setAutoRaise(true);
    button->setFixedWidth(std::max(12, Height()));
    button->setToolTip(QStringLiteral("Play"));
    auto* bar = new QProgressBar(strip);
    bar->setRange(0, 1000);
    bar->setValue(0);
    bar->setTextVisible(false);
    layout->addWidget(button);
    layout->addWidget(bar, 1);
    strip->setFocusProxy(button);
    strip->setFocusPolicy(Qt::StrongFocus);
    playback_->button = button;
    playback_->bar = bar;

    playback_->player = new QMediaPlayer(strip);
    playback_->audio = new QAudioOutput(strip);
    playback_->player->setAudioOutput(playback_->audio);
    QMediaPlayer* player = playback_->player;
    const std::weak_ptr<Object> weak = impl_->self;

    QObject::connect(button, &QToolButton::clicked, button, [weak] {
        RuntimeDispatch([&] {
            auto self = LockControl<MoviePlayer>(weak);
            if (!self) return;
            if (self->IsPlaying())
                self->playback_->player->pause();
            else
                self->StartPlayback();
        });
    });
    QObject::connect(
        player, &QMediaPlayer::playbackStateChanged, button,
        [button, strip](QMediaPlayer::PlaybackState state) {
            RuntimeDispatch([&] {
                const bool playing = state == QMediaPlayer::PlayingState;
                button->setIcon(strip->style()->standardIcon(playing ? QStyle::SP_MediaPause
                                                                     : QStyle::SP_MediaPlay));
                button->setToolTip(playing ? QStringLiteral("Pause") : QStringLiteral("Play"));
            });
        });
    QObject::connect(player, &QMediaPlayer::positionChanged, bar, [bar, player](qint64 position) {
        RuntimeDispatch([&] {
            const qint64 duration = player->duration();
            bar->setValue(duration > 0 ? int(position * 1000 / duration) : 0);
        });
    });
    QObject::connect(
        player, &QMediaPlayer::mediaStatusChanged, bar, [bar](QMediaPlayer::MediaStatus status) {
            RuntimeDispatch([&] {
                if (status == QMediaPlayer::EndOfMedia) bar->setValue(bar->maximum());
                if (status == QMediaPlayer::NoMedia || status == QMediaPlayer::LoadedMedia)
                    bar->setValue(0);
            });
        });
    // Playback errors (no audio device, a file it cannot read) leave the player quietly stopped.
    QObject::connect(player, &QMediaPlayer::errorOccurred, bar, [] {});
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
    QMediaPlayer* player = playback_->player;
    if (!player) return;
    player->stop();
    // The empty source first: it releases the file now, and a same-named file is read anew.
    player->setSource(QUrl());
    playback_->file.reset();
    if (!movie_) return;
    const std::filesystem::path path = Absolute(movie_->Path());
    if (NameSurvivesQString(path)) {
        player->setSource(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
        return;
    }
    // A name with bytes that are not UTF-8: the player reads the file we open by its bytes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return;
    }
    player->setSourceDevice(file.get(), QUrl(QStringLiteral("file:///movie.wav")));
    playback_->file = std::move(file);
}

void MoviePlayer::Play() {
    ++playCalls_;
    StartPlayback();
}

void MoviePlayer::StartPlayback() {
    QMediaPlayer* player = playback_->player;
    if (!player || !movie_) return;
    // After the end, start again from a fresh load rather than by seeking back.
    if (player->mediaStatus() == QMediaPlayer::EndOfMedia) Load();
    player->play();
}

void MoviePlayer::Stop() {
    if (playback_->player) playback_->player->stop();
}

bool MoviePlayer::IsPlaying() const {
    return playback_->player && playback_->player->playbackState() == QMediaPlayer::PlayingState;
}

int32_t MoviePlayer::PlayCalls() const {
    return playCalls_;
}

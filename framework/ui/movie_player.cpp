// MoviePlayer: a GStreamer playbin to the default audio sink under a strip of a play/pause button
// and a position bar. A playback counts as ended only when the sink posts end-of-stream, which it
// does once the last sample has been played out, so neither the start nor the tail is cut.
// Positions are only shown, never set: seeking can hang some PulseAudio pipelines.
#include "framework/ui/movie_player.h"

#include <gst/gst.h>

#include <QHBoxLayout>
#include <QProgressBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

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
// How often the bus and the position are read while a movie plays.
constexpr int kPollIntervalMs = 40;

// Taken to NULL before the last reference goes: that closes the file and the audio stream now.
struct PipelineDeleter {
    void operator()(GstElement* pipeline) const {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }
};
using Pipeline = std::unique_ptr<GstElement, PipelineDeleter>;

std::filesystem::path Absolute(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute;
}

// A playbin for the file, audio only, still in NULL: nothing is opened before it plays. The URI
// escapes the name's bytes, so a name that is not UTF-8 still reaches the file.
Pipeline MakePipeline(const std::filesystem::path& path) {
    if (!gst_is_initialized()) gst_init(nullptr, nullptr);
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin) return nullptr;
    Pipeline pipeline(GST_ELEMENT(gst_object_ref_sink(playbin)));
    gchar* uri = gst_filename_to_uri(Absolute(path).c_str(), nullptr);
    if (!uri) return nullptr;
    g_object_set(playbin, "uri", uri, nullptr);
    g_free(uri);
    gst_util_set_object_arg(G_OBJECT(playbin), "flags", "audio");
    return pipeline;
}

int64_t Milliseconds(gint64 nanoseconds) {
    return nanoseconds / GST_MSECOND;
}
}  // namespace

struct MoviePlayer::Playback {
    enum class Phase { Stopped, Playing, Paused, Ended };

    // Children of the strip: they go with it.
    QPointer<QToolButton> button;
    QPointer<QProgressBar> bar;
    QPointer<QTimer> poll;
    // The loaded movie's pipeline, Nil when none is loaded; the file is open only while it plays.
    Pipeline pipeline;
    Phase phase = Phase::Stopped;
    // Playing was asked for and the pipeline is still prerolling in PAUSED.
    bool startWhenPrerolled = false;

    void Start();
    void Pause();
    // Back to the start with the file and the audio stream let go.
    void Halt(Phase to);
    void SetPhase(Phase to);
    // Reads the bus and shows the position; runs on the poll timer.
    void Poll();
    void ShowPosition();
};

void MoviePlayer::Playback::Start() {
    if (!pipeline) return;
    if (phase == Phase::Ended) Halt(Phase::Stopped);
    // From a stop, preroll first: the audio stream then starts with its buffer already filled.
    startWhenPrerolled = phase == Phase::Stopped;
    const GstState target = startWhenPrerolled ? GST_STATE_PAUSED : GST_STATE_PLAYING;
    GstStateChangeReturn change = gst_element_set_state(pipeline.get(), target);
    if (startWhenPrerolled && change != GST_STATE_CHANGE_ASYNC &&
        change != GST_STATE_CHANGE_FAILURE) {
        // Prerolled at once, or nothing to preroll: no ASYNC_DONE will come to start it.
        startWhenPrerolled = false;
        change = gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    }
    if (change == GST_STATE_CHANGE_FAILURE) {
        Halt(Phase::Stopped);  // no audio device or a file it cannot read: quietly stopped
        return;
    }
    SetPhase(Phase::Playing);
    if (poll) poll->start();
}

void MoviePlayer::Playback::Pause() {
    if (!pipeline || phase != Phase::Playing) return;
    startWhenPrerolled = false;
    gst_element_set_state(pipeline.get(), GST_STATE_PAUSED);
    SetPhase(Phase::Paused);
}

void MoviePlayer::Playback::Halt(Phase to) {
    if (poll) poll->stop();
    startWhenPrerolled = false;
    // READY lets go of the file, so the next start reads it from its first byte.
    if (pipeline) gst_element_set_state(pipeline.get(), GST_STATE_READY);
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
    if (!pipeline) return;
    ShowPosition();
    GstBus* bus = gst_element_get_bus(pipeline.get());
    const auto wanted =
        GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE);
    while (GstMessage* message = gst_bus_pop_filtered(bus, wanted)) {
        const GstMessageType type = GST_MESSAGE_TYPE(message);
        gst_message_unref(message);
        if (type == GST_MESSAGE_ASYNC_DONE) {
            if (startWhenPrerolled) gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
            startWhenPrerolled = false;
            continue;
        }
        const bool ended = type == GST_MESSAGE_EOS;
        // An error (no audio device, a file it cannot decode) leaves the player quietly stopped.
        Halt(ended ? Phase::Ended : Phase::Stopped);
    }
    gst_object_unref(bus);
}

// The bar counts milliseconds of the movie once its length is known.
void MoviePlayer::Playback::ShowPosition() {
    if (!bar || phase != Phase::Playing) return;
    gint64 duration = 0, position = 0;
    if (gst_element_query_duration(pipeline.get(), GST_FORMAT_TIME, &duration) && duration > 0) {
        const int ms = int(std::max<int64_t>(1, Milliseconds(duration)));
        if (bar->maximum() != ms) bar->setRange(0, ms);
    }
    if (gst_element_query_position(pipeline.get(), GST_FORMAT_TIME, &position))
        bar->setValue(int(std::clamp<int64_t>(Milliseconds(position), 0, bar->maximum())));
}

MoviePlayer::MoviePlayer() : playback_(std::make_unique<Playback>()) {}

MoviePlayer::~MoviePlayer() {
    if (playback_->poll) playback_->poll->stop();
    playback_->pipeline.reset();
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
    // The old pipeline goes first: its file is let go before anything else happens.
    playback_->Halt(Playback::Phase::Stopped);
    playback_->pipeline.reset();
    if (playback_->bar) playback_->bar->setRange(0, 1000);
    if (movie_) playback_->pipeline = MakePipeline(movie_->Path());
}

void MoviePlayer::Play() {
    if (!movie_) return;
    playback_->Start();
}

bool MoviePlayer::IsPlaying() const {
    return playback_->phase == Playback::Phase::Playing;
}

// AudioTrack: a GStreamer playbin per file, every state change made on one worker thread.
//
// The samples reach the sink as signed 16-bit: a sound server fills the gaps of a stream (before
// its first sample, after its last, at an underrun) with zero bytes, which for 8-bit unsigned
// samples is full scale rather than silence, and PipeWire's PulseAudio service does exactly that.
//
// A play counts as ended only when the sink posts end-of-stream, once the last sample has been
// played out, so neither the start nor the tail is cut. Positions are only read, never set:
// seeking can hang some PulseAudio pipelines.
#include "framework/ui/audio_track.h"

#include <gst/gst.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

const char* PlayerSeam::AudioSink = "autoaudiosink";

namespace {
using Clock = std::chrono::steady_clock;
using Generation = uint32_t;

// How often the worker reads the buses and positions while it has nothing else to do.
constexpr auto kWatchInterval = std::chrono::milliseconds(10);
// After end-of-stream the stream stays open this long before it is let go: a server that has
// just woken its sink may report a sample as played a little before it has reached the sink.
constexpr auto kTailHold = std::chrono::milliseconds(250);

std::filesystem::path Absolute(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute;
}

int64_t Milliseconds(gint64 nanoseconds) {
    return nanoseconds / GST_MSECOND;
}

std::string FactoryName(GstElement* element) {
    GstElementFactory* factory = gst_element_get_factory(element);
    return factory ? GST_OBJECT_NAME(factory) : "";
}

// Whether the automatic sink found no real sink and plugged its fake one, which keeps time as if
// it played: the only sign that no sound is made.
bool PlaysToAFake(GstElement* pipeline) {
    bool fake = false;
    GstIterator* it = gst_bin_iterate_recurse(GST_BIN(pipeline));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        auto* element = GST_ELEMENT(g_value_get_object(&item));
        GstObject* parent = gst_object_get_parent(GST_OBJECT(element));
        if (parent && GST_IS_ELEMENT(parent) &&
            FactoryName(GST_ELEMENT(parent)) == "autoaudiosink" &&
            FactoryName(element).rfind("fake", 0) == 0)
            fake = true;
        if (parent) gst_object_unref(parent);
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
    return fake;
}

// A stream that has just started can run dry for a moment on a busy machine, and the server
// then sounds silence in the middle of a frame, which a receiver reads as wrong bytes. The sink
// starts each play with this much silence of its own, so that such a moment falls on silence.
constexpr gint64 kLeadingSilenceNs = 100 * GST_MSECOND;

void OnElementAdded(GstBin*, GstBin*, GstElement* element, gpointer) {
    GObjectClass* type = G_OBJECT_GET_CLASS(element);
    if (g_object_class_find_property(type, "buffer-time") &&
        g_object_class_find_property(type, "ts-offset"))
        g_object_set(element, "ts-offset", kLeadingSilenceNs, nullptr);
}

// A playbin for the file, audio only, its samples converted to 16-bit for the sink. The URI
// escapes the name's bytes, so a name that is not UTF-8 still reaches the file.
GstElement* MakePipeline(const std::filesystem::path& path, const std::string& sink) {
    if (!gst_is_initialized()) gst_init(nullptr, nullptr);
    const std::string description = "audioconvert ! audio/x-raw,format=S16LE ! " + sink;
    GstElement* output = gst_parse_bin_from_description(description.c_str(), TRUE, nullptr);
    if (!output) return nullptr;
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    gchar* uri = gst_filename_to_uri(Absolute(path).c_str(), nullptr);
    if (!playbin || !uri) {
        gst_object_unref(gst_object_ref_sink(output));
        if (playbin) gst_object_unref(gst_object_ref_sink(playbin));
        g_free(uri);
        return nullptr;
    }
    gst_object_ref_sink(playbin);
    g_object_set(playbin, "uri", uri, "audio-sink", output, nullptr);
    g_free(uri);
    gst_util_set_object_arg(G_OBJECT(playbin), "flags", "audio");
    g_signal_connect(playbin, "deep-element-added", G_CALLBACK(OnElementAdded), nullptr);
    return playbin;
}
}  // namespace

struct AudioTrack::Core {
    Core(std::filesystem::path file, std::string sink)
        : file(std::move(file)), sink(std::move(sink)) {}

    const std::filesystem::path file;
    const std::string sink;

    // Shared between the owner's thread and the worker.
    std::atomic<Generation> generation{0};  // of the latest Start
    std::atomic<bool> closed{false};
    std::atomic<int64_t> positionMs{0}, durationMs{0};
    std::mutex mutex;
    std::condition_variable downChanged;
    bool down = false;                                // under mutex
    std::deque<std::pair<Generation, Event>> events;  // under mutex

    // The worker's alone.
    GstElement* pipeline = nullptr;
    Generation running = 0;  // the start the pipeline plays for
    bool startWhenPrerolled = false;
    bool playing = false;  // set to PLAYING and not ended since
    bool ended = false;    // end-of-stream seen: let go at endAt
    Clock::time_point endAt;

    void Post(Generation of, Event event) {
        std::lock_guard lock(mutex);
        events.emplace_back(of, event);
    }
    void SetState(GstState state) {
        if (state != GST_STATE_PLAYING) playing = false;
        if (gst_element_set_state(pipeline, state) == GST_STATE_CHANGE_FAILURE)
            Fail();
        else if (state == GST_STATE_PLAYING)
            playing = true;
    }
    void Fail() {
        startWhenPrerolled = playing = ended = false;
        gst_element_set_state(pipeline, GST_STATE_READY);
        Post(running, Event::Failed);
    }
    void DropBusMessages() {
        GstBus* bus = gst_element_get_bus(pipeline);
        while (GstMessage* message = gst_bus_pop(bus)) gst_message_unref(message);
        gst_object_unref(bus);
    }

    void Start(Generation of) {
        running = of;
        positionMs = 0;
        if (!pipeline) pipeline = MakePipeline(file, sink);
        if (!pipeline) {
            Post(of, Event::Failed);
            return;
        }
        // From READY the file is opened again and read from its first byte.
        startWhenPrerolled = playing = ended = false;
        gst_element_set_state(pipeline, GST_STATE_READY);
        DropBusMessages();
        // Preroll first: the audio stream then starts with its buffer already filled.
        startWhenPrerolled = true;
        const GstStateChangeReturn change = gst_element_set_state(pipeline, GST_STATE_PAUSED);
        if (change == GST_STATE_CHANGE_FAILURE)
            Fail();
        else if (change != GST_STATE_CHANGE_ASYNC)
            Prerolled();  // no ASYNC_DONE will come
    }
    void Prerolled() {
        startWhenPrerolled = false;
        if (PlaysToAFake(pipeline)) {
            gst_element_set_state(pipeline, GST_STATE_NULL);
            Post(running, Event::NoOutput);
            return;
        }
        SetState(GST_STATE_PLAYING);
    }
    void Pause() {
        if (!pipeline || ended) return;
        startWhenPrerolled = false;
        SetState(GST_STATE_PAUSED);
    }
    void Resume() {
        if (!pipeline || ended) return;
        GstState state = GST_STATE_VOID_PENDING, pending = GST_STATE_VOID_PENDING;
        const GstStateChangeReturn now = gst_element_get_state(pipeline, &state, &pending, 0);
        if (state != GST_STATE_PAUSED) return;  // stopped or failed: only a Start plays again
        startWhenPrerolled = true;
        if (now == GST_STATE_CHANGE_SUCCESS) Prerolled();
    }
    void Stop() {
        if (!pipeline) return;
        startWhenPrerolled = ended = false;
        SetState(GST_STATE_READY);
        positionMs = 0;
    }
    void TakeDown() {
        if (pipeline) {
            gst_element_set_state(pipeline, GST_STATE_NULL);
            gst_object_unref(pipeline);
            pipeline = nullptr;
        }
        std::lock_guard lock(mutex);
        down = true;
        downChanged.notify_all();
    }

    // Reads the bus and the position; the worker calls it between jobs.
    void Watch() {
        if (!pipeline) return;
        GstBus* bus = gst_element_get_bus(pipeline);
        const auto wanted =
            GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE);
        while (GstMessage* message = gst_bus_pop_filtered(bus, wanted)) {
            const GstMessageType type = GST_MESSAGE_TYPE(message);
            gst_message_unref(message);
            if (type == GST_MESSAGE_ASYNC_DONE && startWhenPrerolled) {
                Prerolled();
            } else if (type == GST_MESSAGE_EOS && playing && !ended) {
                ended = true;
                endAt = Clock::now() + kTailHold;
                positionMs = durationMs.load();
            } else if (type == GST_MESSAGE_ERROR) {
                Fail();  // no audio device, a file it cannot decode, a server gone
            }
        }
        gst_object_unref(bus);
        if (ended && Clock::now() >= endAt) {
            Stop();
            positionMs = durationMs.load();
            Post(running, Event::Ended);
        } else if (playing && !ended) {
            gint64 duration = 0, position = 0;
            if (gst_element_query_duration(pipeline, GST_FORMAT_TIME, &duration) && duration > 0)
                durationMs = Milliseconds(duration);
            if (gst_element_query_position(pipeline, GST_FORMAT_TIME, &position))
                positionMs = std::max<int64_t>(0, Milliseconds(position));
        }
    }
};

namespace {
// The one thread that makes every state change, in the order asked. It is never joined: a
// server that does not answer may hold it past the end of the process.
class Worker {
  public:
    using Job = std::function<void(AudioTrack::Core&)>;

    static Worker& Get() {
        static Worker* const worker = new Worker;
        return *worker;
    }
    void Post(std::shared_ptr<AudioTrack::Core> core, Job job) {
        std::lock_guard lock(mutex_);
        jobs_.emplace_back(std::move(core), std::move(job));
        wake_.notify_one();
    }

  private:
    Worker() {
        std::thread([this] { Run(); }).detach();
    }

    void Run() {
        for (;;) {
            std::pair<std::shared_ptr<AudioTrack::Core>, Job> next;
            {
                std::unique_lock lock(mutex_);
                const auto hasJob = [&] { return !jobs_.empty(); };
                // With nothing to watch, sleep until a job comes.
                if (live_.empty())
                    wake_.wait(lock, hasJob);
                else
                    wake_.wait_for(lock, kWatchInterval, hasJob);
                if (!jobs_.empty()) {
                    next = std::move(jobs_.front());
                    jobs_.pop_front();
                }
            }
            if (next.first) {
                AudioTrack::Core& core = *next.first;
                next.second(core);
                if (core.pipeline)
                    Keep(next.first);
                else
                    Forget(&core);
            }
            for (const auto& core : live_) core->Watch();
        }
    }
    void Keep(const std::shared_ptr<AudioTrack::Core>& core) {
        for (const auto& held : live_)
            if (held == core) return;
        live_.push_back(core);
    }
    void Forget(AudioTrack::Core* core) {
        std::erase_if(live_, [&](const auto& held) { return held.get() == core; });
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::pair<std::shared_ptr<AudioTrack::Core>, Job>> jobs_;
    // Tracks with a pipeline; the worker's alone.
    std::vector<std::shared_ptr<AudioTrack::Core>> live_;
};

// Posts a job that is skipped once the track is closed: a queue held up by a server that did
// not answer then only takes down what was replaced meanwhile, and plays none of it.
void PostUnlessClosed(const std::shared_ptr<AudioTrack::Core>& core,
                      std::function<void(AudioTrack::Core&)> job) {
    Worker::Get().Post(core, [job = std::move(job)](AudioTrack::Core& c) {
        if (!c.closed) job(c);
    });
}
}  // namespace

AudioTrack::AudioTrack(std::filesystem::path file)
    : core_(std::make_shared<Core>(std::move(file), PlayerSeam::AudioSink)) {}

AudioTrack::~AudioTrack() {
    Close(0);
}

void AudioTrack::Start() {
    const Generation of = ++core_->generation;
    PostUnlessClosed(core_, [of](Core& c) {
        if (c.generation == of) c.Start(of);  // a later start replaces this one
    });
}

void AudioTrack::Pause() {
    PostUnlessClosed(core_, [](Core& c) { c.Pause(); });
}

void AudioTrack::Resume() {
    PostUnlessClosed(core_, [](Core& c) { c.Resume(); });
}

void AudioTrack::Stop() {
    ++core_->generation;  // whatever the last start still reports is moot
    PostUnlessClosed(core_, [](Core& c) { c.Stop(); });
}

std::optional<AudioTrack::Event> AudioTrack::TakeEvent() {
    std::lock_guard lock(core_->mutex);
    auto& events = core_->events;
    while (!events.empty()) {
        const auto [of, event] = events.front();
        events.pop_front();
        if (of == core_->generation) return event;
    }
    return std::nullopt;
}

int64_t AudioTrack::PositionMs() const {
    return core_->positionMs;
}

int64_t AudioTrack::DurationMs() const {
    return core_->durationMs;
}

bool AudioTrack::Close(int waitMs) {
    if (!core_->closed.exchange(true)) Worker::Get().Post(core_, [](Core& c) { c.TakeDown(); });
    std::unique_lock lock(core_->mutex);
    return core_->downChanged.wait_for(lock, std::chrono::milliseconds(waitMs),
                                       [&] { return core_->down; });
}

#pragma once
// One sound file's playback, driven on a worker thread shared by all tracks: a sound server that
// stops answering blocks that thread, never the caller. Calls return at once; what happened comes
// back as events the owner reads on its own thread.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace PlayerSeam {
// The GStreamer element description the player's 16-bit samples go to: "autoaudiosink" unless a
// test stands in a sink of its own. Read when a track is made.
extern const char* AudioSink;
}  // namespace PlayerSeam

class AudioTrack {
  public:
    enum class Event {
        Ended,     // every sample was played out
        NoOutput,  // there is no sound output to play to: nothing was played
        Failed     // the file could not be played, or the sound server went away
    };

    explicit AudioTrack(std::filesystem::path file);
    // Close(0).
    ~AudioTrack();
    AudioTrack(const AudioTrack&) = delete;
    AudioTrack& operator=(const AudioTrack&) = delete;

    // From the start: the file is read afresh.
    void Start();
    void Pause();
    void Resume();
    // Back to the start, the file and the audio stream let go.
    void Stop();

    // The next event of the latest Start; events of earlier starts are dropped.
    std::optional<Event> TakeEvent();
    // Milliseconds played and the file's length, 0 until known.
    int64_t PositionMs() const;
    int64_t DurationMs() const;
    // Hands the pipeline to the worker to take down, which lets go of the file and the audio
    // stream, and waits at most `waitMs` for it: true once it is down. Nothing plays afterwards.
    bool Close(int waitMs);

    struct Core;

  private:
    std::shared_ptr<Core> core_;
};

#pragma once
// The mixer: every playing sound summed into float stereo at 44100 Hz, handed
// to the backend's AudioOut a block at a time (512 frames, about 11.6 ms, on
// the desktop). The output is opened on first use; when no real device can be
// had the mixer runs on a silent one, so sounds still decode and channels still
// finish after their length.
//
// Headroom: voices are summed in floating point, so overlapping sounds never
// clip while they mix. A peak limiter on the output keeps every sample within
// kCeiling (-1 dBFS): when the sum would go above it, the whole output is
// turned down at once and comes back by 6 dB per kReleaseSeconds, instead of
// being clipped. A single sound at full volume is never touched by it.
//
// mix() runs where the output pulls (the desktop's audio thread). Each playback
// shares an AudioVoice with it: mix() writes the voice's peaks, frame count and
// finished flag through atomics, the program thread reads them. Gains go the
// other way. A playback whose sound ends in the middle of a block is finished
// in that block; one with loops left starts again from its first frame.
//
// A streamed playback (a voice with a feed) reads its stream in mix(), a block
// at a time. At the end of the stream the voice is finished, and the channel
// is freed by the next stop() from the program thread.
//
// Lifetime: shared; every sound and channel holds the mixer, so the output
// closes only after the last of them is gone.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "backend/audio/AudioOut.h"
#include "backend/audio/SoundSamples.h"
#include "backend/audio/SoundStream.h"

namespace limn::sdl {

// A streamed playback's decoder and place; mix() alone uses it once the
// playback has started.
struct AudioFeed {
    std::unique_ptr<SoundStream> stream;
    std::int64_t start = 0;  // the frame each pass starts from
    int loopsLeft = 0;
    std::int64_t passFrames = 0;  // written since the pass began
    bool ended = false;
    // The frame of the sound last written, for the program thread.
    std::atomic<std::int64_t> at{0};
};

// State of one playback shared between the program thread and mix().
struct AudioVoice {
    std::atomic<bool> finished{false};
    std::atomic<float> leftGain{1.0f};
    std::atomic<float> rightGain{1.0f};
    std::atomic<float> leftPeak{0.0f};
    std::atomic<float> rightPeak{0.0f};
    std::atomic<std::int64_t> framesMixed{0};
    // AudioMixer::now() at play and at the first mixed block (0: not yet).
    std::int64_t playTime = 0;
    std::atomic<std::int64_t> firstMixTime{0};
    // Set for a streamed playback before it starts.
    std::unique_ptr<AudioFeed> feed;
};

class AudioMixer {
public:
    static constexpr int kFrequency = 44100;
    static constexpr int kBufferFrames = 512;
    static constexpr int kMaxChannels = 1024;
    // One frame of the mixer's format: two float samples.
    static constexpr int kFrameBytes = 8;
    static constexpr float kCeiling = 0.891f;
    static constexpr float kReleaseSeconds = 0.06f;

    // The shared mixer, its output opened on first call; null only when even a
    // silent output fails (then nothing can be decoded either).
    [[nodiscard]] static std::shared_ptr<AudioMixer> shared();
    // A mixer of its own with no output: nothing is heard, blocks are taken
    // by calling mix() (offline mixing, tests).
    [[nodiscard]] static std::shared_ptr<AudioMixer> withoutOutput(int frequency = kFrequency);
    // Nanoseconds on a steady clock, for AudioVoice's times.
    [[nodiscard]] static std::int64_t now();

    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;
    ~AudioMixer();

    // Starts `frames` frames of `samples` from frame `first` on a free channel
    // (adding channels when all are busy); `loops` extra repeats. Returns the
    // channel, or -1.
    int play(const SoundSamples& samples, std::int64_t first, std::int64_t frames, int loops,
             const std::shared_ptr<AudioVoice>& voice);
    // Starts the voice's feed on a free channel; the feed does its own loops.
    // Returns the channel, or -1.
    int playFeed(const std::shared_ptr<AudioVoice>& voice);
    // Stops the channel if `voice` still owns it; the voice is then finished.
    void stop(int channel, const AudioVoice* voice);

    // Writes the next `frames` frames of float stereo to `out`: every playing
    // channel summed in channel order, then limited.
    void mix(float* out, int frames);

    [[nodiscard]] int frequency() const { return frequency_; }
    [[nodiscard]] const std::string& driver() const { return driver_; }
    // True when sound is really heard (not the dummy or disk driver, not
    // without output).
    [[nodiscard]] bool audible() const;

private:
    // One channel: the voice playing on it (null when free) and its place.
    struct Channel {
        std::shared_ptr<AudioVoice> voice;
        SoundSamples samples;
        std::int64_t first = 0;
        std::int64_t frames = 0;
        std::int64_t at = 0;  // frames into this pass
        int loopsLeft = 0;
    };

    explicit AudioMixer(int frequency);
    int take(Channel channel);
    void mixSamples(Channel& channel, float* out, int frames);
    void mixFeed(Channel& channel, float* out, int frames);
    // Gains and peaks of one piece of a voice, then added to `out`.
    void addPiece(AudioVoice& voice, float* piece, float* out, int frames);
    static void finish(Channel& channel);
    void limit(float* samples, int frames);

    std::mutex mutex_;  // guards channels_ and what mix() writes
    std::vector<Channel> channels_;
    std::vector<float> piece_;
    int frequency_ = kFrequency;
    std::string driver_;
    float limiterGain_ = 1.0f;       // mix() only
    float releaseStep_ = 1.0f;       // per frame, towards unity gain
    std::unique_ptr<AudioOut> out_;  // last: closed first
};

}  // namespace limn::sdl

#pragma once
// The audio device and its mixing channels. Opened on first use at 44100 Hz,
// 32-bit float stereo, with a 512-frame buffer (about 11.6 ms). When no real
// device can be opened the mixer runs on SDL's silent "dummy" driver, so sounds
// still decode and channels still finish after their length.
//
// Headroom: voices are summed in floating point, so overlapping sounds never
// clip while they mix. A peak limiter on the output keeps every sample within
// kCeiling (-1 dBFS): when the sum would go above it, the whole output is
// turned down at once and comes back by 6 dB per kReleaseSeconds, instead of
// being clipped. A single sound at full volume is never touched by it.
//
// The device mixes on its own thread. Each playback shares an AudioVoice with
// it: the audio thread writes the voice's peaks, frame count and finished flag
// through atomics, the program thread reads them. Gains go the other way.
//
// A streamed playback (a voice with a feed) plays a looping silent chunk on
// its channel, and the audio thread writes the stream's samples over it, a
// buffer at a time. At the end of the stream the voice is finished, and the
// channel is halted by the next stop() from the program thread.
//
// Lifetime: shared; every sound and channel holds the mixer, so the device
// closes only after the last of them is gone.

#include <SDL_mixer.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "backend/audio/SoundStream.h"

namespace limn::sdl {

// A streamed playback's decoder and place; the audio thread alone uses it once
// the playback has started.
struct AudioFeed {
    std::unique_ptr<SoundStream> stream;
    std::int64_t start = 0;  // the frame each pass starts from
    int loopsLeft = 0;
    std::int64_t passFrames = 0;  // written since the pass began
    bool ended = false;
    // The frame of the sound last written, for the program thread.
    std::atomic<std::int64_t> at{0};
};

// State of one playback shared between the program and the audio thread.
struct AudioVoice {
    std::atomic<bool> finished{false};
    std::atomic<float> leftGain{1.0f};
    std::atomic<float> rightGain{1.0f};
    std::atomic<float> leftPeak{0.0f};
    std::atomic<float> rightPeak{0.0f};
    std::atomic<std::int64_t> framesMixed{0};
    // SDL performance counter at play and at the first mixed buffer (0: not yet).
    std::uint64_t playCounter = 0;
    std::atomic<std::uint64_t> firstMixCounter{0};
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

    // The shared mixer, opened on first call; null only when even the silent
    // driver fails (then nothing can be decoded either).
    [[nodiscard]] static std::shared_ptr<AudioMixer> shared();

    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;
    ~AudioMixer();

    // Starts `chunk` on a free channel (adding channels when all are busy).
    // `loops` extra repeats. Returns the mixer channel, or -1.
    int play(Mix_Chunk* chunk, int loops, const std::shared_ptr<AudioVoice>& voice);
    // Starts the voice's feed on a free channel; the feed does its own loops.
    // Returns the mixer channel, or -1.
    int playFeed(const std::shared_ptr<AudioVoice>& voice);
    // Stops the channel if `voice` still owns it; the voice is then finished.
    void stop(int channel, const AudioVoice* voice);

    [[nodiscard]] int frequency() const { return frequency_; }
    [[nodiscard]] const std::string& driver() const { return driver_; }
    // True when sound is really heard (not the dummy or disk driver).
    [[nodiscard]] bool audible() const;

private:
    AudioMixer() = default;
    bool open();
    int freeChannel();
    void finished(int channel);

    static void onFinished(int channel);
    static void onEffect(int channel, void* stream, int length, void* mixer);
    static void onFeed(int channel, void* stream, int length, void* voice);
    static void onOutput(void* mixer, Uint8* stream, int length);
    void limit(float* samples, int frames);

    std::mutex mutex_;
    std::vector<std::shared_ptr<AudioVoice>> voices_;  // by mixer channel; guarded by mutex_
    int frequency_ = kFrequency;
    std::string driver_;
    bool open_ = false;
    std::vector<float> silence_;  // the samples of silenceChunk_
    Mix_Chunk* silenceChunk_ = nullptr;
    float limiterGain_ = 1.0f;  // audio thread only
    float releaseStep_ = 1.0f;  // per frame, towards unity gain
};

}  // namespace limn::sdl

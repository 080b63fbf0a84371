#pragma once
// One playback of an AudioSound on its own mixer channel. A streamed sound
// opens its file again for each playback and reads it as it plays, so any
// number of them can play at once, each with its own position.
//
// startMs is the offset into the sound where playback (and every loop) starts;
// `loops` counts extra repeats. Volume (0 silent, 1 as recorded) and pan (-1
// left, 0 centre, 1 right) scale the samples before they are mixed. Peaks are
// the largest absolute sample (0 to 1) of the last buffer mixed for each side.
//
// Completion: the mixer thread sets a flag; isComplete() reads it on the
// program thread. A stopped channel counts as complete. Destroying the channel
// stops it.

#include <cstdint>
#include <memory>

#include "backend/audio/AudioSound.h"

namespace limn::sdl {

class AudioChannel final : public rt::NativeObject {
public:
    // Null when the sound is closed or no mixer channel can be had. A start
    // past the end gives a channel that is complete at once.
    [[nodiscard]] static std::shared_ptr<AudioChannel> play(const AudioSound& sound, double startMs,
                                                            int loops, double volume = 1.0,
                                                            double pan = 0.0);
    ~AudioChannel() override;

    [[nodiscard]] bool isComplete() const;
    [[nodiscard]] double leftPeak() const;
    [[nodiscard]] double rightPeak() const;
    // Milliseconds into the sound of the last buffer mixed.
    [[nodiscard]] double positionMs() const;
    void stop();
    void setTransform(double volume, double pan);
    // Seconds from play() to the first buffer in which the mixer took samples
    // of this channel; negative while it hasn't happened yet.
    [[nodiscard]] double firstMixLatency() const;

    AudioChannel() = default;  // for make_shared; use play()

private:
    static std::shared_ptr<AudioChannel> playStream(const AudioSound& sound, double startMs,
                                                    int loops, double volume, double pan);
    // A channel on the sound's mixer with its transform and the part played
    // from `startMs`; `first` receives the first frame.
    static std::shared_ptr<AudioChannel> prepare(const AudioSound& sound, double startMs,
                                                 double volume, double pan, std::int64_t& first);
    // Sets the start and the part played from `startMs`; returns the first frame.
    std::int64_t startAt(const AudioSound& sound, double startMs);

    std::shared_ptr<AudioMixer> mixer_;
    std::shared_ptr<AudioVoice> voice_;
    int channel_ = -1;
    double startMs_ = 0;
    std::int64_t partFrames_ = 0;
    std::int64_t totalFrames_ = 0;
};

}  // namespace limn::sdl

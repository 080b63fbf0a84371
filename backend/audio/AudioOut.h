#pragma once
// The device under the mixer: it takes blocks of mixed float stereo from
// AudioMixer::mix() at its own pace, one implementation per backend: SDL's
// audio device on its own thread on the desktop (backend/desktop/audio), Web
// Audio in the page (backend/web/audio), pulling on the page's thread. When
// no real output can be had, a silent one still pulls in real time, so that
// channels finish after their length.

#include <memory>
#include <string>

namespace limn::sdl {

class AudioMixer;

class AudioOut {
public:
    // The platform's output, opened but not yet pulling; null (the reason
    // logged) when not even a silent output can be had. At most one is open.
    [[nodiscard]] static std::unique_ptr<AudioOut> open();

    AudioOut() = default;
    AudioOut(const AudioOut&) = delete;
    AudioOut& operator=(const AudioOut&) = delete;
    // Stops pulling before anything is closed.
    virtual ~AudioOut() = default;

    // From now on blocks are pulled from `mixer`, which outlives this output.
    virtual void start(AudioMixer& mixer) = 0;
    // Frames per second of the output, which the mixer works at.
    [[nodiscard]] virtual int frequency() const = 0;
    [[nodiscard]] virtual const std::string& driver() const = 0;
};

}  // namespace limn::sdl

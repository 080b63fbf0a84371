// The browser's audio output: Web Audio (audio.js) pulling mixed blocks from
// AudioMixer::mix() on the page's thread. Until the page's audio context runs
// (browsers start it on the first tap) and while the page is hidden, blocks are
// pulled in real time and dropped, as the desktop's silent driver does, so that
// channels still finish after their length. Under Node there is no page: the
// output is silent and pulls nothing.
#include <emscripten.h>

#include <vector>

#include "backend/audio/AudioMixer.h"
#include "backend/audio/AudioOut.h"

extern "C" {
int limn_web_audio_open(int frequency);
void limn_web_audio_start();
void limn_web_audio_close();
}

namespace limn::sdl {

namespace {

AudioMixer* pulled = nullptr;
bool outputOpen = false;
std::vector<float> block;

class WebAudioOut final : public AudioOut {
public:
    explicit WebAudioOut(bool page) : driver_(page ? "webaudio" : "dummy") { outputOpen = true; }
    ~WebAudioOut() override {
        limn_web_audio_close();
        pulled = nullptr;
        outputOpen = false;
    }

    void start(AudioMixer& mixer) override {
        pulled = &mixer;
        limn_web_audio_start();
    }
    [[nodiscard]] int frequency() const override { return AudioMixer::kFrequency; }
    [[nodiscard]] const std::string& driver() const override { return driver_; }

private:
    std::string driver_;
};

}  // namespace

std::unique_ptr<AudioOut> AudioOut::open() {
    if (outputOpen) return nullptr;
    return std::make_unique<WebAudioOut>(limn_web_audio_open(AudioMixer::kFrequency) != 0);
}

}  // namespace limn::sdl

// The next `frames` frames of interleaved float stereo, for audio.js.
extern "C" EMSCRIPTEN_KEEPALIVE float* limn_web_audio_pull(int frames) {
    using limn::sdl::block;
    if (frames < 1) frames = 1;
    block.resize(2 * static_cast<std::size_t>(frames));
    if (limn::sdl::pulled) {
        limn::sdl::pulled->mix(block.data(), frames);
    } else {
        std::fill(block.begin(), block.end(), 0.0f);
    }
    return block.data();
}

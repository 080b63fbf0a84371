// The page the audio test drives: a one-second tone played on the shared mixer
// at load, before any tap, and said each frame ("probe: audio mixed=N
// finished=F driver=D"), so that the test sees blocks pulled in real time
// before the audio context runs, by Web Audio after the first tap, and the
// tone finishing after its length.
#include <cmath>
#include <cstdio>
#include <memory>

#include "backend/audio/AudioMixer.h"
#include "backend/audio/SoundDecoder.h"
#include "backend/web/PageShell.h"

namespace {

using limn::sdl::AudioMixer;

std::shared_ptr<AudioMixer> mixer;
std::shared_ptr<limn::sdl::AudioVoice> voice;
int frames = 0;

limn::sdl::SoundSamples tone(double seconds) {
    auto samples = std::make_shared<std::vector<float>>();
    const auto count = static_cast<std::size_t>(seconds * AudioMixer::kFrequency);
    for (std::size_t i = 0; i < count; ++i) {
        const auto v = static_cast<float>(
            0.3 * std::sin(2 * M_PI * 440 * static_cast<double>(i) / AudioMixer::kFrequency));
        samples->push_back(v);
        samples->push_back(v);
    }
    return {std::shared_ptr<const float>(samples, samples->data()),
            static_cast<std::int64_t>(count)};
}

void onEvent(const limn::native::EventRecord&) {}

void onFrame(double) {
    if (++frames % 10 != 0) return;
    std::printf("probe: audio mixed=%lld finished=%d driver=%s\n",
                static_cast<long long>(voice->framesMixed.load()), voice->finished.load() ? 1 : 0,
                mixer->driver().c_str());
}

}  // namespace

int main() {
    mixer = AudioMixer::shared();
    if (!mixer) {
        std::printf("probe: no audio output\n");
        return 1;
    }
    const auto sound = tone(1.0);
    voice = std::make_shared<limn::sdl::AudioVoice>();
    if (mixer->play(sound, 0, sound.frames, 0, voice) < 0) std::printf("probe: no channel\n");
    limn::web::PageShell::instance().start(onEvent, onFrame);
    return 0;
}

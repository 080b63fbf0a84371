// The desktop's audio output: SDL's device, opened through SDL_mixer (whose
// decoder converts sounds to the device's format), mixing on SDL's audio thread.
// SDL_mixer's own channels stay unused: the device's whole block comes from
// AudioMixer::mix(), hooked in as the mixer library's music source.
#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>

#include "backend/audio/AudioMixer.h"
#include "backend/audio/AudioOut.h"
#include "backend/base/QuitSignals.h"
#include "runtime/Log.h"

namespace limn::sdl {

namespace {

// One device at a time: SDL_mixer has a single one.
std::atomic<bool> deviceOpen{false};

bool openDevice() {
    // The device's threads leave SIGINT and SIGTERM to the program thread.
    QuitSignalsBlocked quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // No format changes allowed: SDL converts, so the mixer always sees float stereo.
    if (Mix_OpenAudioDevice(AudioMixer::kFrequency, AUDIO_F32SYS, 2, AudioMixer::kBufferFrames,
                            nullptr, 0) == 0) {
        return true;
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

class SdlAudioOut final : public AudioOut {
public:
    SdlAudioOut() {
        Mix_Init(MIX_INIT_FLAC | MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_OPUS | MIX_INIT_MOD);
        int frequency = 0;
        Uint16 format = 0;
        int channels = 0;
        Mix_QuerySpec(&frequency, &format, &channels);
        frequency_ = frequency > 0 ? frequency : AudioMixer::kFrequency;
        const char* name = SDL_GetCurrentAudioDriver();
        driver_ = name ? name : "";
        rt::log::info("audio on driver " + driver_ + " at " + std::to_string(frequency_) + " Hz");
    }

    ~SdlAudioOut() override {
        Mix_HookMusic(nullptr, nullptr);
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        deviceOpen = false;
    }

    void start(AudioMixer& mixer) override { Mix_HookMusic(&SdlAudioOut::pull, &mixer); }
    [[nodiscard]] int frequency() const override { return frequency_; }
    [[nodiscard]] const std::string& driver() const override { return driver_; }

private:
    static void pull(void* mixer, Uint8* stream, int length) {
        static_cast<AudioMixer*>(mixer)->mix(reinterpret_cast<float*>(stream),
                                             length / AudioMixer::kFrameBytes);
    }

    int frequency_ = AudioMixer::kFrequency;
    std::string driver_;
};

}  // namespace

std::unique_ptr<AudioOut> AudioOut::open() {
    if (deviceOpen.exchange(true)) return nullptr;
    if (!openDevice()) {
        // No usable device: mix on the silent driver so that timing still holds.
        const std::string why = SDL_GetError();
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        if (!openDevice()) {
            rt::log::error("no audio output at all (" + why + "; silent driver: " + SDL_GetError() +
                           ")");
            deviceOpen = false;
            return nullptr;
        }
        rt::log::warn("no audio device (" + why + "); sounds play silently");
    }
    return std::make_unique<SdlAudioOut>();
}

}  // namespace limn::sdl

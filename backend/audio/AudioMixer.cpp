#include "backend/audio/AudioMixer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "runtime/Log.h"

#include "backend/base/QuitSignals.h"

namespace limn::sdl {

namespace {

// The mixer whose device is open; the channel-finished hook has no user data.
std::atomic<AudioMixer*> liveMixer{nullptr};

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

}  // namespace

std::shared_ptr<AudioMixer> AudioMixer::shared() {
    static std::weak_ptr<AudioMixer> current;
    static std::mutex opening;
    std::lock_guard lock(opening);
    if (auto mixer = current.lock()) return mixer;
    std::shared_ptr<AudioMixer> mixer(new AudioMixer());
    if (!mixer->open()) return nullptr;
    current = mixer;
    return mixer;
}

bool AudioMixer::open() {
    if (liveMixer.load() != nullptr) return false;
    if (!openDevice()) {
        // No usable device: mix on the silent driver so that timing still holds.
        const std::string why = SDL_GetError();
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        if (!openDevice()) {
            rt::log::error("no audio output at all (" + why + "; silent driver: " + SDL_GetError() +
                           ")");
            return false;
        }
        rt::log::warn("no audio device (" + why + "); sounds play silently");
    }
    Mix_Init(MIX_INIT_FLAC | MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_OPUS | MIX_INIT_MOD);
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    frequency_ = frequency > 0 ? frequency : kFrequency;
    const char* name = SDL_GetCurrentAudioDriver();
    driver_ = name ? name : "";
    rt::log::info("audio on driver " + driver_ + " at " + std::to_string(frequency_) + " Hz");
    voices_.resize(static_cast<std::size_t>(Mix_AllocateChannels(16)));
    silence_.assign(2 * kBufferFrames, 0.0f);
    silenceChunk_ = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(silence_.data()),
                                      static_cast<Uint32>(silence_.size() * sizeof(float)));
    // The gain comes back by half (6 dB) per release time.
    releaseStep_ = std::pow(0.5f, 1.0f / (kReleaseSeconds * static_cast<float>(frequency_)));
    liveMixer = this;
    Mix_ChannelFinished(&AudioMixer::onFinished);
    Mix_SetPostMix(&AudioMixer::onOutput, this);
    open_ = true;
    return true;
}

AudioMixer::~AudioMixer() {
    if (!open_) return;
    Mix_SetPostMix(nullptr, nullptr);
    if (silenceChunk_) Mix_FreeChunk(silenceChunk_);
    // Closing halts every channel, which still reports through onFinished.
    Mix_CloseAudio();
    Mix_ChannelFinished(nullptr);
    liveMixer = nullptr;
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioMixer::audible() const {
    return driver_ != "dummy" && driver_ != "disk";
}

int AudioMixer::play(Mix_Chunk* chunk, int loops, const std::shared_ptr<AudioVoice>& voice) {
    const int channel = freeChannel();
    if (channel < 0) return -1;
    {
        std::lock_guard lock(mutex_);
        voices_[static_cast<std::size_t>(channel)] = voice;
    }
    voice->playCounter = SDL_GetPerformanceCounter();
    // The voice outlives every call of its effects: the slot holds it until the
    // channel has finished, and effects are dropped when a channel finishes.
    // Effects run in the order registered: the feed writes, then gains apply.
    const bool fed =
        !voice->feed || Mix_RegisterEffect(channel, &AudioMixer::onFeed, nullptr, voice.get()) != 0;
    if (!fed || Mix_RegisterEffect(channel, &AudioMixer::onEffect, nullptr, voice.get()) == 0 ||
        Mix_PlayChannel(channel, chunk, voice->feed ? -1 : std::max(loops, 0)) < 0) {
        Mix_UnregisterAllEffects(channel);
        std::lock_guard lock(mutex_);
        voices_[static_cast<std::size_t>(channel)].reset();
        return -1;
    }
    return channel;
}

int AudioMixer::playFeed(const std::shared_ptr<AudioVoice>& voice) {
    if (!voice->feed || !silenceChunk_) return -1;
    return play(silenceChunk_, 0, voice);
}

void AudioMixer::stop(int channel, const AudioVoice* voice) {
    if (channel < 0) return;
    bool owned = false;
    {
        std::lock_guard lock(mutex_);
        owned = static_cast<std::size_t>(channel) < voices_.size() &&
                voices_[static_cast<std::size_t>(channel)].get() == voice;
    }
    // Never call the mixer while holding the lock: its callbacks take it too.
    if (owned) Mix_HaltChannel(channel);
}

int AudioMixer::freeChannel() {
    std::size_t count = 0;
    {
        std::lock_guard lock(mutex_);
        auto it = std::find(voices_.begin(), voices_.end(), nullptr);
        if (it != voices_.end()) return static_cast<int>(it - voices_.begin());
        count = voices_.size();
    }
    if (count >= kMaxChannels) return -1;
    const int grown =
        Mix_AllocateChannels(static_cast<int>(std::min<std::size_t>(count * 2, kMaxChannels)));
    std::lock_guard lock(mutex_);
    voices_.resize(static_cast<std::size_t>(grown));
    return count < voices_.size() ? static_cast<int>(count) : -1;
}

void AudioMixer::finished(int channel) {
    std::shared_ptr<AudioVoice> voice;
    {
        std::lock_guard lock(mutex_);
        if (channel < 0 || static_cast<std::size_t>(channel) >= voices_.size()) return;
        voice = std::move(voices_[static_cast<std::size_t>(channel)]);
        voices_[static_cast<std::size_t>(channel)].reset();
    }
    if (!voice) return;
    voice->leftPeak = 0.0f;
    voice->rightPeak = 0.0f;
    voice->finished = true;
}

void AudioMixer::onFinished(int channel) {
    if (AudioMixer* mixer = liveMixer.load()) mixer->finished(channel);
}

void AudioMixer::onEffect(int, void* stream, int length, void* data) {
    auto* voice = static_cast<AudioVoice*>(data);
    auto* samples = static_cast<float*>(stream);
    const int frames = length / kFrameBytes;
    const float left = voice->leftGain.load(std::memory_order_relaxed);
    const float right = voice->rightGain.load(std::memory_order_relaxed);
    float leftPeak = 0;
    float rightPeak = 0;
    for (int i = 0; i < frames; ++i) {
        samples[2 * i] *= left;
        samples[2 * i + 1] *= right;
        leftPeak = std::max(leftPeak, std::abs(samples[2 * i]));
        rightPeak = std::max(rightPeak, std::abs(samples[2 * i + 1]));
    }
    voice->leftPeak = std::min(leftPeak, 1.0f);
    voice->rightPeak = std::min(rightPeak, 1.0f);
    voice->framesMixed += frames;
    std::uint64_t none = 0;
    voice->firstMixCounter.compare_exchange_strong(none, SDL_GetPerformanceCounter());
}

// Writes the next samples of the stream over the channel's silence, looping
// back to the start frame as often as asked; silence once it has ended.
void AudioMixer::onFeed(int, void* stream, int length, void* data) {
    auto* voice = static_cast<AudioVoice*>(data);
    AudioFeed& feed = *voice->feed;
    auto* samples = static_cast<float*>(stream);
    const int frames = length / kFrameBytes;
    int done = 0;
    while (done < frames && !feed.ended) {
        const int got = feed.stream->read(samples + 2 * done, frames - done);
        done += got;
        feed.at += got;
        feed.passFrames += got;
        if (done == frames) break;
        // A pass that gave nothing would loop for ever.
        const bool rewound =
            feed.passFrames > 0 && feed.loopsLeft > 0 && feed.stream->seek(feed.start);
        if (rewound) {
            --feed.loopsLeft;
            feed.passFrames = 0;
            feed.at = feed.start;
        } else {
            feed.ended = true;
            voice->finished = true;
        }
    }
    std::fill(samples + 2 * done, samples + 2 * frames, 0.0f);
}

void AudioMixer::onOutput(void* mixer, Uint8* stream, int length) {
    static_cast<AudioMixer*>(mixer)->limit(reinterpret_cast<float*>(stream), length / kFrameBytes);
}

// Instant attack (no sample ever above the ceiling), exponential release; both
// sides share one gain so that the stereo picture holds.
void AudioMixer::limit(float* samples, int frames) {
    float gain = limiterGain_;
    for (int i = 0; i < frames; ++i) {
        float& left = samples[2 * i];
        float& right = samples[2 * i + 1];
        // Not-a-number from a broken source would stick in the gain: silence it.
        if (!std::isfinite(left)) left = 0;
        if (!std::isfinite(right)) right = 0;
        gain = std::min(1.0f, gain / releaseStep_);
        const float peak = std::max(std::abs(left), std::abs(right)) * gain;
        if (peak > kCeiling) gain *= kCeiling / peak;
        left *= gain;
        right *= gain;
    }
    limiterGain_ = gain;
}

}  // namespace limn::sdl

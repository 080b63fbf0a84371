#include "backend/audio/AudioMixer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace limn::sdl {

namespace {

constexpr std::size_t kFirstChannels = 16;

}  // namespace

std::shared_ptr<AudioMixer> AudioMixer::shared() {
    static std::weak_ptr<AudioMixer> current;
    static std::mutex opening;
    std::lock_guard lock(opening);
    if (auto mixer = current.lock()) return mixer;
    auto out = AudioOut::open();
    if (!out) return nullptr;
    std::shared_ptr<AudioMixer> mixer(new AudioMixer(out->frequency()));
    mixer->driver_ = out->driver();
    mixer->out_ = std::move(out);
    mixer->out_->start(*mixer);
    current = mixer;
    return mixer;
}

std::shared_ptr<AudioMixer> AudioMixer::withoutOutput(int frequency) {
    return std::shared_ptr<AudioMixer>(new AudioMixer(frequency > 0 ? frequency : kFrequency));
}

std::int64_t AudioMixer::now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

AudioMixer::AudioMixer(int frequency) : channels_(kFirstChannels), frequency_(frequency) {
    piece_.resize(2 * kBufferFrames);
    // The gain comes back by half (6 dB) per release time.
    releaseStep_ = std::pow(0.5f, 1.0f / (kReleaseSeconds * static_cast<float>(frequency_)));
}

AudioMixer::~AudioMixer() {
    // No more pulls from here on.
    out_.reset();
}

bool AudioMixer::audible() const {
    return out_ && driver_ != "dummy" && driver_ != "disk";
}

int AudioMixer::take(Channel channel) {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(channels_.begin(), channels_.end(),
                           [](const Channel& c) { return c.voice == nullptr; });
    if (it == channels_.end()) {
        const std::size_t count = channels_.size();
        if (count >= kMaxChannels) return -1;
        channels_.resize(std::min<std::size_t>(count * 2, kMaxChannels));
        it = channels_.begin() + static_cast<std::ptrdiff_t>(count);
    }
    channel.voice->playTime = now();
    *it = std::move(channel);
    return static_cast<int>(it - channels_.begin());
}

int AudioMixer::play(const SoundSamples& samples, std::int64_t first, std::int64_t frames,
                     int loops, const std::shared_ptr<AudioVoice>& voice) {
    if (!samples || !voice || first < 0 || frames <= 0 || first + frames > samples.frames) {
        return -1;
    }
    return take({voice, samples, first, frames, 0, std::max(loops, 0)});
}

int AudioMixer::playFeed(const std::shared_ptr<AudioVoice>& voice) {
    if (!voice || !voice->feed) return -1;
    return take({voice, {}, 0, 0, 0, 0});
}

void AudioMixer::stop(int channel, const AudioVoice* voice) {
    if (channel < 0) return;
    std::lock_guard lock(mutex_);
    if (static_cast<std::size_t>(channel) >= channels_.size()) return;
    Channel& c = channels_[static_cast<std::size_t>(channel)];
    if (c.voice.get() == voice) finish(c);
}

void AudioMixer::finish(Channel& channel) {
    channel.voice->leftPeak = 0.0f;
    channel.voice->rightPeak = 0.0f;
    channel.voice->finished = true;
    channel = {};
}

void AudioMixer::mix(float* out, int frames) {
    std::fill(out, out + 2 * static_cast<std::ptrdiff_t>(frames), 0.0f);
    {
        std::lock_guard lock(mutex_);
        if (piece_.size() < 2 * static_cast<std::size_t>(frames)) {
            piece_.resize(2 * static_cast<std::size_t>(frames));
        }
        for (Channel& channel : channels_) {
            if (!channel.voice) continue;
            if (channel.voice->feed) {
                mixFeed(channel, out, frames);
            } else {
                mixSamples(channel, out, frames);
            }
        }
    }
    limit(out, frames);
}

// The sound's frames from where the channel is, through its loops; the channel
// is finished as soon as its last pass ends.
void AudioMixer::mixSamples(Channel& channel, float* out, int frames) {
    int done = 0;
    while (done < frames && channel.voice) {
        const auto piece =
            static_cast<int>(std::min<std::int64_t>(frames - done, channel.frames - channel.at));
        const float* from = channel.samples.data.get() + 2 * (channel.first + channel.at);
        std::copy(from, from + 2 * piece, piece_.data());
        addPiece(*channel.voice, piece_.data(), out + 2 * done, piece);
        done += piece;
        channel.at += piece;
        if (channel.at < channel.frames) continue;
        if (channel.loopsLeft > 0) {
            --channel.loopsLeft;
            channel.at = 0;
        } else {
            finish(channel);
        }
    }
}

// Writes the next samples of the stream, looping back to the start frame as
// often as asked; silence once it has ended (until the program stops it).
void AudioMixer::mixFeed(Channel& channel, float* out, int frames) {
    AudioVoice& voice = *channel.voice;
    AudioFeed& feed = *voice.feed;
    float* samples = piece_.data();
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
            voice.finished = true;
        }
    }
    std::fill(samples + 2 * done, samples + 2 * frames, 0.0f);
    addPiece(voice, samples, out, frames);
}

void AudioMixer::addPiece(AudioVoice& voice, float* piece, float* out, int frames) {
    const float left = voice.leftGain.load(std::memory_order_relaxed);
    const float right = voice.rightGain.load(std::memory_order_relaxed);
    float leftPeak = 0;
    float rightPeak = 0;
    for (int i = 0; i < frames; ++i) {
        piece[2 * i] *= left;
        piece[2 * i + 1] *= right;
        leftPeak = std::max(leftPeak, std::abs(piece[2 * i]));
        rightPeak = std::max(rightPeak, std::abs(piece[2 * i + 1]));
        out[2 * i] += piece[2 * i];
        out[2 * i + 1] += piece[2 * i + 1];
    }
    voice.leftPeak = std::min(leftPeak, 1.0f);
    voice.rightPeak = std::min(rightPeak, 1.0f);
    voice.framesMixed += frames;
    std::int64_t none = 0;
    voice.firstMixTime.compare_exchange_strong(none, now());
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

#include "backend/audio/AudioChannel.h"

#include <algorithm>
#include <cmath>

namespace limn::sdl {

std::shared_ptr<AudioChannel> AudioChannel::play(const AudioSound& sound, double startMs, int loops,
                                                 double volume, double pan) {
    if (sound.streamed()) return playStream(sound, startMs, loops, volume, pan);
    if (!sound.samples() || !sound.mixer()) return nullptr;
    std::int64_t first = 0;
    auto channel = prepare(sound, startMs, volume, pan, first);
    if (channel->partFrames_ <= 0) return channel;
    // The channel on the mixer keeps the sound's samples alive.
    channel->channel_ =
        channel->mixer_->play(sound.samples(), first, channel->partFrames_, loops, channel->voice_);
    if (channel->channel_ < 0) return nullptr;
    return channel;
}

std::shared_ptr<AudioChannel> AudioChannel::playStream(const AudioSound& sound, double startMs,
                                                       int loops, double volume, double pan) {
    if (sound.streamPath().empty() || !sound.mixer()) return nullptr;
    std::int64_t first = 0;
    auto channel = prepare(sound, startMs, volume, pan, first);
    if (channel->partFrames_ <= 0) return channel;
    std::string reason;
    auto stream = SoundStream::open(sound.streamPath(), channel->mixer_->frequency(), reason);
    if (!stream || !stream->seek(first)) return nullptr;
    auto feed = std::make_unique<AudioFeed>();
    feed->stream = std::move(stream);
    feed->start = first;
    feed->loopsLeft = std::max(loops, 0);
    feed->at = first;
    channel->voice_->feed = std::move(feed);
    channel->channel_ = channel->mixer_->playFeed(channel->voice_);
    if (channel->channel_ < 0) return nullptr;
    return channel;
}

std::shared_ptr<AudioChannel> AudioChannel::prepare(const AudioSound& sound, double startMs,
                                                    double volume, double pan,
                                                    std::int64_t& first) {
    auto channel = std::make_shared<AudioChannel>();
    channel->mixer_ = sound.mixer();
    channel->voice_ = std::make_shared<AudioVoice>();
    channel->setTransform(volume, pan);
    first = channel->startAt(sound, startMs);
    // Nothing left to play after the start: the playback is over at once.
    if (channel->partFrames_ <= 0) channel->voice_->finished = true;
    return channel;
}

std::int64_t AudioChannel::startAt(const AudioSound& sound, double startMs) {
    const double frequency = mixer_->frequency();
    const std::int64_t total = sound.frames();
    const double wanted = std::isfinite(startMs) ? std::max(startMs, 0.0) : 0.0;
    const auto first =
        static_cast<std::int64_t>(std::min<double>(wanted * frequency / 1000.0, double(total)));
    startMs_ = static_cast<double>(first) * 1000.0 / frequency;
    partFrames_ = total - first;
    totalFrames_ = total;
    return first;
}

AudioChannel::~AudioChannel() {
    stop();
}

bool AudioChannel::isComplete() const {
    const bool finished = voice_->finished.load();
    // A stream that has ended still holds its (silent) mixer channel: free it.
    if (finished && voice_->feed && mixer_) mixer_->stop(channel_, voice_.get());
    return finished;
}

double AudioChannel::leftPeak() const {
    return isComplete() ? 0.0 : voice_->leftPeak.load();
}

double AudioChannel::rightPeak() const {
    return isComplete() ? 0.0 : voice_->rightPeak.load();
}

double AudioChannel::positionMs() const {
    if (voice_->feed) {
        const std::int64_t at = std::min(voice_->feed->at.load(), totalFrames_);
        return static_cast<double>(at) * 1000.0 / mixer_->frequency();
    }
    const std::int64_t mixed = voice_->framesMixed.load();
    if (partFrames_ <= 0) return startMs_;
    std::int64_t into = mixed % partFrames_;
    // At the exact end of a pass the position is the end, not the start.
    if (into == 0 && mixed > 0) into = partFrames_;
    return startMs_ + static_cast<double>(into) * 1000.0 / mixer_->frequency();
}

void AudioChannel::stop() {
    if (mixer_ && voice_) mixer_->stop(channel_, voice_.get());
    if (voice_) voice_->finished = true;
}

void AudioChannel::setTransform(double volume, double pan) {
    const double v = std::isfinite(volume) ? std::max(volume, 0.0) : 1.0;
    const double p = std::isfinite(pan) ? std::clamp(pan, -1.0, 1.0) : 0.0;
    voice_->leftGain = static_cast<float>(v * (p > 0 ? 1.0 - p : 1.0));
    voice_->rightGain = static_cast<float>(v * (p < 0 ? 1.0 + p : 1.0));
}

double AudioChannel::firstMixLatency() const {
    const std::int64_t first = voice_->firstMixTime.load();
    if (first == 0) return -1.0;
    return static_cast<double>(first - voice_->playTime) / 1e9;
}

}  // namespace limn::sdl

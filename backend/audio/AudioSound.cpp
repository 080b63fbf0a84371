#include "backend/audio/AudioSound.h"

#include <filesystem>
#include <fstream>

#include "backend/audio/SoundDecoder.h"
#include "backend/audio/SoundFormat.h"
#include "backend/audio/SoundStream.h"
#include "runtime/Log.h"

namespace limn::sdl {

namespace {

// Of a streamed file only its start (ID3v2, RIFF chunks before the samples)
// and its ID3v1 trailer are read for tags.
constexpr std::uint64_t kTagHeadBytes = 256u << 10;
constexpr std::uint64_t kTagTailBytes = 128;

std::vector<std::uint8_t> readFile(const std::string& path, std::string& reason) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        reason = std::filesystem::exists(path, error) ? "not a regular file" : "no such file";
        return {};
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > AudioSound::kMaxFileBytes) {
        reason = error       ? error.message()
                 : size == 0 ? "the file is empty"
                             : "the file is too large";
        return {};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        reason = "the file could not be read";
        return {};
    }
    return bytes;
}

std::vector<std::uint8_t> readPart(std::ifstream& in, std::uint64_t at, std::uint64_t count) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    in.seekg(static_cast<std::streamoff>(at));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    in.clear();
    return bytes;
}

AudioTags tagsOfFile(const std::string& path, std::uint64_t size) {
    std::ifstream in(path, std::ios::binary);
    AudioTags tags = AudioTags::read(readPart(in, 0, std::min(size, kTagHeadBytes)));
    if (size <= kTagHeadBytes) return tags;
    const std::uint64_t tail = std::min(size - kTagHeadBytes, kTagTailBytes);
    const AudioTags end = AudioTags::read(readPart(in, size - tail, tail));
    for (auto field :
         {&AudioTags::album, &AudioTags::artist, &AudioTags::comment, &AudioTags::genre,
          &AudioTags::songName, &AudioTags::track, &AudioTags::year}) {
        if (!(tags.*field)) tags.*field = end.*field;
    }
    return tags;
}

}  // namespace

std::shared_ptr<AudioSound> AudioSound::fromFile(const std::string& path, bool asMusic) {
    std::string reason;
    if (asMusic) {
        if (auto sound = stream(path, reason)) return sound;
        // Music the stream can't read is decoded whole, within the usual caps.
        rt::log::info("sound " + path + " is not streamed: " + reason);
    }
    const std::vector<std::uint8_t> bytes = readFile(path, reason);
    auto sound = bytes.empty() ? nullptr : decode(bytes, reason);
    if (!sound) rt::log::warn("could not load sound " + path + ": " + reason);
    return sound;
}

std::shared_ptr<AudioSound> AudioSound::fromBytes(std::span<const std::uint8_t> bytes) {
    std::string reason;
    auto sound = decode(bytes, reason);
    if (!sound)
        rt::log::warn("could not decode a sound of " + std::to_string(bytes.size()) +
                      " bytes: " + reason);
    return sound;
}

std::shared_ptr<AudioSound> AudioSound::decode(std::span<const std::uint8_t> bytes,
                                               std::string& reason) {
    if (bytes.empty() || bytes.size() > kMaxFileBytes) {
        reason = bytes.empty() ? "no data" : "too large";
        return nullptr;
    }
    // Refused before the decoder sees them: other formats, and lengths past the cap.
    if (!SoundFormat::accepted(bytes)) {
        reason = SoundFormat::kind(bytes) == SoundFormat::Kind::Other
                     ? "not a WAV or Ogg Vorbis sound"
                     : "a damaged header, or longer than " +
                           std::to_string(static_cast<int>(SoundFormat::kMaxSeconds)) + " s";
        return nullptr;
    }
    auto mixer = AudioMixer::shared();
    if (!mixer) {
        reason = "no audio output could be opened";
        return nullptr;
    }
    // The decoder allocates what the sizes claim: hand it the true ones.
    std::vector<std::uint8_t> trimmed;
    std::span<const std::uint8_t> input = bytes;
    if (SoundFormat::claimsMoreThanItHolds(bytes)) {
        trimmed = SoundFormat::withTrueSizes(bytes);
        input = trimmed;
    }
    SoundSamples samples = SoundDecoder::decode(input, mixer->frequency(), reason);
    if (!samples) return nullptr;
    // A stream that lied about its length is dropped once its true size shows.
    const double limit = SoundFormat::kMaxSeconds * 1.01 * mixer->frequency();
    if (static_cast<double>(samples.frames) > limit) {
        reason = "it decodes to more than the length cap";
        return nullptr;
    }
    auto sound = std::make_shared<AudioSound>();
    sound->mixer_ = std::move(mixer);
    sound->samples_ = std::move(samples);
    sound->bytesTotal_ = static_cast<std::int64_t>(bytes.size());
    sound->tags_ = AudioTags::read(bytes);
    return sound;
}

std::shared_ptr<AudioSound> AudioSound::stream(const std::string& path, std::string& reason) {
    auto mixer = AudioMixer::shared();
    if (!mixer) {
        reason = "no audio output could be opened";
        return nullptr;
    }
    const auto stream = SoundStream::open(path, mixer->frequency(), reason);
    if (!stream) return nullptr;
    std::error_code error;
    const std::uint64_t size = std::filesystem::file_size(path, error);
    auto sound = std::make_shared<AudioSound>();
    sound->mixer_ = std::move(mixer);
    sound->streamed_ = true;
    sound->streamPath_ = path;
    sound->streamFrames_ = stream->frames();
    sound->bytesTotal_ = error ? 0 : static_cast<std::int64_t>(size);
    sound->tags_ = tagsOfFile(path, error ? 0 : size);
    return sound;
}

std::int64_t AudioSound::frames() const {
    if (streamed_) return streamPath_.empty() ? 0 : streamFrames_;
    return samples_.frames;
}

double AudioSound::lengthMs() const {
    return static_cast<double>(frames()) * 1000.0 / mixer_->frequency();
}

}  // namespace limn::sdl

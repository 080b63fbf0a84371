#pragma once
// A sound ready to play, in one of two forms:
// - decoded whole into the mixer's format (44100 Hz, float stereo) at load
//   time: WAV or Ogg Vorbis of at most SoundFormat::kMaxSeconds (other formats
//   are refused, see SoundFormat.h);
// - streamed (music): a WAV of PCM or float samples or an Ogg Vorbis file of
//   any length, of which loading reads only the length and the tags; each
//   playback reads the file again as it plays (see SoundStream.h), so memory
//   doesn't grow with the length. Music in other encodings is decoded whole.
// Either way loading is over when fromFile returns, so bytesLoaded always
// equals bytesTotal.
//
// Lifetime: the handle of "limn_sound_from_file". close() drops the samples
// (or the file's name) for new plays; channels already playing keep theirs.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "backend/audio/AudioMixer.h"
#include "backend/audio/AudioTags.h"
#include "runtime/Dynamic.h"

namespace limn::sdl {

class AudioSound final : public rt::NativeObject {
public:
    // Files above this size are refused rather than read.
    static constexpr std::size_t kMaxFileBytes = 256u << 20;

    // Null when the file can't be read, is empty or too large, or doesn't decode;
    // the reason is then logged (rt::log, "limn: could not load sound ...").
    // With `asMusic` the file is streamed when its format allows.
    [[nodiscard]] static std::shared_ptr<AudioSound> fromFile(const std::string& path,
                                                              bool asMusic = false);
    [[nodiscard]] static std::shared_ptr<AudioSound> fromBytes(std::span<const std::uint8_t> bytes);

    // Length in milliseconds; 0 once closed.
    [[nodiscard]] double lengthMs() const;
    // Length in frames of the mixer's rate; 0 once closed.
    [[nodiscard]] std::int64_t frames() const;
    // True for a streamed sound; `streamPath` is then its file (empty once closed).
    [[nodiscard]] bool streamed() const { return streamed_; }
    [[nodiscard]] const std::string& streamPath() const { return streamPath_; }
    [[nodiscard]] std::int64_t bytesTotal() const { return bytesTotal_; }
    [[nodiscard]] const AudioTags& tags() const { return tags_; }
    // The decoded samples, empty once closed.
    [[nodiscard]] const SoundSamples& samples() const { return samples_; }
    [[nodiscard]] const std::shared_ptr<AudioMixer>& mixer() const { return mixer_; }
    void close() {
        samples_ = {};
        streamPath_.clear();
    }

private:
    static std::shared_ptr<AudioSound> stream(const std::string& path, std::string& reason);
    // fromBytes without the log: null with `reason` set on failure.
    static std::shared_ptr<AudioSound> decode(std::span<const std::uint8_t> bytes,
                                              std::string& reason);

    std::shared_ptr<AudioMixer> mixer_;  // declared first: outlives the samples
    SoundSamples samples_;
    bool streamed_ = false;
    std::string streamPath_;
    std::int64_t streamFrames_ = 0;
    std::int64_t bytesTotal_ = 0;
    AudioTags tags_;
};

}  // namespace limn::sdl

#pragma once
// A sound decoded whole into the mixer's format (44100 Hz, float stereo) at
// load time: WAV or Ogg Vorbis of at most SoundFormat::kMaxSeconds (other
// formats are refused, see SoundFormat.h). The file's bytes are read once;
// loading never streams, so bytesLoaded always equals bytesTotal.
//
// Lifetime: the handle of "limn_sound_from_file". close() drops the samples
// for new plays; channels already playing keep their own reference.

#include <SDL_mixer.h>

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
    [[nodiscard]] static std::shared_ptr<AudioSound> fromFile(const std::string& path);
    [[nodiscard]] static std::shared_ptr<AudioSound> fromBytes(std::span<const std::uint8_t> bytes);

    // Length in milliseconds; 0 once closed.
    [[nodiscard]] double lengthMs() const;
    [[nodiscard]] std::int64_t frames() const;
    [[nodiscard]] std::int64_t bytesTotal() const { return bytesTotal_; }
    [[nodiscard]] const AudioTags& tags() const { return tags_; }
    // The decoded samples, null once closed.
    [[nodiscard]] const std::shared_ptr<Mix_Chunk>& chunk() const { return chunk_; }
    [[nodiscard]] const std::shared_ptr<AudioMixer>& mixer() const { return mixer_; }
    void close() { chunk_.reset(); }

private:
    // fromBytes without the log: null with `reason` set on failure.
    static std::shared_ptr<AudioSound> decode(std::span<const std::uint8_t> bytes,
                                              std::string& reason);

    std::shared_ptr<AudioMixer> mixer_;  // declared first: outlives the chunk
    std::shared_ptr<Mix_Chunk> chunk_;
    std::int64_t bytesTotal_ = 0;
    AudioTags tags_;
};

}  // namespace limn::sdl

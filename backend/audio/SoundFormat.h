#pragma once
// Which sound files are handed to the decoder, read from their headers first.
//
// Only the formats the program needs are accepted: WAV (RIFF/WAVE holding PCM,
// float, A-law, mu-law or ADPCM samples) and Ogg Vorbis. Everything else the
// mixer library could decode (AIFF, VOC, FLAC, MP3, Opus, modules, MIDI) is
// refused on purpose: those decoders are where damaged files leak memory or
// run away (a 2 KB module decodes for ever), and nothing here uses them.
//
// The decoded length is capped at kMaxSeconds, about 212 MB of the mixer's
// float stereo: for WAV it follows from the format and the data actually
// present (a file claiming 1 Hz plays for hours), for Ogg from the position
// its last page declares.
//
//   if (!SoundFormat::accepted(bytes)) return nullptr;  // before decoding

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace limn::sdl {

class SoundFormat {
public:
    static constexpr double kMaxSeconds = 600;

    enum class Kind { Other, Wav, OggVorbis };

    [[nodiscard]] static Kind kind(std::span<const std::uint8_t> bytes);
    // The length the decoder will produce, as the headers tell it; nullopt when
    // they don't (a damaged or unsupported header).
    [[nodiscard]] static std::optional<double> declaredSeconds(std::span<const std::uint8_t> bytes);
    // A WAV or Ogg Vorbis file whose declared length is within the cap.
    [[nodiscard]] static bool accepted(std::span<const std::uint8_t> bytes);
    // True when a WAV's RIFF or chunk sizes claim more bytes than the file
    // holds; the decoder allocates what they claim (gigabytes for a few bytes).
    [[nodiscard]] static bool claimsMoreThanItHolds(std::span<const std::uint8_t> bytes);
    // A copy of such a WAV with every size cut to what is there, so that a
    // truncated file still plays what it has.
    [[nodiscard]] static std::vector<std::uint8_t> withTrueSizes(
        std::span<const std::uint8_t> bytes);
};

}  // namespace limn::sdl

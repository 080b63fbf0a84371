#pragma once
// The backend's sound decoder: a whole WAV or Ogg Vorbis file to the mixer's
// format (float stereo at `frequency`), synchronously. AudioSound is its caller:
// it has checked the format and the declared length (SoundFormat) and cut sizes
// that claim more than the file holds. Each backend links one implementation:
// the desktop's (backend/desktop/audio, SDL_mixer's decoder, which needs the
// shared mixer's output open) or the browser's (backend/web/audio, our WAV
// reader and stb_vorbis in WebAssembly).

#include <cstdint>
#include <span>
#include <string>

#include "backend/audio/SoundSamples.h"

namespace limn::sdl {

class SoundDecoder {
public:
    // The samples, or empty ones with `reason` set.
    [[nodiscard]] static SoundSamples decode(std::span<const std::uint8_t> bytes, int frequency,
                                             std::string& reason);
};

}  // namespace limn::sdl

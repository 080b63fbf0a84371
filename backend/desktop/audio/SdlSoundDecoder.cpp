// The desktop's sound decoder: SDL_mixer's, converting to the open device's
// format (float stereo at its rate).
#include <SDL_mixer.h>

#include "backend/audio/SoundDecoder.h"

namespace limn::sdl {

SoundSamples SoundDecoder::decode(std::span<const std::uint8_t> bytes, int, std::string& reason) {
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!source) {
        reason = SDL_GetError();
        return {};
    }
    Mix_Chunk* decoded = Mix_LoadWAV_RW(source, 1);
    if (!decoded) {
        reason = Mix_GetError();
        return {};
    }
    const std::shared_ptr<Mix_Chunk> chunk(decoded, &Mix_FreeChunk);
    // The samples point into the chunk, which they keep.
    return {std::shared_ptr<const float>(chunk, reinterpret_cast<const float*>(chunk->abuf)),
            static_cast<std::int64_t>(chunk->alen) / 8};
}

}  // namespace limn::sdl

// The browser's sound decoder: our WAV reader and stb_vorbis (SoundDecode), in
// WebAssembly.
#include <memory>

#include "backend/audio/SoundDecoder.h"
#include "backend/audio/SoundFormat.h"
#include "backend/web/audio/SoundDecode.h"

namespace limn::sdl {

SoundSamples SoundDecoder::decode(std::span<const std::uint8_t> bytes, int frequency,
                                  std::string& reason) {
    // The desktop's decoder lets a little over the cap through, to be refused by
    // its caller: so does this one.
    auto samples = std::make_shared<std::vector<float>>(
        web::SoundDecode::decode(bytes, frequency, SoundFormat::kMaxSeconds * 1.02, reason));
    if (samples->empty()) return {};
    const auto frames = static_cast<std::int64_t>(samples->size() / 2);
    return {std::shared_ptr<const float>(samples, samples->data()), frames};
}

}  // namespace limn::sdl

// The page streams no sound from files: music is decoded whole when it loads,
// within the usual caps (AudioSound falls back to that when open() refuses).
#include "backend/audio/SoundStream.h"

namespace limn::sdl {

class SoundStream::Source {};
class SoundStream::Converter {};

std::unique_ptr<SoundStream> SoundStream::open(const std::string&, int, std::string& reason) {
    reason = "the page decodes music whole";
    return nullptr;
}

SoundStream::~SoundStream() = default;

std::int64_t SoundStream::frames() const {
    return 0;
}

bool SoundStream::seek(std::int64_t) {
    return false;
}

int SoundStream::read(float*, int) {
    return 0;
}

}  // namespace limn::sdl

#include "backend/audio/AudioSound.h"

#include <filesystem>
#include <fstream>

namespace limn::sdl {

namespace {

// One frame of the mixer's format: two 16-bit samples.
constexpr std::int64_t kFrameBytes = 4;

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    const auto size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > AudioSound::kMaxFileBytes) return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return {};
    return bytes;
}

}  // namespace

std::shared_ptr<AudioSound> AudioSound::fromFile(const std::string& path) {
    const std::vector<std::uint8_t> bytes = readFile(path);
    if (bytes.empty()) return nullptr;
    return fromBytes(bytes);
}

std::shared_ptr<AudioSound> AudioSound::fromBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > kMaxFileBytes) return nullptr;
    auto mixer = AudioMixer::shared();
    if (!mixer) return nullptr;
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!source) return nullptr;
    Mix_Chunk* decoded = Mix_LoadWAV_RW(source, 1);
    if (!decoded) return nullptr;
    auto sound = std::make_shared<AudioSound>();
    sound->mixer_ = std::move(mixer);
    sound->chunk_ = std::shared_ptr<Mix_Chunk>(decoded, &Mix_FreeChunk);
    sound->bytesTotal_ = static_cast<std::int64_t>(bytes.size());
    sound->tags_ = AudioTags::read(bytes);
    return sound;
}

std::int64_t AudioSound::frames() const {
    return chunk_ ? static_cast<std::int64_t>(chunk_->alen) / kFrameBytes : 0;
}

double AudioSound::lengthMs() const {
    return static_cast<double>(frames()) * 1000.0 / mixer_->frequency();
}

}  // namespace limn::sdl

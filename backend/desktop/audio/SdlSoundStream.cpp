#include "backend/audio/SoundStream.h"

#include <SDL.h>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "backend/audio/SoundFormat.h"

namespace limn::sdl {

namespace {

constexpr int kOutputFrameBytes = 8;
// Output frames per refill, about: a few milliseconds, so memory stays small.
// (SDL's converter loses frames when one put yields many thousands of them.)
constexpr int kChunkFrames = 1024;
constexpr int kMaxChannels = 8;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;

std::uint32_t le16(const std::uint8_t* p) {
    return p[0] | (std::uint32_t{p[1]} << 8);
}
std::uint32_t le32(const std::uint8_t* p) {
    return le16(p) | (le16(p + 2) << 16);
}

float finite(float v) {
    return std::isfinite(v) ? v : 0.0f;
}

bool rangeOk(int channels, long rate) {
    return channels >= 1 && channels <= kMaxChannels && rate >= kMinRate && rate <= kMaxRate;
}

}  // namespace

// A decoder of one file: interleaved float frames at the file's own rate.
class SoundStream::Source {
public:
    virtual ~Source() = default;
    [[nodiscard]] int channels() const { return channels_; }
    [[nodiscard]] int rate() const { return rate_; }
    [[nodiscard]] std::int64_t frames() const { return frames_; }
    virtual bool seek(std::int64_t frame) = 0;
    // Up to `frames` frames; 0 at the end.
    virtual int read(float* out, int frames) = 0;

protected:
    int channels_ = 0;
    int rate_ = 0;
    std::int64_t frames_ = 0;
};

namespace {

// WAV: integer PCM or float samples read straight from the "data" chunk.
class WavSource final : public SoundStream::Source {
public:
    static std::unique_ptr<SoundStream::Source> open(SDL_RWops* file, std::string& reason);
    ~WavSource() override { SDL_RWclose(file_); }
    bool seek(std::int64_t frame) override;
    int read(float* out, int frames) override;

private:
    explicit WavSource(SDL_RWops* file) : file_(file) {}
    bool readHeader(std::string& reason);
    void parseFormat(const std::uint8_t* body, std::uint64_t size);

    SDL_RWops* file_;
    std::uint32_t tag_ = 0;
    int bits_ = 0;
    int blockAlign_ = 0;
    std::int64_t dataStart_ = 0;
    std::int64_t position_ = 0;
    std::vector<std::uint8_t> bytes_;
};

std::unique_ptr<SoundStream::Source> WavSource::open(SDL_RWops* file, std::string& reason) {
    std::unique_ptr<WavSource> source(new WavSource(file));
    if (!source->readHeader(reason)) return nullptr;
    return source;
}

void WavSource::parseFormat(const std::uint8_t* body, std::uint64_t size) {
    tag_ = le16(body);
    channels_ = static_cast<int>(le16(body + 2));
    rate_ = static_cast<int>(std::min<std::uint32_t>(le32(body + 4), 1u << 30));
    blockAlign_ = static_cast<int>(le16(body + 12));
    bits_ = static_cast<int>(le16(body + 14));
    // The extensible header names the real format in its sub-format.
    if (tag_ == 0xFFFE && size >= 26) tag_ = le16(body + 24);
}

bool WavSource::readHeader(std::string& reason) {
    const std::int64_t size = SDL_RWsize(file_);
    bool haveFormat = false;
    bool haveData = false;
    std::uint64_t dataBytes = 0;
    for (std::int64_t at = 12; at + 8 <= size && !(haveFormat && haveData);) {
        std::array<std::uint8_t, 40> chunk{};
        if (SDL_RWseek(file_, at, RW_SEEK_SET) < 0 || SDL_RWread(file_, chunk.data(), 8, 1) != 1)
            break;
        const std::uint64_t length = le32(&chunk[4]);
        const std::int64_t body = at + 8;
        if (std::memcmp(chunk.data(), "fmt ", 4) == 0 && length >= 16) {
            const std::size_t want = std::min<std::uint64_t>(length, 40);
            if (SDL_RWread(file_, chunk.data(), want, 1) != 1) break;
            parseFormat(chunk.data(), length);
            haveFormat = true;
        } else if (std::memcmp(chunk.data(), "data", 4) == 0) {
            dataStart_ = body;
            // Data claimed beyond the end of the file isn't there to play.
            dataBytes = std::min<std::uint64_t>(length, static_cast<std::uint64_t>(size - body));
            haveData = true;
        }
        at = body + static_cast<std::int64_t>(length + (length & 1));
    }
    const bool pcm = tag_ == 1 && (bits_ == 8 || bits_ == 16 || bits_ == 24 || bits_ == 32);
    const bool floats = tag_ == 3 && (bits_ == 32 || bits_ == 64);
    if (!haveFormat || !haveData || !(pcm || floats) || !rangeOk(channels_, rate_) ||
        blockAlign_ != channels_ * bits_ / 8) {
        reason = "not a WAV of PCM or float samples that can be streamed";
        return false;
    }
    frames_ = static_cast<std::int64_t>(dataBytes / static_cast<std::uint64_t>(blockAlign_));
    return seek(0);
}

bool WavSource::seek(std::int64_t frame) {
    position_ = std::clamp<std::int64_t>(frame, 0, frames_);
    return SDL_RWseek(file_, dataStart_ + position_ * blockAlign_, RW_SEEK_SET) >= 0;
}

int WavSource::read(float* out, int frames) {
    const auto wanted =
        static_cast<std::size_t>(std::min<std::int64_t>(frames, frames_ - position_));
    bytes_.resize(wanted * static_cast<std::size_t>(blockAlign_));
    const std::size_t got =
        bytes_.empty() ? 0 : SDL_RWread(file_, bytes_.data(), 1, bytes_.size()) / blockAlign_;
    const std::size_t samples = got * static_cast<std::size_t>(channels_);
    const std::uint8_t* p = bytes_.data();
    for (std::size_t i = 0; i < samples; ++i) {
        switch (bits_ | (tag_ == 3 ? 0x100 : 0)) {
            case 8:
                out[i] = (static_cast<float>(p[i]) - 128.0f) / 128.0f;
                break;
            case 16:
                out[i] = static_cast<float>(static_cast<std::int16_t>(le16(p + 2 * i))) / 32768.0f;
                break;
            case 24: {
                const std::uint8_t* s = p + 3 * i;
                const auto v =
                    static_cast<std::int32_t>(std::uint32_t{s[0]} << 8 | std::uint32_t{s[1]} << 16 |
                                              std::uint32_t{s[2]} << 24);
                out[i] = static_cast<float>(v / 256) / 8388608.0f;
                break;
            }
            case 32:
                out[i] =
                    static_cast<float>(static_cast<std::int32_t>(le32(p + 4 * i))) / 2147483648.0f;
                break;
            case 0x100 | 32: {
                float v;
                std::memcpy(&v, p + 4 * i, 4);
                out[i] = finite(v);
                break;
            }
            default: {
                double v;
                std::memcpy(&v, p + 8 * i, 8);
                out[i] = finite(static_cast<float>(v));
                break;
            }
        }
    }
    position_ += static_cast<std::int64_t>(got);
    return static_cast<int>(got);
}

std::size_t oggRead(void* into, std::size_t size, std::size_t count, void* file) {
    return SDL_RWread(static_cast<SDL_RWops*>(file), into, size, count);
}
int oggSeek(void* file, ogg_int64_t offset, int whence) {
    const int from = whence == SEEK_CUR   ? RW_SEEK_CUR
                     : whence == SEEK_END ? RW_SEEK_END
                                          : RW_SEEK_SET;
    return SDL_RWseek(static_cast<SDL_RWops*>(file), offset, from) < 0 ? -1 : 0;
}
int oggClose(void* file) {
    return SDL_RWclose(static_cast<SDL_RWops*>(file));
}
long oggTell(void* file) {
    return static_cast<long>(SDL_RWtell(static_cast<SDL_RWops*>(file)));
}

// Ogg Vorbis through libvorbisfile. A chained stream that changes its rate or
// channels ends there.
class VorbisSource final : public SoundStream::Source {
public:
    static std::unique_ptr<SoundStream::Source> open(SDL_RWops* file, std::string& reason);
    ~VorbisSource() override {
        if (open_) ov_clear(&file_);
    }
    bool seek(std::int64_t frame) override;
    int read(float* out, int frames) override;

private:
    VorbisSource() = default;

    OggVorbis_File file_{};
    bool open_ = false;  // file_ holds the decoder and the file
};

std::unique_ptr<SoundStream::Source> VorbisSource::open(SDL_RWops* file, std::string& reason) {
    std::unique_ptr<VorbisSource> source(new VorbisSource());
    const ov_callbacks callbacks{oggRead, oggSeek, oggClose, oggTell};
    if (ov_open_callbacks(file, &source->file_, nullptr, 0, callbacks) < 0) {
        // A failed open leaves the file to us; the decoder holds nothing.
        SDL_RWclose(file);
        reason = "not an Ogg Vorbis stream that can be read";
        return nullptr;
    }
    source->open_ = true;
    const vorbis_info* info = ov_info(&source->file_, -1);
    const ogg_int64_t total = ov_pcm_total(&source->file_, -1);
    if (!info || !rangeOk(info->channels, info->rate) || total < 0 ||
        !ov_seekable(&source->file_)) {
        reason = "an Ogg Vorbis stream of an unsupported shape";
        return nullptr;
    }
    source->channels_ = info->channels;
    source->rate_ = static_cast<int>(info->rate);
    source->frames_ = total;
    return source;
}

bool VorbisSource::seek(std::int64_t frame) {
    return ov_pcm_seek(&file_, std::clamp<std::int64_t>(frame, 0, frames_)) == 0;
}

int VorbisSource::read(float* out, int frames) {
    int done = 0;
    // A hole in the data is reported once and then skipped; a few in a row end it.
    for (int holes = 0; done < frames && holes < 8;) {
        float** pcm = nullptr;
        int section = 0;
        const long got = ov_read_float(&file_, &pcm, frames - done, &section);
        if (got == OV_HOLE) {
            ++holes;
            continue;
        }
        const vorbis_info* info = got > 0 ? ov_info(&file_, section) : nullptr;
        if (!info || info->channels != channels_ || info->rate != rate_) break;
        for (long i = 0; i < got; ++i) {
            for (int c = 0; c < channels_; ++c) {
                out[(done + i) * channels_ + c] = finite(pcm[c][i]);
            }
        }
        done += static_cast<int>(got);
        holes = 0;
    }
    return done;
}

}  // namespace

// SDL's converter from the source's rate and channels to the mixer's.
class SoundStream::Converter {
public:
    explicit Converter(SDL_AudioStream* stream) : stream_(stream) {}
    ~Converter() { SDL_FreeAudioStream(stream_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    [[nodiscard]] SDL_AudioStream* get() const { return stream_; }

private:
    SDL_AudioStream* stream_;
};

std::unique_ptr<SoundStream> SoundStream::open(const std::string& path, int rate,
                                               std::string& reason) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        reason = std::filesystem::exists(path, error) ? "not a regular file" : "no such file";
        return nullptr;
    }
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) {
        reason = SDL_GetError();
        return nullptr;
    }
    // Enough for the first Ogg page and its identification header.
    std::vector<std::uint8_t> head(512);
    head.resize(SDL_RWread(file, head.data(), 1, head.size()));
    std::unique_ptr<Source> source;
    switch (SoundFormat::kind(head)) {
        case SoundFormat::Kind::Wav:
            source = WavSource::open(file, reason);
            break;
        case SoundFormat::Kind::OggVorbis:
            SDL_RWseek(file, 0, RW_SEEK_SET);
            source = VorbisSource::open(file, reason);
            break;
        default:
            SDL_RWclose(file);
            reason = "not a WAV or Ogg Vorbis sound";
            return nullptr;
    }
    if (!source) return nullptr;
    SDL_AudioStream* convert =
        SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(source->channels()), source->rate(),
                           AUDIO_F32SYS, 2, rate);
    if (!convert) {
        reason = SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<SoundStream> stream(new SoundStream());
    stream->source_ = std::move(source);
    stream->convert_ = std::make_unique<Converter>(convert);
    stream->rate_ = rate;
    stream->chunkFrames_ =
        std::clamp(static_cast<int>(std::int64_t{kChunkFrames} * stream->source_->rate() / rate),
                   16, kChunkFrames);
    stream->scratch_.resize(
        static_cast<std::size_t>(stream->chunkFrames_ * stream->source_->channels()));
    return stream;
}

SoundStream::~SoundStream() = default;

std::int64_t SoundStream::frames() const {
    return std::llround(static_cast<double>(source_->frames()) * rate_ / source_->rate());
}

bool SoundStream::seek(std::int64_t frame) {
    const auto at = static_cast<std::int64_t>(
        static_cast<double>(std::max<std::int64_t>(frame, 0)) * source_->rate() / rate_);
    SDL_AudioStreamClear(convert_->get());
    drained_ = false;
    return source_->seek(at);
}

int SoundStream::read(float* out, int frames) {
    int done = 0;
    while (done < frames) {
        const int got = SDL_AudioStreamGet(convert_->get(), out + 2 * done,
                                           (frames - done) * kOutputFrameBytes);
        if (got > 0) {
            done += got / kOutputFrameBytes;
            continue;
        }
        if (got < 0 || drained_) break;
        const int decoded = source_->read(scratch_.data(), chunkFrames_);
        const int bytes = decoded * source_->channels() * static_cast<int>(sizeof(float));
        if (decoded <= 0 || SDL_AudioStreamPut(convert_->get(), scratch_.data(), bytes) != 0) {
            // The converter holds back a few frames for its filter until told the end.
            SDL_AudioStreamFlush(convert_->get());
            drained_ = true;
        }
    }
    return done;
}

}  // namespace limn::sdl

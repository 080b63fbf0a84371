#pragma once
// A sound read from its file while it plays, a buffer at a time, instead of
// decoded whole: memory stays the same whatever its length. Reads WAV holding
// integer PCM (8, 16, 24 or 32 bits) or float samples, and Ogg Vorbis; other
// encodings are refused (they can still be decoded whole). Output is the
// mixer's format, float stereo at the rate given to open(), converted by the
// backend's converter. One implementation per backend: the desktop's reads
// through SDL (backend/desktop/audio); a page decodes music whole instead.
//
// One stream belongs to one playback and is used from one thread at a time
// (the audio thread once playing).
//
//   auto stream = SoundStream::open(path, 44100, reason);
//   if (stream && stream->seek(first)) got = stream->read(samples, frames);

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace limn::sdl {

class SoundStream {
public:
    // Null with `reason` set when the file can't be opened or streamed.
    [[nodiscard]] static std::unique_ptr<SoundStream> open(const std::string& path, int rate,
                                                           std::string& reason);
    ~SoundStream();
    SoundStream(const SoundStream&) = delete;
    SoundStream& operator=(const SoundStream&) = delete;

    // The length in frames at the output rate.
    [[nodiscard]] std::int64_t frames() const;
    // Moves to output frame `frame`; false when the file can't seek there.
    bool seek(std::int64_t frame);
    // Writes up to `frames` frames of float stereo to `out`; fewer only at
    // the end of the sound (a damaged file ends where it breaks).
    int read(float* out, int frames);

    class Source;
    class Converter;

private:
    SoundStream() = default;

    std::unique_ptr<Source> source_;
    std::unique_ptr<Converter> convert_;
    int rate_ = 0;
    bool drained_ = false;  // the source has ended and the converter was flushed
    int chunkFrames_ = 0;   // source frames decoded at a time
    std::vector<float> scratch_;
};

}  // namespace limn::sdl

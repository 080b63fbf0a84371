#pragma once
// Media files made by the tests themselves: WAV sounds, tag blocks and
// mutated copies for the fuzz tests.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace limn::testing {

using ByteVector = std::vector<std::uint8_t>;

inline void put16(ByteVector& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}

inline void put32(ByteVector& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

inline void putText(ByteVector& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

// A 16-bit PCM WAV file of a sine tone; `extraChunks` go between "fmt " and "data".
inline ByteVector makeWav(double seconds, int rate = 22050, int channels = 1, double hertz = 440,
                          double amplitude = 0.5, const ByteVector& extraChunks = {}) {
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    const std::uint32_t dataBytes = frames * static_cast<std::uint32_t>(channels) * 2;
    ByteVector out;
    putText(out, "RIFF");
    put32(out, static_cast<std::uint32_t>(4 + 24 + extraChunks.size() + 8 + dataBytes));
    putText(out, "WAVEfmt ");
    put32(out, 16);
    put16(out, 1);
    put16(out, static_cast<unsigned>(channels));
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate * channels * 2));
    put16(out, static_cast<unsigned>(channels * 2));
    put16(out, 16);
    out.insert(out.end(), extraChunks.begin(), extraChunks.end());
    putText(out, "data");
    put32(out, dataBytes);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(2 * M_PI * hertz * i / rate);
        const auto sample = static_cast<std::int16_t>(std::lround(v * 32767));
        for (int c = 0; c < channels; ++c) put16(out, static_cast<std::uint16_t>(sample));
    }
    return out;
}

// A private scratch folder, removed with the object.
class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "limn-media-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] std::string write(const std::string& name, const ByteVector& bytes) const {
        const std::string file = (path_ / name).string();
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return file;
    }
    [[nodiscard]] std::string file(const std::string& name) const {
        return (path_ / name).string();
    }

private:
    std::filesystem::path path_;
};

// A copy of `bytes` with a few random changes: flipped bits, overwritten
// bytes, a cut or a duplicated run, as a simple fuzzer makes them.
inline ByteVector mutate(const ByteVector& bytes, std::mt19937& random) {
    ByteVector out = bytes;
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < edits && !out.empty(); ++i) {
        const std::size_t at = random() % out.size();
        switch (random() % 5) {
            case 0:
                out[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
                break;
            case 1:
                out[at] = static_cast<std::uint8_t>(random());
                break;
            case 2:
                out[at] = (random() % 2) ? 0xFF : 0x00;
                break;
            case 3:
                out.resize(at);
                break;
            default: {
                const std::size_t length =
                    std::min<std::size_t>(out.size() - at, 1 + random() % 64);
                const auto first = out.begin() + static_cast<std::ptrdiff_t>(at);
                const ByteVector run(first, first + static_cast<std::ptrdiff_t>(length));
                out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), run.begin(), run.end());
            }
        }
    }
    return out;
}

}  // namespace limn::testing

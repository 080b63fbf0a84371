#include "backend/audio/SoundFormat.h"

#include <algorithm>
#include <cstring>

namespace limn::sdl {

namespace {

std::uint32_t le16(const std::uint8_t* p) {
    return p[0] | (std::uint32_t{p[1]} << 8);
}
std::uint32_t le32(const std::uint8_t* p) {
    return le16(p) | (le16(p + 2) << 16);
}

bool startsWith(std::span<const std::uint8_t> bytes, std::size_t at, const char* text) {
    const std::size_t n = std::strlen(text);
    return bytes.size() >= at + n && std::memcmp(bytes.data() + at, text, n) == 0;
}

struct WavShape {
    std::uint32_t tag = 0, channels = 0, rate = 0, blockAlign = 0, bits = 0;
    std::uint64_t dataBytes = 0;
    bool haveFormat = false, haveData = false;
};

// The "fmt " and "data" chunks; data beyond the end of the file doesn't count.
WavShape wavShape(std::span<const std::uint8_t> b) {
    WavShape shape;
    std::size_t i = 12;
    while (i + 8 <= b.size() && !(shape.haveFormat && shape.haveData)) {
        const std::uint64_t size = le32(&b[i + 4]);
        const std::size_t body = i + 8;
        if (startsWith(b, i, "fmt ") && size >= 16 && body + 16 <= b.size()) {
            shape.tag = le16(&b[body]);
            shape.channels = le16(&b[body + 2]);
            shape.rate = le32(&b[body + 4]);
            shape.blockAlign = le16(&b[body + 12]);
            shape.bits = le16(&b[body + 14]);
            // The extensible header names the real format in its sub-format.
            if (shape.tag == 0xFFFE && size >= 26 && body + 26 <= b.size()) {
                shape.tag = le16(&b[body + 24]);
            }
            shape.haveFormat = true;
        } else if (startsWith(b, i, "data")) {
            shape.dataBytes = std::min<std::uint64_t>(size, b.size() - body);
            shape.haveData = true;
        }
        i = body + static_cast<std::size_t>(std::min<std::uint64_t>(size + (size & 1), b.size()));
    }
    return shape;
}

std::optional<double> wavSeconds(std::span<const std::uint8_t> b) {
    const WavShape w = wavShape(b);
    if (!w.haveFormat || !w.haveData || w.channels == 0 || w.rate == 0) return std::nullopt;
    double frames = 0;
    switch (w.tag) {
        case 1:  // PCM
        case 3:  // float
        case 6:  // A-law
        case 7:  // mu-law
            if (w.bits == 0) return std::nullopt;
            frames = static_cast<double>(w.dataBytes) * 8.0 / (w.channels * w.bits);
            break;
        case 2:     // MS ADPCM
        case 0x11:  // IMA ADPCM
            // At most two samples a byte, and one more in each block's header.
            if (w.blockAlign == 0) return std::nullopt;
            frames = static_cast<double>(w.dataBytes) * 2.0 / w.channels +
                     static_cast<double>(w.dataBytes / w.blockAlign + 1) * 2.0;
            break;
        default:
            return std::nullopt;
    }
    return frames / w.rate;
}

// Ogg Vorbis: the identification header of the first page gives the rate, the
// last page's granule position the length in samples.
std::optional<double> oggSeconds(std::span<const std::uint8_t> b) {
    if (b.size() < 28) return std::nullopt;
    const std::size_t packet = 27 + std::size_t{b[26]};
    if (!startsWith(b, packet, "\x01vorbis") || b.size() < packet + 16) return std::nullopt;
    const std::uint32_t rate = le32(&b[packet + 12]);
    if (rate == 0) return std::nullopt;
    for (std::size_t i = b.size() - 14 + 1; i-- > 0;) {
        if (!startsWith(b, i, "OggS")) continue;
        const std::uint64_t granule =
            le32(&b[i + 6]) | (static_cast<std::uint64_t>(le32(&b[i + 10])) << 32);
        // -1: no packet ends on this page; look further back.
        if (granule == ~std::uint64_t{0}) continue;
        return static_cast<double>(granule) / rate;
    }
    return std::nullopt;
}

}  // namespace

SoundFormat::Kind SoundFormat::kind(std::span<const std::uint8_t> bytes) {
    if (startsWith(bytes, 0, "RIFF") && startsWith(bytes, 8, "WAVE")) return Kind::Wav;
    if (startsWith(bytes, 0, "OggS") && bytes.size() >= 28 &&
        startsWith(bytes, 27 + std::size_t{bytes[26]}, "\x01vorbis")) {
        return Kind::OggVorbis;
    }
    return Kind::Other;
}

std::optional<double> SoundFormat::declaredSeconds(std::span<const std::uint8_t> bytes) {
    switch (kind(bytes)) {
        case Kind::Wav:
            return wavSeconds(bytes);
        case Kind::OggVorbis:
            return oggSeconds(bytes);
        default:
            return std::nullopt;
    }
}

namespace {

void put32(std::uint8_t* p, std::uint64_t v) {
    for (int k = 0; k < 4; ++k) p[k] = static_cast<std::uint8_t>(v >> (8 * k));
}

// Walks the RIFF and chunk sizes; true when one claims more than follows it.
// With `fixed` (a copy of the same bytes), cuts each such size there.
bool trueSizes(const std::uint8_t* b, std::size_t n, std::uint8_t* fixed) {
    bool over = false;
    auto check = [&](std::size_t at, std::uint64_t present) {
        const std::uint64_t claimed = le32(b + at);
        if (claimed <= present) return claimed;
        over = true;
        if (fixed) put32(fixed + at, present);
        return present;
    };
    check(4, n - 8);
    for (std::size_t i = 12; i + 8 <= n;) {
        const std::uint64_t size = check(i + 4, n - (i + 8));
        i += 8 + static_cast<std::size_t>(size + (size & 1));
    }
    return over;
}

}  // namespace

bool SoundFormat::claimsMoreThanItHolds(std::span<const std::uint8_t> bytes) {
    if (kind(bytes) != Kind::Wav) return false;
    return trueSizes(bytes.data(), bytes.size(), nullptr);
}

std::vector<std::uint8_t> SoundFormat::withTrueSizes(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
    if (kind(copy) == Kind::Wav) trueSizes(bytes.data(), bytes.size(), copy.data());
    return copy;
}

bool SoundFormat::accepted(std::span<const std::uint8_t> bytes) {
    const auto seconds = declaredSeconds(bytes);
    return seconds && *seconds <= kMaxSeconds;
}

}  // namespace limn::sdl

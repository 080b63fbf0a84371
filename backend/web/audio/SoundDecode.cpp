#include "backend/web/audio/SoundDecode.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#define STB_VORBIS_NO_INTEGER_CONVERSION
#include <stb_vorbis.h>

namespace limn::web {

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}
int le16(const std::uint8_t* p) {
    return p[0] | p[1] << 8;
}

// G.711 expansions to 16-bit samples.
int alaw(std::uint8_t v) {
    v ^= 0x55;
    const int exponent = (v >> 4) & 7;
    int sample = (v & 0x0F) << 4;
    sample = exponent == 0 ? sample + 8 : (sample + 0x108) << (exponent - 1);
    return (v & 0x80) ? sample : -sample;
}
int mulaw(std::uint8_t v) {
    v = static_cast<std::uint8_t>(~v);
    const int exponent = (v >> 4) & 7;
    const int sample = (((v & 0x0F) << 3) + 0x84) << exponent;
    return (v & 0x80) ? 0x84 - sample : sample - 0x84;
}

struct Source {
    std::vector<float> samples;  // interleaved, `channels` per frame
    int channels = 0;
    int rate = 0;
};

enum Encoding { kPcm = 1, kFloat = 3, kAlaw = 6, kMulaw = 7, kExtensible = 0xFFFE };

// One sample at `p` as the desktop's converter makes it float.
float wavSample(const std::uint8_t* p, int encoding, int bits) {
    // The desktop's converter's factors; its 1/8388608 is a hair above the
    // exact value, and the same one is used here so that the samples match.
    constexpr float kBy128 = 1.0f / 128, kBy32768 = 1.0f / 32768,
                    kBy8388608 = 0.00000011920930376163766f;
    if (encoding == kFloat) {
        float v;
        std::memcpy(&v, p, 4);
        return v;
    }
    if (encoding == kAlaw) return static_cast<float>(alaw(*p)) * kBy32768;
    if (encoding == kMulaw) return static_cast<float>(mulaw(*p)) * kBy32768;
    switch (bits) {
        case 8:
            return static_cast<float>(*p) * kBy128 - 1.0f;
        case 16:
            return static_cast<float>(static_cast<std::int16_t>(le16(p))) * kBy32768;
        case 24: {
            const auto v = static_cast<std::int32_t>(
                std::uint32_t{p[0]} << 8 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 24);
            return static_cast<float>(v >> 8) * kBy8388608;
        }
        default:
            return static_cast<float>(static_cast<std::int32_t>(le32(p)) >> 8) * kBy8388608;
    }
}

bool readWav(std::span<const std::uint8_t> b, double maxSeconds, Source& out, std::string& reason) {
    const std::size_t n = b.size();
    int encoding = 0, channels = 0, rate = 0, align = 0, bits = 0;
    const std::uint8_t* data = nullptr;
    std::size_t dataBytes = 0;
    for (std::size_t at = 12; at + 8 <= n;) {
        const std::uint32_t size = le32(&b[at + 4]);
        const std::size_t body = at + 8, have = std::min<std::size_t>(size, n - body);
        if (std::memcmp(&b[at], "fmt ", 4) == 0 && have >= 16) {
            encoding = le16(&b[body]);
            channels = le16(&b[body + 2]);
            rate = static_cast<int>(le32(&b[body + 4]));
            align = le16(&b[body + 12]);
            bits = le16(&b[body + 14]);
            if (encoding == kExtensible && have >= 26) encoding = le16(&b[body + 24]);
        } else if (std::memcmp(&b[at], "data", 4) == 0) {
            data = &b[body];
            dataBytes = have;
            break;
        }
        at = body + size + (size & 1);
        if (at < body) break;  // the size wrapped around
    }
    const bool pcmBits = bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const bool known = (encoding == kPcm && pcmBits) || (encoding == kFloat && bits == 32) ||
                       ((encoding == kAlaw || encoding == kMulaw) && bits == 8);
    if (!data || !known || channels < 1 || rate < 1 || align != channels * bits / 8) {
        reason = !data    ? "a WAV without a format or sample data"
                 : !known ? "a WAV encoding the page does not decode (" + std::to_string(encoding) +
                                ", " + std::to_string(bits) + " bits)"
                          : "a damaged WAV format";
        return false;
    }
    if (channels > 2) {
        reason = "a WAV of more than two channels";
        return false;
    }
    const std::size_t frames = dataBytes / static_cast<std::size_t>(align);
    if (static_cast<double>(frames) > maxSeconds * rate) {
        reason = "it decodes to more than the length cap";
        return false;
    }
    out.channels = channels;
    out.rate = rate;
    out.samples.resize(frames * static_cast<std::size_t>(channels));
    const int width = bits / 8;
    for (std::size_t i = 0; i < out.samples.size(); ++i) {
        out.samples[i] = wavSample(data + i * static_cast<std::size_t>(width), encoding, bits);
    }
    return true;
}

// The Ogg pages' checksum (CRC-32, polynomial 0x04C11DB7, not reflected).
std::uint32_t oggCrc(const std::uint8_t* p, std::size_t n) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t r = i << 24;
            for (int k = 0; k < 8; ++k) r = (r << 1) ^ ((r & 0x80000000u) ? 0x04C11DB7u : 0);
            t[i] = r;
        }
        return t;
    }();
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // The checksum's own four bytes count as zero.
        const std::uint8_t v = (i >= 22 && i < 26) ? 0 : p[i];
        crc = (crc << 8) ^ table[((crc >> 24) ^ v) & 0xFF];
    }
    return crc;
}

// The bytes of the whole pages at the start of `b`, each with its checksum
// right; 0 when the first is not. stb_vorbis checks no checksums, and damaged
// headers can crash it: like the desktop's reader, only intact pages reach it,
// and a file cut short plays what it has.
std::size_t intactOggPages(std::span<const std::uint8_t> b) {
    std::size_t at = 0;
    while (at + 27 <= b.size() && std::memcmp(&b[at], "OggS", 4) == 0) {
        const std::size_t segments = b[at + 26];
        if (at + 27 + segments > b.size()) break;
        std::size_t length = 27 + segments;
        for (std::size_t i = 0; i < segments; ++i) length += b[at + 27 + i];
        if (at + length > b.size() || oggCrc(&b[at], length) != le32(&b[at + 22])) break;
        at += length;
    }
    return at;
}

bool readVorbis(std::span<const std::uint8_t> whole, double maxSeconds, Source& out,
                std::string& reason) {
    const std::span<const std::uint8_t> b = whole.first(intactOggPages(whole));
    if (b.empty()) {
        reason = "damaged Ogg data";
        return false;
    }
    int error = 0;
    stb_vorbis* v = stb_vorbis_open_memory(b.data(), static_cast<int>(b.size()), &error, nullptr);
    if (!v) {
        reason = "damaged Ogg Vorbis data (" + std::to_string(error) + ")";
        return false;
    }
    const stb_vorbis_info info = stb_vorbis_get_info(v);
    out.channels = info.channels;
    out.rate = static_cast<int>(info.sample_rate);
    if (out.channels < 1 || out.channels > 2 || out.rate < 1) {
        stb_vorbis_close(v);
        reason = "an Ogg Vorbis sound of " + std::to_string(out.channels) + " channels";
        return false;
    }
    const double most = maxSeconds * out.rate * out.channels;
    float** planes = nullptr;
    int channels = 0;
    while (const int got = stb_vorbis_get_frame_float(v, &channels, &planes)) {
        for (int i = 0; i < got; ++i) {
            for (int c = 0; c < out.channels; ++c) out.samples.push_back(planes[c][i]);
        }
        if (static_cast<double>(out.samples.size()) > most) {
            stb_vorbis_close(v);
            reason = "it decodes to more than the length cap";
            return false;
        }
    }
    stb_vorbis_close(v);
    return true;
}

// To stereo at `rate`: one channel on both sides, other rates interpolated.
std::vector<float> toMixerFormat(const Source& in, int rate) {
    const std::size_t frames = in.samples.size() / static_cast<std::size_t>(in.channels);
    auto at = [&in](std::size_t frame, int side) {
        return in.samples[frame * static_cast<std::size_t>(in.channels) +
                          static_cast<std::size_t>(std::min(side, in.channels - 1))];
    };
    if (in.rate == rate) {
        std::vector<float> out(2 * frames);
        for (std::size_t i = 0; i < frames; ++i) {
            out[2 * i] = at(i, 0);
            out[2 * i + 1] = at(i, 1);
        }
        return out;
    }
    const auto outFrames = static_cast<std::size_t>(static_cast<std::uint64_t>(frames) *
                                                    static_cast<std::uint64_t>(rate) /
                                                    static_cast<std::uint64_t>(in.rate));
    std::vector<float> out(2 * outFrames);
    const double step = static_cast<double>(in.rate) / rate;
    for (std::size_t i = 0; i < outFrames; ++i) {
        const double place = static_cast<double>(i) * step;
        const auto first = std::min(static_cast<std::size_t>(place), frames - 1);
        const std::size_t next = std::min(first + 1, frames - 1);
        const auto t = static_cast<float>(place - static_cast<double>(first));
        for (int side = 0; side < 2; ++side) {
            const float a = at(first, side), b = at(next, side);
            out[2 * i + static_cast<std::size_t>(side)] = a + (b - a) * t;
        }
    }
    return out;
}

}  // namespace

std::vector<float> SoundDecode::decode(std::span<const std::uint8_t> bytes, int rate,
                                       double maxSeconds, std::string& reason) {
    Source source;
    const bool wav = bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
                     std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
    const bool ogg = bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0;
    if (rate < 1 || bytes.size() > 0x7FFFFFFF || (!wav && !ogg)) {
        reason = "not a WAV or Ogg Vorbis sound";
        return {};
    }
    if (!(wav ? readWav(bytes, maxSeconds, source, reason)
              : readVorbis(bytes, maxSeconds, source, reason))) {
        return {};
    }
    std::vector<float> out =
        source.samples.empty() ? std::vector<float>{} : toMixerFormat(source, rate);
    if (out.empty()) reason = "a sound without samples";
    return out;
}

}  // namespace limn::web

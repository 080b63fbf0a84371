#include "jpeg_writer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace assets {
namespace {

constexpr std::array<int, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// Base quantisation tables in natural (row-major) order.
constexpr std::array<int, 64> kLumaQuant = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> kChromaQuant = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

// Standard Huffman tables: code counts per length 1..16, then symbols.
struct HuffTable {
    std::array<std::uint8_t, 16> counts;
    std::vector<std::uint8_t> symbols;
};

const HuffTable kDcLuma = {{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
                          {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
const HuffTable kDcChroma = {{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
                            {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
const HuffTable kAcLuma = {
    {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d},
    {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61,
     0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52,
     0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25,
     0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45,
     0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64,
     0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83,
     0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99,
     0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6,
     0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3,
     0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8,
     0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa}};
const HuffTable kAcChroma = {
    {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
    {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61,
     0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33,
     0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1, 0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18,
     0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44,
     0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63,
     0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a,
     0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97,
     0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4,
     0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca,
     0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7,
     0xe8, 0xe9, 0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa}};

struct Code {
    std::uint16_t bits = 0;
    std::uint8_t length = 0;
};

// Canonical code assignment (JPEG Annex C).
std::array<Code, 256> build_codes(const HuffTable& table) {
    std::array<Code, 256> codes{};
    std::uint16_t code = 0;
    std::size_t k = 0;
    for (int len = 1; len <= 16; ++len) {
        for (int i = 0; i < table.counts[len - 1]; ++i) {
            codes[table.symbols[k++]] = {code, static_cast<std::uint8_t>(len)};
            ++code;
        }
        code <<= 1;
    }
    return codes;
}

std::array<int, 64> scale_quant(const std::array<int, 64>& base, int quality) {
    quality = std::clamp(quality, 1, 100);
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    std::array<int, 64> q{};
    for (int i = 0; i < 64; ++i) q[i] = std::clamp((base[i] * scale + 50) / 100, 1, 255);
    return q;
}

class BitWriter {
  public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void put(std::uint32_t bits, int length) {
        for (int i = length - 1; i >= 0; --i) {
            acc_ = static_cast<std::uint8_t>((acc_ << 1) | ((bits >> i) & 1u));
            if (++count_ == 8) emit();
        }
    }

    // Pads the last byte with one-bits, as decoders expect.
    void flush() {
        while (count_ != 0) put(1, 1);
    }

  private:
    void emit() {
        out_.push_back(acc_);
        if (acc_ == 0xFF) out_.push_back(0x00);  // byte stuffing
        acc_ = 0;
        count_ = 0;
    }

    std::vector<std::uint8_t>& out_;
    std::uint8_t acc_ = 0;
    int count_ = 0;
};

// Number of bits needed for |v| and the JPEG "additional bits" for v.
void magnitude(int v, int& size, std::uint32_t& bits) {
    int a = v < 0 ? -v : v;
    size = 0;
    while (a > 0) {
        ++size;
        a >>= 1;
    }
    bits = static_cast<std::uint32_t>(v < 0 ? v + (1 << size) - 1 : v);
}

class Encoder {
  public:
    Encoder(std::vector<std::uint8_t>& out, int quality)
        : out_(out),
          writer_(out),
          quant_{scale_quant(kLumaQuant, quality), scale_quant(kChromaQuant, quality)},
          dc_{build_codes(kDcLuma), build_codes(kDcChroma)},
          ac_{build_codes(kAcLuma), build_codes(kAcChroma)} {
        for (int u = 0; u < 8; ++u) {
            for (int x = 0; x < 8; ++x) {
                cosines_[u][x] = std::cos((2.0 * x + 1.0) * u * M_PI / 16.0);
            }
        }
    }

    void write_headers(int width, int height) {
        marker(0xD8);
        // JFIF APP0, 1:1 density.
        segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
        for (int t = 0; t < 2; ++t) {
            std::vector<std::uint8_t> dqt = {static_cast<std::uint8_t>(t)};
            for (int i = 0; i < 64; ++i)
                dqt.push_back(static_cast<std::uint8_t>(quant_[t][kZigzag[i]]));
            segment(0xDB, dqt);
        }
        segment(0xC0, {8, static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
                       static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), 3,
                       1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1});
        huffman_segment(0x00, kDcLuma);
        huffman_segment(0x10, kAcLuma);
        huffman_segment(0x01, kDcChroma);
        huffman_segment(0x11, kAcChroma);
        segment(0xDA, {3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0});
    }

    void encode_block(const float (&block)[64], int table, int& previous_dc) {
        float coeffs[64];
        fdct(block, coeffs);
        int quantised[64];
        for (int i = 0; i < 64; ++i) {
            const int n = kZigzag[i];
            quantised[i] = static_cast<int>(std::lround(coeffs[n] / quant_[table][n]));
        }
        int size = 0;
        std::uint32_t bits = 0;
        const int diff = quantised[0] - previous_dc;
        previous_dc = quantised[0];
        magnitude(diff, size, bits);
        writer_.put(dc_[table][size].bits, dc_[table][size].length);
        writer_.put(bits, size);

        int run = 0;
        for (int i = 1; i < 64; ++i) {
            if (quantised[i] == 0) {
                ++run;
                continue;
            }
            while (run > 15) {
                writer_.put(ac_[table][0xF0].bits, ac_[table][0xF0].length);
                run -= 16;
            }
            magnitude(quantised[i], size, bits);
            const int symbol = (run << 4) | size;
            writer_.put(ac_[table][symbol].bits, ac_[table][symbol].length);
            writer_.put(bits, size);
            run = 0;
        }
        if (run > 0) writer_.put(ac_[table][0x00].bits, ac_[table][0x00].length);
    }

    void finish() {
        writer_.flush();
        marker(0xD9);
    }

  private:
    void marker(std::uint8_t m) {
        out_.push_back(0xFF);
        out_.push_back(m);
    }

    void segment(std::uint8_t m, const std::vector<std::uint8_t>& payload) {
        marker(m);
        const std::size_t length = payload.size() + 2;
        out_.push_back(static_cast<std::uint8_t>(length >> 8));
        out_.push_back(static_cast<std::uint8_t>(length));
        out_.insert(out_.end(), payload.begin(), payload.end());
    }

    void huffman_segment(std::uint8_t class_and_id, const HuffTable& table) {
        std::vector<std::uint8_t> payload = {class_and_id};
        payload.insert(payload.end(), table.counts.begin(), table.counts.end());
        payload.insert(payload.end(), table.symbols.begin(), table.symbols.end());
        segment(0xC4, payload);
    }

    // Straightforward separable 2-D DCT-II; 320 x 480 pictures make speed irrelevant.
    void fdct(const float (&in)[64], float (&out)[64]) const {
        double tmp[64];
        for (int y = 0; y < 8; ++y) {
            for (int u = 0; u < 8; ++u) {
                double s = 0;
                for (int x = 0; x < 8; ++x) s += in[y * 8 + x] * cosines_[u][x];
                tmp[y * 8 + u] = s * (u == 0 ? M_SQRT1_2 : 1.0) / 2.0;
            }
        }
        for (int u = 0; u < 8; ++u) {
            for (int v = 0; v < 8; ++v) {
                double s = 0;
                for (int y = 0; y < 8; ++y) s += tmp[y * 8 + u] * cosines_[v][y];
                out[v * 8 + u] = static_cast<float>(s * (v == 0 ? M_SQRT1_2 : 1.0) / 2.0);
            }
        }
    }

    std::vector<std::uint8_t>& out_;
    BitWriter writer_;
    std::array<std::array<int, 64>, 2> quant_;
    std::array<std::array<Code, 256>, 2> dc_;
    std::array<std::array<Code, 256>, 2> ac_;
    double cosines_[8][8];
};

}  // namespace

std::vector<std::uint8_t> encode_jpeg(const std::uint8_t* rgb, int width, int height, int quality) {
    std::vector<std::uint8_t> out;
    Encoder encoder(out, quality);
    encoder.write_headers(width, height);

    int previous_dc[3] = {0, 0, 0};
    for (int by = 0; by < height; by += 8) {
        for (int bx = 0; bx < width; bx += 8) {
            float planes[3][64];
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    // Edge blocks repeat the last row/column.
                    const int sx = std::min(bx + x, width - 1);
                    const int sy = std::min(by + y, height - 1);
                    const std::uint8_t* p = rgb + (static_cast<std::size_t>(sy) * width + sx) * 3;
                    const float r = p[0], g = p[1], b = p[2];
                    planes[0][y * 8 + x] = 0.299f * r + 0.587f * g + 0.114f * b - 128.0f;
                    planes[1][y * 8 + x] = -0.168736f * r - 0.331264f * g + 0.5f * b;
                    planes[2][y * 8 + x] = 0.5f * r - 0.418688f * g - 0.081312f * b;
                }
            }
            for (int c = 0; c < 3; ++c)
                encoder.encode_block(planes[c], c == 0 ? 0 : 1, previous_dc[c]);
        }
    }
    encoder.finish();
    return out;
}

}  // namespace assets

#include "jpeg_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace assets::testing {
namespace {

constexpr std::array<int, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

struct Huffman {
    bool present = false;
    std::array<int, 17> mincode{}, maxcode{}, valptr{};
    std::vector<std::uint8_t> values;
};

struct Component {
    int id = 0, quant = 0, dc_table = 0, ac_table = 0, previous_dc = 0;
};

void fail(const char* what) {
    throw std::runtime_error(what);
}

class Reader {
  public:
    explicit Reader(const std::vector<std::uint8_t>& b) : bytes_(b) {}
    std::uint8_t byte() {
        if (pos_ >= bytes_.size()) fail("unexpected end of data");
        return bytes_[pos_++];
    }
    int word() {
        const int hi = byte();
        return (hi << 8) | byte();
    }
    void skip(std::size_t n) { pos_ += n; }
    std::size_t pos() const { return pos_; }
    void seek(std::size_t p) { pos_ = p; }

    // Entropy-coded bits with 0xFF00 unstuffing.
    int bit() {
        if (bits_left_ == 0) {
            std::uint8_t b = byte();
            if (b == 0xFF) {
                const std::uint8_t next = byte();
                if (next != 0x00) fail("marker inside scan data");
            }
            current_ = b;
            bits_left_ = 8;
        }
        --bits_left_;
        return (current_ >> bits_left_) & 1;
    }
    int bits(int n) {
        int v = 0;
        for (int i = 0; i < n; ++i) v = (v << 1) | bit();
        return v;
    }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t pos_ = 0;
    std::uint8_t current_ = 0;
    int bits_left_ = 0;
};

Huffman build(const std::array<int, 16>& counts, std::vector<std::uint8_t> values) {
    Huffman h;
    h.present = true;
    h.values = std::move(values);
    int code = 0, k = 0;
    for (int len = 1; len <= 16; ++len) {
        h.valptr[len] = k;
        h.mincode[len] = code;
        code += counts[len - 1];
        k += counts[len - 1];
        h.maxcode[len] = counts[len - 1] ? code - 1 : -1;
        code <<= 1;
    }
    return h;
}

int decode_symbol(Reader& r, const Huffman& h) {
    int code = 0;
    for (int len = 1; len <= 16; ++len) {
        code = (code << 1) | r.bit();
        if (h.maxcode[len] >= 0 && code <= h.maxcode[len]) {
            return h.values.at(static_cast<std::size_t>(h.valptr[len] + code - h.mincode[len]));
        }
    }
    fail("bad Huffman code");
    return 0;
}

int extend(int v, int size) {
    return size == 0 ? 0 : (v < (1 << (size - 1)) ? v - (1 << size) + 1 : v);
}

void idct(const double (&in)[64], double (&out)[64]) {
    static double cosines[8][8];
    static bool ready = false;
    if (!ready) {
        for (int x = 0; x < 8; ++x) {
            for (int u = 0; u < 8; ++u) {
                cosines[x][u] =
                    std::cos((2.0 * x + 1.0) * u * M_PI / 16.0) * (u == 0 ? M_SQRT1_2 : 1.0);
            }
        }
        ready = true;
    }
    double tmp[64];
    for (int v = 0; v < 8; ++v) {
        for (int x = 0; x < 8; ++x) {
            double s = 0;
            for (int u = 0; u < 8; ++u) s += cosines[x][u] * in[v * 8 + u];
            tmp[v * 8 + x] = s / 2.0;
        }
    }
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            double s = 0;
            for (int v = 0; v < 8; ++v) s += cosines[y][v] * tmp[v * 8 + x];
            out[y * 8 + x] = s / 2.0;
        }
    }
}

}  // namespace

JpegImage decode_jpeg(const std::vector<std::uint8_t>& bytes) {
    Reader r(bytes);
    if (r.byte() != 0xFF || r.byte() != 0xD8) fail("no SOI");
    std::array<std::array<int, 64>, 4> quant{};
    std::array<Huffman, 4> dc{}, ac{};
    std::vector<Component> comps;
    JpegImage img;

    for (;;) {
        if (r.byte() != 0xFF) fail("expected marker");
        std::uint8_t m = r.byte();
        while (m == 0xFF) m = r.byte();
        if (m == 0xD9) break;
        const std::size_t start = r.pos();
        const int length = r.word();
        if (m == 0xDB) {
            while (r.pos() < start + static_cast<std::size_t>(length)) {
                const int pq_tq = r.byte();
                if (pq_tq >> 4) fail("16-bit quantisation table");
                for (int k = 0; k < 64; ++k) quant[pq_tq & 3][k] = r.byte();
            }
        } else if (m == 0xC0) {
            if (r.byte() != 8) fail("not 8-bit");
            img.height = r.word();
            img.width = r.word();
            const int n = r.byte();
            for (int i = 0; i < n; ++i) {
                Component c;
                c.id = r.byte();
                if (r.byte() != 0x11) fail("subsampled component");
                c.quant = r.byte() & 3;
                comps.push_back(c);
            }
        } else if (m == 0xC4) {
            while (r.pos() < start + static_cast<std::size_t>(length)) {
                const int tc_th = r.byte();
                std::array<int, 16> counts{};
                int total = 0;
                for (int& c : counts) total += (c = r.byte());
                std::vector<std::uint8_t> values(static_cast<std::size_t>(total));
                for (auto& v : values) v = r.byte();
                (tc_th >> 4 ? ac : dc)[tc_th & 3] = build(counts, std::move(values));
            }
        } else if (m == 0xDA) {
            const int n = r.byte();
            if (n != static_cast<int>(comps.size())) fail("non-interleaved scan");
            for (int i = 0; i < n; ++i) {
                const int id = r.byte();
                const int tables = r.byte();
                for (Component& c : comps) {
                    if (c.id == id) {
                        c.dc_table = tables >> 4;
                        c.ac_table = tables & 3;
                    }
                }
            }
            r.skip(3);
            const int bw = (img.width + 7) / 8, bh = (img.height + 7) / 8;
            std::vector<std::vector<double>> planes(
                comps.size(), std::vector<double>(static_cast<std::size_t>(bw * 8 * bh * 8)));
            for (int by = 0; by < bh; ++by) {
                for (int bx = 0; bx < bw; ++bx) {
                    for (std::size_t ci = 0; ci < comps.size(); ++ci) {
                        Component& c = comps[ci];
                        double coef[64] = {};
                        const int size = decode_symbol(r, dc.at(c.dc_table));
                        c.previous_dc += extend(r.bits(size), size);
                        coef[0] = c.previous_dc * quant[c.quant][0];
                        for (int k = 1; k < 64;) {
                            const int rs = decode_symbol(r, ac.at(c.ac_table));
                            const int run = rs >> 4, s = rs & 15;
                            if (s == 0) {
                                if (run == 15) {
                                    k += 16;
                                    continue;
                                }
                                break;
                            }
                            k += run;
                            if (k > 63) fail("coefficient overflow");
                            coef[kZigzag[k]] = extend(r.bits(s), s) * quant[c.quant][k];
                            ++k;
                        }
                        double pixels[64];
                        idct(coef, pixels);
                        for (int y = 0; y < 8; ++y) {
                            for (int x = 0; x < 8; ++x) {
                                planes[ci][static_cast<std::size_t>((by * 8 + y) * bw * 8 + bx * 8 +
                                                                    x)] = pixels[y * 8 + x];
                            }
                        }
                    }
                }
            }
            img.rgb.resize(static_cast<std::size_t>(img.width) * img.height * 3);
            for (int y = 0; y < img.height; ++y) {
                for (int x = 0; x < img.width; ++x) {
                    const std::size_t i = static_cast<std::size_t>(y * bw * 8 + x);
                    const double yy = planes[0][i] + 128.0;
                    const double cb = comps.size() == 3 ? planes[1][i] : 0.0;
                    const double cr = comps.size() == 3 ? planes[2][i] : 0.0;
                    const double rgb[3] = {yy + 1.402 * cr, yy - 0.344136 * cb - 0.714136 * cr,
                                           yy + 1.772 * cb};
                    for (int k = 0; k < 3; ++k) {
                        img.rgb[(static_cast<std::size_t>(y) * img.width + x) * 3 + k] =
                            static_cast<std::uint8_t>(std::clamp(std::lround(rgb[k]), 0L, 255L));
                    }
                }
            }
            // Find the next marker after the entropy-coded data.
            std::size_t p = r.pos();
            while (p + 1 < bytes.size() && !(bytes[p] == 0xFF && bytes[p + 1] != 0x00)) ++p;
            r.seek(p);
            continue;
        }
        r.seek(start + static_cast<std::size_t>(length));
    }
    if (img.rgb.empty()) fail("no image data");
    return img;
}

}  // namespace assets::testing

#include "backend/desktop/raster/OverBlend.h"

#include <immintrin.h>

namespace limn::sdl {

namespace {

const std::uint32_t* rowOf(const std::uint32_t* base, int stride, int y) {
    return reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const char*>(base) +
                                                  static_cast<std::ptrdiff_t>(stride) * y);
}

std::uint32_t* rowOf(std::uint32_t* base, int stride, int y) {
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(base) +
                                            static_cast<std::ptrdiff_t>(stride) * y);
}

// Eight pixels: 16-bit channels times the inverse alpha, rounded as
// (t * 257) >> 16 with t = d * (255 - a) + 128, which is the exact
// nearest d * (255 - a) / 255 pixman computes, then the source added.
__attribute__((target("avx2"))) inline __m256i blend8(__m256i s, __m256i d) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i mask = _mm256_set1_epi16(0x00FF);
    const __m256i half = _mm256_set1_epi16(0x0080);
    const __m256i scale = _mm256_set1_epi16(0x0101);
    const __m256i sLo = _mm256_unpacklo_epi8(s, zero), sHi = _mm256_unpackhi_epi8(s, zero);
    const __m256i dLo = _mm256_unpacklo_epi8(d, zero), dHi = _mm256_unpackhi_epi8(d, zero);
    __m256i aLo = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sLo, 0xFF), 0xFF);
    __m256i aHi = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sHi, 0xFF), 0xFF);
    aLo = _mm256_xor_si256(aLo, mask);
    aHi = _mm256_xor_si256(aHi, mask);
    __m256i lo = _mm256_add_epi16(_mm256_mullo_epi16(dLo, aLo), half);
    __m256i hi = _mm256_add_epi16(_mm256_mullo_epi16(dHi, aHi), half);
    lo = _mm256_mulhi_epu16(lo, scale);
    hi = _mm256_mulhi_epu16(hi, scale);
    return _mm256_adds_epu8(_mm256_packus_epi16(lo, hi), s);
}

__attribute__((target("avx2"))) void blendRows(const std::uint32_t* source, int sourceStride,
                                               std::uint32_t* target, int targetStride, int width,
                                               int height) {
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* s = rowOf(source, sourceStride, y);
        std::uint32_t* d = rowOf(target, targetStride, y);
        int x = 0;
        for (; x + 8 <= width; x += 8) {
            const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + x));
            // Clear pixels leave the target as it is; opaque ones replace it.
            if (_mm256_testz_si256(sv, sv)) continue;
            auto* at = reinterpret_cast<__m256i*>(d + x);
            if (_mm256_testc_si256(sv, opaque)) {
                _mm256_storeu_si256(at, sv);
                continue;
            }
            _mm256_storeu_si256(at, blend8(sv, _mm256_loadu_si256(at)));
        }
        for (; x < width; ++x) d[x] = blendOverPixel(s[x], d[x]);
    }
}

// Asked once as the program starts, before any band thread reads it.
const bool hasAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();

}  // namespace

std::uint32_t blendOverPixel(std::uint32_t source, std::uint32_t target) {
    const std::uint32_t inverse = 255 - (source >> 24);
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t t = ((target >> shift) & 0xFF) * inverse + 0x80;
        const std::uint32_t channel = ((t + (t >> 8)) >> 8) + ((source >> shift) & 0xFF);
        out |= (channel > 0xFF ? 0xFFu : channel) << shift;
    }
    return out;
}

bool blendOver(const std::uint32_t* source, int sourceStride, std::uint32_t* target,
               int targetStride, int width, int height) {
    if (!hasAvx2) return false;
    if (width > 0 && height > 0)
        blendRows(source, sourceStride, target, targetStride, width, height);
    return true;
}

}  // namespace limn::sdl

// The browser's picture decoder (stb_image, built natively here) against the
// desktop's: random pictures of every format decode to the same premultiplied
// pixels through both; damaged ones never crash the browser's decoder (the
// sanitizer build runs this too).
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "backend/image/ImageLoader.h"
#include "backend/web/ImageDecode.h"
#include "runtime/Log.h"
#include "tests/backend/MediaFiles.h"

namespace limn::sdl {
namespace {

using limn::testing::ByteVector;
using limn::web::ImageDecode;

// A w x h picture of random colours; with `alpha`, random alpha levels too.
SDL_Surface* randomPicture(std::mt19937& random, int w, int h, bool alpha) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < h; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t a = alpha ? random() % 256 : 0xFF;
            row[x] = a << 24 | (random() & 0xFFFFFF);
        }
    }
    return s;
}

// A w x h opaque picture of smooth random gradients, as photographs are.
SDL_Surface* smoothPicture(std::mt19937& random, int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    const std::uint32_t base = random() & 0x7F7F7F, dx = random() % 4, dy = random() % 4;
    for (int y = 0; y < h; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < w; ++x) {
            // At most 127 + 3 * 39 + 3 * 39: no channel wraps into an edge.
            const std::uint32_t r = (base >> 16) + dx * x, g = ((base >> 8) & 0xFF) + dy * y,
                                b = (base & 0xFF) + (dx * x + dy * y) / 2;
            row[x] =
                0xFF000000u | std::min(r, 255u) << 16 | std::min(g, 255u) << 8 | std::min(b, 255u);
        }
    }
    return s;
}

enum class Kind { Png, Jpeg, Bmp, PalettedBmp };

ByteVector encode(SDL_Surface* s, Kind kind) {
    if (kind == Kind::PalettedBmp) {
        SDL_Surface* indexed = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_INDEX8, 0);
        ByteVector out = encode(indexed, Kind::Bmp);
        SDL_FreeSurface(indexed);
        return out;
    }
    std::vector<char> buffer(1 << 20);
    SDL_RWops* mem = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
    const int status = kind == Kind::Png    ? IMG_SavePNG_RW(s, mem, 0)
                       : kind == Kind::Jpeg ? IMG_SaveJPG_RW(s, mem, 0, 90)
                                            : SDL_SaveBMP_RW(s, mem, 0);
    ByteVector out;
    if (status == 0) {
        out.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(SDL_RWtell(mem)));
    }
    SDL_RWclose(mem);
    return out;
}

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

Decoded throughStb(const ByteVector& bytes, std::string& reason) {
    Decoded out;
    const auto result = ImageDecode::decodeInto(
        bytes.data(), bytes.size(),
        [&out](int w, int h) {
            out = {w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h)};
            return ImageDecode::Rows{out.pixels.data(), static_cast<std::size_t>(w)};
        },
        reason);
    if (!result.decoded) out = {};
    return out;
}

int channelDistance(std::uint32_t a, std::uint32_t b) {
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                       static_cast<int>((b >> shift) & 0xFF)));
    }
    return most;
}

struct Difference {
    int most = 0;     // the largest channel difference
    double mean = 0;  // per channel, over the picture
};

// How far the two decoders' pixels are apart.
Difference compare(const ByteVector& bytes) {
    std::string reason;
    const Decoded web = throughStb(bytes, reason);
    const auto desktop = ImageLoader::fromBytes(bytes.data(), bytes.size());
    EXPECT_TRUE(desktop);
    EXPECT_EQ(web.width, desktop ? desktop->width() : -1) << reason;
    EXPECT_EQ(web.height, desktop ? desktop->height() : -1);
    if (!desktop || web.width != desktop->width() || web.height != desktop->height()) {
        return {256, 256};
    }
    Difference out;
    for (int y = 0; y < web.height; ++y) {
        for (int x = 0; x < web.width; ++x) {
            const std::uint32_t p = web.pixels[y * web.width + x], q = desktop->row(y)[x];
            out.most = std::max(out.most, channelDistance(p, q));
            for (int shift = 0; shift < 32; shift += 8) {
                out.mean += std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                     static_cast<int>((q >> shift) & 0xFF));
            }
        }
    }
    out.mean /= 4.0 * web.width * web.height;
    return out;
}

int disagreement(const ByteVector& bytes) {
    return compare(bytes).most;
}

TEST(DecoderAgreement, RandomPicturesDecodeAlikeOnBothBackends) {
    std::mt19937 random(23);
    for (int round = 0; round < 24; ++round) {
        const int w = 1 + static_cast<int>(random() % 40), h = 1 + static_cast<int>(random() % 40);
        SDL_Surface* translucent = randomPicture(random, w, h, true);
        SDL_Surface* opaque = randomPicture(random, w, h, false);
        EXPECT_EQ(disagreement(encode(translucent, Kind::Png)), 0) << w << " x " << h;
        EXPECT_EQ(disagreement(encode(opaque, Kind::Bmp)), 0) << w << " x " << h;
        EXPECT_EQ(disagreement(encode(opaque, Kind::PalettedBmp)), 0) << w << " x " << h;
        // The two JPEG decoders round their transforms and fill in the halved
        // colour planes differently (on random noise by up to a tenth of the
        // range): on smooth pictures a level or two.
        SDL_Surface* smooth = smoothPicture(random, w, h);
        const Difference jpeg = compare(encode(smooth, Kind::Jpeg));
        SDL_FreeSurface(smooth);
        EXPECT_LE(jpeg.mean, 1.0) << w << " x " << h;
        EXPECT_LE(jpeg.most, 4) << w << " x " << h;
        SDL_FreeSurface(translucent);
        SDL_FreeSurface(opaque);
    }
}

TEST(DecoderAgreement, HandWrittenGifDecodesAlike) {
    // 2 x 2, four colours, the last one transparent.
    const ByteVector gif = {'G',  'I',  'F',  '8',  '9',  'a',  2,    0,    2, 0,
                            0x81, 0,    0,    0xFF, 0,    0,    0,    0xFF, 0, 0,
                            0,    0xFF, 0xFF, 0xFF, 0xFF, 0x21, 0xF9, 4,    1, 0,
                            0,    3,    0,    0x2C, 0,    0,    0,    0,    2, 0,
                            2,    0,    0,    2,    3,    0x44, 0x34, 0x05, 0, 0x3B};
    EXPECT_EQ(disagreement(gif), 0);
}

TEST(DecoderAgreement, DamagedPicturesNeverCrashTheBrowserDecoder) {
    std::mt19937 random(7);
    SDL_Surface* s = randomPicture(random, 12, 9, true);
    const char* wanted = std::getenv("LIMN_FUZZ_MUTANTS");
    const int mutants = wanted && std::atoi(wanted) > 0 ? std::atoi(wanted) : 300;
    for (Kind kind : {Kind::Png, Kind::Jpeg, Kind::Bmp, Kind::PalettedBmp}) {
        const ByteVector seed = encode(s, kind);
        ASSERT_FALSE(seed.empty());
        for (int i = 0; i < mutants; ++i) {
            std::string reason;
            const Decoded out = throughStb(limn::testing::mutate(seed, random), reason);
            EXPECT_EQ(out.pixels.size(), static_cast<std::size_t>(out.width) * out.height);
            EXPECT_TRUE(out.width > 0 || !reason.empty());
        }
    }
    SDL_FreeSurface(s);
}

}  // namespace
}  // namespace limn::sdl

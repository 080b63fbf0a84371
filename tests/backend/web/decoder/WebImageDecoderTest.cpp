// The page's picture decoder behind ImageLoader, built natively: the surfaces it
// gives (pixels, and transparency as the desktop decides it), alpha planes, and
// damaged pictures refused.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <vector>

#include "backend/image/ImageLoader.h"
#include "backend/web/ImageDecode.h"

namespace limn::sdl {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A 5 x 3 picture in `format`; pixel (x, y) is `argb` with its index mixed in.
Bytes encode(Uint32 format, std::uint32_t argb, int kind) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 5, 3, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int i = 0; i < 15; ++i) static_cast<std::uint32_t*>(s->pixels)[i] = argb + i * 0x000F0B07u;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(s, format, 0);
    std::vector<char> buffer(1 << 16);
    SDL_RWops* mem = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
    const int status = kind == 0   ? IMG_SavePNG_RW(converted, mem, 0)
                       : kind == 1 ? IMG_SaveJPG_RW(converted, mem, 0, 90)
                                   : SDL_SaveBMP_RW(converted, mem, 0);
    Bytes out;
    if (status == 0) out.assign(buffer.begin(), buffer.begin() + SDL_RWtell(mem));
    SDL_RWclose(mem);
    SDL_FreeSurface(converted);
    SDL_FreeSurface(s);
    return out;
}

std::shared_ptr<Surface> load(const Bytes& bytes, const std::uint8_t* alpha = nullptr,
                              std::size_t alphaSize = 0) {
    return ImageLoader::fromBytes(bytes.data(), bytes.size(), alpha, alphaSize);
}

TEST(WebImageDecoder, SurfacesAreTransparentWhereTheDesktopsAre) {
    const Bytes translucent = encode(SDL_PIXELFORMAT_ARGB8888, 0x80102030, 0);
    const Bytes opaque = encode(SDL_PIXELFORMAT_RGB24, 0xFF102030, 0);
    // An alpha channel counts, even with every pixel opaque.
    const Bytes opaqueWithAlpha = encode(SDL_PIXELFORMAT_ARGB8888, 0xFF102030, 0);
    for (const auto& [bytes, transparent] :
         {std::pair{translucent, true},
          {opaque, false},
          {opaqueWithAlpha, true},
          {encode(SDL_PIXELFORMAT_RGB24, 0xFF405060, 1), false},
          {encode(SDL_PIXELFORMAT_RGB24, 0xFF405060, 2), false}}) {
        const auto surface = load(bytes);
        ASSERT_TRUE(surface);
        EXPECT_EQ(surface->transparent(), transparent);
        // The surface holds what the decoder gives, row by row.
        const auto decoded = web::ImageDecode::decode(bytes.data(), bytes.size());
        ASSERT_TRUE(decoded);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 5; ++x) {
                EXPECT_EQ(surface->row(y)[x], decoded->pixels[static_cast<std::size_t>(y * 5 + x)]);
            }
        }
    }
    // A GIF is transparent when a pixel is: the last of these four is.
    const Bytes gif = {'G',  'I', 'F', '8', '9',  'a', 2,    0,    2,    0,    0x81, 0,    0,
                       0xFF, 0,   0,   0,   0xFF, 0,   0,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0x21,
                       0xF9, 4,   1,   0,   0,    3,   0,    0x2C, 0,    0,    0,    0,    2,
                       0,    2,   0,   0,   2,    3,   0x44, 0x34, 0x05, 0,    0x3B};
    const auto surface = load(gif);
    ASSERT_TRUE(surface);
    EXPECT_TRUE(surface->transparent());
    EXPECT_EQ(surface->row(1)[1], 0u);
}

TEST(WebImageDecoder, AnAlphaPlaneReplacesTheAlphaAndDamageIsRefused) {
    const Bytes jpeg = encode(SDL_PIXELFORMAT_RGB24, 0xFFFFFFFF, 1);
    std::vector<std::uint8_t> plane(15, 0x40);
    const auto surface = load(jpeg, plane.data(), plane.size());
    ASSERT_TRUE(surface);
    EXPECT_TRUE(surface->transparent());
    EXPECT_EQ(surface->row(2)[4] >> 24, 0x40u);
    Bytes damaged = encode(SDL_PIXELFORMAT_ARGB8888, 0x80102030, 0);
    damaged.resize(damaged.size() / 2);
    EXPECT_FALSE(load(damaged));
}

}  // namespace
}  // namespace limn::sdl

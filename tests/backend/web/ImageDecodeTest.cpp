// Pictures decode in WebAssembly to the desktop surfaces' premultiplied pixels, and
// damaged or oversized ones give nothing instead of a crash or a huge allocation.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "backend/web/ImageDecode.h"

namespace {

using limn::web::ImageDecode;

// 2 x 1 RGBA: opaque red, then white at alpha 128.
const std::vector<std::uint8_t> kTwoPixels = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xf4,
    0x22, 0x7f, 0x8a, 0x00, 0x00, 0x00, 0x0f, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8,
    0xcf, 0xc0, 0xf0, 0x1f, 0x08, 0x1a, 0x00, 0x16, 0x73, 0x05, 0x7c, 0x26, 0x97, 0x01, 0xd2,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

// A header declaring 100000 x 1 pixels, and nothing else.
const std::vector<std::uint8_t> kTooWide = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x01, 0x86, 0xa0, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x5d,
    0x7e, 0x16, 0xd5, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

TEST(ImageDecode, PngGivesPremultipliedArgb) {
    const auto image = ImageDecode::decode(kTwoPixels.data(), kTwoPixels.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 1);
    ASSERT_EQ(image->pixels.size(), 2u);
    EXPECT_EQ(image->pixels[0], 0xFFFF0000u);
    EXPECT_EQ(image->pixels[1], 0x80808080u);
}

TEST(ImageDecode, DecodesIntoGivenRowsWithAnAlphaPlane) {
    // Rows 3 pixels apart; the plane makes red half transparent, white opaque.
    std::vector<std::uint32_t> memory(3, 0xDEADBEEF);
    const std::uint8_t plane[] = {128, 255};
    std::string reason;
    const auto result = ImageDecode::decodeInto(
        kTwoPixels.data(), kTwoPixels.size(),
        [&memory](int width, int height) {
            EXPECT_EQ(width, 2);
            EXPECT_EQ(height, 1);
            return ImageDecode::Rows{memory.data(), 3};
        },
        reason, plane, sizeof plane);
    ASSERT_TRUE(result.decoded) << reason;
    EXPECT_TRUE(result.translucent);
    EXPECT_EQ(memory[0], 0x80800000u);
    EXPECT_EQ(memory[1], 0xFFFFFFFFu);
    EXPECT_EQ(memory[2], 0xDEADBEEFu);
    // A plane too short for the picture is left out; no memory is a refusal.
    EXPECT_TRUE(ImageDecode::decodeInto(
                    kTwoPixels.data(), kTwoPixels.size(),
                    [&memory](int, int) {
                        return ImageDecode::Rows{memory.data(), 2};
                    },
                    reason, plane, 1)
                    .translucent);
    EXPECT_EQ(memory[0], 0xFFFF0000u);
    EXPECT_FALSE(ImageDecode::decodeInto(
                     kTwoPixels.data(), kTwoPixels.size(),
                     [](int, int) { return ImageDecode::Rows{}; }, reason)
                     .decoded);
    EXPECT_EQ(reason, "no memory for a picture of 2 x 1 pixels");
}

TEST(ImageDecode, GifGivesItsFirstFrameWithTransparency) {
    // 2 x 2, four colours (red, green, blue, white), index 3 transparent.
    const std::vector<std::uint8_t> gif = {'G',  'I',  'F',  '8',  '9',  'a',  2,    0,    2, 0,
                                           0x81, 0,    0,    0xFF, 0,    0,    0,    0xFF, 0, 0,
                                           0,    0xFF, 0xFF, 0xFF, 0xFF, 0x21, 0xF9, 4,    1, 0,
                                           0,    3,    0,    0x2C, 0,    0,    0,    0,    2, 0,
                                           2,    0,    0,    2,    3,    0x44, 0x34, 0x05, 0, 0x3B};
    const auto image = ImageDecode::decode(gif.data(), gif.size());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->pixels.size(), 4u);
    EXPECT_EQ(image->pixels[0], 0xFFFF0000u);
    EXPECT_EQ(image->pixels[3], 0u);
}

TEST(ImageDecode, DamagedOrOversizedPicturesGiveNothingWithAReason) {
    std::string reason;
    EXPECT_FALSE(ImageDecode::decode(nullptr, 0, &reason));
    EXPECT_EQ(reason, "no bytes");
    EXPECT_FALSE(ImageDecode::decode(kTooWide.data(), kTooWide.size(), &reason));
    EXPECT_NE(reason.find("100000 x 1"), std::string::npos) << reason;
    const std::vector<std::uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
    EXPECT_FALSE(ImageDecode::decode(text.data(), text.size(), &reason));
    // Every truncation of a good picture, and every single flipped byte, is refused
    // or decoded, never a crash.
    for (std::size_t length = 0; length < kTwoPixels.size(); ++length) {
        const auto image = ImageDecode::decode(kTwoPixels.data(), length);
        if (image) EXPECT_EQ(image->pixels.size(), 2u);
    }
    for (std::size_t at = 0; at < kTwoPixels.size(); ++at) {
        auto damaged = kTwoPixels;
        damaged[at] ^= 0x5A;
        const auto image = ImageDecode::decode(damaged.data(), damaged.size());
        if (image) {
            EXPECT_EQ(image->pixels.size(), static_cast<std::size_t>(image->width) *
                                                static_cast<std::size_t>(image->height));
        }
    }
}

}  // namespace

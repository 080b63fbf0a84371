#include "backend/web/ImageDecode.h"

#include <climits>

#include "runtime/Log.h"

// stb reads the header with its own limit; ours (kMaxSide, kMaxPixels) is checked
// before anything is decoded.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#include <stb_image.h>

namespace limn::web {

namespace {

ImageDecode::Result refuse(const std::string& why, std::string& reason) {
    reason = why;
    return {};
}

std::uint32_t premultiplied(const stbi_uc* rgba, std::uint32_t a) {
    const auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (scale(rgba[0]) << 16) | (scale(rgba[1]) << 8) | scale(rgba[2]);
}

}  // namespace

ImageDecode::Result ImageDecode::decodeInto(const std::uint8_t* data, std::size_t size,
                                            const Allocate& allocate, std::string& reason,
                                            const std::uint8_t* alpha, std::size_t alphaSize) {
    if (!data || size == 0) return refuse("no bytes", reason);
    if (size > static_cast<std::size_t>(INT_MAX)) return refuse("more than 2 GB of bytes", reason);
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        return refuse("not a PNG, JPEG, GIF or BMP picture, or its header is damaged", reason);
    }
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide ||
        std::int64_t{width} * height > kMaxPixels) {
        return refuse("a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is beyond the size limit",
                      reason);
    }
    stbi_uc* rgba = stbi_load_from_memory(data, length, &width, &height, &channels, 4);
    if (!rgba)
        return refuse(std::string("the picture does not decode: ") + stbi_failure_reason(), reason);
    const Rows rows = allocate(width, height);
    if (!rows.pixels) {
        stbi_image_free(rgba);
        return refuse("no memory for a picture of " + std::to_string(width) + " x " +
                          std::to_string(height) + " pixels",
                      reason);
    }
    const std::size_t w = static_cast<std::size_t>(width);
    const bool useAlpha = alpha && alphaSize >= w * static_cast<std::size_t>(height);
    std::uint32_t opaque = 0xFF;
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        std::uint32_t* row = rows.pixels + y * rows.stride;
        for (std::size_t x = 0; x < w; ++x) {
            const stbi_uc* in = rgba + 4 * (y * w + x);
            const std::uint32_t a = useAlpha ? alpha[y * w + x] : in[3];
            opaque &= a;
            row[x] = premultiplied(in, a);
        }
    }
    stbi_image_free(rgba);
    return {true, opaque != 0xFF};
}

std::optional<DecodedImage> ImageDecode::decode(const std::uint8_t* data, std::size_t size,
                                                std::string* reason) {
    DecodedImage image;
    std::string why;
    const Result result = decodeInto(
        data, size,
        [&image](int width, int height) {
            image.width = width;
            image.height = height;
            image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
            return Rows{image.pixels.data(), static_cast<std::size_t>(width)};
        },
        why);
    if (result.decoded) return image;
    rt::log::warn("picture not decoded: " + why);
    if (reason) *reason = why;
    return std::nullopt;
}

}  // namespace limn::web

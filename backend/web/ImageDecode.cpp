#include "backend/web/ImageDecode.h"

#include <climits>

#include "runtime/Log.h"

// stb reads the header with its own limit; ours (kMaxSide, kMaxPixels) is checked
// before anything is decoded.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#include <stb_image.h>

namespace limn::web {

namespace {

std::optional<DecodedImage> refuse(const std::string& why, std::string* reason) {
    rt::log::warn("picture not decoded: " + why);
    if (reason) *reason = why;
    return std::nullopt;
}

std::uint32_t premultiplied(const stbi_uc* rgba) {
    const std::uint32_t a = rgba[3];
    const auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (scale(rgba[0]) << 16) | (scale(rgba[1]) << 8) | scale(rgba[2]);
}

}  // namespace

std::optional<DecodedImage> ImageDecode::decode(const std::uint8_t* data, std::size_t size,
                                                std::string* reason) {
    if (!data || size == 0) return refuse("no bytes", reason);
    if (size > static_cast<std::size_t>(INT_MAX)) return refuse("more than 2 GB of bytes", reason);
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        return refuse("not a PNG or JPEG picture, or its header is damaged", reason);
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
    DecodedImage image{width, height, {}};
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    image.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i) image.pixels[i] = premultiplied(rgba + 4 * i);
    stbi_image_free(rgba);
    return image;
}

}  // namespace limn::web

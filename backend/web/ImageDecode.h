#pragma once
// Decoding PNG and JPEG pictures in WebAssembly, synchronously (the picture is there
// when the call returns, as on the desktop), into premultiplied ARGB32 pixels, the
// desktop surfaces' layout. The decoders are stb_image's (Debian: libstb-dev).
//
// Sizes are read from the header before anything is decoded, with the desktop's
// caps: at most kMaxSide per side and kMaxPixels in all, since a few compressed
// bytes can declare a huge picture. Pictures beyond them, other formats, truncated
// or corrupt data give nothing, and the reason is logged as a warning (rt::log).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace limn::web {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row by row, 0xAARRGGBB premultiplied
};

class ImageDecode {
public:
    static constexpr int kMaxSide = 16384;
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;

    // The picture, or nothing with `reason` set (when given) and logged.
    [[nodiscard]] static std::optional<DecodedImage> decode(const std::uint8_t* data,
                                                            std::size_t size,
                                                            std::string* reason = nullptr);
};

}  // namespace limn::web

#pragma once
// Decoding PNG, JPEG, GIF and BMP pictures in WebAssembly, synchronously (the
// picture is there when the call returns, as on the desktop), into premultiplied
// ARGB32 pixels, the desktop surfaces' layout. The decoders are stb_image's (Debian:
// libstb-dev); a GIF gives its first frame, as on the desktop.
//
// Sizes are read from the header before anything is decoded, with the desktop's
// caps: at most kMaxSide per side and kMaxPixels in all, since a few compressed
// bytes can declare a huge picture. Pictures beyond them, other formats, truncated
// or corrupt data give nothing, with the reason.
//
// decodeInto() writes the pixels straight into memory the caller gives for the
// size (a Surface's rows): the decoder's output and that memory are the only
// copies held at once.

#include <cstddef>
#include <cstdint>
#include <functional>
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

    // Where a picture's rows go: `height` rows of `width` pixels, the first at
    // `pixels`, each `stride` pixels after the one before. Null: no memory.
    struct Rows {
        std::uint32_t* pixels = nullptr;
        std::size_t stride = 0;
    };
    using Allocate = std::function<Rows(int width, int height)>;
    struct Result {
        bool decoded = false;
        // Some pixel is not opaque (after the alpha plane, when one was given).
        bool translucent = false;
    };

    // The picture, or nothing with `reason` set (when given) and logged.
    [[nodiscard]] static std::optional<DecodedImage> decode(const std::uint8_t* data,
                                                            std::size_t size,
                                                            std::string* reason = nullptr);
    // Decodes into the rows `allocate` gives; nothing logged. `alpha`, when it
    // holds at least width x height bytes, replaces the alpha channel first.
    [[nodiscard]] static Result decodeInto(const std::uint8_t* data, std::size_t size,
                                           const Allocate& allocate, std::string& reason,
                                           const std::uint8_t* alpha = nullptr,
                                           std::size_t alphaSize = 0);
};

}  // namespace limn::web

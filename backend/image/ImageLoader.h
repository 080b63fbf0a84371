#pragma once
// Decoding PNG, JPEG, GIF and BMP pictures into premultiplied surfaces: the
// headers are read and checked here, the pixels are decoded by the backend's
// ImageDecoder.
//
// Sizes are read from the headers before anything is decoded: the picture, and
// every frame a GIF declares, must be at most Surface::kMaxSide per side and
// kMaxPixels in all. That cap is deliberate: compressed formats can declare a
// huge picture in a few bytes (an RLE BMP, a 1-bit PNG, a GIF frame), and the
// decoders allocate what the header declares. Pictures beyond it, other
// formats, truncated or corrupt data all give nullptr, with nothing large
// allocated; the reason is logged as a warning (rt::log, so LIMN_LOG=off
// silences it).
//
// Memory: the decoder's own output and the resulting surface are the only
// copies held at once (a PNG decodes straight into its surface).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "backend/image/ImageDecoder.h"
#include "backend/image/Surface.h"

namespace limn::sdl {

class ImageLoader {
public:
    // The most pixels a decoded picture may have: 16 megapixels (64 MB as
    // ARGB), e.g. 4096 x 4096 or 16384 x 1024.
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;

    [[nodiscard]] static std::shared_ptr<Surface> fromFile(const std::string& path);
    // `alpha`, when given with at least width x height bytes, replaces the
    // picture's alpha channel (one byte per pixel, row by row).
    [[nodiscard]] static std::shared_ptr<Surface> fromBytes(const std::uint8_t* data,
                                                            std::size_t size,
                                                            const std::uint8_t* alpha = nullptr,
                                                            std::size_t alphaSize = 0);

    struct Size {
        int width = 0;
        int height = 0;
    };
    // The picture size named by the header, or {0, 0} when unknown.
    [[nodiscard]] static Size headerSize(const std::uint8_t* data, std::size_t size);
    // True when the header names a known format whose picture, and every frame
    // it declares, is within the size caps.
    [[nodiscard]] static bool withinCaps(const std::uint8_t* data, std::size_t size);
    // The format the header names (Other when none of the four, or too short).
    [[nodiscard]] static ImageFormat format(const std::uint8_t* data, std::size_t size);
    // True when a PNG header names an alpha channel or a transparency chunk
    // comes before the pixel data.
    [[nodiscard]] static bool pngHasAlpha(const std::uint8_t* data, std::size_t size);
};

}  // namespace limn::sdl

#pragma once
// Decoding PNG, JPEG, GIF and BMP pictures into premultiplied surfaces.
// The size is read from the header first: pictures beyond Surface::kMaxSide
// per side, unknown formats, truncated or corrupt data all give nullptr, with
// nothing large allocated; the reason is logged as a warning (rt::log, so
// LIMN_LOG=off silences it).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "backend/image/Surface.h"

namespace limn::sdl {

class ImageLoader {
public:
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
};

}  // namespace limn::sdl

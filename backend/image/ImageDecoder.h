#pragma once
// The backend's picture decoder: bytes to a premultiplied surface, synchronously
// (the picture is there when the call returns). ImageLoader is its only caller: it
// has read the header first, so the format is known and the picture, and every
// frame a GIF declares, is within the size caps. Each backend links one
// implementation: the desktop's (backend/desktop/image, SDL_image and cairo's PNG
// reader) or the browser's (backend/web, stb_image in WebAssembly).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "backend/image/Surface.h"

namespace limn::sdl {

enum class ImageFormat { Other, Png, Jpeg, Gif, Bmp };

class ImageDecoder {
public:
    // The picture, or nullptr with `reason` set. `alpha`, when it holds at least
    // width x height bytes, replaces the alpha channel (one byte per pixel, row by row).
    [[nodiscard]] static std::shared_ptr<Surface> decode(ImageFormat format,
                                                         const std::uint8_t* data, std::size_t size,
                                                         const std::uint8_t* alpha,
                                                         std::size_t alphaSize,
                                                         std::string& reason);
};

}  // namespace limn::sdl

// The browser's picture decoder: stb_image in WebAssembly (ImageDecode), straight
// into the surface's rows.
//
// A surface is transparent as on the desktop where the header says so (a PNG's
// alpha channel or transparency chunk, a separate alpha plane; never a JPEG); for
// GIF and BMP, whose transparency the desktop reads from its decoder's colour key
// or alpha mask, when some pixel is not opaque.
#include "backend/image/ImageDecoder.h"
#include "backend/image/ImageLoader.h"
#include "backend/web/ImageDecode.h"

namespace limn::sdl {

std::shared_ptr<Surface> ImageDecoder::decode(ImageFormat format, const std::uint8_t* data,
                                              std::size_t size, const std::uint8_t* alpha,
                                              std::size_t alphaSize, std::string& reason) {
    std::shared_ptr<Surface> surface;
    const auto result = web::ImageDecode::decodeInto(
        data, size,
        [&surface](int width, int height) {
            surface = Surface::create(width, height, true, 0);
            if (!surface) return web::ImageDecode::Rows{};
            return web::ImageDecode::Rows{surface->row(0),
                                          static_cast<std::size_t>(surface->stride()) / 4};
        },
        reason, alpha, alphaSize);
    if (!result.decoded) return nullptr;
    bool transparent = alpha != nullptr;
    if (format == ImageFormat::Png)
        transparent = transparent || ImageLoader::pngHasAlpha(data, size);
    if (format == ImageFormat::Gif || format == ImageFormat::Bmp) {
        transparent = transparent || result.translucent;
    }
    surface->setTransparent(transparent);
    surface->markDirty();
    return surface;
}

}  // namespace limn::sdl

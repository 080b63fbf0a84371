// A frame picture's PNG files on the desktop: cairo's reader and writer.
#include <cairo.h>

#include <cstring>

#include "backend/replay/FramePicture.h"

namespace limn::sdl {

namespace {

FramePicture fromCairo(cairo_surface_t* surface) {
    FramePicture picture;
    cairo_surface_flush(surface);
    picture.width = cairo_image_surface_get_width(surface);
    picture.height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const bool opaque = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24;
    picture.pixels.resize(static_cast<std::size_t>(picture.width) *
                          static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::ptrdiff_t{y} * stride);
        std::uint32_t* out = picture.pixels.data() + std::ptrdiff_t{y} * picture.width;
        for (int x = 0; x < picture.width; ++x) out[x] = opaque ? row[x] | 0xFF000000u : row[x];
    }
    return picture;
}

}  // namespace

std::optional<FramePicture> FramePicture::load(const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return std::nullopt;
    }
    FramePicture picture = fromCairo(surface);
    cairo_surface_destroy(surface);
    return picture;
}

bool FramePicture::save(const std::string& path) const {
    if (width <= 0 || height <= 0) return false;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return false;
    }
    cairo_surface_flush(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < height; ++y) {
        std::memcpy(data + std::ptrdiff_t{y} * stride, pixels.data() + std::ptrdiff_t{y} * width,
                    static_cast<std::size_t>(width) * 4);
    }
    cairo_surface_mark_dirty(surface);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

}  // namespace limn::sdl

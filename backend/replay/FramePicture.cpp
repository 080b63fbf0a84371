#include "backend/replay/FramePicture.h"

#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

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

int channelDifference(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        largest = std::max(largest, std::abs(ca - cb));
    }
    return largest;
}

}  // namespace

FramePicture FramePicture::of(const Surface& surface) {
    surface.flush();
    FramePicture picture;
    picture.width = surface.width();
    picture.height = surface.height();
    picture.pixels.resize(static_cast<std::size_t>(picture.width) *
                          static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = surface.row(y);
        std::copy(row, row + picture.width,
                  picture.pixels.data() + std::ptrdiff_t{y} * picture.width);
    }
    return picture;
}

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

FrameDifference compareFrames(const FramePicture& actual, const FramePicture& expected,
                              int tolerance) {
    FrameDifference d;
    d.sameSize = actual.width == expected.width && actual.height == expected.height;
    const int w = std::min(actual.width, expected.width);
    const int h = std::min(actual.height, expected.height);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int off = channelDifference(actual.at(x, y), expected.at(x, y));
            d.largest = std::max(d.largest, off);
            if (off <= tolerance) continue;
            if (d.differing++ == 0) {
                d.firstX = x;
                d.firstY = y;
            }
        }
    }
    if (!d.sameSize) {
        d.differing += static_cast<std::int64_t>(actual.width) * actual.height -
                       static_cast<std::int64_t>(w) * h;
    }
    return d;
}

FramePicture differencePicture(const FramePicture& actual, const FramePicture& expected,
                               int tolerance) {
    FramePicture out = actual;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            std::uint32_t& p = out.pixels[static_cast<std::size_t>(y) * actual.width + x];
            const bool inside = x < expected.width && y < expected.height;
            if (!inside || channelDifference(actual.at(x, y), expected.at(x, y)) > tolerance) {
                p = 0xFFFF0000u;
                continue;
            }
            // A quarter of the grey level, so the red stands out.
            const std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            const std::uint32_t grey = (r * 77 + g * 150 + b * 29) >> 10;
            p = 0xFF000000u | grey << 16 | grey << 8 | grey;
        }
    }
    return out;
}

}  // namespace limn::sdl

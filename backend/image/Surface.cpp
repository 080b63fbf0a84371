#include "backend/image/Surface.h"

namespace limn::sdl {

namespace {

std::uint64_t anyChange = 0;

std::uint32_t premultiply(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    auto channel = [a](std::uint32_t v) { return (v * a + 127) / 255; };
    return (a << 24) | (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) |
           channel(argb & 0xFF);
}

}  // namespace

std::shared_ptr<Surface> Surface::create(int width, int height, bool transparent,
                                         std::uint32_t argb) {
    if (!validSize(width, height)) return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    auto surface = std::shared_ptr<Surface>(new Surface(s, transparent));
    if (!transparent) argb |= 0xFF000000u;
    const std::uint32_t pixel = premultiply(argb);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* r = surface->row(y);
        std::fill(r, r + width, pixel);
    }
    surface->markDirty();
    return surface;
}

std::shared_ptr<Surface> Surface::adopt(cairo_surface_t* s, bool transparent) {
    if (!s) return nullptr;
    const bool usable =
        cairo_surface_status(s) == CAIRO_STATUS_SUCCESS &&
        cairo_surface_get_type(s) == CAIRO_SURFACE_TYPE_IMAGE &&
        cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32 &&
        validSize(cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
    if (!usable) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return std::shared_ptr<Surface>(new Surface(s, transparent));
}

Surface::Surface(cairo_surface_t* surface, bool transparent)
    : surface_(surface),
      data_(cairo_image_surface_get_data(surface)),
      width_(cairo_image_surface_get_width(surface)),
      height_(cairo_image_surface_get_height(surface)),
      stride_(cairo_image_surface_get_stride(surface)),
      transparent_(transparent) {
    cairo_surface_flush(surface_);
}

Surface::~Surface() {
    if (pixman_) pixman_image_unref(pixman_);
    if (sampler_) pixman_image_unref(sampler_);
    cairo_surface_destroy(surface_);
}

pixman_image_t* Surface::pixman() const {
    if (!pixman_) {
        pixman_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, width_, height_,
                                           reinterpret_cast<std::uint32_t*>(data_), stride_);
    }
    return pixman_;
}

pixman_image_t* Surface::sampler() const {
    if (!sampler_) {
        sampler_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, width_, height_,
                                            reinterpret_cast<std::uint32_t*>(data_), stride_);
    }
    return sampler_;
}

void Surface::markDirty() {
    cairo_surface_mark_dirty(surface_);
    ++version_;
    if (shown_) ++anyChange;
}

std::uint64_t Surface::changes() {
    return anyChange;
}

}  // namespace limn::sdl

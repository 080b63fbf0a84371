#include "backend/image/Surface.h"

#include <algorithm>
#include <new>

#ifdef __EMSCRIPTEN__
#include "backend/web/raster/WebPictures.h"
#endif

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
    const int stride = width * 4;
    std::unique_ptr<unsigned char[]> pixels(
        new (std::nothrow) unsigned char[static_cast<std::size_t>(stride) *
                                         static_cast<std::size_t>(height)]);
    if (!pixels) return nullptr;
    unsigned char* data = pixels.get();
    auto surface = std::shared_ptr<Surface>(
        new Surface(std::move(pixels), data, width, height, stride, transparent));
    if (!transparent) argb |= 0xFF000000u;
    const std::uint32_t pixel = premultiply(argb);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* r = surface->row(y);
        std::fill(r, r + width, pixel);
    }
    surface->markDirty();
    return surface;
}

std::shared_ptr<Surface> Surface::wrap(unsigned char* data, int width, int height, int stride,
                                       bool transparent, std::unique_ptr<Views> views) {
    if (!data || !validSize(width, height) || stride < width * 4 || stride % 4 != 0) {
        return nullptr;
    }
    auto surface =
        std::shared_ptr<Surface>(new Surface(nullptr, data, width, height, stride, transparent));
    if (views) surface->views_.store(views.release(), std::memory_order_release);
    return surface;
}

Surface::Surface(std::unique_ptr<unsigned char[]> own, unsigned char* data, int width, int height,
                 int stride, bool transparent)
    : own_(std::move(own)),
      data_(data),
      width_(width),
      height_(height),
      stride_(stride),
      transparent_(transparent) {}

Surface::~Surface() {
#ifdef __EMSCRIPTEN__
    web::raster::forgetPicture(*this);
#endif
    delete views_.load(std::memory_order_acquire);
}

Surface::Views& Surface::setViews(std::unique_ptr<Views> views) const {
    Views* expected = nullptr;
    if (views_.compare_exchange_strong(expected, views.get(), std::memory_order_acq_rel)) {
        return *views.release();
    }
    return *expected;
}

void Surface::markDirty() {
    if (Views* v = views()) v->pixelsChanged();
    ++version_;
    if (shown_) ++anyChange;
}

std::uint64_t Surface::changes() {
    return anyChange;
}

}  // namespace limn::sdl

#pragma once
// The pixel surface behind a BitmapData handle: a cairo image surface in
// premultiplied ARGB32 (one uint32 per pixel, 0xAARRGGBB with the colour
// channels already multiplied by alpha), rows `stride()` bytes apart.
// A surface that is not transparent keeps every alpha byte at 0xFF.
//
// Sizes are 1..kMaxSide per side; anything else is refused (create() returns
// nullptr and allocates nothing). A null handle reads as size 0 and draws
// nothing.
//
// After writing pixels directly, call markDirty(): it tells cairo and bumps
// version(), which caches derived from the pixels compare.
//
//   auto s = Surface::create(64, 32, true, 0x80FF0000);
//   uint32_t* row = s->row(3);

#include <cairo.h>
#include <pixman.h>

#include <cstdint>
#include <memory>

#include "runtime/Dynamic.h"

namespace limn::sdl {

class Surface final : public rt::NativeObject {
public:
    static constexpr int kMaxSide = 16384;

    // A new surface filled with `argb` (straight 0xAARRGGBB; the alpha is
    // forced to 0xFF when not transparent). nullptr for a refused size or
    // when memory runs out.
    static std::shared_ptr<Surface> create(int width, int height, bool transparent,
                                           std::uint32_t argb);
    // Takes over one reference to an ARGB32 image surface; nullptr (and the
    // reference released) when it is not a usable ARGB32 image surface.
    static std::shared_ptr<Surface> adopt(cairo_surface_t* surface, bool transparent);
    // The surface behind a handle value, or nullptr.
    static Surface* from(const rt::Dynamic& handle) { return handle.handleAs<Surface>(); }
    [[nodiscard]] static bool validSize(int width, int height) {
        return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide;
    }

    ~Surface() override;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    [[nodiscard]] bool transparent() const { return transparent_; }
    void setTransparent(bool transparent) { transparent_ = transparent; }

    [[nodiscard]] cairo_surface_t* cairo() const { return surface_; }
    // The same pixels as a pixman image (made on first use, owned here). The
    // renderer composites from it as it is: set no transform, filter or repeat
    // on it; make an image of your own for that.
    [[nodiscard]] pixman_image_t* pixman() const;
    // A second pixman image of the same pixels for drawing under a transform
    // (made on first use, owned here): whoever composites from it sets its
    // transform and filter first.
    [[nodiscard]] pixman_image_t* sampler() const;
    [[nodiscard]] int stride() const { return stride_; }
    [[nodiscard]] std::uint32_t* row(int y) {
        return reinterpret_cast<std::uint32_t*>(data_ + static_cast<std::ptrdiff_t>(y) * stride_);
    }
    [[nodiscard]] const std::uint32_t* row(int y) const {
        return reinterpret_cast<const std::uint32_t*>(data_ +
                                                      static_cast<std::ptrdiff_t>(y) * stride_);
    }

    // Call after changing pixels directly.
    void markDirty();
    [[nodiscard]] std::uint64_t version() const { return version_; }
    // Marks the surface as one that display objects show (bitmap fills, tile
    // sheets): its changes then count in changes().
    void markShown() { shown_ = true; }
    // Bumped by markDirty() on any shown surface.
    [[nodiscard]] static std::uint64_t changes();

private:
    Surface(cairo_surface_t* surface, bool transparent);

    cairo_surface_t* surface_;
    // Made on first use from the same pixels.
    mutable pixman_image_t* pixman_ = nullptr;
    mutable pixman_image_t* sampler_ = nullptr;
    unsigned char* data_;
    int width_;
    int height_;
    int stride_;
    bool transparent_;
    std::uint64_t version_ = 0;
    bool shown_ = false;
};

}  // namespace limn::sdl

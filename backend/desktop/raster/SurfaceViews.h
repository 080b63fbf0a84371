#pragma once
// The desktop's views of a surface's pixels: a cairo image surface and two
// pixman images over the same memory, made together the first time any is
// asked for and kept by the surface until it goes. Safe to ask for from band
// threads (they all get the same views); the renderer makes them on its own
// thread first anyway.
//
// Drawing through the cairo view is in the pixels after Surface::flush();
// Surface::markDirty() tells cairo about pixels written directly.
//
//   pixman_image_composite32(PIXMAN_OP_OVER, pixmanOf(sprite), nullptr,
//                            pixmanOf(target), 0, 0, 0, 0, x, y, w, h);

#include <cairo.h>
#include <pixman.h>

#include <memory>
#include <string>

#include "backend/image/PngFile.h"
#include "backend/image/Surface.h"

namespace limn::sdl {

class SurfaceViews final : public Surface::Views {
public:
    // The views of `surface`, made on first use.
    static SurfaceViews& of(const Surface& surface);
    // Takes over one reference to an ARGB32 image surface and makes a Surface
    // of its pixels (no copy); nullptr (and the reference released) when it is
    // not a usable ARGB32 image surface.
    static std::shared_ptr<Surface> adopt(cairo_surface_t* image, bool transparent);

    ~SurfaceViews() override;
    SurfaceViews(const SurfaceViews&) = delete;
    SurfaceViews& operator=(const SurfaceViews&) = delete;

    void flush() override { cairo_surface_flush(cairo_); }
    void pixelsChanged() override { cairo_surface_mark_dirty(cairo_); }

    [[nodiscard]] cairo_surface_t* cairo() const { return cairo_; }
    // Composited from as it is: set no transform, filter or repeat on it;
    // make an image of your own for that.
    [[nodiscard]] pixman_image_t* pixman() const { return pixman_; }
    // For drawing under a transform on the program's thread: whoever
    // composites from it sets its transform and filter first.
    [[nodiscard]] pixman_image_t* sampler() const { return sampler_; }

private:
    // Takes over one reference to `image`, an ARGB32 image surface.
    explicit SurfaceViews(cairo_surface_t* image);

    cairo_surface_t* cairo_;
    pixman_image_t* pixman_;
    pixman_image_t* sampler_;
};

inline cairo_surface_t* cairoOf(const Surface& surface) {
    return SurfaceViews::of(surface).cairo();
}
inline pixman_image_t* pixmanOf(const Surface& surface) {
    return SurfaceViews::of(surface).pixman();
}
inline pixman_image_t* samplerOf(const Surface& surface) {
    return SurfaceViews::of(surface).sampler();
}

}  // namespace limn::sdl

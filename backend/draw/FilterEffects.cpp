#include "backend/draw/FilterEffects.h"

#include <cmath>
#include <cstring>

#include "backend/draw/FilterDropShadow.h"

namespace limn::sdl {

Bounds FilterEffects::growOne(const Bounds& area, const rt::Dynamic& filter) {
    if (auto shadow = FilterDropShadow::fromRecord(filter)) return shadow->grow(area);
    return area;
}

Bounds FilterEffects::grow(const Bounds& area, const std::vector<rt::ObjectPtr>& filters) {
    Bounds out = area;
    for (const auto& f : filters) out = growOne(out, rt::Dynamic(f));
    return out;
}

void FilterEffects::paint(cairo_t* cr, cairo_pattern_t* rendered, const Bounds& area,
                          const std::vector<rt::ObjectPtr>& filters) {
    double cx0 = 0, cy0 = 0, cx1 = 0, cy1 = 0;
    cairo_clip_extents(cr, &cx0, &cy0, &cx1, &cy1);
    const Bounds box = grow(area, filters).intersect(Bounds{cx0, cy0, cx1, cy1});
    if (box.empty()) return;
    const int x0 = static_cast<int>(std::floor(box.x0));
    const int y0 = static_cast<int>(std::floor(box.y0));
    const int width = std::min(kMaxSide, static_cast<int>(std::ceil(box.x1)) - x0);
    const int height = std::min(kMaxSide, static_cast<int>(std::ceil(box.y1)) - y0);
    if (width <= 0 || height <= 0) return;

    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return;
    }
    cairo_t* local = cairo_create(image);
    cairo_translate(local, -x0, -y0);
    cairo_set_source(local, rendered);
    cairo_paint(local);
    cairo_destroy(local);
    cairo_surface_flush(image);

    // Work on a packed copy: the image's rows may be padded.
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        std::memcpy(&pixels[static_cast<std::size_t>(y) * width],
                    data + static_cast<std::ptrdiff_t>(y) * stride,
                    static_cast<std::size_t>(width) * 4);
    }
    for (const auto& f : filters) {
        if (auto shadow = FilterDropShadow::fromRecord(rt::Dynamic(f)))
            shadow->apply(pixels, width, height);
    }
    for (int y = 0; y < height; ++y) {
        std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride,
                    &pixels[static_cast<std::size_t>(y) * width],
                    static_cast<std::size_t>(width) * 4);
    }
    cairo_surface_mark_dirty(image);
    cairo_set_source_surface(cr, image, x0, y0);
    cairo_paint(cr);
    cairo_surface_destroy(image);
}

}  // namespace limn::sdl

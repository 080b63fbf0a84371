#include "backend/desktop/raster/SurfaceViews.h"

namespace limn::sdl {

namespace {

pixman_image_t* pixmanOver(cairo_surface_t* image) {
    return pixman_image_create_bits(
        PIXMAN_a8r8g8b8, cairo_image_surface_get_width(image),
        cairo_image_surface_get_height(image),
        reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(image)),
        cairo_image_surface_get_stride(image));
}

}  // namespace

SurfaceViews::SurfaceViews(cairo_surface_t* image)
    : cairo_(image), pixman_(pixmanOver(image)), sampler_(pixmanOver(image)) {}

SurfaceViews::~SurfaceViews() {
    if (pixman_) pixman_image_unref(pixman_);
    if (sampler_) pixman_image_unref(sampler_);
    cairo_surface_destroy(cairo_);
}

SurfaceViews& SurfaceViews::of(const Surface& surface) {
    if (Surface::Views* views = surface.views()) return static_cast<SurfaceViews&>(*views);
    // The surface's pixels are writable: row() is const only on a const surface.
    auto* data = reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(surface.row(0)));
    cairo_surface_t* image = cairo_image_surface_create_for_data(
        data, CAIRO_FORMAT_ARGB32, surface.width(), surface.height(), surface.stride());
    return static_cast<SurfaceViews&>(
        surface.setViews(std::unique_ptr<SurfaceViews>(new SurfaceViews(image))));
}

std::shared_ptr<Surface> SurfaceViews::adopt(cairo_surface_t* image, bool transparent) {
    if (!image) return nullptr;
    const bool usable = cairo_surface_status(image) == CAIRO_STATUS_SUCCESS &&
                        cairo_surface_get_type(image) == CAIRO_SURFACE_TYPE_IMAGE &&
                        cairo_image_surface_get_format(image) == CAIRO_FORMAT_ARGB32;
    if (!usable) {
        cairo_surface_destroy(image);
        return nullptr;
    }
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    return Surface::wrap(data, width, height, stride, transparent,
                         std::unique_ptr<SurfaceViews>(new SurfaceViews(image)));
}

bool writePng(const Surface& surface, const std::string& path) {
    cairo_surface_t* image = cairoOf(surface);
    cairo_surface_flush(image);
    return cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace limn::sdl

// Small cairo conveniences shared by the pictures: owned surfaces, colours, rounded shapes,
// blurred shadows and outlined lettering.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace assets {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

// A cleared (fully transparent) ARGB32 surface.
Surface make_surface(int width, int height);
Context make_context(const Surface& surface);

struct Rgba {
    double r, g, b, a;
};
// 0xRRGGBB to a colour.
Rgba hex(std::uint32_t rgb, double alpha = 1.0);
Rgba mix(Rgba a, Rgba b, double t);

void set_color(cairo_t* cr, Rgba c);
void add_stop(cairo_pattern_t* pattern, double offset, Rgba c);

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double radius);
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// A star with `points` tips, pointing up.
void star(cairo_t* cr, double cx, double cy, double outer, double inner, int points);

// In-place blur of an ARGB32 surface; three box passes come close to a Gaussian.
void blur(cairo_surface_t* surface, int radius, int passes = 3);

// Paints a blurred copy of the silhouette that `shape` builds as a path (in the current user
// space of `cr`), shifted by (dx, dy) device pixels, in colour `color`.
void soft_shadow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double dx, double dy,
                 int radius, Rgba color);

// Lettering. Fonts come from fontconfig by family name with hinting off, so glyph shapes do
// not depend on the output size.
struct Font {
    const char* family = "DejaVu Sans";
    bool bold = true;
    double size = 20.0;
};
void use_font(cairo_t* cr, const Font& font);
double text_width(cairo_t* cr, const std::string& text, const Font& font);
// Adds the outline of `text` to the path, centred on `cx` with its baseline at `baseline`.
void centered_text_path(cairo_t* cr, const std::string& text, const Font& font, double cx,
                        double baseline, double letter_spacing = 0.0);

// Outlined, filled lettering with an optional blurred drop shadow.
struct TextStyle {
    Font font;
    Rgba fill = {1, 1, 1, 1};
    Rgba outline = {0, 0, 0, 0};
    double outline_width = 0.0;
    Rgba shadow = {0, 0, 0, 0};
    double shadow_dy = 0.0;
    int shadow_blur = 0;
    double letter_spacing = 0.0;
};
void draw_text(cairo_t* cr, const std::string& text, const TextStyle& style, double cx,
               double baseline);

// Writes the surface as PNG; throws on failure.
void write_png(const Surface& surface, const std::string& path);

}  // namespace assets

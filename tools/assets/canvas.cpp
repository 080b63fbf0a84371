#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace assets {

Surface make_surface(int width, int height) {
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot create surface");
    }
    return s;
}

Context make_context(const Surface& surface) {
    Context c(cairo_create(surface.get()));
    cairo_set_antialias(c.get(), CAIRO_ANTIALIAS_BEST);
    return c;
}

Rgba hex(std::uint32_t rgb, double alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Rgba mix(Rgba a, Rgba b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

void set_color(cairo_t* cr, Rgba c) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void add_stop(cairo_pattern_t* pattern, double offset, Rgba c) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, c.a);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double r = std::min({radius, w / 2.0, h / 2.0});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void star(cairo_t* cr, double cx, double cy, double outer, double inner, int points) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = -M_PI / 2 + i * M_PI / points;
        const double x = cx + r * std::cos(a);
        const double y = cy + r * std::sin(a);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

namespace {

// One horizontal or vertical box pass over every channel of premultiplied pixels.
void box_pass(std::uint8_t* data, int width, int height, int stride, int radius, bool horizontal) {
    const int length = horizontal ? width : height;
    const int lines = horizontal ? height : width;
    const int step = horizontal ? 4 : stride;
    std::vector<int> src(static_cast<std::size_t>(length));
    const int window = 2 * radius + 1;
    for (int line = 0; line < lines; ++line) {
        std::uint8_t* base = horizontal ? data + line * stride : data + line * 4;
        for (int c = 0; c < 4; ++c) {
            for (int i = 0; i < length; ++i) src[i] = base[i * step + c];
            int sum = 0;
            for (int i = -radius; i <= radius; ++i) {
                if (i >= 0 && i < length) sum += src[i];
            }
            for (int i = 0; i < length; ++i) {
                base[i * step + c] = static_cast<std::uint8_t>((sum + window / 2) / window);
                const int out = i - radius;
                const int in = i + radius + 1;
                if (out >= 0) sum -= src[out];
                if (in < length) sum += src[in];
            }
        }
    }
}

}  // namespace

void blur(cairo_surface_t* surface, int radius, int passes) {
    if (radius <= 0) return;
    cairo_surface_flush(surface);
    std::uint8_t* data = cairo_image_surface_get_data(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int pass = 0; pass < passes; ++pass) {
        box_pass(data, width, height, stride, radius, true);
        box_pass(data, width, height, stride, radius, false);
    }
    cairo_surface_mark_dirty(surface);
}

void soft_shadow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double dx, double dy,
                 int radius, Rgba color) {
    cairo_surface_t* target = cairo_get_target(cr);
    const int width = cairo_image_surface_get_width(target);
    const int height = cairo_image_surface_get_height(target);
    Surface mask = make_surface(width, height);
    {
        Context mc = make_context(mask);
        cairo_matrix_t m;
        cairo_get_matrix(cr, &m);
        cairo_set_matrix(mc.get(), &m);
        cairo_new_path(mc.get());
        shape(mc.get());
        cairo_set_source_rgba(mc.get(), 0, 0, 0, 1);
        cairo_fill(mc.get());
    }
    blur(mask.get(), radius);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    set_color(cr, color);
    cairo_mask_surface(cr, mask.get(), dx, dy);
    cairo_restore(cr);
}

void use_font(cairo_t* cr, const Font& font) {
    cairo_select_font_face(cr, font.family, CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font.size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double text_width(cairo_t* cr, const std::string& text, const Font& font) {
    use_font(cr, font);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

void centered_text_path(cairo_t* cr, const std::string& text, const Font& font, double cx,
                        double baseline, double letter_spacing) {
    use_font(cr, font);
    if (letter_spacing == 0.0) {
        cairo_text_extents_t e;
        cairo_text_extents(cr, text.c_str(), &e);
        cairo_move_to(cr, cx - e.x_bearing - e.width / 2.0, baseline);
        cairo_text_path(cr, text.c_str());
        return;
    }
    // Spaced lettering: place each character by its own advance.
    std::vector<double> advances;
    double total = 0.0;
    for (char ch : text) {
        const char s[2] = {ch, 0};
        cairo_text_extents_t e;
        cairo_text_extents(cr, s, &e);
        advances.push_back(e.x_advance);
        total += e.x_advance;
    }
    total += letter_spacing * static_cast<double>(text.size() - 1);
    double x = cx - total / 2.0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char s[2] = {text[i], 0};
        cairo_move_to(cr, x, baseline);
        cairo_text_path(cr, s);
        x += advances[i] + letter_spacing;
    }
}

void draw_text(cairo_t* cr, const std::string& text, const TextStyle& style, double cx,
               double baseline) {
    auto path = [&](cairo_t* c) {
        centered_text_path(c, text, style.font, cx, baseline, style.letter_spacing);
    };
    if (style.shadow.a > 0.0) {
        soft_shadow(
            cr,
            [&](cairo_t* c) {
                path(c);
                if (style.outline_width > 0.0) {
                    cairo_set_line_width(c, style.outline_width);
                    cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
                    cairo_stroke_preserve(c);
                }
            },
            0, style.shadow_dy, style.shadow_blur, style.shadow);
    }
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    if (style.outline_width > 0.0 && style.outline.a > 0.0) {
        set_color(cr, style.outline);
        cairo_set_line_width(cr, style.outline_width);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    set_color(cr, style.fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

void write_png(const Surface& surface, const std::string& path) {
    if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace assets

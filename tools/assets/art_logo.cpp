// The studio logo: a fern frond that ends in a quill nib, over the studio's name.
#include <cmath>

#include "art.h"
#include "layout.h"

namespace assets {
namespace {

struct Pt {
    double x, y;
};

// The frond's spine, from the nib's tip up to the start of the curl.
constexpr Pt kP0 = {124, 238}, kP1 = {146, 196}, kP2 = {190, 176}, kP3 = {182, 122};

Pt bezier(double t) {
    const double u = 1 - t;
    return {u * u * u * kP0.x + 3 * u * u * t * kP1.x + 3 * u * t * t * kP2.x + t * t * t * kP3.x,
            u * u * u * kP0.y + 3 * u * u * t * kP1.y + 3 * u * t * t * kP2.y + t * t * t * kP3.y};
}

Pt tangent(double t) {
    const double u = 1 - t;
    const double dx =
        3 * u * u * (kP1.x - kP0.x) + 6 * u * t * (kP2.x - kP1.x) + 3 * t * t * (kP3.x - kP2.x);
    const double dy =
        3 * u * u * (kP1.y - kP0.y) + 6 * u * t * (kP2.y - kP1.y) + 3 * t * t * (kP3.y - kP2.y);
    const double len = std::hypot(dx, dy);
    return {dx / len, dy / len};
}

void leaflet(cairo_t* cr, Pt base, double angle, double length, double width) {
    cairo_save(cr);
    cairo_translate(cr, base.x, base.y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -width, length * 0.75, -width * 0.8, length, 0);
    cairo_curve_to(cr, length * 0.75, width * 0.6, length * 0.3, width * 0.7, 0, 0);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, length, 0);
    add_stop(g, 0.0, hex(0x5fb845));
    add_stop(g, 1.0, hex(0xc4f08e));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_move_to(cr, 1, 0);
    cairo_line_to(cr, length * 0.8, 0);
    set_color(cr, hex(0x2f7d3a, 0.55));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void draw_emblem(cairo_t* cr) {
    const double cx = 160, cy = 180, r = 74;
    soft_shadow(
        cr, [&](cairo_t* c) { cairo_arc(c, cx, cy, r, 0, 2 * M_PI); }, 0, 7, 6,
        hex(0x0c3a33, 0.35));
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - 25, cy - 30, 5, cx, cy, r);
    add_stop(g, 0.0, hex(0x39b293));
    add_stop(g, 0.7, hex(0x1a7664));
    add_stop(g, 1.0, hex(0x11564a));
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_arc(cr, cx, cy, r - 7, 0, 2 * M_PI);
    set_color(cr, hex(0xf4f0dc, 0.55));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);

    // Leaflets along the spine, shrinking towards the curl.
    for (int i = 0; i < 11; ++i) {
        const double t = 0.3 + i * 0.065;
        const Pt p = bezier(t);
        const Pt d = tangent(t);
        const double heading = std::atan2(d.y, d.x);
        const double length = 30.0 * (1.0 - t) + 7.0;
        const double width = length * 0.28;
        leaflet(cr, p, heading - 1.05, length, width);
        leaflet(cr, p, heading + 1.05, length * 0.92, width);
    }

    // Spine.
    cairo_move_to(cr, bezier(0.22).x, bezier(0.22).y);
    for (int i = 23; i <= 100; ++i) {
        const Pt p = bezier(i / 100.0);
        cairo_line_to(cr, p.x, p.y);
    }
    // The fiddlehead curl at the top.
    const double curl_cx = kP3.x - 8, curl_cy = kP3.y;
    for (int i = 0; i <= 60; ++i) {
        const double a = i / 60.0 * 1.6 * 2 * M_PI;
        const double rr = 8.0 * (1.0 - i / 75.0);
        cairo_line_to(cr, curl_cx + rr * std::cos(a), curl_cy - rr * std::sin(a));
    }
    set_color(cr, hex(0xdcf7b4));
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);

    // Quill nib at the base of the frond.
    const Pt tip = kP0;
    const Pt d = tangent(0.0);
    const double heading = std::atan2(d.y, d.x);
    cairo_save(cr);
    cairo_translate(cr, tip.x, tip.y);
    cairo_rotate(cr, heading);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 8, -3, 16, -7.5, 26, -6.5);
    cairo_line_to(cr, 26, 6.5);
    cairo_curve_to(cr, 16, 7.5, 8, 3, 0, 0);
    cairo_close_path(cr);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, -7, 0, 7);
    add_stop(gold, 0.0, hex(0xfff1b0));
    add_stop(gold, 0.5, hex(0xf2c14e));
    add_stop(gold, 1.0, hex(0xb9801c));
    cairo_set_source(cr, gold);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gold);
    set_color(cr, hex(0x6e4a10));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_move_to(cr, 1.5, 0);
    cairo_line_to(cr, 14, 0);
    cairo_stroke(cr);
    cairo_arc(cr, 15.5, 0, 1.8, 0, 2 * M_PI);
    set_color(cr, hex(0x6e4a10));
    cairo_fill(cr);
    rounded_rect(cr, 25, -7.5, 5, 15, 1.5);
    set_color(cr, hex(0xdcf7b4));
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace

Surface paint_logo() {
    Surface s = make_surface(kScreenW, kScreenH);
    Context c = make_context(s);
    cairo_t* cr = c.get();
    // White like the stage behind it, so the fade-in shows no picture edge.
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    draw_emblem(cr);

    TextStyle name;
    name.font = {"DejaVu Sans", true, 40};
    name.fill = hex(0x17463f);
    draw_text(cr, "Quillfern", name, 160, 312);

    TextStyle games;
    games.font = {"DejaVu Sans", false, 15};
    games.fill = hex(0x3f8f6a);
    games.letter_spacing = 9;
    draw_text(cr, "GAMES", games, 160, 342);
    cairo_set_line_width(cr, 1.2);
    set_color(cr, hex(0x3f8f6a, 0.6));
    cairo_move_to(cr, 70, 337);
    cairo_line_to(cr, 110, 337);
    cairo_move_to(cr, 210, 337);
    cairo_line_to(cr, 250, 337);
    cairo_stroke(cr);
    return s;
}

}  // namespace assets

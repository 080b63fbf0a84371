// The playing field: a meadow with the 23 holes and a wooden board for the score and time.
#include <algorithm>
#include <cmath>
#include <vector>

#include "art.h"
#include "layout.h"

namespace assets {
namespace {

struct Spot {
    double x, y;
};

std::vector<Spot> hole_centres() {
    std::vector<Spot> out;
    for (const HolePos& h : kHoles) out.push_back({h.x + kHoleDX, h.y + kHoleDY});
    return out;
}

// Distance from the nearest mound, in units of the mound's radii (1 = on its edge).
double mound_distance(double x, double y) {
    double best = 1e9;
    for (const Spot& c : hole_centres()) {
        const double dx = (x - c.x) / kMoundRX;
        const double dy = (y - c.y - 1.5) / kMoundRY;
        best = std::min(best, std::sqrt(dx * dx + dy * dy));
    }
    return best;
}

// Inside the picture of a mole standing in one of the holes (decoration there would be hidden
// or poke out oddly around the mole's head).
bool behind_mole(double x, double y) {
    for (const HolePos& h : kHoles) {
        if (x > h.x - 5 && x < h.x + kMoleW + 5 && y > h.y - 5 && y < h.y + kMoleH) return true;
    }
    return false;
}

void paint_grass_base(cairo_t* cr) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, kHudH, 0, kScreenH);
    add_stop(g, 0.0, hex(0x8fd062));
    add_stop(g, 0.5, hex(0x74bb4b));
    add_stop(g, 1.0, hex(0x579f3a));
    cairo_rectangle(cr, 0, 0, kScreenW, kScreenH);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);

    // Mown stripes.
    cairo_save(cr);
    cairo_translate(cr, kScreenW / 2.0, kScreenH / 2.0);
    cairo_rotate(cr, -0.35);
    for (int i = -12; i <= 12; i += 2) {
        cairo_rectangle(cr, i * 34.0, -400, 34.0, 800);
    }
    set_color(cr, hex(0xffffff, 0.055));
    cairo_fill(cr);
    cairo_restore(cr);

    // Broad patches of lighter and darker grass.
    Scatter rnd(7);
    for (int i = 0; i < 14; ++i) {
        const double x = rnd.range(0, kScreenW);
        const double y = rnd.range(kHudH, kScreenH);
        const double r = rnd.range(35, 80);
        const bool light = rnd.next() < 0.5;
        cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
        add_stop(p, 0.0, light ? hex(0xd8f5a0, 0.18) : hex(0x2f6f22, 0.14));
        add_stop(p, 1.0, light ? hex(0xd8f5a0, 0.0) : hex(0x2f6f22, 0.0));
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
}

void paint_blades(cairo_t* cr) {
    Scatter rnd(11);
    for (int i = 0; i < 1100; ++i) {
        const double x = rnd.range(-4, kScreenW + 4);
        const double y = rnd.range(kHudH + 14, kScreenH + 6);
        const double h = rnd.range(3.5, 8.0);
        const double lean = rnd.range(-2.5, 2.5);
        const double w = rnd.range(1.2, 2.0);
        const double shade = rnd.next();
        if (mound_distance(x, y) < 1.12) continue;
        cairo_move_to(cr, x - w / 2, y);
        cairo_curve_to(cr, x - w / 4, y - h * 0.5, x + lean * 0.6, y - h * 0.8, x + lean, y - h);
        cairo_curve_to(cr, x + lean * 0.5, y - h * 0.7, x + w / 4, y - h * 0.4, x + w / 2, y);
        cairo_close_path(cr);
        if (shade < 0.55) {
            set_color(cr, hex(0x4c9a34, 0.55));
        } else if (shade < 0.85) {
            set_color(cr, hex(0xa9e07a, 0.6));
        } else {
            set_color(cr, hex(0xc9f29a, 0.7));
        }
        cairo_fill(cr);
    }
}

void daisy(cairo_t* cr, double x, double y, double r, Rgba petal, Rgba heart) {
    ellipse(cr, x + 0.8, y + 1.2, r * 1.1, r * 0.8);
    set_color(cr, hex(0x1f4a14, 0.25));
    cairo_fill(cr);
    for (int k = 0; k < 6; ++k) {
        const double a = k * M_PI / 3.0 + 0.3;
        cairo_save(cr);
        cairo_translate(cr, x + std::cos(a) * r * 0.55, y + std::sin(a) * r * 0.55);
        cairo_rotate(cr, a);
        ellipse(cr, 0, 0, r * 0.55, r * 0.3);
        cairo_restore(cr);
    }
    set_color(cr, petal);
    cairo_fill(cr);
    cairo_arc(cr, x, y, r * 0.33, 0, 2 * M_PI);
    set_color(cr, heart);
    cairo_fill(cr);
}

void paint_flowers(cairo_t* cr) {
    Scatter rnd(23);
    std::vector<Spot> placed;
    int made = 0;
    for (int tries = 0; tries < 400 && made < 34; ++tries) {
        const double x = rnd.range(8, kScreenW - 8);
        const double y = rnd.range(kHudH + 18, kScreenH - 8);
        const double kind = rnd.next();
        const double r = rnd.range(3.0, 4.4);
        if (mound_distance(x, y) < 1.5 || behind_mole(x, y)) continue;
        bool crowded = false;
        for (const Spot& p : placed) {
            if (std::hypot(p.x - x, p.y - y) < 22) crowded = true;
        }
        if (crowded) continue;
        placed.push_back({x, y});
        ++made;
        if (kind < 0.55) {
            daisy(cr, x, y, r, hex(0xffffff), hex(0xffc928));
        } else if (kind < 0.8) {
            daisy(cr, x, y, r * 0.9, hex(0xffe45c), hex(0xe8841c));
        } else {
            daisy(cr, x, y, r * 0.85, hex(0xf7a8d8), hex(0xffffff));
        }
    }
    // A few pebbles.
    for (int i = 0, made_stones = 0; i < 200 && made_stones < 7; ++i) {
        const double x = rnd.range(10, kScreenW - 10);
        const double y = rnd.range(kHudH + 20, kScreenH - 10);
        const double r = rnd.range(2.0, 3.5);
        if (mound_distance(x, y) < 1.4 || behind_mole(x, y)) continue;
        ++made_stones;
        ellipse(cr, x + 0.6, y + 1.0, r * 1.2, r * 0.7);
        set_color(cr, hex(0x1f4a14, 0.3));
        cairo_fill(cr);
        cairo_pattern_t* g =
            cairo_pattern_create_radial(x - r * 0.4, y - r * 0.4, 0.2, x, y, r * 1.3);
        add_stop(g, 0.0, hex(0xf2f0ea));
        add_stop(g, 1.0, hex(0x9a968c));
        ellipse(cr, x, y, r * 1.2, r * 0.8);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void paint_hedge(cairo_t* cr) {
    auto hedge_shape = [](cairo_t* c) {
        Scatter rnd(5);
        cairo_rectangle(c, 0, 0, kScreenW, kHudH + 4);
        for (double x = -6; x < kScreenW + 12; x += 14) {
            cairo_new_sub_path(c);
            cairo_arc(c, x + rnd.range(-2, 2), kHudH + 2 + rnd.range(-1.5, 1.5), rnd.range(8, 10.5),
                      0, 2 * M_PI);
        }
    };
    soft_shadow(cr, hedge_shape, 0, 3, 3, hex(0x1a3d10, 0.45));
    hedge_shape(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, kHudH - 8, 0, kHudH + 13);
    add_stop(g, 0.0, hex(0x2f7d2c));
    add_stop(g, 1.0, hex(0x1b5219));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Leaf highlights.
    Scatter rnd(9);
    for (int i = 0; i < 70; ++i) {
        const double x = rnd.range(0, kScreenW);
        const double y = rnd.range(kHudH - 2, kHudH + 9);
        ellipse(cr, x, y, rnd.range(1.2, 2.4), rnd.range(0.8, 1.4));
        set_color(cr, hex(0x6cc04a, rnd.range(0.35, 0.7)));
        cairo_fill(cr);
    }
}

void paint_board(cairo_t* cr) {
    const double h = kHudH - 4;
    soft_shadow(
        cr, [&](cairo_t* c) { cairo_rectangle(c, 0, 0, kScreenW, h); }, 0, 3, 3,
        hex(0x000000, 0.5));
    cairo_pattern_t* wood = cairo_pattern_create_linear(0, 0, 0, h);
    add_stop(wood, 0.0, hex(0x9a6a3f));
    add_stop(wood, 0.45, hex(0x7c4e2c));
    add_stop(wood, 1.0, hex(0x5e3a1f));
    cairo_rectangle(cr, 0, 0, kScreenW, h);
    cairo_set_source(cr, wood);
    cairo_fill(cr);
    cairo_pattern_destroy(wood);

    // Grain.
    Scatter rnd(3);
    cairo_set_line_width(cr, 0.8);
    for (int i = 0; i < 16; ++i) {
        const double y = rnd.range(3, h - 3);
        const double phase = rnd.range(0, 6.28);
        const double amp = rnd.range(0.5, 1.6);
        cairo_move_to(cr, 0, y);
        for (double x = 0; x <= kScreenW; x += 8) {
            cairo_line_to(cr, x, y + amp * std::sin(x / 23.0 + phase));
        }
        set_color(cr, hex(0x3e2412, rnd.range(0.12, 0.3)));
        cairo_stroke(cr);
    }
    // Knot.
    ellipse(cr, 168, 22, 6, 2.6);
    set_color(cr, hex(0x4a2b15, 0.45));
    cairo_fill(cr);
    ellipse(cr, 168, 22, 3, 1.2);
    set_color(cr, hex(0x2f1a0b, 0.5));
    cairo_fill(cr);

    // Bevelled edges.
    cairo_rectangle(cr, 0, 0, kScreenW, 1.5);
    set_color(cr, hex(0xffe2b8, 0.35));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, h - 1.5, kScreenW, 1.5);
    set_color(cr, hex(0x2a160a, 0.6));
    cairo_fill(cr);

    // Inset panels behind the score text and the time bar keep white text readable.
    auto inset = [&](double x, double y, double w, double ih) {
        rounded_rect(cr, x, y, w, ih, ih / 2.0);
        set_color(cr, hex(0x2a160a, 0.55));
        cairo_fill(cr);
        rounded_rect(cr, x + 0.5, y + ih - 2.0, w - 1.0, 1.6, 0.8);
        set_color(cr, hex(0xffe2b8, 0.18));
        cairo_fill(cr);
    };
    inset(kScoreX - 6, 5, kScoreW + 12, 26);
    inset(kTimeBarX - 6, kTimeBarY - 6, kTimeBarW + 12, kTimeBarH + 12);

    // Little stopwatch next to the time bar.
    const double cx = kTimeBarX - 19, cy = kTimeBarY + 2.5;
    rounded_rect(cr, cx - 1.6, cy - 10.5, 3.2, 3, 0.8);
    set_color(cr, hex(0xf3e3c4));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 7.0, 0, 2 * M_PI);
    set_color(cr, hex(0xf3e3c4));
    cairo_fill_preserve(cr);
    set_color(cr, hex(0x3a2010));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, cy - 4.5);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + 3.2, cy + 1.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);

    // Nails.
    for (double x : {5.0, kScreenW - 5.0}) {
        cairo_arc(cr, x, h / 2, 2.0, 0, 2 * M_PI);
        set_color(cr, hex(0x2a1a10));
        cairo_fill(cr);
        cairo_arc(cr, x - 0.5, h / 2 - 0.5, 1.1, 0, 2 * M_PI);
        set_color(cr, hex(0xc8c0b4));
        cairo_fill(cr);
    }
}

void vignette(cairo_t* cr) {
    cairo_pattern_t* v =
        cairo_pattern_create_radial(kScreenW / 2.0, kScreenH * 0.55, kScreenH * 0.3, kScreenW / 2.0,
                                    kScreenH * 0.55, kScreenH * 0.75);
    add_stop(v, 0.0, {0, 0, 0, 0});
    add_stop(v, 1.0, hex(0x10300a, 0.3));
    cairo_rectangle(cr, 0, 0, kScreenW, kScreenH);
    cairo_set_source(cr, v);
    cairo_fill(cr);
    cairo_pattern_destroy(v);
}

}  // namespace

void draw_hole(cairo_t* cr, double cx, double cy, double s, unsigned seed) {
    const double mound_cy = cy + 1.5 * s;
    soft_shadow(
        cr,
        [&](cairo_t* c) { ellipse(c, cx, mound_cy + 3.0 * s, (kMoundRX + 1) * s, kMoundRY * s); },
        0, 0, static_cast<int>(std::lround(2.5 * s)), hex(0x183a0c, 0.45));

    // Dirt mound.
    cairo_pattern_t* dirt =
        cairo_pattern_create_radial(cx, cy - 6 * s, 2 * s, cx, mound_cy, kMoundRX * s * 1.05);
    add_stop(dirt, 0.0, hex(0xd3a06a));
    add_stop(dirt, 0.6, hex(0xa8723f));
    add_stop(dirt, 1.0, hex(0x7a4c27));
    ellipse(cr, cx, mound_cy, kMoundRX * s, kMoundRY * s);
    cairo_set_source(cr, dirt);
    cairo_fill(cr);
    cairo_pattern_destroy(dirt);

    // Crumbs of earth on the mound.
    Scatter rnd(seed + 101);
    for (int i = 0; i < 14; ++i) {
        const double a = rnd.range(0, 2 * M_PI);
        const double r = rnd.range(0.78, 0.95);
        const double x = cx + std::cos(a) * kMoundRX * s * r;
        const double y = mound_cy + std::sin(a) * kMoundRY * s * r;
        ellipse(cr, x, y, rnd.range(0.8, 1.6) * s, rnd.range(0.6, 1.1) * s);
        set_color(cr, rnd.next() < 0.5 ? hex(0x5e3a1c, 0.7) : hex(0xe6bb88, 0.7));
        cairo_fill(cr);
    }

    // The opening: lit far wall at the top, dark depth towards the front lip.
    cairo_pattern_t* pit = cairo_pattern_create_linear(0, cy - kHoleRY * s, 0, cy + kHoleRY * s);
    add_stop(pit, 0.0, hex(0x5a3519));
    add_stop(pit, 0.35, hex(0x24130a));
    add_stop(pit, 0.6, hex(0x0b0603));
    add_stop(pit, 1.0, hex(0x050302));
    ellipse(cr, cx, cy, kHoleRX * s, kHoleRY * s);
    cairo_set_source(cr, pit);
    cairo_fill(cr);
    cairo_pattern_destroy(pit);

    // Rim: a dark edge along the back, a sunlit lip at the front.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, kHoleRX * s, kHoleRY * s);
    cairo_arc(cr, 0, 0, 1, M_PI * 1.05, M_PI * 1.95);
    cairo_restore(cr);
    set_color(cr, hex(0x3a210e, 0.9));
    cairo_set_line_width(cr, 1.2 * s);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy + 0.6 * s);
    cairo_scale(cr, kHoleRX * s, kHoleRY * s);
    cairo_arc(cr, 0, 0, 1, M_PI * 0.1, M_PI * 0.9);
    cairo_restore(cr);
    set_color(cr, hex(0xe9bf8c, 0.95));
    cairo_set_line_width(cr, 1.4 * s);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

Surface paint_meadow() {
    Surface s = make_surface(kScreenW, kScreenH);
    Context c = make_context(s);
    cairo_t* cr = c.get();
    paint_grass_base(cr);
    paint_blades(cr);
    paint_flowers(cr);
    vignette(cr);
    unsigned seed = 0;
    for (const Spot& h : hole_centres()) draw_hole(cr, h.x, h.y, 1.0, ++seed);
    paint_hedge(cr);
    paint_board(cr);
    return s;
}

}  // namespace assets

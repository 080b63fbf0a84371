// The moles and the puff a whacked mole turns into.
#include <cmath>

#include "art.h"
#include "layout.h"

namespace assets {
namespace {

struct Fur {
    Rgba light, mid, dark, outline, muzzle, belly;
};

const Fur kBrown = {hex(0xc08d5e), hex(0x875230), hex(0x553019),
                    hex(0x341b0c), hex(0xf0d2ab), hex(0xc9976a, 0.55)};
const Fur kGolden = {hex(0xfff3a6), hex(0xf2b934), hex(0xb2740c),
                     hex(0x6e3f00), hex(0xfff6db), hex(0xffe9a0, 0.6)};

constexpr double kCx = kMoleW / 2.0;

void body_path(cairo_t* cr) {
    ellipse(cr, kCx, 23.0, 14.5, 19.0);
}

// Everything above the front lip of the opening the mole stands in.
void lip_clip(cairo_t* cr) {
    cairo_rectangle(cr, -20, -20, kMoleW + 40, kHoleDY + 20);
    ellipse(cr, kHoleDX, kHoleDY, kHoleRX, kHoleRY);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_clip(cr);
}

void draw_body(cairo_t* cr, const Fur& fur) {
    cairo_pattern_t* g = cairo_pattern_create_radial(12.0, 11.0, 1.0, 15.0, 18.0, 24.0);
    add_stop(g, 0.0, fur.light);
    add_stop(g, 0.55, fur.mid);
    add_stop(g, 1.0, fur.dark);
    body_path(cr);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    set_color(cr, fur.outline);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);

    // Paler belly fur.
    ellipse(cr, kCx, 35.5, 9.0, 6.5);
    set_color(cr, fur.belly);
    cairo_fill(cr);

    // Darker where the body disappears into the hole.
    cairo_pattern_t* deep = cairo_pattern_create_linear(0, 30.0, 0, 40.0);
    add_stop(deep, 0.0, {0, 0, 0, 0});
    add_stop(deep, 1.0, {0.05, 0.02, 0, 0.55});
    body_path(cr);
    cairo_set_source(cr, deep);
    cairo_fill(cr);
    cairo_pattern_destroy(deep);
}

void draw_face(cairo_t* cr, const Fur& fur) {
    // Blushing cheeks.
    for (double x : {8.6, 25.4}) {
        ellipse(cr, x, 24.5, 2.8, 1.7);
        set_color(cr, hex(0xff7f8f, 0.45));
        cairo_fill(cr);
    }
    // Muzzle.
    cairo_pattern_t* m = cairo_pattern_create_radial(kCx, 22.0, 1.0, kCx, 24.0, 8.0);
    add_stop(m, 0.0, hex(0xffffff));
    add_stop(m, 0.5, fur.muzzle);
    add_stop(m, 1.0, mix(fur.muzzle, fur.mid, 0.35));
    ellipse(cr, kCx, 24.0, 7.4, 5.3);
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);

    // Whiskers.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.55);
    set_color(cr, hex(0x2a160a, 0.6));
    const double whiskers[3][4] = {
        {11.0, 23.0, 2.5, 20.8}, {11.0, 24.6, 2.0, 25.0}, {11.2, 26.0, 3.2, 28.8}};
    for (const auto& w : whiskers) {
        cairo_move_to(cr, w[0], w[1]);
        cairo_line_to(cr, w[2], w[3]);
        cairo_move_to(cr, kMoleW - w[0], w[1]);
        cairo_line_to(cr, kMoleW - w[2], w[3]);
    }
    cairo_stroke(cr);

    // Buck teeth under the nose.
    for (double x : {15.25, 17.05}) {
        rounded_rect(cr, x, 25.4, 1.7, 2.7, 0.5);
        set_color(cr, hex(0xffffff));
        cairo_fill_preserve(cr);
        set_color(cr, hex(0x8a6a50, 0.8));
        cairo_set_line_width(cr, 0.35);
        cairo_stroke(cr);
    }
    // Mouth.
    cairo_move_to(cr, 14.0, 25.0);
    cairo_curve_to(cr, 15.0, 26.0, 16.3, 25.9, kCx, 25.1);
    cairo_curve_to(cr, 17.7, 25.9, 19.0, 26.0, 20.0, 25.0);
    set_color(cr, hex(0x4a2410, 0.9));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);

    // Nose.
    cairo_pattern_t* n = cairo_pattern_create_radial(16.2, 20.2, 0.3, kCx, 21.0, 3.6);
    add_stop(n, 0.0, hex(0xffc2d2));
    add_stop(n, 0.45, hex(0xf0648a));
    add_stop(n, 1.0, hex(0xb83260));
    ellipse(cr, kCx, 21.2, 3.4, 2.5);
    cairo_set_source(cr, n);
    cairo_fill(cr);
    cairo_pattern_destroy(n);
    ellipse(cr, 16.0, 20.2, 1.0, 0.6);
    set_color(cr, hex(0xffffff, 0.85));
    cairo_fill(cr);

    // Eyes with a catch-light.
    for (double x : {11.6, 22.4}) {
        ellipse(cr, x, 15.8, 2.2, 2.7);
        set_color(cr, hex(0x120a06));
        cairo_fill(cr);
        ellipse(cr, x - 0.7, 14.8, 0.85, 0.95);
        set_color(cr, hex(0xffffff));
        cairo_fill(cr);
        ellipse(cr, x + 0.8, 16.9, 0.35, 0.35);
        set_color(cr, hex(0xffffff, 0.7));
        cairo_fill(cr);
    }
}

void draw_paws(cairo_t* cr) {
    for (double x : {9.0, 25.0}) {
        cairo_pattern_t* p = cairo_pattern_create_radial(x - 1.0, 35.6, 0.5, x, 37.0, 4.5);
        add_stop(p, 0.0, hex(0xffd8d8));
        add_stop(p, 1.0, hex(0xe58f94));
        ellipse(cr, x, 37.0, 4.2, 2.5);
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        set_color(cr, hex(0x9a4a50));
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
        // Claws.
        set_color(cr, hex(0xfff6ee));
        cairo_set_line_width(cr, 0.7);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (double dx : {-2.2, 0.0, 2.2}) {
            cairo_move_to(cr, x + dx, 37.9);
            cairo_line_to(cr, x + dx * 1.1, 39.3);
        }
        cairo_stroke(cr);
    }
}

void draw_tuft(cairo_t* cr, const Fur& fur) {
    set_color(cr, fur.outline);
    cairo_set_line_width(cr, 1.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 16.0, 4.6);
    cairo_curve_to(cr, 15.5, 2.5, 14.0, 1.8, 12.8, 2.0);
    cairo_move_to(cr, 17.0, 4.3);
    cairo_curve_to(cr, 17.0, 2.2, 17.8, 1.0, 19.0, 0.8);
    cairo_move_to(cr, 18.0, 4.6);
    cairo_curve_to(cr, 19.0, 3.0, 20.4, 2.6, 21.6, 3.0);
    cairo_stroke(cr);
}

void draw_crown(cairo_t* cr) {
    cairo_move_to(cr, 11.0, 8.4);
    cairo_line_to(cr, 10.2, 1.6);
    cairo_line_to(cr, 13.8, 4.6);
    cairo_line_to(cr, kCx, 0.6);
    cairo_line_to(cr, 20.2, 4.6);
    cairo_line_to(cr, 23.8, 1.6);
    cairo_line_to(cr, 23.0, 8.4);
    cairo_curve_to(cr, 19.0, 9.6, 15.0, 9.6, 11.0, 8.4);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0.6, 0, 9.5);
    add_stop(g, 0.0, hex(0xfff9d0));
    add_stop(g, 0.5, hex(0xffcf3a));
    add_stop(g, 1.0, hex(0xe08a00));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    set_color(cr, hex(0x7a3a00));
    cairo_set_line_width(cr, 0.8);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Jewels.
    const double gems[3][2] = {{13.4, 7.2}, {kCx, 7.6}, {20.6, 7.2}};
    const std::uint32_t colours[3] = {0x3a8cff, 0xff2e55, 0x3a8cff};
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, gems[i][0], gems[i][1], i == 1 ? 1.3 : 0.95, 0, 2 * M_PI);
        set_color(cr, hex(colours[i]));
        cairo_fill(cr);
    }
}

void sparkle(cairo_t* cr, double x, double y, double r) {
    star(cr, x, y, r, r * 0.28, 4);
    set_color(cr, hex(0xffffff, 0.95));
    cairo_fill(cr);
    cairo_arc(cr, x, y, r * 0.45, 0, 2 * M_PI);
    set_color(cr, hex(0xfff3a0, 0.6));
    cairo_fill(cr);
}

}  // namespace

void draw_mole(cairo_t* cr, bool golden) {
    const Fur& fur = golden ? kGolden : kBrown;
    cairo_save(cr);
    lip_clip(cr);
    draw_body(cr, fur);
    cairo_restore(cr);
    draw_face(cr, fur);
    if (golden) {
        draw_crown(cr);
        sparkle(cr, 3.6, 9.0, 3.2);
        sparkle(cr, 30.6, 5.0, 2.6);
    } else {
        draw_tuft(cr, fur);
    }
    draw_paws(cr);
}

Surface paint_mole(bool golden) {
    Surface s = make_surface(kMoleW, kMoleH);
    Context c = make_context(s);
    draw_mole(c.get(), golden);
    return s;
}

Surface paint_cloud() {
    Surface s = make_surface(kCloudW, kCloudH);
    Context c = make_context(s);
    cairo_t* cr = c.get();
    const double puffs[][3] = {{30, 27, 13}, {18, 30, 10},  {42, 30, 10},  {23, 17, 9.5},
                               {37, 16, 10}, {11, 35, 6.5}, {49, 35, 6.5}, {30, 37, 10.5}};
    auto shape = [&](cairo_t* ctx) {
        for (const auto& p : puffs) {
            cairo_new_sub_path(ctx);
            cairo_arc(ctx, p[0], p[1], p[2], 0, 2 * M_PI);
        }
    };

    // The body of the puff on its own layer so its edge can be softened.
    Surface puff = make_surface(kCloudW, kCloudH);
    {
        Context pc = make_context(puff);
        cairo_t* p = pc.get();
        // Stroking every bump and then filling them all leaves only the outer outline.
        shape(p);
        set_color(p, hex(0xa3b3c9));
        cairo_set_line_width(p, 2.4);
        cairo_stroke(p);
        shape(p);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 6, 0, 48);
        add_stop(g, 0.0, hex(0xffffff));
        add_stop(g, 0.55, hex(0xf7f9fd));
        add_stop(g, 1.0, hex(0xd5deeb));
        cairo_set_source(p, g);
        cairo_fill(p);
        cairo_pattern_destroy(g);
        // Bright caps on the upper bumps.
        for (const auto& b : puffs) {
            if (b[1] > 32) continue;
            ellipse(p, b[0] - b[2] * 0.25, b[1] - b[2] * 0.35, b[2] * 0.5, b[2] * 0.35);
            set_color(p, hex(0xffffff, 0.9));
            cairo_fill(p);
        }
        // A cool shadow along the bottom.
        cairo_save(p);
        shape(p);
        cairo_clip(p);
        cairo_pattern_t* sh = cairo_pattern_create_linear(0, 34, 0, 48);
        add_stop(sh, 0.0, hex(0x9fb0c8, 0.0));
        add_stop(sh, 1.0, hex(0x9fb0c8, 0.55));
        cairo_set_source(p, sh);
        cairo_paint(p);
        cairo_pattern_destroy(sh);
        cairo_restore(p);
    }
    blur(puff.get(), 1, 1);
    cairo_set_source_surface(cr, puff.get(), 0, 0);
    cairo_paint_with_alpha(cr, 0.95);

    // Dust kicked up around it.
    const double dust[][3] = {{3.5, 28, 2.2}, {56, 25, 2.0}, {8, 20, 1.4}, {52, 40, 1.5}};
    for (const auto& d : dust) {
        cairo_arc(cr, d[0], d[1], d[2], 0, 2 * M_PI);
        set_color(cr, hex(0xffffff, 0.7));
        cairo_fill(cr);
    }

    // A few bright stars flying off the hit.
    const double stars[][3] = {
        {6.0, 9.0, 4.5}, {54.0, 11.0, 4.0}, {53.0, 45.0, 3.2}, {5.0, 45.0, 2.6}};
    for (const auto& st : stars) {
        star(cr, st[0], st[1], st[2], st[2] * 0.45, 5);
        set_color(cr, hex(0xffe04a));
        cairo_fill_preserve(cr);
        set_color(cr, hex(0xd08a00));
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
    }
    return s;
}

}  // namespace assets

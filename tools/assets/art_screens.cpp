// The title picture and the four result pictures, all shown over the meadow.
#include <cmath>
#include <string>
#include <vector>

#include "art.h"
#include "layout.h"

namespace assets {
namespace {

// Builds the path of a word whose letters bounce and tilt a little, centred on `cx`.
void bouncy_path(cairo_t* cr, const std::string& word, const Font& font, double cx,
                 double baseline) {
    use_font(cr, font);
    std::vector<double> advances;
    double total = 0;
    for (char ch : word) {
        const char s[2] = {ch, 0};
        cairo_text_extents_t e;
        cairo_text_extents(cr, s, &e);
        advances.push_back(e.x_advance);
        total += e.x_advance;
    }
    double x = cx - total / 2;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char s[2] = {word[i], 0};
        // A gentle arch with a little alternating hop.
        const double mid = (static_cast<double>(word.size()) - 1) / 2;
        const double k = (static_cast<double>(i) - mid) / mid;
        const double lift = 8.0 * (1.0 - k * k) + (i % 2 == 0 ? -1.5 : 1.5);
        const double tilt = (i % 2 == 0 ? -1.0 : 1.0) * 0.07;
        cairo_save(cr);
        cairo_translate(cr, x + advances[i] / 2, baseline - lift);
        cairo_rotate(cr, tilt);
        cairo_move_to(cr, -advances[i] / 2, 0);
        cairo_text_path(cr, s);
        cairo_restore(cr);
        x += advances[i];
    }
}

// Chunky cartoon lettering: shadow, thick outline, warm gradient and a glossy top.
void draw_title(cairo_t* cr, const std::string& word, double size, double cx, double baseline) {
    // Shrink to fit the screen with room for the outline.
    const double max_width = kScreenW - 34.0;
    const double natural = text_width(cr, word, {"DejaVu Sans", true, size});
    if (natural > max_width) size *= max_width / natural;
    const Font font{"DejaVu Sans", true, size};
    auto path = [&](cairo_t* c) { bouncy_path(c, word, font, cx, baseline); };
    soft_shadow(
        cr,
        [&](cairo_t* c) {
            path(c);
            cairo_set_line_width(c, 10);
            cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke_preserve(c);
        },
        0, 5, 4, hex(0x000000, 0.5));
    cairo_new_path(cr);
    path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    set_color(cr, hex(0x3b1c08));
    cairo_set_line_width(cr, 10);
    cairo_stroke_preserve(cr);
    set_color(cr, hex(0x8a3f0e));
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, baseline - size * 0.8, 0, baseline + 4);
    add_stop(g, 0.0, hex(0xfffbd0));
    add_stop(g, 0.4, hex(0xffd23c));
    add_stop(g, 1.0, hex(0xff8a1e));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    // Gloss over the upper half of the letters.
    cairo_save(cr);
    cairo_clip(cr);
    ellipse(cr, cx, baseline - size * 0.78, size * 3.6, size * 0.42);
    set_color(cr, hex(0xffffff, 0.35));
    cairo_fill(cr);
    cairo_restore(cr);
}

void sunburst(cairo_t* cr, double cx, double cy, double radius, Rgba colour) {
    cairo_save(cr);
    const int rays = 18;
    for (int i = 0; i < rays; ++i) {
        const double a = i * 2 * M_PI / rays;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, radius, a, a + M_PI / rays);
        cairo_close_path(cr);
    }
    cairo_pattern_t* fade = cairo_pattern_create_radial(cx, cy, 10, cx, cy, radius);
    add_stop(fade, 0.0, colour);
    add_stop(fade, 1.0, {colour.r, colour.g, colour.b, 0});
    cairo_set_source(cr, fade);
    cairo_fill(cr);
    cairo_pattern_destroy(fade);
    cairo_restore(cr);
}

void draw_mallet(cairo_t* cr, double x, double y, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    auto shape = [](cairo_t* c) {
        rounded_rect(c, -4.5, -4, 9, 74, 4);
        rounded_rect(c, -30, -30, 60, 30, 9);
    };
    soft_shadow(cr, shape, 4, 6, 4, hex(0x000000, 0.4));
    // Handle.
    cairo_pattern_t* wood = cairo_pattern_create_linear(-4.5, 0, 4.5, 0);
    add_stop(wood, 0.0, hex(0xe7b57a));
    add_stop(wood, 0.5, hex(0xc98b4c));
    add_stop(wood, 1.0, hex(0x8e5a2c));
    rounded_rect(cr, -4.5, -4, 9, 74, 4);
    cairo_set_source(cr, wood);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(wood);
    set_color(cr, hex(0x4a2a12));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Grip bands.
    for (double gy : {52.0, 58.0, 64.0}) {
        cairo_rectangle(cr, -4.5, gy, 9, 3);
    }
    set_color(cr, hex(0x3a6fd8));
    cairo_fill(cr);
    // Head.
    cairo_pattern_t* head = cairo_pattern_create_linear(0, -30, 0, 0);
    add_stop(head, 0.0, hex(0xff8a7a));
    add_stop(head, 0.45, hex(0xe8453a));
    add_stop(head, 1.0, hex(0xa82218));
    rounded_rect(cr, -30, -30, 60, 30, 9);
    cairo_set_source(cr, head);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(head);
    set_color(cr, hex(0x4a0e08));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (double bx : {-20.0, 16.0}) {
        cairo_rectangle(cr, bx, -30, 4, 30);
    }
    set_color(cr, hex(0xffe08a, 0.9));
    cairo_fill(cr);
    rounded_rect(cr, -25, -27, 50, 6, 3);
    set_color(cr, hex(0xffffff, 0.35));
    cairo_fill(cr);
    cairo_restore(cr);
}

void swoosh(cairo_t* cr, double cx, double cy, double r, double a0, double a1) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 3; ++i) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r + i * 9, a0 + i * 0.05, a1 - i * 0.05);
        set_color(cr, hex(0xffffff, 0.75 - i * 0.2));
        cairo_set_line_width(cr, 3 - i * 0.6);
        cairo_stroke(cr);
    }
}

void pill_button(cairo_t* cr, const std::string& label, double cx, double cy, double w, double h) {
    const double x = cx - w / 2, y = cy - h / 2;
    soft_shadow(
        cr, [&](cairo_t* c) { rounded_rect(c, x - 4, y - 4, w + 8, h + 8, h / 2 + 4); }, 0, 0, 6,
        hex(0xfff2a0, 0.7));
    soft_shadow(
        cr, [&](cairo_t* c) { rounded_rect(c, x, y, w, h, h / 2); }, 0, 4, 3, hex(0x000000, 0.45));
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    add_stop(g, 0.0, hex(0xffc94a));
    add_stop(g, 1.0, hex(0xf2661a));
    rounded_rect(cr, x, y, w, h, h / 2);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    set_color(cr, hex(0x6e2600));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    rounded_rect(cr, x + 8, y + 4, w - 16, h * 0.38, h * 0.19);
    set_color(cr, hex(0xffffff, 0.35));
    cairo_fill(cr);

    TextStyle t;
    t.font = {"DejaVu Sans", true, 22};
    t.fill = hex(0xffffff);
    t.outline = hex(0x6e2600);
    t.outline_width = 4;
    t.letter_spacing = 1.5;
    draw_text(cr, label, t, cx, cy + 8);
}

struct GradeLook {
    const char* letter;
    int stars;
    const char* cheer;
    const char* note;
    Rgba metal_light, metal, metal_dark, ribbon, ribbon_dark;
    bool confetti;
};

GradeLook look_for(Grade g) {
    switch (g) {
        case Grade::kAA:
            return {"AA",           4,
                    "Mole Master!", "More than 1400 points",
                    hex(0xfff6c4),  hex(0xf5c12e),
                    hex(0xa9700a),  hex(0x8a3fd0),
                    hex(0x5a2196),  true};
        case Grade::kA:
            return {"A",
                    3,
                    "Super Bopper!",
                    "More than 1200 points",
                    hex(0xfff6c4),
                    hex(0xf5c12e),
                    hex(0xa9700a),
                    hex(0xe0453a),
                    hex(0x9c221a),
                    true};
        case Grade::kB:
            return {"B",
                    2,
                    "Nice Bopping!",
                    "More than 900 points",
                    hex(0xffffff),
                    hex(0xc4ccd6),
                    hex(0x77808c),
                    hex(0x3a7fd8),
                    hex(0x1f4f96),
                    false};
        case Grade::kC:
        default:
            return {"C",
                    1,
                    "Keep Bopping!",
                    "Score over 900 for a B",
                    hex(0xffe2c4),
                    hex(0xd08a52),
                    hex(0x8a4f22),
                    hex(0x4aa048),
                    hex(0x2a6a2a),
                    false};
    }
}

void draw_confetti(cairo_t* cr, unsigned seed) {
    Scatter rnd(seed);
    const std::uint32_t colours[] = {0xffd23c, 0xff5a7a, 0x5ac8ff, 0x7ae05a, 0xc77aff, 0xffffff};
    for (int i = 0; i < 70; ++i) {
        const double x = rnd.range(0, kScreenW);
        const double y = rnd.range(0, kScreenH);
        const double a = rnd.range(0, M_PI);
        const std::uint32_t colour = colours[static_cast<int>(rnd.next() * 6) % 6];
        // Keep the card and the header clear.
        if (x > 14 && x < kScreenW - 14 && y > 24 && y < 436) continue;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        rounded_rect(cr, -3.5, -1.6, 7, 3.2, 1);
        cairo_restore(cr);
        set_color(cr, hex(colour, 0.95));
        cairo_fill(cr);
    }
}

void draw_header(cairo_t* cr) {
    const double top = 36, h = 44;
    // Folded ribbon ends behind the banner.
    for (int side = -1; side <= 1; side += 2) {
        const double inner = 160 + side * 112, outer = 160 + side * 146;
        cairo_move_to(cr, inner, top + 10);
        cairo_line_to(cr, outer, top + 10);
        cairo_line_to(cr, outer - side * 12, top + 10 + h / 2);
        cairo_line_to(cr, outer, top + 10 + h);
        cairo_line_to(cr, inner, top + 10 + h);
        cairo_close_path(cr);
        set_color(cr, hex(0xa52a20));
        cairo_fill_preserve(cr);
        set_color(cr, hex(0x4a0e08));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_move_to(cr, inner, top + h);
        cairo_line_to(cr, inner, top + 10 + h);
        cairo_line_to(cr, inner - side * 14, top + h);
        cairo_close_path(cr);
        set_color(cr, hex(0x5e1510));
        cairo_fill(cr);
    }
    auto body = [&](cairo_t* c) { rounded_rect(c, 160 - 126, top, 252, h, 6); };
    soft_shadow(cr, body, 0, 4, 3, hex(0x000000, 0.4));
    body(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, top + h);
    add_stop(g, 0.0, hex(0xff6a56));
    add_stop(g, 1.0, hex(0xc42e22));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    set_color(cr, hex(0x4a0e08));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    TextStyle t;
    t.font = {"DejaVu Sans", true, 26};
    t.fill = hex(0xffffff);
    t.outline = hex(0x6e140c);
    t.outline_width = 4;
    t.letter_spacing = 1;
    draw_text(cr, "TIME'S UP!", t, 160, top + 32);
}

void draw_card(cairo_t* cr) {
    const double x = 22, y = 58, w = kScreenW - 44, h = 368;
    auto card = [&](cairo_t* c) { rounded_rect(c, x, y, w, h, 20); };
    soft_shadow(cr, card, 0, 6, 6, hex(0x000000, 0.55));
    card(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    add_stop(g, 0.0, hex(0xfffbf0));
    add_stop(g, 1.0, hex(0xf1e2c0));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    set_color(cr, hex(0x6b4424));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    rounded_rect(cr, x + 7, y + 7, w - 14, h - 14, 14);
    set_color(cr, hex(0xc9a77a, 0.6));
    cairo_set_line_width(cr, 1.2);
    const double dash[] = {4.0, 3.0};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void draw_medal(cairo_t* cr, const GradeLook& look) {
    const double cx = 160, cy = 148, r = 40;
    // Ribbon tails.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, cx + side * 6, cy + 20);
        cairo_line_to(cr, cx + side * 30, cy + 22);
        cairo_line_to(cr, cx + side * 36, cy + 58);
        cairo_line_to(cr, cx + side * 25, cy + 50);
        cairo_line_to(cr, cx + side * 16, cy + 60);
        cairo_close_path(cr);
        set_color(cr, side < 0 ? look.ribbon : look.ribbon_dark);
        cairo_fill_preserve(cr);
        set_color(cr, hex(0x000000, 0.35));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    // Rosette.
    soft_shadow(
        cr, [&](cairo_t* c) { cairo_arc(c, cx, cy, r + 9, 0, 2 * M_PI); }, 0, 4, 3,
        hex(0x000000, 0.35));
    star(cr, cx, cy, r + 10, r + 5, 22);
    set_color(cr, look.ribbon);
    cairo_fill_preserve(cr);
    set_color(cr, look.ribbon_dark);
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Metal disc.
    cairo_pattern_t* m = cairo_pattern_create_radial(cx - 14, cy - 16, 3, cx, cy, r);
    add_stop(m, 0.0, look.metal_light);
    add_stop(m, 0.55, look.metal);
    add_stop(m, 1.0, look.metal_dark);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, m);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(m);
    set_color(cr, look.metal_dark);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r - 6, 0, 2 * M_PI);
    set_color(cr, mix(look.metal_dark, look.metal, 0.3));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);

    TextStyle t;
    t.font = {"DejaVu Sans", true, std::string(look.letter).size() > 1 ? 34.0 : 42.0};
    t.fill = hex(0xffffff);
    t.outline = look.metal_dark;
    t.outline_width = 5;
    t.shadow = hex(0x000000, 0.35);
    t.shadow_dy = 2;
    t.shadow_blur = 2;
    t.letter_spacing = -1;
    draw_text(cr, look.letter, t, cx, cy + t.font.size * 0.36);
}

void draw_score_band(cairo_t* cr) {
    const double x = 30, y = kScoreBandY - 4, w = kScreenW - 60, h = kScoreBandH + 8;
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    add_stop(g, 0.0, hex(0x2a231d));
    add_stop(g, 1.0, hex(0x3b3028));
    rounded_rect(cr, x, y, w, h, 14);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Inner shadow along the top edge, light catch along the bottom.
    cairo_save(cr);
    rounded_rect(cr, x, y, w, h, 14);
    cairo_clip(cr);
    cairo_pattern_t* inner = cairo_pattern_create_linear(0, y, 0, y + 10);
    add_stop(inner, 0.0, hex(0x000000, 0.55));
    add_stop(inner, 1.0, hex(0x000000, 0.0));
    cairo_rectangle(cr, x, y, w, 10);
    cairo_set_source(cr, inner);
    cairo_fill(cr);
    cairo_pattern_destroy(inner);
    cairo_restore(cr);
    rounded_rect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 14);
    set_color(cr, hex(0x6b4424));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void draw_stars(cairo_t* cr, int earned) {
    for (int i = 0; i < 4; ++i) {
        const double x = 160 + (i - 1.5) * 46, y = 318;
        const bool lit = i < earned;
        if (lit) {
            soft_shadow(
                cr, [&](cairo_t* c) { star(c, x, y, 19, 8.5, 5); }, 0, 2, 2, hex(0x6b4424, 0.45));
        }
        star(cr, x, y, 18, 8, 5);
        if (lit) {
            cairo_pattern_t* g = cairo_pattern_create_linear(0, y - 18, 0, y + 14);
            add_stop(g, 0.0, hex(0xfff3a0));
            add_stop(g, 1.0, hex(0xf5a623));
            cairo_set_source(cr, g);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(g);
            set_color(cr, hex(0xa35c00));
        } else {
            set_color(cr, hex(0xe2d6bd));
            cairo_fill_preserve(cr);
            set_color(cr, hex(0xb8a682));
        }
        cairo_set_line_width(cr, 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
}

}  // namespace

Surface paint_splash() {
    Surface s = make_surface(kScreenW, kScreenH);
    Context c = make_context(s);
    cairo_t* cr = c.get();

    // Dim the meadow; no pixel is fully clear so the whole picture takes the tap.
    cairo_pattern_t* veil = cairo_pattern_create_linear(0, 0, 0, kScreenH);
    add_stop(veil, 0.0, hex(0x0c2812, 0.6));
    add_stop(veil, 0.45, hex(0x0c2812, 0.4));
    add_stop(veil, 1.0, hex(0x0c2812, 0.65));
    cairo_set_source(cr, veil);
    cairo_paint(cr);
    cairo_pattern_destroy(veil);

    sunburst(cr, 160, 120, 230, hex(0xfff6c0, 0.22));

    // The star of the show, popping out of a big hole.
    const double scale = 3.0, hole_x = 156, hole_y = 300;
    draw_hole(cr, hole_x, hole_y, scale, 77);
    cairo_save(cr);
    cairo_translate(cr, hole_x - kHoleDX * scale, hole_y - kHoleDY * scale);
    cairo_scale(cr, scale, scale);
    draw_mole(cr, false);
    cairo_restore(cr);
    draw_mallet(cr, 262, 250, 0.55);
    swoosh(cr, 262, 250, 58, -2.2, -1.35);

    draw_title(cr, "Burrowbop", 50, 160, 112);
    TextStyle tag;
    tag.font = {"DejaVu Sans", true, 15};
    tag.fill = hex(0xffffff);
    tag.shadow = hex(0x000000, 0.7);
    tag.shadow_dy = 2;
    tag.shadow_blur = 2;
    draw_text(cr, "Bop 'em before they burrow!", tag, 160, 154);

    pill_button(cr, "TAP TO START", 160, 398, 216, 54);
    TextStyle foot;
    foot.font = {"DejaVu Sans", false, 12};
    foot.fill = hex(0xffffff, 0.92);
    foot.shadow = hex(0x000000, 0.7);
    foot.shadow_dy = 1;
    foot.shadow_blur = 1;
    draw_text(cr, "Bop as many moles as you can in one minute!", foot, 160, 452);
    return s;
}

Surface paint_result(Grade grade) {
    const GradeLook look = look_for(grade);
    Surface s = make_surface(kScreenW, kScreenH);
    Context c = make_context(s);
    cairo_t* cr = c.get();
    cairo_set_source_rgba(cr, 0.04, 0.1, 0.06, 0.62);
    cairo_paint(cr);
    if (look.confetti) {
        sunburst(cr, 160, 150, 300, hex(0xfff6c0, 0.12));
        draw_confetti(cr, static_cast<unsigned>(grade) + 40);
    }
    draw_card(cr);
    draw_header(cr);
    draw_medal(cr, look);
    draw_score_band(cr);
    draw_stars(cr, look.stars);

    TextStyle cheer;
    cheer.font = {"DejaVu Sans", true, 26};
    cheer.fill = hex(0x6b3412);
    draw_text(cr, look.cheer, cheer, 160, 372);
    TextStyle note;
    note.font = {"DejaVu Sans", false, 13};
    note.fill = hex(0x8a6a4a);
    draw_text(cr, look.note, note, 160, 398);
    return s;
}

}  // namespace assets

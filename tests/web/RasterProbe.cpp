// The page the raster test drives: it draws one scene through the Canvas 2D calls
// (backend/web/raster/CanvasCalls.h) on its first frame and prints what it read back
// ("raster: ..."); tests/web/check-raster.js reads the canvas's pixels.
#include <array>
#include <cstdint>
#include <cstdio>

#include "backend/web/PageShell.h"
#include "backend/web/raster/CanvasCalls.h"
#include "native/WireConstants.h"

namespace {

using limn::web::raster::kPageContext;
using Blend = limn::native::wire::BlendMode;

constexpr std::uint32_t kBackground = 0xFF203040;
constexpr int kPictureKey = 7;

// A 4 x 4 picture, premultiplied: green, half-transparent red, clear, white rows.
std::array<std::uint32_t, 16> picture = {
    0xFF00FF00, 0xFF00FF00, 0xFF00FF00, 0xFF00FF00, 0x80800000, 0x80800000, 0x80800000, 0x80800000,
    0x00000000, 0x00000000, 0x00000000, 0x00000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
};

int rectPath(double x, double y, double w, double h) {
    const int path = limn_raster_path_new();
    limn_raster_rect(path, x, y, w, h);
    return path;
}

void fillRect(double x, double y, double w, double h, std::uint32_t argb) {
    const int path = rectPath(x, y, w, h);
    limn_raster_fill_color(kPageContext, path, argb, 0);
    limn_raster_path_free(path);
}

int uploadPicture(double version) {
    return limn_raster_picture(kPictureKey, version, picture.data(), 4, 4, 16, 0);
}

void drawPicture(int handle, double x, double y, double s) {
    limn_raster_save(kPageContext);
    limn_raster_set_transform(kPageContext, s * 10, 0, 0, s * 10, x * s, y * s);
    limn_raster_draw_picture(kPageContext, handle, 0, 0, 4, 4, 0);
    limn_raster_restore(kPageContext);
}

void drawGradient() {
    const int gradient = limn_raster_linear_gradient_new(0, 0, 1, 0);
    limn_raster_gradient_stop(gradient, 0, 0xFF000000);
    limn_raster_gradient_stop(gradient, 1, 0xFFFFFFFF);
    const int path = rectPath(100, 10, 100, 40);
    limn_raster_paint_gradient(kPageContext, path, gradient, 0, 0, 100, 0, 0, 1, 100, 0);
    limn_raster_path_free(path);
    limn_raster_gradient_free(gradient);
}

void drawMultipliedLayer(double s) {
    fillRect(10, 250, 40, 40, 0xFFFF0000);
    const int layer = limn_raster_layer_new(static_cast<int>(40 * s), static_cast<int>(40 * s));
    const int path = rectPath(0, 0, 40 * s, 40 * s);
    limn_raster_fill_color(layer, path, 0xFF808080, 0);
    limn_raster_path_free(path);
    limn_raster_save(kPageContext);
    limn_raster_set_transform(kPageContext, 1, 0, 0, 1, 0, 0);
    limn_raster_set_blend(kPageContext, static_cast<int>(Blend::MULTIPLY));
    limn_raster_draw_layer(kPageContext, layer, 10 * s, 250 * s);
    limn_raster_restore(kPageContext);
    limn_raster_layer_free(layer);
}

void draw(double s) {
    int width = 0;
    int height = 0;
    limn_raster_canvas_size(kPageContext, &width, &height);
    limn_raster_set_transform(kPageContext, 1, 0, 0, 1, 0, 0);
    fillRect(0, 0, width, height, kBackground);
    limn_raster_set_transform(kPageContext, s, 0, 0, s, 0, 0);

    fillRect(10, 10, 40, 40, 0xFFFF0000);
    fillRect(30, 30, 40, 40, 0x800000FF);
    drawGradient();

    const int first = uploadPicture(1);
    const int again = uploadPicture(1);
    const int countSame = limn_raster_uploads();
    drawPicture(first, 10, 100, s);
    picture[0] = 0xFF0000FF;
    const int changed = uploadPicture(2);
    drawPicture(changed, 60, 100, s);
    std::printf("raster: uploads %d %d same handle %d\n", countSame, limn_raster_uploads(),
                first == again && again == changed ? 1 : 0);

    limn_raster_save(kPageContext);
    limn_raster_clip_rect(kPageContext, 220, 100, 20, 20);
    fillRect(200, 80, 80, 80, 0xFFFFFF00);
    limn_raster_restore(kPageContext);

    const int line = limn_raster_path_new();
    limn_raster_move_to(line, 10, 200);
    limn_raster_line_to(line, 110, 200);
    limn_raster_set_line(kPageContext, 6, static_cast<int>(limn::native::wire::CapsStyle::NONE), 0,
                         3);
    limn_raster_stroke_color(kPageContext, line, 0xFFFFFFFF);
    limn_raster_path_free(line);

    const int tiled = rectPath(150, 200, 40, 40);
    limn_raster_paint_picture(kPageContext, tiled, changed, 1, 0, 0, 0, 2, 0, 0, 2, 150, 200);
    limn_raster_path_free(tiled);

    drawMultipliedLayer(s);

    std::uint32_t read = 0;
    limn_raster_read(kPageContext, static_cast<int>(40 * s), static_cast<int>(40 * s), 1, 1, &read,
                     4);
    std::printf("raster: read %08x\n", read);
    limn_raster_picture_free(kPictureKey);
    const int fresh = uploadPicture(2);
    std::printf("raster: after free uploads %d\n", limn_raster_uploads());
    limn_raster_picture_free(kPictureKey);
    (void)fresh;
}

bool drawn = false;

void onFrame(double) {
    if (drawn) return;
    drawn = true;
    draw(limn::web::PageShell::instance().pixelRatio());
    std::printf("raster: drew\n");
}

}  // namespace

int main() {
    limn::web::PageShell::instance().start([](const limn::native::EventRecord&) {}, onFrame);
    return 0;
}

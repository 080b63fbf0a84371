#pragma once
// The Canvas 2D calls of the page's raster (canvas.js beside it is their JavaScript
// half). Contexts, paths, gradients and pictures are handles into tables kept on the
// page; 0 is "none", context 1 is the page's canvas (in device pixels: set the
// transform to the output scale first). Colours are straight 0xAARRGGBB. Blend modes,
// caps and joints take the wire's values (native/WireConstants.h).
//
// A picture is a surface's pixels (premultiplied ARGB32 rows in wasm memory) copied
// to the page under a key of the caller's choice: asked for again at the same
// version it is not copied again. Free the key when the surface goes away.
//
//   int path = limn_raster_path_new();
//   limn_raster_rect(path, 10, 10, 40, 40);
//   limn_raster_fill_color(kPageContext, path, 0xFFFF0000, 0);
//   limn_raster_path_free(path);
// WebAssembly builds only.

#include <cstdint>

extern "C" {

void limn_raster_canvas_size(int context, int* width, int* height);
int limn_raster_layer_new(int width, int height);
void limn_raster_layer_free(int context);
void limn_raster_draw_layer(int into, int from, double x, double y);
void limn_raster_read(int context, int x, int y, int width, int height, void* to, int stride);
void limn_raster_write(int context, int x, int y, int width, int height, const void* from,
                       int stride);
void limn_raster_reset(int context);
// Every transform set on the context from now on is moved by (x, y) device pixels.
void limn_raster_set_origin(int context, int x, int y);
int limn_raster_path_contains(int path, int evenOdd, double x, double y);
int limn_raster_stroke_contains(int path, double width, int caps, int joints, double miterLimit,
                                double x, double y);

void limn_raster_save(int context);
void limn_raster_restore(int context);
void limn_raster_set_transform(int context, double a, double b, double c, double d, double e,
                               double f);
void limn_raster_transform(int context, double a, double b, double c, double d, double e, double f);
void limn_raster_set_alpha(int context, double alpha);
void limn_raster_set_blend(int context, int mode);
void limn_raster_set_smoothing(int context, int smooth);
void limn_raster_clip_rect(int context, double x, double y, double width, double height);
void limn_raster_clip_path(int context, int path, int evenOdd);
void limn_raster_clear_rect(int context, double x, double y, double width, double height);

int limn_raster_path_new();
void limn_raster_path_free(int path);
void limn_raster_move_to(int path, double x, double y);
void limn_raster_line_to(int path, double x, double y);
void limn_raster_quad_to(int path, double cx, double cy, double x, double y);
void limn_raster_cubic_to(int path, double c1x, double c1y, double c2x, double c2y, double x,
                          double y);
void limn_raster_rect(int path, double x, double y, double width, double height);
void limn_raster_close(int path);

void limn_raster_fill_color(int context, int path, std::uint32_t argb, int evenOdd);
void limn_raster_set_line(int context, double width, int caps, int joints, double miterLimit);
void limn_raster_stroke_color(int context, int path, std::uint32_t argb);

int limn_raster_linear_gradient_new(double x0, double y0, double x1, double y1);
int limn_raster_radial_gradient_new(double x0, double y0, double r0, double x1, double y1,
                                    double r1);
void limn_raster_gradient_stop(int gradient, double offset, std::uint32_t argb);
void limn_raster_gradient_free(int gradient);
void limn_raster_paint_gradient(int context, int path, int gradient, int stroke, int evenOdd,
                                double a, double b, double c, double d, double e, double f);

int limn_raster_picture(int key, double version, const void* pixels, int width, int height,
                        int stride, int opaque);
void limn_raster_picture_free(int key);
int limn_raster_uploads();
void limn_raster_draw_picture(int context, int picture, double sx, double sy, double sw, double sh,
                              int smooth);
void limn_raster_paint_picture(int context, int path, int picture, int repeat, int smooth,
                               int stroke, int evenOdd, double a, double b, double c, double d,
                               double e, double f);
}

namespace limn::web::raster {

inline constexpr int kPageContext = 1;

}  // namespace limn::web::raster

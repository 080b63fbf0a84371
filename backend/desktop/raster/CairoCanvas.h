#pragma once
// The desktop's Canvas: cairo for paths, patterns and layers, pixman for
// pictures blitted straight into the target's pixels.
//
// Drawing code of the desktop alone (text shaped by pango) reaches the cairo
// context through contextOf(); its matrix is the canvas's transform.

#include <cairo.h>
#include <pixman.h>

#include <unordered_map>
#include <utility>
#include <vector>

#include "backend/desktop/raster/SurfaceViews.h"
#include "backend/image/Surface.h"
#include "backend/scene/Canvas.h"

namespace limn::sdl {

class CairoCanvas final : public Canvas {
public:
    CairoCanvas(Surface& target, CanvasUse use);
    ~CairoCanvas() override;
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    // The cairo context of a desktop canvas; nullptr for any other canvas.
    [[nodiscard]] static cairo_t* contextOf(Canvas& canvas);

    [[nodiscard]] int width() const override { return target_.width(); }
    [[nodiscard]] int height() const override { return target_.height(); }
    void save() override { cairo_save(cr_); }
    void restore() override { cairo_restore(cr_); }
    void setTransform(const Affine& matrix) override;
    [[nodiscard]] Affine transform() const override;
    void clipRect(double x, double y, double w, double h) override;
    void clipPath(const CanvasPath& path, FillRule rule) override;
    [[nodiscard]] Bounds clipExtents() const override;
    void fill(const CanvasPath& path, const CanvasPaint& paint, FillRule rule) override;
    void stroke(const CanvasPath& path, const CanvasPaint& paint,
                const StrokeStyle& style) override;
    void drawSurface(const Surface& picture, const Affine& matrix, double alpha,
                     bool smooth) override;
    bool blit(const Surface& picture, const Affine& matrix, double alpha, bool smooth,
              const Bounds& area) override;
    [[nodiscard]] bool canBlit(const Affine& matrix) const override;
    void beginLayer() override { cairo_push_group(cr_); }
    void endLayer(BlendMode blend, double alpha) override;
    void endMaskedLayer(BlendMode blend) override;
    void filterLayer(int x, int y, int w, int h,
                     const std::function<void(std::vector<std::uint32_t>& pixels, int width,
                                              int height)>& apply) override;
    void flush() override { target_.flush(); }

private:
    // Sets the paint as cairo's source; false when it paints nothing.
    bool setSource(const CanvasPaint& paint);
    void composite(pixman_image_t* source, double alpha, int srcX, int srcY, int x, int y, int w,
                   int h);
    pixman_image_t* samplerOf(const Surface& picture);
    // Blends the picture, placed at (tx, ty), over the target's pixels in
    // [x0, x1) x [y0, y1) without pixman; false when it can't.
    bool blendPlaced(const Surface& picture, int tx, int ty, int x0, int y0, int x1, int y1);

    Surface& target_;
    cairo_t* cr_;                  // nullptr for CanvasUse::Pictures, which only blits
    bool band_;                    // drawing beside other canvases, on other threads
    pixman_image_t* destination_;  // what pictures are composited into
    // A band's own pixman images of the pictures it samples under a transform
    // (pixman images are not shared across threads), by picture.
    std::unordered_map<const Surface*, pixman_image_t*> samplers_;
    const Surface* lastPicture_ = nullptr;
    pixman_image_t* lastSampler_ = nullptr;
};

}  // namespace limn::sdl

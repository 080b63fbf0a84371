#pragma once
// The Canvas on a page's Canvas 2D context (CanvasCalls.h): the page's own canvas,
// or an offscreen one for a canvas on a surface. Layers are offscreen contexts the
// size of the canvas; each context of the stack is given the same saves and clips,
// so save()/restore() and layers may interleave as they do on the desktop.
// Paths are handed to the page once and kept on the path (CanvasPath::Prepared)
// until it changes. WebAssembly builds only.
//
//   auto canvas = WebCanvas::page();          // device pixels of the page's canvas
//   canvas->setTransform({2, 0, 0, 2, 0, 0});  // CSS pixels at a ratio of 2

#include <memory>
#include <vector>

#include "backend/scene/Canvas.h"

namespace limn::web::raster {

class WebCanvas : public sdl::Canvas {
public:
    // The page's canvas, at its current size.
    static std::unique_ptr<WebCanvas> page();
    // A `width` x `height` box of the page's canvas at (x, y), drawn on as a canvas
    // of its own (the stage's frame within the letterbox).
    static std::unique_ptr<WebCanvas> pageBox(int x, int y, int width, int height);
    // A transparent offscreen canvas of `width` x `height` device pixels (1 or more).
    WebCanvas(int width, int height);
    ~WebCanvas() override;
    WebCanvas(const WebCanvas&) = delete;
    WebCanvas& operator=(const WebCanvas&) = delete;

    [[nodiscard]] int width() const override { return width_; }
    [[nodiscard]] int height() const override { return height_; }
    // The page's handle of the context drawn into (the innermost layer's, if any).
    [[nodiscard]] int context() const { return layers_.empty() ? base_ : layers_.back(); }
    [[nodiscard]] int baseContext() const { return base_; }

    void save() override;
    void restore() override;
    void setTransform(const sdl::Affine& matrix) override { transform_ = matrix; }
    [[nodiscard]] sdl::Affine transform() const override { return transform_; }

    void clipRect(double x, double y, double w, double h) override;
    void clipPath(const sdl::CanvasPath& path, sdl::FillRule rule) override;
    [[nodiscard]] sdl::Bounds clipExtents() const override { return clipBox_; }

    void fill(const sdl::CanvasPath& path, const sdl::CanvasPaint& paint,
              sdl::FillRule rule) override;
    void stroke(const sdl::CanvasPath& path, const sdl::CanvasPaint& paint,
                const sdl::StrokeStyle& style) override;
    void drawSurface(const sdl::Surface& picture, const sdl::Affine& matrix, double alpha,
                     bool smooth) override;
    bool blit(const sdl::Surface& picture, const sdl::Affine& matrix, double alpha, bool smooth,
              const sdl::Bounds& area) override;

    void beginLayer() override;
    void endLayer(sdl::BlendMode blend, double alpha) override;
    void endMaskedLayer(sdl::BlendMode blend) override;
    void filterLayer(int x, int y, int w, int h,
                     const std::function<void(std::vector<std::uint32_t>& pixels, int width,
                                              int height)>& apply) override;
    void flush() override {}

    // The page's handle of a path (made on first use, kept on the path).
    static int pathHandle(const sdl::CanvasPath& path);
    // Line ends and joins as the wire numbers them (what CanvasCalls.h takes).
    static int wireCap(sdl::LineCap cap);
    static int wireJoin(sdl::LineJoin join);

protected:
    WebCanvas(int context, int width, int height, bool owned);

private:
    // A clip as given: replayed on every layer that starts after it.
    struct Clip {
        sdl::Affine transform;
        std::shared_ptr<const sdl::CanvasPath> path;  // null: the rectangle below
        double x = 0, y = 0, w = 0, h = 0;
        sdl::FillRule rule = sdl::FillRule::Winding;
    };
    struct Saved {
        std::size_t clips = 0;
        sdl::Affine transform;
        sdl::Bounds clipBox;
    };

    void applyClip(int context, const Clip& clip) const;
    // Gives a fresh context the saves and clips of the stack.
    void replayState(int context) const;
    void paintPath(int context, const sdl::CanvasPath& path, const sdl::CanvasPaint& paint,
                   bool stroke, sdl::FillRule rule, const sdl::Affine& transform);
    void composite(int from, sdl::BlendMode blend, double alpha);
    [[nodiscard]] std::vector<int> contexts() const;

    int base_ = 0;
    bool owned_ = false;
    int width_ = 0;
    int height_ = 0;
    sdl::Affine transform_;
    sdl::Bounds clipBox_;
    std::vector<Clip> clips_;
    std::vector<Saved> saved_;
    std::vector<int> layers_;
};

}  // namespace limn::web::raster

#pragma once
// The drawing target the scene draws on: what the scene is (nodes, drawing
// lists, masks, filters) stays in shared code; how pixels are made is the
// raster backend's (cairo and pixman on the desktop, Canvas 2D in a page).
//
// Coordinates: the canvas maps the current transform's coordinates to its
// device pixels (0,0 at the top left, width() x height()). Colours are
// straight (not premultiplied) in 0..1; pictures are Surfaces, premultiplied
// ARGB32 in memory, the same in every backend.
//
// State: save()/restore() keep the transform and the clip; everything else
// is passed with each call, so no drawing depends on what was drawn before.
// Layers are offscreen pictures the size of the canvas, in device pixels,
// drawn into until they end and are composited onto what lies below.
//
//   canvas.save();
//   canvas.setTransform(state.matrix);
//   CanvasPath box;
//   box.rect(0, 0, 20, 10);
//   canvas.fill(box, CanvasPaint::solid({1, 0, 0, 1}), FillRule::EvenOdd);
//   canvas.restore();

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "backend/base/Geometry.h"
#include "native/WireConstants.h"

namespace limn::sdl {

class Surface;

// Straight colour channels and alpha, 0..1.
struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;
};

enum class FillRule : std::uint8_t { Winding, EvenOdd };

// A path: subpaths of lines and cubic curves in the coordinates of the
// transform current when it is drawn. A value; copying it copies the points.
class CanvasPath {
public:
    enum class Verb : std::uint8_t { Move, Line, Cubic, Close, Rect };

    void moveTo(double x, double y) { add(Verb::Move, {x, y}); }
    void lineTo(double x, double y) { add(Verb::Line, {x, y}); }
    void curveTo(double x1, double y1, double x2, double y2, double x, double y) {
        add(Verb::Cubic, {x1, y1, x2, y2, x, y});
    }
    void close() { add(Verb::Close, {}); }
    // A closed rectangle, as a move to (x, y), lines to the other corners
    // in turn (along x first) and a close; the pen ends at (x, y).
    void rect(double x, double y, double w, double h) { add(Verb::Rect, {x, y, w, h}); }
    // Room for `verbs` verbs holding `numbers` numbers in all.
    void reserve(std::size_t verbs, std::size_t numbers) {
        verbs_.reserve(verbs);
        points_.reserve(numbers);
    }
    void clear() {
        verbs_.clear();
        points_.clear();
        prepared_.reset();
    }

    [[nodiscard]] bool empty() const { return verbs_.empty(); }
    [[nodiscard]] const std::vector<Verb>& verbs() const { return verbs_; }
    // The numbers of each verb in turn: x, y for Move and Line, three points
    // for Cubic, none for Close, x, y, w, h for Rect.
    [[nodiscard]] const std::vector<double>& points() const { return points_; }

    // A raster backend may keep its own form of a path that is drawn often
    // (made by pathExtents()); any change to the path drops it.
    struct Prepared {
        virtual ~Prepared() = default;
    };
    [[nodiscard]] Prepared* prepared() const { return prepared_.get(); }
    void setPrepared(std::shared_ptr<Prepared> prepared) const { prepared_ = std::move(prepared); }

private:
    void add(Verb verb, std::initializer_list<double> values) {
        verbs_.push_back(verb);
        points_.insert(points_.end(), values);
        prepared_.reset();
    }

    std::vector<Verb> verbs_;
    std::vector<double> points_;
    mutable std::shared_ptr<Prepared> prepared_;
};

enum class Spread : std::uint8_t { Pad, Repeat, Reflect };

struct CanvasStop {
    double offset = 0;  // 0..1
    Rgba color;
};

// A gradient between two points (linear) or two circles (radial), in its
// own coordinates, placed by `matrix`.
struct CanvasGradient {
    bool radial = false;
    double x0 = 0, y0 = 0, r0 = 0;  // start point (and radius, radial)
    double x1 = 0, y1 = 0, r1 = 0;  // end point (and radius, radial)
    std::vector<CanvasStop> stops;
    Spread spread = Spread::Pad;
    Affine matrix;  // gradient coordinates to the path's; invertible
};

// A picture as paint: `matrix` maps its pixels to the path's coordinates
// (invertible). Without repeat, nothing is painted outside the picture.
struct CanvasPattern {
    const Surface* surface = nullptr;
    bool repeat = false;
    bool smooth = false;  // bilinear; false: nearest
    Affine matrix;
};

// What a fill or stroke paints with. The gradient or pattern is referred to,
// not copied: it must outlive the call that paints with it.
struct CanvasPaint {
    enum class Kind : std::uint8_t { Solid, Gradient, Pattern };
    Kind kind = Kind::Solid;
    Rgba color;
    const CanvasGradient* gradient = nullptr;
    const CanvasPattern* pattern = nullptr;
    double alpha = 1;  // multiplies everything painted (0..1)

    static CanvasPaint solid(const Rgba& color) {
        return {Kind::Solid, color, nullptr, nullptr, 1};
    }
    static CanvasPaint of(const CanvasGradient& gradient) {
        return {Kind::Gradient, {}, &gradient, nullptr, 1};
    }
    static CanvasPaint of(const CanvasPattern& pattern, double alpha = 1) {
        return {Kind::Pattern, {}, nullptr, &pattern, alpha};
    }
};

enum class LineCap : std::uint8_t { Butt, Round, Square };
enum class LineJoin : std::uint8_t { Miter, Round, Bevel };

struct StrokeStyle {
    double width = 1;
    LineCap cap = LineCap::Butt;
    LineJoin join = LineJoin::Miter;
    double miterLimit = 10;
    // The width is in device pixels: the pen ignores the transform (the
    // path itself still follows it).
    bool deviceWidth = false;
};

using BlendMode = native::wire::BlendMode;

class Canvas {
public:
    virtual ~Canvas() = default;

    // Device pixels.
    [[nodiscard]] virtual int width() const = 0;
    [[nodiscard]] virtual int height() const = 0;

    // Keep and bring back the transform and the clip (nested).
    virtual void save() = 0;
    virtual void restore() = 0;
    // Current coordinates to device pixels.
    virtual void setTransform(const Affine& matrix) = 0;
    [[nodiscard]] virtual Affine transform() const = 0;

    // Narrows the clip to a rectangle or a path given in current coordinates.
    virtual void clipRect(double x, double y, double w, double h) = 0;
    virtual void clipPath(const CanvasPath& path, FillRule rule) = 0;
    // A device box holding everything the clip leaves visible.
    [[nodiscard]] virtual Bounds clipExtents() const = 0;

    virtual void fill(const CanvasPath& path, const CanvasPaint& paint, FillRule rule) = 0;
    virtual void stroke(const CanvasPath& path, const CanvasPaint& paint,
                        const StrokeStyle& style) = 0;

    // Paints a whole picture, `matrix` mapping its pixels to device pixels
    // (the current transform is not used), inside the clip, with `alpha`.
    virtual void drawSurface(const Surface& picture, const Affine& matrix, double alpha,
                             bool smooth) = 0;
    // The fast way to show a picture: composites it over the canvas's pixels
    // within `area` (whole device pixels), `matrix` mapping its pixels to
    // device pixels. Only for drawing outside any layer where the clip shows
    // all of `area`; the clip and transform are not consulted. False when
    // this canvas can't (then nothing is drawn and the caller paints it as a
    // pattern instead).
    virtual bool blit(const Surface& picture, const Affine& matrix, double alpha, bool smooth,
                      const Bounds& area) = 0;
    // Whether blit() draws pictures under `matrix` (under any other it
    // draws nothing and returns false).
    [[nodiscard]] virtual bool canBlit(const Affine& /*matrix*/) const { return true; }

    // Layers. beginLayer() starts a transparent one, drawn into until it
    // ends; each nests inside the one before. The transform and clip are
    // kept across both calls.
    virtual void beginLayer() = 0;
    // Ends the innermost layer and composites it with `blend` and `alpha`.
    virtual void endLayer(BlendMode blend, double alpha = 1) = 0;
    // Ends the innermost two layers: the inner one is a mask, the one
    // below it the content, composited with `blend` where the mask has
    // alpha (and in its proportion).
    virtual void endMaskedLayer(BlendMode blend) = 0;
    // Passes the innermost layer's pixels inside the device box (x, y, w,
    // h) through `apply` (premultiplied ARGB32, rows packed), and leaves
    // only what it returns in the layer: nothing outside the box stays.
    virtual void filterLayer(int x, int y, int w, int h,
                             const std::function<void(std::vector<std::uint32_t>& pixels, int width,
                                                      int height)>& apply) = 0;

    // Everything drawn so far is in the target's memory.
    virtual void flush() = 0;
    // The target's pixels in the device box (x, y, w, h) were written directly
    // while the canvas is open: a canvas holding a copy of them takes them up.
    virtual void pixelsWritten(int /*x*/, int /*y*/, int /*w*/, int /*h*/) {}
};

// How a canvas on a surface is used.
enum class CanvasUse : std::uint8_t {
    Alone,  // the only drawing going on
    Band,   // one of several canvases drawing side by side, on other threads
    // One of several canvases on one target, on other threads, that only
    // blit() pictures, each into rows of its own.
    Pictures,
};

// The raster backend's canvas on a surface's pixels (one definition per
// backend). What it draws is in the surface after flush() or when it goes;
// the surface must outlive it.
std::unique_ptr<Canvas> openCanvas(Surface& target, CanvasUse use = CanvasUse::Alone);
// Makes what the raster backend keeps beside a surface's pixels for drawing
// it (one definition per backend), so that canvases on other threads only
// read it. Called on the program's thread.
void prepareSurface(const Surface& surface);

// Path geometry, measured the way the raster backend draws (one definition
// per backend; the shared code calls them on its own thread only).
// The box of the points a path covers, in its own coordinates.
Bounds pathExtents(const CanvasPath& path);
// Whether a point lies inside the filled path.
bool pathFillContains(const CanvasPath& path, FillRule rule, double x, double y);
// Whether a point lies on the stroked path (the width in the path's units).
bool pathStrokeContains(const CanvasPath& path, const StrokeStyle& style, double x, double y);

}  // namespace limn::sdl

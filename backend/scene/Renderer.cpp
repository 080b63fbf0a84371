#include "backend/scene/Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <typeinfo>
#include <utility>

#include "backend/draw/FilterEffects.h"
#include "backend/draw/Paint.h"
#include "backend/scene/BandPool.h"
#include "native/WireConstants.h"

namespace limn::sdl {

namespace {

using Blend = native::wire::BlendMode;

bool isWhole(double v) {
    return v == std::floor(v);
}

// Whether cairo can draw under m without entering its error state: finite,
// invertible with a finite inverse, and within sizes a frame can show.
bool drawable(const Affine& m) {
    constexpr double kMaxScale = 1e7, kMaxOffset = 1e9, kMinDeterminant = 1e-12;
    for (double v : {m.a, m.b, m.c, m.d}) {
        if (!(std::fabs(v) <= kMaxScale)) return false;
    }
    if (!(std::fabs(m.tx) <= kMaxOffset && std::fabs(m.ty) <= kMaxOffset)) return false;
    return std::fabs(m.determinant()) >= kMinDeterminant;
}

// Frames with many small children are bound by reading the nodes: the next
// ones are fetched while one is drawn (the fields a frame reads lie in the
// node's first lines).
constexpr std::size_t kPrefetchAhead = 2;
void prefetchNode(const SceneNode& node) {
    const auto* bytes = reinterpret_cast<const char*>(&node);
    for (std::size_t at = 0; at < std::min<std::size_t>(sizeof(SceneNode), 448); at += 64)
        __builtin_prefetch(bytes + at);
}

// Which band one part of a frame drawn beside others is drawing. A node's
// drawn area is written by one band alone: the first (top) band whose box
// the area meets, or the first band for an empty area.
struct BandPart {
    const std::vector<Bounds>* bands = nullptr;  // every band's box, wanted pixels
    std::size_t band = 0;                        // the one being drawn

    [[nodiscard]] bool recordsArea(const Bounds& area) const {
        if (area.empty()) return band == 0;
        for (std::size_t i = 0; i < bands->size(); ++i) {
            if (!area.intersect((*bands)[i]).empty()) return i == band;
        }
        return false;
    }
};

// Drawing that reaches state shared between bands (text layouts, retained
// drawings, tinted copies of pictures) is done by one band at a time.
std::mutex& sharedDrawing() {
    static std::mutex mutex;
    return mutex;
}

// How a node is drawn: where, in what colours, inside which box.
struct Frame {
    Affine matrix;  // node coordinates to target pixels
    ColorXf color;
    Bounds clip;
    bool direct;  // drawing straight into the target with only box clips
    int depth;    // levels below the root
    // direct, under a matrix that only moves and a colour transform that
    // only fades: what the children's fast path asks of their parent.
    bool plain;
};

// What a frame drawn in bands side by side draws, in drawing order, found by
// one walk of the tree on the program thread: pictures composited straight
// into the target (most of a frame of sprites) and the own drawing of every
// other node that draws. Each band then reads only the entries that reach its
// rows, instead of walking and measuring the whole tree again.
struct BandPlan {
    struct Entry {
        Bounds reach;            // the node's area: a band it does not meet skips the entry
        Bounds area;             // a picture's target pixels; the node's own drawing: its reach
        const Surface* picture;  // composited under matrix; nullptr: the node's own drawing
        SceneNode* node;
        Affine matrix;
        double alpha;
        bool smooth;
        std::uint32_t frame;  // the node's frame in frames
    };
    std::vector<Entry> entries;
    std::vector<Frame> frames;
    std::size_t ownDrawings = 0;  // entries that are not pictures
    // The tree holds drawing that is made in layers (masks, blend modes,
    // filters, scroll rectangles, cached subtrees): bands walk it themselves.
    bool refused = false;
};

class Painter {
public:
    Painter(Canvas& canvas, const RenderOptions& options, BandPart* part = nullptr,
            bool shared = false)
        : canvas_(canvas),
          options_(options),
          part_(part),
          shared_(shared || part),
          whole_(Bounds::of(0, 0, canvas.width(), canvas.height())) {}
    // A painter that draws nothing and lists what a frame draws in `plan`.
    Painter(Canvas& canvas, const RenderOptions& options, BandPlan& plan)
        : Painter(canvas, options) {
        plan_ = &plan;
    }

    // False when nothing was drawn at all.
    bool run(SceneNode& root) {
        Bounds all = whole_;
        if (options_.clip) all = all.intersect(*options_.clip);
        if (all.empty()) return false;
        const Affine base =
            options_.applyRootTransform ? options_.base * root.matrix() : options_.base;
        if (!drawable(base)) return false;
        // Culling works on the wanted pixels; the canvas's clip stays on the
        // whole target, so what is drawn comes out as in a whole redraw.
        const Bounds wanted = options_.cull ? all.intersect(*options_.cull) : all;
        if (wanted.empty()) return false;
        const bool grouped = options_.blendMode != static_cast<int>(Blend::NORMAL) &&
                             options_.blendMode != static_cast<int>(Blend::LAYER);
        const ColorXf color =
            options_.applyRootColor ? options_.color * root.colorTransform() : options_.color;
        Frame top{base, color, wanted, !grouped && wholeBox(all) && wholeBox(wanted), 0, false};
        if (plan_) {
            plan_->refused = plan_->refused || grouped;
            if (!grouped) drawInside(root, top, all);
            return true;
        }
        canvas_.flush();
        canvas_.save();
        // The canvas starts at the identity: the box is in target pixels.
        canvas_.clipRect(all.x0, all.y0, all.width(), all.height());
        if (grouped) canvas_.beginLayer();
        drawInside(root, top, all);
        if (grouped) {
            canvas_.setTransform({});
            canvas_.endLayer(static_cast<BlendMode>(options_.blendMode));
        }
        canvas_.restore();
        canvas_.flush();
        return true;
    }

    // Draws the entries of `plan` listed in `entries` (in drawing order)
    // that reach the wanted pixels, to the pixel as run() draws the tree the
    // plan was made from. False when nothing was drawn at all.
    bool replay(const BandPlan& plan, const std::vector<std::uint32_t>& entries) {
        Bounds all = whole_;
        if (options_.clip) all = all.intersect(*options_.clip);
        const Bounds wanted = options_.cull ? all.intersect(*options_.cull) : all;
        if (wanted.empty()) return false;
        canvas_.flush();
        canvas_.save();
        canvas_.clipRect(all.x0, all.y0, all.width(), all.height());
        for (const std::uint32_t index : entries) {
            const BandPlan::Entry& e = plan.entries[index];
            if (e.reach.intersect(wanted).empty()) continue;
            const Bounds area = e.area.intersect(wanted);
            if (area.empty()) continue;
            if (e.picture) {
                canvas_.blit(*e.picture, e.matrix, e.alpha, e.smooth, area);
                continue;
            }
            Frame f = plan.frames[e.frame];
            f.clip = wanted;
            drawSelf(*e.node, f);
        }
        canvas_.restore();
        canvas_.flush();
        return true;
    }

    // Composites the pictures of a plan that holds nothing else (in drawing
    // order) straight into `rows` of the target, whose other rows other bands
    // draw meanwhile: each is cut to the rows, which leaves its pixels there
    // as they are when it is drawn whole.
    void replayPictures(const BandPlan& plan, const std::vector<std::uint32_t>& entries,
                        const Bounds& rows) {
        Bounds wanted = rows;
        wanted.inflate(Renderer::kCullMargin);
        wanted = wanted.intersect(whole_);
        for (const std::uint32_t index : entries) {
            const BandPlan::Entry& e = plan.entries[index];
            if (e.reach.intersect(wanted).empty()) continue;
            const Bounds area = e.area.intersect(rows);
            if (!area.empty()) canvas_.blit(*e.picture, e.matrix, e.alpha, e.smooth, area);
        }
    }

private:
    // A leaf showing one picture, moved by whole pixels or not at all, with
    // no look of its own beyond that: drawn from the node's first fields with
    // one composite, to the pixel as the general path draws it (a matrix
    // that only moves times one that only moves, and a colour transform
    // times the identity, come out exact). False when the node is not such a
    // leaf; nothing is drawn or recorded then.
    bool drawPlainPicture(SceneNode& node, const Frame& parent) {
        const Affine& m = node.matrix();
        if (!m.isTranslation() || !node.visible() || parent.depth >= Renderer::kMaxDepth)
            return false;
        Surface* picture = node.singlePicture();
        if (!picture || !node.colorTransform().isIdentity() || node.isMask() || node.masked() ||
            node.cacheAsBitmap() || !node.children().empty() || !node.filters().empty() ||
            (node.blendMode() != 0 && node.blendMode() != 1) || node.scrollRect() ||
            node.background() || typeid(node) != typeid(SceneNode))
            return false;
        Frame f{parent.matrix, parent.color, parent.clip, true, parent.depth + 1, false};
        f.matrix.tx = m.tx + parent.matrix.tx;
        f.matrix.ty = m.ty + parent.matrix.ty;
        if (invisible(f.color) || !drawable(f.matrix)) {
            record(node, {});
            return true;
        }
        const Bounds area = node.localBounds().transformed(f.matrix);
        record(node, area);
        if (area.intersect(f.clip).empty()) return true;
        reach_ = &area;
        copyDirect(*picture, node.singleSmooth(), f);
        reach_ = nullptr;
        return true;
    }

    static bool wholeBox(const Bounds& b) {
        return isWhole(b.x0) && isWhole(b.y0) && isWhole(b.x1) && isWhole(b.y1);
    }

    static bool covers(const Bounds& outer, const Bounds& inner) {
        return outer.x0 <= inner.x0 && outer.y0 <= inner.y0 && outer.x1 >= inner.x1 &&
               outer.y1 >= inner.y1;
    }

    static bool invisible(const ColorXf& c) { return c.am <= 0 && c.ao <= 0; }

    void drawChild(SceneNode& node, const Frame& parent) {
        if (parent.plain && drawPlainPicture(node, parent)) return;
        if (!node.visible() || node.isMask() || parent.depth >= Renderer::kMaxDepth) {
            record(node, {});
            return;
        }
        Frame f{parent.matrix * node.matrix(),
                parent.color * node.colorTransform(),
                parent.clip,
                parent.direct,
                parent.depth + 1,
                false};
        // A node that can't be drawn (scaled to nothing, or beyond any size) is
        // skipped with its subtree; it must not spoil the rest of the frame.
        if (invisible(f.color) || !drawable(f.matrix)) {
            record(node, {});
            return;
        }
        Bounds area = node.localBounds().transformed(f.matrix);
        const auto& filters = node.filters();
        const bool filtered = !filters.empty();
        if (filtered) area = FilterEffects::grow(area, filters);
        record(node, area);
        if (area.intersect(f.clip).empty()) return;
        const int blend = node.blendMode();
        const auto mask = node.mask();
        const bool grouped =
            filtered || mask ||
            (blend != static_cast<int>(Blend::NORMAL) && blend != static_cast<int>(Blend::LAYER));
        if (plan_ && (grouped || node.cacheAsBitmap())) {
            plan_->refused = true;
            return;
        }
        if (!grouped && node.cacheAsBitmap() && f.color.isAlphaOnly()) {
            auto lock = shareLock();
            if (drawCached(node, f)) return;
        }
        if (!grouped) {
            drawInside(node, f, area);
            return;
        }
        canvas_.save();
        // Layers are made and composited in target pixels.
        canvas_.setTransform({});
        canvas_.beginLayer();
        f.direct = false;
        drawInside(node, f, area);
        if (filtered) {
            auto lock = shareLock();
            canvas_.setTransform({});
            FilterEffects::paint(canvas_, area, filters);
        }
        if (mask) {
            canvas_.setTransform({});
            canvas_.beginLayer();
            const Affine maskMatrix = options_.base * mask->concatenatedMatrix();
            if (drawable(maskMatrix)) {
                Frame mf{maskMatrix, ColorXf{}, f.clip, false, f.depth, false};
                drawInside(*mask, mf, area);
            }
            canvas_.endMaskedLayer(static_cast<BlendMode>(blend));
        } else {
            canvas_.endLayer(static_cast<BlendMode>(blend));
        }
        canvas_.restore();
    }

    // A cached subtree: drawn into its own surface under the node's matrix
    // with the translation cut to whole pixels, then copied at those pixels
    // with the node's alpha. False when it is too large to keep.
    bool drawCached(SceneNode& node, const Frame& f) {
        constexpr double kMaxCachePixels = 16.0 * 1024 * 1024;
        const double ox = std::floor(f.matrix.tx), oy = std::floor(f.matrix.ty);
        Affine m = f.matrix;
        m.tx -= ox;
        m.ty -= oy;
        auto& cache = node.bitmapCache();
        const Affine& c = cache.matrix;
        const bool fresh = cache.surface && cache.quality == options_.quality && c.a == m.a &&
                           c.b == m.b && c.c == m.c && c.d == m.d && c.tx == m.tx && c.ty == m.ty;
        if (!fresh) {
            const Bounds box = node.localBounds().transformed(m);
            if (box.empty()) return true;
            const double x0 = std::floor(box.x0) - 1, y0 = std::floor(box.y0) - 1;
            const double w = std::ceil(box.x1) + 1 - x0, h = std::ceil(box.y1) + 1 - y0;
            if (!(w * h <= kMaxCachePixels) || w > Surface::kMaxSide || h > Surface::kMaxSide)
                return false;
            auto surface =
                Surface::create(static_cast<int>(w), static_cast<int>(h), true, 0x00000000u);
            if (!surface) return false;
            RenderOptions inside;
            inside.base = Affine::translation(-x0, -y0) * m;
            inside.applyRootTransform = false;
            inside.applyRootColor = false;
            inside.quality = options_.quality;
            Renderer::render(node, *surface, inside);
            cache = {surface, m, options_.quality, static_cast<int>(x0), static_cast<int>(y0)};
        }
        canvas_.drawSurface(*cache.surface, Affine::translation(ox + cache.x, oy + cache.y),
                            std::clamp(f.color.am, 0.0, 1.0), true);
        return true;
    }

    // Everything of the node below its own transform: background, drawing
    // list, subclass content and children, inside its scroll rectangle.
    // `area`: the target box the node covers.
    void drawInside(SceneNode& node, Frame f, const Bounds& area) {
        const auto& scroll = node.scrollRect();
        bool clipped = false;
        if (scroll && plan_) {
            plan_->refused = true;
            return;
        }
        if (scroll) {
            const Bounds box = Bounds::of(0, 0, scroll->width(), scroll->height());
            canvas_.save();
            canvas_.setTransform(f.matrix);
            canvas_.clipRect(0, 0, box.width(), box.height());
            clipped = true;
            const Bounds onTarget = box.transformed(f.matrix);
            f.clip = f.clip.intersect(onTarget);
            if (!(f.matrix.b == 0 && f.matrix.c == 0 && wholeBox(onTarget))) f.direct = false;
            f.matrix = f.matrix * Affine::translation(-scroll->x0, -scroll->y0);
        }
        if (!f.clip.empty()) drawOwn(node, f, area);
        if (clipped) canvas_.restore();
    }

    // The background, drawing list and subclass content of a node.
    void drawSelf(SceneNode& node, const Frame& f) {
        const RenderState state{f.matrix, f.color, f.clip, options_.quality};
        if (auto bg = node.background()) drawBackground(node, *bg, state);
        if (!node.drawingEmpty() && !(f.direct && drawBitmapDirect(node, f))) {
            canvas_.setTransform(f.matrix);
            // Tinted pictures are kept in the drawing list between frames.
            auto lock = f.color.isAlphaOnly() ? std::unique_lock<std::mutex>() : shareLock();
            node.graphics().draw(canvas_, state);
        }
        if (!node.contentBounds().empty()) {
            canvas_.setTransform(f.matrix);
            auto lock = shareLock();
            node.drawContent(canvas_, state);
        }
    }

    // Lists the node's own drawing, when it has any, for bands to draw; what
    // they read of it is made here, on the program's thread.
    void planSelf(SceneNode& node, const Frame& f, const Bounds& area) {
        // A background is drawn under the node's own box (none on a stage).
        const bool content =
            (node.background() && !node.ownBounds().empty()) || !node.contentBounds().empty();
        if (!content && node.drawingEmpty()) return;
        Surface* picture = node.singlePicture();
        // A picture alone, composited straight into the target: listed as such.
        if (!content && picture && f.direct && f.color.isAlphaOnly() && canvas_.canBlit(f.matrix)) {
            reach_ = &area;
            drawBitmapDirect(node, f);
            reach_ = nullptr;
            return;
        }
        if (picture) prepareSurface(*picture);
        plan_->entries.push_back({area,
                                  area,
                                  nullptr,
                                  &node,
                                  {},
                                  1,
                                  false,
                                  static_cast<std::uint32_t>(plan_->frames.size())});
        plan_->frames.push_back(f);
        ++plan_->ownDrawings;
    }

    void drawOwn(SceneNode& node, const Frame& f, const Bounds& area) {
        if (plan_) {
            planSelf(node, f, area);
        } else {
            drawSelf(node, f);
        }
        const auto& children = node.children();
        if (children.empty()) return;
        Frame inner = f;
        inner.plain = f.direct && f.matrix.isTranslation() && f.color.isAlphaOnly();
        // Drawing the whole target, every child is met anyway: measuring
        // them all again first only to pass over none is a wasted pass. Bands
        // drawn side by side never measure them: they only read the tree.
        if (node.childBoxesStale() && (part_ || covers(f.clip, whole_))) {
            for (std::size_t i = 0; i < children.size(); ++i) {
                if (i + kPrefetchAhead < children.size())
                    prefetchNode(*children[i + kPrefetchAhead]);
                drawChild(*children[i], inner);
            }
            return;
        }
        // The clip in the node's coordinates lets children that lie outside it
        // be passed over on their cached bounds alone.
        Bounds local = f.clip.transformed(f.matrix.inverse());
        local.inflate(1);
        const std::vector<Bounds>& boxes = node.childBoxes();
        for (std::size_t i = 0; i < children.size() && i < boxes.size(); ++i) {
            // A child list is never changed while drawing, but stay in range anyway.
            if (boxes[i].intersect(local).empty()) continue;
            if (i + kPrefetchAhead < children.size()) prefetchNode(*children[i + kPrefetchAhead]);
            drawChild(*children[i], inner);
        }
    }

    void record(SceneNode& node, const Bounds& area) {
        if (!options_.recordAreas) return;
        if (!part_ || part_->recordsArea(area)) node.setDrawnArea(area);
    }

    // Held while drawing what other bands may be drawing too; a painter
    // alone on its target takes nothing.
    [[nodiscard]] std::unique_lock<std::mutex> shareLock() const {
        return shared_ ? std::unique_lock(sharedDrawing()) : std::unique_lock<std::mutex>();
    }

    void drawBackground(SceneNode& node, std::uint32_t rgb, const RenderState& state) {
        const Bounds box = node.ownBounds();
        if (box.empty()) return;
        const ColorXf& c = state.color;
        canvas_.setTransform(state.matrix);
        CanvasPath path;
        path.rect(box.x0, box.y0, box.width(), box.height());
        canvas_.fill(path,
                     CanvasPaint::solid({c.red(((rgb >> 16) & 0xFF) / 255.0),
                                         c.green(((rgb >> 8) & 0xFF) / 255.0),
                                         c.blue((rgb & 0xFF) / 255.0), c.alpha(1.0)}),
                     FillRule::EvenOdd);
    }

    // The fast path: a bitmap under any affine matrix, composited by pixman
    // straight into the target.
    bool drawBitmapDirect(SceneNode& node, const Frame& f) {
        if (!f.color.isAlphaOnly()) return false;
        Surface* picture = node.singlePicture();
        if (!picture) return false;
        const bool smooth = node.singleSmooth();
        return f.matrix.isTranslation() ? copyDirect(*picture, smooth, f)
                                        : compositeTransformed(*picture, smooth, f);
    }

    // A bitmap moved by whole pixels (or by any amount when sampled nearest).
    bool copyDirect(Surface& src, bool smoothFill, const Frame& f) {
        double tx = f.matrix.tx, ty = f.matrix.ty;
        if (!isWhole(tx) || !isWhole(ty)) {
            if (smoothFill && options_.quality) return compositeTransformed(src, smoothFill, f);
            // Nearest sampling of a shifted picture is the picture at the nearest whole offset.
            tx = std::ceil(tx - 0.5);
            ty = std::ceil(ty - 0.5);
        }
        const Bounds placed = Bounds::of(tx, ty, src.width(), src.height()).intersect(f.clip);
        if (placed.empty()) return true;
        blit(src, Affine::translation(tx, ty), std::clamp(f.color.am, 0.0, 1.0), false, placed);
        return true;
    }

    // Samples the picture through the inverse matrix for every target pixel
    // the placed picture may touch.
    bool compositeTransformed(Surface& src, bool smoothFill, const Frame& f) {
        const bool smooth = smoothFill && options_.quality;
        const Bounds area =
            Bounds::of(0, 0, src.width(), src.height()).transformed(f.matrix).intersect(f.clip);
        return blit(src, f.matrix, std::clamp(f.color.am, 0.0, 1.0), smooth, area);
    }

    // Composites a picture, or lists it in the plan (a planned composite is
    // one the canvas can draw, or a plain picture's, which never asks).
    bool blit(const Surface& src, const Affine& matrix, double alpha, bool smooth,
              const Bounds& area) {
        if (!plan_) return canvas_.blit(src, matrix, alpha, smooth, area);
        prepareSurface(src);
        plan_->entries.push_back(
            {reach_ ? *reach_ : area, area, &src, nullptr, matrix, alpha, smooth, 0});
        return true;
    }

    Canvas& canvas_;
    const RenderOptions& options_;
    BandPart* part_;
    bool shared_;  // other bands draw beside this painter
    Bounds whole_;
    BandPlan* plan_ = nullptr;
    const Bounds* reach_ = nullptr;  // the area of the plain picture being listed
};

// Builds every cache that drawing reads lazily (bounds, child boxes, what a
// drawing list holds, pixman images of pictures), so that bands drawn side by
// side only read the tree. False when the tree holds drawing that is kept on
// one thread: filters and scroll rectangles.
bool prepareTree(SceneNode& node, int depth) {
    if (depth > Renderer::kMaxDepth) return true;
    if (!node.filters().empty() || node.scrollRect()) return false;
    (void)node.localBounds();
    (void)node.contentBounds();
    if (Surface* picture = node.singlePicture()) prepareSurface(*picture);
    if (node.masked()) {
        if (auto mask = node.mask(); mask && !prepareTree(*mask, depth + 1)) return false;
    }
    const auto& children = node.children();
    if (children.empty()) return true;
    // Boxes with most children moved are not read: the bands meet every child.
    if (!node.childBoxesStale()) (void)node.childBoxes();
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (i + kPrefetchAhead < children.size()) prefetchNode(*children[i + kPrefetchAhead]);
        if (!prepareTree(*children[i], depth + 1)) return false;
    }
    return true;
}

// Cuts the rows of `bands` into `parts` runs of about as many rows each.
std::vector<std::vector<Bounds>> splitRows(const std::vector<Bounds>& bands, int parts) {
    double rows = 0;
    for (const Bounds& b : bands) rows += b.height();
    std::vector<std::vector<Bounds>> split(static_cast<std::size_t>(parts));
    const double share = std::ceil(rows / parts);
    std::size_t part = 0;
    double taken = 0;
    for (Bounds b : bands) {
        while (b.height() > 0) {
            const double room = part + 1 < split.size() ? share - taken : b.height();
            const double cut = std::min(room, b.height());
            split[part].push_back(Bounds{b.x0, b.y0, b.x1, b.y0 + cut});
            b.y0 += cut;
            taken += cut;
            if (taken >= share && part + 1 < split.size()) {
                ++part;
                taken = 0;
            }
        }
    }
    return split;
}

// Lists what the rows of `bands` show, on the program's thread, with the
// areas of the nodes recorded as a whole redraw records them. False when
// bands must walk the tree themselves (see BandPlan::refused) or the rows are
// not whole pixels.
bool planFrame(SceneNode& root, Surface& target, const RenderOptions& options,
               const std::vector<Bounds>& bands, BandPlan& plan) {
    Bounds rows;
    for (const Bounds& b : bands) {
        if (!isWhole(b.x0) || !isWhole(b.y0) || !isWhole(b.x1) || !isWhole(b.y1)) return false;
        rows.add(b);
    }
    rows.inflate(Renderer::kCullMargin);
    RenderOptions planOptions = options;
    planOptions.cull = rows;
    // Room for as many entries as the last frame listed.
    static std::size_t lastEntries = 0;
    plan.entries.reserve(lastEntries);
    const auto canvas = openCanvas(target);
    Painter(*canvas, planOptions, plan).run(root);
    lastEntries = plan.entries.size();
    return !plan.refused;
}

// Runs of rows drawn straight into the target, per drawing thread, and the
// fewest rows in one.
constexpr int kRunsPerThread = 4;
constexpr double kMinRunRows = 24;

// The rows of `bands` cut into `parts` runs of about as many rows each.
struct Runs {
    Runs(const std::vector<Bounds>& bands, int parts, const Bounds& frame)
        : split(splitRows(bands, parts)) {
        for (const auto& run : split) {
            firstBand.push_back(wanted.size());
            for (Bounds band : run) {
                band.inflate(Renderer::kCullMargin);
                wanted.push_back(band.intersect(frame));
            }
        }
    }

    std::vector<std::vector<Bounds>> split;  // each part's bands
    std::vector<Bounds> wanted;              // every band's wanted pixels, in order
    std::vector<std::size_t> firstBand;      // where each part's bands start in wanted
};

// For each part, the entries of the plan that may reach its rows, in order.
std::vector<std::vector<std::uint32_t>> binEntries(const BandPlan& plan, const Runs& runs) {
    const std::size_t parts = runs.split.size();
    std::vector<Bounds> extents(parts);
    for (std::size_t part = 0; part < parts; ++part) {
        for (std::size_t i = 0; i < runs.split[part].size(); ++i)
            extents[part].add(runs.wanted[runs.firstBand[part] + i]);
    }
    std::vector<std::vector<std::uint32_t>> bins(parts);
    for (auto& bin : bins) bin.reserve(plan.entries.size() / parts + 16);
    for (std::size_t i = 0; i < plan.entries.size(); ++i) {
        const BandPlan::Entry& e = plan.entries[i];
        for (std::size_t part = 0; part < parts; ++part) {
            if (e.reach.intersect(extents[part]).empty() || e.area.intersect(extents[part]).empty())
                continue;
            bins[part].push_back(static_cast<std::uint32_t>(i));
        }
    }
    return bins;
}

// Draws a plan of pictures alone straight into the target, without scratch
// frames: the rows are cleared, then cut into `parts` runs composited side
// by side, each into its own rows.
void drawPictureRows(Surface& target, const std::vector<Bounds>& bands, int parts,
                     const BandPlan& plan,
                     const std::function<void(Surface&, const Bounds&)>& clear) {
    prepareSurface(target);
    target.flush();
    // Without scratch frames, runs cost nothing of their own: more of them
    // than threads lets a thread that is free take the next one (one that
    // started late, or was kept from its core, then does less).
    double rows = 0;
    for (const Bounds& b : bands) rows += b.height();
    parts = static_cast<int>(
        std::clamp(std::floor(rows / kMinRunRows), 1.0 * parts, 1.0 * parts * kRunsPerThread));
    const Runs runs(bands, parts, Bounds::of(0, 0, target.width(), target.height()));
    const auto entries = binEntries(plan, runs);
    const RenderOptions options;
    BandPool::shared().run(parts, [&](int part) {
        const auto index = static_cast<std::size_t>(part);
        const auto canvas = openCanvas(target, CanvasUse::Pictures);
        Painter painter(*canvas, options, nullptr, true);
        for (const Bounds& rows : runs.split[index]) {
            clear(target, rows);
            painter.replayPictures(plan, entries[index], rows);
        }
    });
    target.markDirty();
}

}  // namespace

void Renderer::render(SceneNode& root, Surface& target, const RenderOptions& options) {
    const auto canvas = openCanvas(target);
    if (Painter(*canvas, options).run(root)) target.markDirty();
}

bool Renderer::render(SceneNode& root, Canvas& canvas, const RenderOptions& options) {
    return Painter(canvas, options).run(root);
}

bool Renderer::renderRows(SceneNode& root, Surface& target, const RenderOptions& options,
                          const std::vector<Bounds>& bands, int threads, RowScratch& scratch,
                          const std::function<void(Surface&, const Bounds&)>& clear) {
    double rows = 0;
    for (const Bounds& b : bands) rows += b.height();
    int parts = std::clamp(threads, 1, BandPool::kMaxThreads);
    parts = std::max(static_cast<int>(std::min<double>(parts, rows)), 1);
    BandPlan plan;
    const bool planned = parts > 1 && planFrame(root, target, options, bands, plan);
    if (parts > 1 && !planned && !prepareTree(root, 0)) parts = 1;
    if (planned && plan.ownDrawings == 0) {
        drawPictureRows(target, bands, parts, plan, clear);
        return true;
    }
    const int w = target.width(), h = target.height();
    std::erase_if(scratch, [&](const auto& s) { return s->width() != w || s->height() != h; });
    while (static_cast<int>(scratch.size()) < parts) {
        auto surface = Surface::create(w, h, false, 0xFF000000u);
        if (!surface) return false;
        prepareSurface(*surface);
        scratch.push_back(std::move(surface));
    }
    const Runs runs(bands, parts, Bounds::of(0, 0, w, h));
    const auto& split = runs.split;
    const auto& wanted = runs.wanted;
    const auto& firstBand = runs.firstBand;
    const auto entries =
        planned ? binEntries(plan, runs) : std::vector<std::vector<std::uint32_t>>();
    std::vector<BandPart> state(static_cast<std::size_t>(parts));
    const auto bytes = static_cast<std::size_t>(w) * sizeof(std::uint32_t);
    // Each band is drawn into a scratch frame as a whole redraw would draw it
    // (a rasteriser's pixels depend on where a clip cuts a shape), skipping only what
    // cannot reach the band, and its rows are copied into the target.
    const auto drawPart = [&](int part) {
        const auto index = static_cast<std::size_t>(part);
        Surface& into = *scratch[index];
        BandPart* shared = parts > 1 && !planned ? &state[index] : nullptr;
        const auto canvas = openCanvas(into, parts > 1 ? CanvasUse::Band : CanvasUse::Alone);
        for (std::size_t i = 0; i < split[index].size(); ++i) {
            const Bounds& band = split[index][i];
            clear(into, band);
            canvas->pixelsWritten(0, static_cast<int>(band.y0), w,
                                  static_cast<int>(band.y1) - static_cast<int>(band.y0));
            RenderOptions bandOptions = options;
            bandOptions.cull = wanted[firstBand[index] + i];
            bool drawn = false;
            if (planned) {
                drawn = Painter(*canvas, bandOptions, nullptr, true).replay(plan, entries[index]);
            } else {
                if (shared) {
                    shared->bands = &wanted;
                    shared->band = firstBand[index] + i;
                }
                drawn = Painter(*canvas, bandOptions, shared).run(root);
            }
            if (drawn) into.markDirty();
            for (int y = static_cast<int>(band.y0); y < static_cast<int>(band.y1); ++y)
                std::memcpy(target.row(y), into.row(y), bytes);
        }
    };
    if (parts == 1) {
        drawPart(0);
    } else {
        BandPool::shared().run(parts, drawPart);
    }
    target.markDirty();
    return true;
}

Bounds Renderer::areaOf(SceneNode& node, const Affine& base) {
    Bounds area = node.localBounds().transformed(base * node.concatenatedMatrix());
    if (!node.filters().empty()) area = FilterEffects::grow(area, node.filters());
    return spreadByAncestors(node, area);
}

Bounds Renderer::spreadByAncestors(SceneNode& node, Bounds area) {
    for (SceneNode* p = node.parent(); p; p = p->parent()) {
        if (!p->filters().empty()) area = FilterEffects::grow(area, p->filters());
    }
    return area;
}

}  // namespace limn::sdl

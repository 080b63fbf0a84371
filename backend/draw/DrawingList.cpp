#include "backend/draw/DrawingList.h"

#include <cmath>

#include "backend/draw/Paint.h"

namespace limn::sdl {

struct DrawingList::Command {
    enum Type { Fill, EndFill, Line, Move, LineTo, Curve, Arc, Rect, RoundRect, Ellipse, Custom };
    Command(Type t) : type(t) {}  // NOLINT: commands are written as their type
    Type type;
    double v[6] = {};
    std::shared_ptr<FillStyle> fill;
    // Apart: most drawings have no line, and every command would carry it.
    std::shared_ptr<const LineStyle> line;
    std::shared_ptr<DrawCommand> custom;
};

namespace {

// One piece of a path, in local coordinates.
struct Segment {
    enum Type { Move, Line, Cubic, Close } type;
    double p[6];
};

CanvasPath pathOf(const std::vector<Segment>& segments) {
    std::size_t points = 0;
    for (const Segment& s : segments) points += s.type == Segment::Cubic ? 6 : 2;
    CanvasPath path;
    path.reserve(segments.size(), points);
    for (const Segment& s : segments) {
        switch (s.type) {
            case Segment::Move:
                path.moveTo(s.p[0], s.p[1]);
                break;
            case Segment::Line:
                path.lineTo(s.p[0], s.p[1]);
                break;
            case Segment::Cubic:
                path.curveTo(s.p[0], s.p[1], s.p[2], s.p[3], s.p[4], s.p[5]);
                break;
            case Segment::Close:
                path.close();
                break;
        }
    }
    return path;
}

bool drawsSomething(const std::vector<Segment>& segments) {
    for (const Segment& s : segments) {
        if (s.type != Segment::Move) return true;
    }
    return false;
}

}  // namespace

struct DrawingList::Op {
    enum Kind { FillOp, StrokeOp, CustomOp };
    Kind kind;
    CanvasPath path;
    std::shared_ptr<FillStyle> fill;
    LineStyle line;
    std::shared_ptr<DrawCommand> custom;
    Bounds bounds;
    std::optional<Bounds> rect;  // set when the path is one axis-aligned rectangle
    FillCache cache;
};

namespace {

// Turns the command list into fill, stroke and custom operations.
class Compiler {
public:
    explicit Compiler(std::vector<DrawingList::Op>& ops) : ops_(ops) {
        // A rectangle's or an ellipse's segments without growing.
        fillSegs_.reserve(kFewSegments);
        strokeSegs_.reserve(kFewSegments);
    }

    void run(const std::vector<DrawingList::Command>& commands) {
        for (const auto& c : commands) step(c);
        endFill();
        flushStroke();
    }

private:
    using Command = DrawingList::Command;
    using Op = DrawingList::Op;
    static constexpr std::size_t kFewSegments = 8;

    void step(const Command& c) {
        const double* v = c.v;
        switch (c.type) {
            case Command::Fill:
                endFill();
                fill_ = c.fill;
                break;
            case Command::EndFill:
                endFill();
                break;
            case Command::Line:
                flushStroke();
                line_ = *c.line;
                break;
            case Command::Move:
                add({Segment::Move, {v[0], v[1]}});
                penX_ = startX_ = v[0];
                penY_ = startY_ = v[1];
                break;
            case Command::LineTo:
                lineTo(v[0], v[1]);
                break;
            case Command::Curve:
                conicTo(v[0], v[1], v[2], v[3], 1.0);
                break;
            case Command::Arc:
                arcTo(v[0], v[1], v[2], v[3]);
                break;
            case Command::Rect:
                rect(v[0], v[1], v[2], v[3]);
                break;
            case Command::RoundRect:
                roundRect(v);
                break;
            case Command::Ellipse:
                ellipse(v[0], v[1], v[2], v[3]);
                break;
            case Command::Custom: {
                Op op{Op::CustomOp, {}, fill_, {}, c.custom, c.custom->bounds(), {}, {}};
                (fill_ ? pendingStrokes_ : ops_).push_back(std::move(op));
                break;
            }
        }
    }

    void ensureStart() {
        if (fillSegs_.empty() && fill_) fillSegs_.push_back({Segment::Move, {penX_, penY_}});
        if (strokeSegs_.empty() && line_.enabled) {
            strokeSegs_.push_back({Segment::Move, {penX_, penY_}});
        }
    }

    void add(const Segment& s) {
        if (fill_) fillSegs_.push_back(s);
        if (line_.enabled) strokeSegs_.push_back(s);
    }

    void lineTo(double x, double y) {
        ensureStart();
        add({Segment::Line, {x, y}});
        penX_ = x;
        penY_ = y;
    }

    // A rational quadratic from the pen through control (cx, cy) to (x, y),
    // drawn as one cubic; weight 1 is the plain quadratic curve.
    void conicTo(double cx, double cy, double x, double y, double weight) {
        ensureStart();
        const double k = 4.0 * weight / (3.0 * (1.0 + weight));
        add({Segment::Cubic,
             {penX_ + k * (cx - penX_), penY_ + k * (cy - penY_), x + k * (cx - x),
              y + k * (cy - y), x, y}});
        penX_ = x;
        penY_ = y;
    }

    // A circular-looking arc tangent to pen->control at the pen and to
    // control->anchor at the anchor.
    void arcTo(double cx, double cy, double x, double y) {
        const double ux = penX_ - cx, uy = penY_ - cy, vx = x - cx, vy = y - cy;
        const double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
        double weight = 1.0;
        if (lu > 0 && lv > 0) {
            const double cosAngle = std::clamp((ux * vx + uy * vy) / (lu * lv), -1.0, 1.0);
            weight = std::sqrt((1.0 - cosAngle) / 2.0);  // cosine of half the turn
        }
        conicTo(cx, cy, x, y, weight);
    }

    void rect(double x, double y, double w, double h) {
        add({Segment::Move, {x, y}});
        add({Segment::Line, {x + w, y}});
        add({Segment::Line, {x + w, y + h}});
        add({Segment::Line, {x, y + h}});
        add({Segment::Close, {}});
        penX_ = x;
        penY_ = y;
        if (fill_ && fillSegs_.size() == 5) rectBox_ = Bounds::of(x, y, w, h);
    }

    void ellipse(double x, double y, double w, double h) {
        const double rx = w / 2, ry = h / 2, cx = x + rx, cy = y + ry;
        const double k = 0.5522847498307936;
        add({Segment::Move, {cx + rx, cy}});
        add({Segment::Cubic, {cx + rx, cy + k * ry, cx + k * rx, cy + ry, cx, cy + ry}});
        add({Segment::Cubic, {cx - k * rx, cy + ry, cx - rx, cy + k * ry, cx - rx, cy}});
        add({Segment::Cubic, {cx - rx, cy - k * ry, cx - k * rx, cy - ry, cx, cy - ry}});
        add({Segment::Cubic, {cx + k * rx, cy - ry, cx + rx, cy - k * ry, cx + rx, cy}});
        add({Segment::Close, {}});
        penX_ = cx + rx;
        penY_ = cy;
    }

    void roundRect(const double* v) {
        const double x = v[0], y = v[1], w = v[2], h = v[3];
        const double rx = std::min(std::abs(v[4]) / 2, std::abs(w) / 2);
        const double ry = std::min(std::abs(v[5]) / 2, std::abs(h) / 2);
        if (rx <= 0 || ry <= 0) {
            rect(x, y, w, h);
            return;
        }
        const double k = 1 - 0.5522847498307936;
        const double r = x + w, b = y + h;
        add({Segment::Move, {x + rx, y}});
        add({Segment::Line, {r - rx, y}});
        add({Segment::Cubic, {r - k * rx, y, r, y + k * ry, r, y + ry}});
        add({Segment::Line, {r, b - ry}});
        add({Segment::Cubic, {r, b - k * ry, r - k * rx, b, r - rx, b}});
        add({Segment::Line, {x + rx, b}});
        add({Segment::Cubic, {x + k * rx, b, x, b - k * ry, x, b - ry}});
        add({Segment::Line, {x, y + ry}});
        add({Segment::Cubic, {x, y + k * ry, x + k * rx, y, x + rx, y}});
        add({Segment::Close, {}});
        penX_ = x + rx;
        penY_ = y;
    }

    void endFill() {
        if (fill_ && drawsSomething(fillSegs_)) {
            CanvasPath path = pathOf(fillSegs_);
            const Bounds b = pathExtents(path);
            Op op{Op::FillOp, std::move(path), fill_, {}, nullptr, b, {}, {}};
            if (rectBox_ && fillSegs_.size() == 5) op.rect = rectBox_;
            ops_.push_back(std::move(op));
        }
        fillSegs_.clear();
        rectBox_.reset();
        if (fill_) flushStroke();
        fill_ = nullptr;
        for (auto& op : pendingStrokes_) ops_.push_back(std::move(op));
        pendingStrokes_.clear();
        // The fill closes back to where its path started.
        penX_ = startX_;
        penY_ = startY_;
    }

    void flushStroke() {
        if (line_.enabled && drawsSomething(strokeSegs_)) {
            CanvasPath path = pathOf(strokeSegs_);
            Bounds b = pathExtents(path);
            // Half the width, or more at mitred corners; exact enough for culling and hits.
            b.inflate((line_.thickness > 0 ? line_.thickness : 1) *
                      std::max(0.5, line_.joints == native::wire::JointStyle::MITER
                                        ? line_.miterLimit / 2
                                        : 0.5));
            Op op{Op::StrokeOp, std::move(path), nullptr, line_, nullptr, b, {}, {}};
            (fill_ ? pendingStrokes_ : ops_).push_back(std::move(op));
        }
        strokeSegs_.clear();
    }

    std::vector<Op>& ops_;
    std::vector<Op> pendingStrokes_;
    std::shared_ptr<FillStyle> fill_;
    LineStyle line_;
    std::vector<Segment> fillSegs_;
    std::vector<Segment> strokeSegs_;
    std::optional<Bounds> rectBox_;
    double penX_ = 0, penY_ = 0, startX_ = 0, startY_ = 0;
};

}  // namespace

DrawingList::DrawingList() = default;
DrawingList::~DrawingList() = default;

bool DrawingList::empty() const {
    return commands_.empty() && !picture_.fill;
}

void DrawingList::touch() {
    ++version_;
    if (listener_) listener_(owner_);
}

void DrawingList::clear() {
    expand();
    if (commands_.empty()) return;
    commands_.clear();
    touch();
}

void DrawingList::beginFill(std::uint32_t rgb, double alpha) {
    FillStyle fill;
    fill.kind = FillKind::Solid;
    fill.rgb = rgb & 0xFFFFFF;
    fill.alpha = alpha;
    beginFill(std::move(fill));
}

void DrawingList::beginFill(FillStyle fill) {
    expand();
    if (fill.bitmap) fill.bitmap->markShown();
    Command c{Command::Fill};
    c.fill = std::make_shared<FillStyle>(std::move(fill));
    commands_.push_back(std::move(c));
    touch();
}

void DrawingList::endFill() {
    expand();
    commands_.push_back({Command::EndFill});
    touch();
}

void DrawingList::lineStyle(const LineStyle& line) {
    expand();
    Command c{Command::Line};
    c.line = std::make_shared<const LineStyle>(line);
    commands_.push_back(std::move(c));
    touch();
}

namespace {

DrawingList::Command shapeCommand(DrawingList::Command::Type type,
                                  std::initializer_list<double> values) {
    DrawingList::Command c{type};
    std::size_t i = 0;
    for (double v : values) c.v[i++] = std::isfinite(v) ? v : 0.0;
    return c;
}

}  // namespace

void DrawingList::moveTo(double x, double y) {
    expand();
    commands_.push_back(shapeCommand(Command::Move, {x, y}));
    touch();
}

void DrawingList::lineTo(double x, double y) {
    expand();
    commands_.push_back(shapeCommand(Command::LineTo, {x, y}));
    touch();
}

void DrawingList::curveTo(double cx, double cy, double x, double y) {
    expand();
    commands_.push_back(shapeCommand(Command::Curve, {cx, cy, x, y}));
    touch();
}

void DrawingList::arcTo(double cx, double cy, double x, double y) {
    expand();
    commands_.push_back(shapeCommand(Command::Arc, {cx, cy, x, y}));
    touch();
}

void DrawingList::drawRect(double x, double y, double w, double h) {
    expand();
    commands_.push_back(shapeCommand(Command::Rect, {x, y, w, h}));
    touch();
}

void DrawingList::drawRoundRect(double x, double y, double w, double h, double ew, double eh) {
    expand();
    commands_.push_back(shapeCommand(Command::RoundRect, {x, y, w, h, ew, eh}));
    touch();
}

void DrawingList::drawEllipse(double x, double y, double w, double h) {
    expand();
    commands_.push_back(shapeCommand(Command::Ellipse, {x, y, w, h}));
    touch();
}

void DrawingList::add(std::shared_ptr<DrawCommand> command) {
    if (!command) return;
    expand();
    Command c{Command::Custom};
    c.custom = std::move(command);
    commands_.push_back(std::move(c));
    touch();
}

void DrawingList::compile() {
    if (compiled_ == version_) return;
    compiled_ = version_;
    build();
    if (!picturesOnly()) return;
    picture_.fill = commands_[0].fill;
    std::vector<Command>().swap(commands_);
    std::vector<Op>().swap(ops_);
}

void DrawingList::build() {
    // A drawing is compiled when it is about to be shown, usually complete:
    // the list keeps no room for more (a bitmap's three commands would hold four).
    commands_.shrink_to_fit();
    ops_.clear();
    Compiler(ops_).run(commands_);
    bounds_ = {};
    for (const Op& op : ops_) bounds_.add(op.bounds);
    single_ = nullptr;
    if (ops_.size() == 1 && ops_[0].kind == Op::FillOp && ops_[0].rect) {
        const FillStyle& f = *ops_[0].fill;
        const Bounds& r = *ops_[0].rect;
        if (f.kind == FillKind::Bitmap && f.bitmap && !f.repeat && f.matrix.isTranslation() &&
            f.matrix.tx == 0 && f.matrix.ty == 0 && r.x0 == 0 && r.y0 == 0 &&
            r.x1 == f.bitmap->width() && r.y1 == f.bitmap->height()) {
            single_ = &f;
        }
    }
}

bool DrawingList::picturesOnly() const {
    if (!single_ || commands_.size() != 3) return false;
    const Command& fill = commands_[0];
    const Command& rect = commands_[1];
    return fill.type == Command::Fill && fill.fill.get() == single_ && rect.type == Command::Rect &&
           rect.v[0] == 0 && rect.v[1] == 0 && rect.v[2] == single_->bitmap->width() &&
           rect.v[3] == single_->bitmap->height() && commands_[2].type == Command::EndFill &&
           bounds_.x0 == 0 && bounds_.y0 == 0 && bounds_.x1 == rect.v[2] && bounds_.y1 == rect.v[3];
}

void DrawingList::expand() {
    if (!picture_.fill) return;
    commands_.reserve(3);
    Command fill{Command::Fill};
    fill.fill = std::move(picture_.fill);
    commands_.push_back(std::move(fill));
    commands_.push_back(shapeCommand(Command::Rect, {0, 0, bounds_.x1, bounds_.y1}));
    commands_.push_back({Command::EndFill});
    picture_ = {};  // the change that follows compiles again
}

void DrawingList::drawPicture(Canvas& canvas, const RenderState& state) {
    if (state.clip.intersect(bounds_.transformed(state.matrix)).empty()) return;
    // The path the compiler makes of the rectangle.
    CanvasPath path;
    path.reserve(5, 8);
    path.moveTo(0, 0);
    path.lineTo(bounds_.x1, 0);
    path.lineTo(bounds_.x1, bounds_.y1);
    path.lineTo(0, bounds_.y1);
    path.close();
    // Only a tint is kept between frames.
    FillCache plain;
    FillCache* cache = &plain;
    if (!state.color.isAlphaOnly()) {
        if (!picture_.tint) picture_.tint = std::make_unique<FillCache>();
        cache = picture_.tint.get();
    }
    fillPath(canvas, path, FillRule::EvenOdd, *picture_.fill, state, *cache);
}

Bounds DrawingList::bounds() {
    compile();
    return bounds_;
}

const FillStyle* DrawingList::singleBitmap() {
    compile();
    return single_;
}

bool DrawingList::hit(double x, double y) {
    compile();
    if (!bounds_.contains(x, y)) return false;
    if (picture_.fill) return true;  // one filled rectangle
    for (const Op& op : ops_) {
        if (!op.bounds.contains(x, y)) continue;
        switch (op.kind) {
            case Op::CustomOp:
                if (op.custom->hit(x, y)) return true;
                break;
            case Op::FillOp: {
                if (op.rect || pathFillContains(op.path, FillRule::EvenOdd, x, y)) return true;
                break;
            }
            case Op::StrokeOp: {
                if (pathStrokeContains(op.path, strokeStyleOf(op.line), x, y)) return true;
                break;
            }
        }
    }
    return false;
}

void DrawingList::draw(Canvas& canvas, const RenderState& state) {
    compile();
    if (picture_.fill) {
        drawPicture(canvas, state);
        return;
    }
    for (Op& op : ops_) {
        if (!state.clip.intersect(op.bounds.transformed(state.matrix)).empty() ||
            op.kind == Op::CustomOp) {
            switch (op.kind) {
                case Op::FillOp:
                    fillPath(canvas, op.path, FillRule::EvenOdd, *op.fill, state, op.cache);
                    break;
                case Op::StrokeOp:
                    strokePath(canvas, op.path, op.line, state);
                    break;
                case Op::CustomOp:
                    op.custom->draw(canvas, op.fill ? *op.fill : FillStyle{}, state);
                    break;
            }
        }
    }
}

}  // namespace limn::sdl

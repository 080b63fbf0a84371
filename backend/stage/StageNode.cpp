#include "backend/stage/StageNode.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "backend/base/Clock.h"
#include "backend/image/PngFile.h"
#include "backend/scene/BandPool.h"
#include "backend/scene/Renderer.h"
#include "backend/stage/Platform.h"

namespace limn::sdl {

StageNode::StageNode(int width, int height)
    : SceneNode(NodeKind::Stage),
      width_(std::clamp(width, 1, Surface::kMaxSide)),
      height_(std::clamp(height, 1, Surface::kMaxSide)) {
    setBackground(0xFFFFFF);
}

void StageNode::setStageSize(int width, int height) {
    width_ = std::clamp(width, 1, Surface::kMaxSide);
    height_ = std::clamp(height, 1, Surface::kMaxSide);
    fullDamage_ = true;
}

void StageNode::deliver(const rt::Dynamic& record) {
    if (handler_) handler_(record);
}

void StageNode::requestWake(double delay) {
    wakeDelay_ = std::isfinite(delay) ? delay : 315000000.0;
    wakeAt_ = Clock::realNow();
}

namespace {

// More bands than this are merged: each band is one more walk of the tree.
constexpr std::size_t kMaxBands = 4;
// Damage covering more than this share of the frame redraws all of it.
constexpr double kFullShare = 0.6;
// A frame whose drawing is expected to take longer than this (in seconds of
// one thread) is drawn by the band pool, in parts of at least kMinRows rows.
constexpr double kThreadedWork = 0.002;
constexpr double kMinRows = 16;
// Boxes drawn on a frame target and not read back yet, at most (more are read as one).
constexpr std::size_t kMaxUnread = 8;

double areaOf(const Bounds& b) {
    return b.width() * b.height();
}

bool finiteBox(const Bounds& b) {
    return std::isfinite(b.x0) && std::isfinite(b.y0) && std::isfinite(b.x1) && std::isfinite(b.y1);
}

}  // namespace

void StageNode::setOutputScale(double scale) {
    setOutputScale(scale, scale);
}

void StageNode::setOutputScale(double scaleX, double scaleY) {
    if (!(std::isfinite(scaleX) && scaleX > 0 && std::isfinite(scaleY) && scaleY > 0)) return;
    if (scaleX == scaleX_ && scaleY == scaleY_) return;
    scaleX_ = scaleX;
    scaleY_ = scaleY;
    scale_ = std::min(scaleX, scaleY);
    fullDamage_ = true;
}

void StageNode::descendantChanged(SceneNode& node, bool inMask) {
    // The stage's own look, and masks (drawn inside the nodes they mask), redraw everything.
    // Text fields lay out lazily and may draw past their box: redraw them whole too.
    if (inMask || &node == this || node.kind() == NodeKind::Interactive) fullDamage_ = true;
    if (fullDamage_ || !node.noteOnce(this, frameNumber_)) return;
    addDamage(Renderer::spreadByAncestors(node, node.drawnArea()));
    changed_.emplace_back(&node, node.id());
}

int StageNode::frameWidth() const {
    return std::clamp(static_cast<int>(std::lround(width_ * scaleX_)), 1, Surface::kMaxSide);
}

int StageNode::frameHeight() const {
    return std::clamp(static_cast<int>(std::lround(height_ * scaleY_)), 1, Surface::kMaxSide);
}

bool StageNode::addDamage(const Bounds& area) {
    if (area.empty()) return false;
    if (!finiteBox(area)) {
        fullDamage_ = true;
        return true;
    }
    const int width = frameWidth(), height = frameHeight();
    if (area.x1 <= 0 || area.x0 >= width) return false;
    // Whole rows, with one more each way for antialiased edges and bilinear
    // sampling, which reach into the pixel next to a shape's box.
    const int top = static_cast<int>(std::clamp(std::floor(area.y0) - 1, 0.0, 1.0 * height));
    const int bottom = static_cast<int>(std::clamp(std::ceil(area.y1) + 1, 0.0, 1.0 * height));
    if (top >= bottom) return false;
    if (!addRows(top, bottom)) return false;
    // Rows past the share that redraws everything: stop keeping them, and
    // skip the bookkeeping of every further change this frame.
    if (coveredRows() > kFullShare * height) {
        fullDamage_ = true;
        bands_.clear();
    }
    return true;
}

int StageNode::coveredRows() const {
    int rows = 0;
    for (const Band& b : bands_) rows += b.bottom - b.top;
    return rows;
}

bool StageNode::addRows(int top, int bottom) {
    // Bands stay sorted and apart; a new one swallows those it touches.
    auto first = std::lower_bound(bands_.begin(), bands_.end(), top,
                                  [](const Band& b, int y) { return b.bottom < y; });
    auto last = first;
    while (last != bands_.end() && last->top <= bottom) ++last;
    if (first != last) {
        const Band merged{std::min(top, first->top), std::max(bottom, (last - 1)->bottom)};
        if (last - first == 1 && merged.top == first->top && merged.bottom == first->bottom)
            return false;
        first = bands_.erase(first, last);
        bands_.insert(first, merged);
    } else {
        bands_.insert(first, Band{top, bottom});
    }
    if (bands_.size() > kMaxBands) {
        // Close the narrowest gap.
        std::size_t at = 0;
        for (std::size_t i = 1; i + 1 < bands_.size(); ++i) {
            if (bands_[i + 1].top - bands_[i].bottom < bands_[at + 1].top - bands_[at].bottom)
                at = i;
        }
        bands_[at].bottom = bands_[at + 1].bottom;
        bands_.erase(bands_.begin() + static_cast<std::ptrdiff_t>(at) + 1);
    }
    return true;
}

std::vector<Bounds> StageNode::damagedBoxes() {
    const Affine base{scaleX_, 0, 0, scaleY_, 0, 0};
    for (auto [node, id] : changed_) {
        if (fullDamage_) break;
        // Gone, or moved to another tree: where it was is already marked.
        if (findById(id) != node || node->root() != this) continue;
        addDamage(Renderer::areaOf(*node, base));
    }
    changed_.clear();
    ++frameNumber_;
    if (Surface::changes() != surfaceChanges_ || SceneNode::looseMaskChanges() != maskChanges_)
        fullDamage_ = true;
    const std::uint32_t bg = background().value_or(0xFFFFFF);
    if (quality_ != lastQuality_ || bg != lastBackground_) fullDamage_ = true;
    lastQuality_ = quality_;
    lastBackground_ = bg;
    widenForFilters(base);
    const int width = frame_->width(), height = frame_->height();
    double covered = 0;
    std::vector<Bounds> boxes;
    for (const Band& b : bands_) {
        boxes.push_back(Bounds{0, 1.0 * b.top, 1.0 * width, 1.0 * b.bottom});
        covered += b.bottom - b.top;
    }
    bands_.clear();
    const bool whole = !partial_ && !boxes.empty();
    if (fullDamage_ || whole || covered > kFullShare * height)
        boxes = {Bounds{0, 0, 1.0 * width, 1.0 * height}};
    fullDamage_ = false;
    return boxes;
}

void StageNode::widenForFilters(const Affine& base) {
    // A filter reads the whole drawing of its node, and cairo's pictures drawn
    // through a group or a turned clip do not always come out the same to the
    // last bit after other drawing: damage that touches a filtered or
    // scroll-clipped node redraws the frame.
    for (SceneNode* node : groupedNodes()) {
        if (fullDamage_ || bands_.empty()) return;
        if (node->root() != this) continue;
        Bounds whole = Renderer::areaOf(*node, base);
        whole.add(node->drawnArea());
        if (!finiteBox(whole) || whole.x1 <= 0 || whole.x0 >= frameWidth()) continue;
        const bool touched = std::any_of(bands_.begin(), bands_.end(), [&](const Band& b) {
            return whole.y0 < b.bottom + 1 && whole.y1 > b.top - 1;
        });
        if (touched) fullDamage_ = true;
    }
}

void StageNode::fillBackground(Surface& surface, const Bounds& box) {
    const std::uint32_t colour = 0xFF000000u | (background().value_or(0xFFFFFF) & 0xFFFFFF);
    const int x0 = std::clamp(static_cast<int>(box.x0), 0, surface.width());
    const int x1 = std::clamp(static_cast<int>(box.x1), x0, surface.width());
    const int y0 = std::clamp(static_cast<int>(box.y0), 0, surface.height());
    const int y1 = std::clamp(static_cast<int>(box.y1), y0, surface.height());
    // Straight into the pixels, before any canvas opens on them (band threads too).
    for (int y = y0; y < y1; ++y) std::fill(surface.row(y) + x0, surface.row(y) + x1, colour);
}

void StageNode::render() {
    const int w = frameWidth(), h = frameHeight();
    if (!frame_ || frame_->width() != w || frame_->height() != h) {
        frame_ = Surface::create(w, h, false, 0xFF000000u);
        scratch_.clear();
        if (!frame_) return;
        fullDamage_ = true;
    }
    std::vector<Bounds> boxes = damagedBoxes();
    redrawn_ = 0;
    if (boxes.empty()) return;
    RenderOptions options;
    options.base = {scaleX_, 0, 0, scaleY_, 0, 0};
    options.quality = quality_ > 0;
    options.recordAreas = true;
    const Bounds all = Bounds::of(0, 0, w, h);
    double pixels = 0;
    for (const Bounds& b : boxes) pixels += areaOf(b);
    const int threads = threadsFor(boxes, pixels);
    if (target_ && drawOnTarget(boxes, options)) {
        surfaceChanges_ = Surface::changes();
        maskChanges_ = SceneNode::looseMaskChanges();
        if (presenter_) presenter_(*frame_, boxes);
        return;
    }
    // Drawn into the frame surface: it must hold what the target drew before.
    readBack();
    const auto started = std::chrono::steady_clock::now();
    if (boxes.size() == 1 && boxes[0].height() >= h && threads == 1) {
        fillBackground(*frame_, all);
        Renderer::render(*this, *frame_, options);
        redrawn_ = areaOf(all);
    } else if (!redrawBands(boxes, options, threads)) {
        boxes = {all};
        fillBackground(*frame_, all);
        Renderer::render(*this, *frame_, options);
        redrawn_ = areaOf(all);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    if (redrawn_ > 0) workPerPixel_ = took.count() * threads / redrawn_;
    // What this frame's own drawing did to surfaces is not a change to show.
    surfaceChanges_ = Surface::changes();
    maskChanges_ = SceneNode::looseMaskChanges();
    if (presenter_) presenter_(*frame_, boxes);
}

int StageNode::threadsFor(const std::vector<Bounds>& boxes, double pixels) const {
    const BandPool& pool = BandPool::shared();
    if (pool.threads() <= 1) return 1;
    double rows = 0;
    for (const Bounds& b : boxes) rows += b.height();
    // Forced, every frame with a row per thread is split; otherwise only work
    // that outweighs waking the threads, the extra walks of the tree and the
    // copies of the rows.
    if (pool.forced()) return static_cast<int>(std::min<double>(pool.threads(), rows));
    if (workPerPixel_ * pixels < kThreadedWork) return 1;
    return static_cast<int>(std::clamp(std::floor(rows / kMinRows), 1.0, 1.0 * pool.threads()));
}

bool StageNode::redrawBands(const std::vector<Bounds>& bands, const RenderOptions& options,
                            int threads) {
    const bool drawn = Renderer::renderRows(
        *this, *frame_, options, bands, threads, scratch_,
        [this](Surface& surface, const Bounds& box) { fillBackground(surface, box); });
    if (!drawn) return false;
    for (const Bounds& band : bands) redrawn_ += areaOf(band);
    return true;
}

void StageNode::setFrameTarget(FrameTarget* target) {
    target_ = target;
    unread_.clear();
    fullDamage_ = true;
}

bool StageNode::drawOnTarget(const std::vector<Bounds>& boxes, const RenderOptions& options) {
    const auto canvas = target_->open(frame_->width(), frame_->height());
    if (!canvas) return false;
    const std::uint32_t colour = background().value_or(0xFFFFFF);
    const Rgba fill{((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                    (colour & 0xFF) / 255.0, 1};
    const Bounds all = Bounds::of(0, 0, frame_->width(), frame_->height());
    for (const Bounds& damaged : boxes) {
        const Bounds box = damaged.intersect(all);
        if (box.empty()) continue;
        // Each box is drawn as a whole redraw draws it, inside its own clip:
        // the target's pixels around it stay as they are.
        CanvasPath area;
        area.rect(box.x0, box.y0, box.width(), box.height());
        canvas->save();
        canvas->setTransform({});
        canvas->clipRect(box.x0, box.y0, box.width(), box.height());
        canvas->fill(area, CanvasPaint::solid(fill), FillRule::Winding);
        RenderOptions inBox = options;
        inBox.clip = box;
        Renderer::render(*this, *canvas, inBox);
        canvas->restore();
        redrawn_ += areaOf(box);
        noteUnread(box);
    }
    canvas->flush();
    capUnread();
    return true;
}

void StageNode::noteUnread(const Bounds& box) {
    // Overlapping boxes are read as one.
    const auto overlapping = std::find_if(
        unread_.begin(), unread_.end(), [&](const Bounds& b) { return !b.intersect(box).empty(); });
    if (overlapping != unread_.end()) {
        overlapping->add(box);
        return;
    }
    unread_.push_back(box);
}

void StageNode::capUnread() {
    while (unread_.size() > kMaxUnread) mergeCheapestUnread();
}

// The two whose joint box adds the least are read as one.
void StageNode::mergeCheapestUnread() {
    std::size_t first = 0, second = 1;
    double least = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < unread_.size(); ++i) {
        for (std::size_t j = i + 1; j < unread_.size(); ++j) {
            Bounds both = unread_[i];
            both.add(unread_[j]);
            const double added = areaOf(both) - areaOf(unread_[i]) - areaOf(unread_[j]);
            if (added < least) {
                least = added;
                first = i;
                second = j;
            }
        }
    }
    unread_[first].add(unread_[second]);
    unread_.erase(unread_.begin() + static_cast<std::ptrdiff_t>(second));
}

void StageNode::readBack() const {
    if (!target_ || !frame_) return;
    for (const Bounds& box : unread_) target_->read(*frame_, box);
    unread_.clear();
}

std::shared_ptr<Surface> StageNode::lastFrame() const {
    readBack();
    return frame_;
}

bool StageNode::saveFrame(const std::string& path) const {
    if (!frame_) return false;
    readBack();
    return writePng(*frame_, path);
}

SceneNode* StageNode::focus() const {
    return focus_.lock().get();
}

void StageNode::setFocus(SceneNode* node) {
    SceneNode* old = focus();
    if (old == node) return;
    focus_ = node ? node->weak_from_this() : std::weak_ptr<SceneNode>();
    if (old) old->focusChanged(false);
    if (node) node->focusChanged(true);
}

void StageNode::setDisplayState(int state) {
    displayState_ = state;
    if (displayListener_) displayListener_(state);
}

std::string StageNode::clipboardText() const {
    return platformClipboardText();
}

void StageNode::setClipboardText(const std::string& text) {
    setPlatformClipboardText(text);
}

}  // namespace limn::sdl

#include "backend/stage/StageNode.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "backend/base/Clock.h"
#include "backend/scene/Renderer.h"

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

// More boxes than this are merged: each box is one more walk of the tree.
constexpr std::size_t kMaxBoxes = 4;
// Damage covering more than this share of the frame redraws all of it.
constexpr double kFullShare = 0.6;

double areaOf(const Bounds& b) {
    return b.width() * b.height();
}

Bounds united(const Bounds& a, const Bounds& b) {
    Bounds u = a;
    u.add(b);
    return u;
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

void StageNode::addDamage(const Bounds& area) {
    if (area.empty()) return;
    if (!(std::isfinite(area.x0) && std::isfinite(area.y0) && std::isfinite(area.x1) &&
          std::isfinite(area.y1))) {
        fullDamage_ = true;
        return;
    }
    // Whole pixels, with one more around for antialiased edges.
    Bounds box{std::floor(area.x0) - 1, std::floor(area.y0) - 1, std::ceil(area.x1) + 1,
               std::ceil(area.y1) + 1};
    for (Bounds& b : damage_) {
        if (!b.intersect(box).empty()) {
            b.add(box);
            return;
        }
    }
    damage_.push_back(box);
    if (damage_.size() <= kMaxBoxes) return;
    // Merge the pair that grows least.
    std::size_t bi = 0, bj = 1;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < damage_.size(); ++i) {
        for (std::size_t j = i + 1; j < damage_.size(); ++j) {
            const double grow =
                areaOf(united(damage_[i], damage_[j])) - areaOf(damage_[i]) - areaOf(damage_[j]);
            if (grow < best) {
                best = grow;
                bi = i;
                bj = j;
            }
        }
    }
    damage_[bi].add(damage_[bj]);
    damage_.erase(damage_.begin() + static_cast<std::ptrdiff_t>(bj));
}

std::vector<Bounds> StageNode::damagedBoxes() {
    const Affine base{scaleX_, 0, 0, scaleY_, 0, 0};
    for (auto [node, id] : changed_) {
        // Gone, or moved to another tree: where it was is already marked.
        if (findById(id) != node || node->root() != this) continue;
        addDamage(Renderer::areaOf(*node, base));
    }
    changed_.clear();
    ++frameNumber_;
    if (Surface::changes() != surfaceChanges_ || SceneNode::looseMaskChanges() != maskChanges_)
        fullDamage_ = true;
    const std::uint32_t bg = background().value_or(0xFFFFFF);
    if (quality != lastQuality_ || bg != lastBackground_) fullDamage_ = true;
    lastQuality_ = quality;
    lastBackground_ = bg;
    widenForFilters(base);
    const Bounds all = Bounds::of(0, 0, frame_->width(), frame_->height());
    std::vector<Bounds> boxes;
    double covered = 0;
    for (const Bounds& b : damage_) {
        const Bounds in = b.intersect(all);
        if (in.empty()) continue;
        boxes.push_back(in);
        covered += areaOf(in);
    }
    damage_.clear();
    const bool whole = !partial_ && !boxes.empty();
    if (fullDamage_ || whole || covered > kFullShare * areaOf(all)) boxes = {all};
    fullDamage_ = false;
    return boxes;
}

void StageNode::widenForFilters(const Affine& base) {
    // A filter reads the whole drawing of its node (and a blur reaches past
    // any box cut through it): damage that touches a filtered node redraws
    // the frame.
    for (SceneNode* node : filteredNodes()) {
        if (fullDamage_ || damage_.empty()) return;
        if (node->root() != this) continue;
        Bounds whole = Renderer::areaOf(*node, base);
        whole.add(node->drawnArea());
        for (const Bounds& box : damage_) {
            if (!box.intersect(whole).empty()) fullDamage_ = true;
        }
    }
}

void StageNode::fillBackground(const Bounds& box) {
    const std::uint32_t bg = background().value_or(0xFFFFFF);
    pixman_color_t colour{static_cast<std::uint16_t>(((bg >> 16) & 0xFF) * 257),
                          static_cast<std::uint16_t>(((bg >> 8) & 0xFF) * 257),
                          static_cast<std::uint16_t>((bg & 0xFF) * 257), 0xFFFF};
    pixman_box32_t b{static_cast<int>(box.x0), static_cast<int>(box.y0), static_cast<int>(box.x1),
                     static_cast<int>(box.y1)};
    pixman_image_fill_boxes(PIXMAN_OP_SRC, frame_->pixman(), &colour, 1, &b);
}

void StageNode::render() {
    const int w = std::clamp(static_cast<int>(std::lround(width_ * scaleX_)), 1, Surface::kMaxSide);
    const int h =
        std::clamp(static_cast<int>(std::lround(height_ * scaleY_)), 1, Surface::kMaxSide);
    if (!frame_ || frame_->width() != w || frame_->height() != h) {
        frame_ = Surface::create(w, h, false, 0xFF000000u);
        if (!frame_) return;
        fullDamage_ = true;
    }
    const std::vector<Bounds> boxes = damagedBoxes();
    redrawn_ = 0;
    if (boxes.empty()) return;
    RenderOptions options;
    options.base = {scaleX_, 0, 0, scaleY_, 0, 0};
    options.quality = quality > 0;
    options.recordAreas = true;
    for (const Bounds& box : boxes) {
        fillBackground(box);
        options.clip = box;
        Renderer::render(*this, *frame_, options);
        redrawn_ += areaOf(box);
    }
    // What this frame's own drawing did to surfaces is not a change to show.
    surfaceChanges_ = Surface::changes();
    maskChanges_ = SceneNode::looseMaskChanges();
    if (presenter_) presenter_(*frame_, boxes);
}

bool StageNode::saveFrame(const std::string& path) const {
    if (!frame_) return false;
    return cairo_surface_write_to_png(frame_->cairo(), path.c_str()) == CAIRO_STATUS_SUCCESS;
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
    char* clip = SDL_GetClipboardText();
    if (!clip) return {};
    std::string text = clip;
    SDL_free(clip);
    return text;
}

void StageNode::setClipboardText(const std::string& text) {
    SDL_SetClipboardText(text.c_str());
}

}  // namespace limn::sdl

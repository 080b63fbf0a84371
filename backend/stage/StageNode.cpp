#include "backend/stage/StageNode.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

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
}

void StageNode::deliver(const rt::Dynamic& record) {
    if (handler_) handler_(record);
}

void StageNode::requestWake(double delay) {
    wakeDelay_ = std::isfinite(delay) ? delay : 315000000.0;
    wakeAt_ = Clock::realNow();
}

void StageNode::setOutputScale(double scale) {
    if (std::isfinite(scale) && scale > 0) scale_ = scale;
}

void StageNode::render() {
    const int w = std::clamp(static_cast<int>(std::lround(width_ * scale_)), 1, Surface::kMaxSide);
    const int h = std::clamp(static_cast<int>(std::lround(height_ * scale_)), 1, Surface::kMaxSide);
    const std::uint32_t bg = background().value_or(0xFFFFFF);
    if (!frame_ || frame_->width() != w || frame_->height() != h) {
        frame_ = Surface::create(w, h, false, 0xFF000000u | bg);
        if (!frame_) return;
    } else {
        pixman_color_t colour{static_cast<std::uint16_t>(((bg >> 16) & 0xFF) * 257),
                              static_cast<std::uint16_t>(((bg >> 8) & 0xFF) * 257),
                              static_cast<std::uint16_t>((bg & 0xFF) * 257), 0xFFFF};
        pixman_box32_t all{0, 0, w, h};
        pixman_image_fill_boxes(PIXMAN_OP_SRC, frame_->pixman(), &colour, 1, &all);
    }
    RenderOptions options;
    options.base = {scale_, 0, 0, scale_, 0, 0};
    options.quality = quality > 0;
    Renderer::render(*this, *frame_, options);
    if (presenter_) presenter_(*frame_);
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

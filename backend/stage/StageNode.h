#pragma once
// The root node of a stage: its size, the framework's event handler, the wake
// request, the last rendered frame and the stage-wide settings the framework
// reads back (focus, scale mode, alignment, quality, display state).
//
// The frame is rendered at `outputScale` pixels per stage pixel, so a window
// larger than the stage shows sharp pictures; frames of managed stages and of
// offscreen runs have scale 1.
//
// Frames are retained: every change below the stage marks where the changed
// node was drawn and where it will be drawn; render() redraws only the rows
// those areas cover (the whole frame when they cover most of it, or touch a
// filtered or scroll-clipped node, a mask or a text field), hands them to the
// presenter, and does nothing at all when nothing changed. A frame whose
// drawing would take a while is drawn by the band pool's threads, each on its
// own rows, while the program thread waits (see BandPool).

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "backend/image/Surface.h"
#include "backend/scene/Renderer.h"
#include "backend/scene/SceneNode.h"
#include "backend/scene/StageLink.h"
#include "runtime/Function.h"

namespace limn::sdl {

class StageNode final : public SceneNode, public StageLink {
public:
    StageNode(int width, int height);

    static StageNode* from(const rt::Dynamic& handle) { return handle.handleAs<StageNode>(); }

    [[nodiscard]] int stageWidth() const { return width_; }
    [[nodiscard]] int stageHeight() const { return height_; }
    void setStageSize(int width, int height);

    // The framework's handler; it takes one event record.
    void setHandler(rt::Function handler) { handler_ = std::move(handler); }
    [[nodiscard]] bool hasHandler() const { return !handler_.isNull(); }
    // Hands a record to the handler (nothing without one).
    void deliver(const rt::Dynamic& record) override;

    // The latest wake request, in seconds from when it was made.
    void requestWake(double delay);
    [[nodiscard]] std::optional<double> wakeDelay() const { return wakeDelay_; }
    // When the latest request was made, on Clock::realNow().
    [[nodiscard]] double wakeRequestedAt() const { return wakeAt_; }
    void clearWake() { wakeDelay_.reset(); }

    // Where frames are drawn instead of into the frame surface: a canvas that
    // keeps its pixels between frames (the page's). The frame surface then
    // holds them only once asked for: lastFrame() and saveFrame() read back
    // the boxes drawn since.
    class FrameTarget {
    public:
        virtual ~FrameTarget() = default;
        // A canvas whose pixels are the frame's (`width` x `height`); null when
        // the target cannot take a frame of that size, which is then drawn into
        // the frame surface and presented from it.
        virtual std::unique_ptr<Canvas> open(int width, int height) = 0;
        // Copies `box` of what was drawn into the same box of `frame`.
        virtual void read(Surface& frame, const Bounds& box) = 0;
    };
    // The target outlives its use here, or is unset (nullptr) first.
    void setFrameTarget(FrameTarget* target);

    // Renders the tree into the frame and shows it through the presenter.
    void render();
    [[nodiscard]] std::shared_ptr<Surface> lastFrame() const;
    // Writes the last frame as a PNG; false when there is none or writing fails.
    bool saveFrame(const std::string& path) const;
    void setOutputScale(double scale);
    // Frame pixels per stage pixel across and down (they differ slightly when
    // the frame is fitted to a whole number of pixels each way).
    void setOutputScale(double scaleX, double scaleY);
    [[nodiscard]] double outputScale() const { return scale_; }
    [[nodiscard]] double outputScaleX() const { return scaleX_; }
    [[nodiscard]] double outputScaleY() const { return scaleY_; }
    // The presenter is handed the frame and the boxes of it that changed.
    using Presenter = std::function<void(Surface&, const std::vector<Bounds>&)>;
    void setPresenter(Presenter presenter) { presenter_ = std::move(presenter); }
    // Redraw everything on the next frame.
    void damageAll() { fullDamage_ = true; }
    // Whether a frame redraws only its damaged rows (on by default; off: a
    // frame with any damage is redrawn whole, one with none is skipped).
    // Either way the frame's pixels are those of a whole redraw.
    void setPartialRedraw(bool partial) { partial_ = partial; }
    // How many of the frame's pixels the last render redrew.
    [[nodiscard]] double lastRedrawnPixels() const { return redrawn_; }

    // Pointer position in stage pixels, as last reported by input.
    void setPointer(double x, double y) {
        pointerX_ = x;
        pointerY_ = y;
    }
    [[nodiscard]] double pointerStageX() const override { return pointerX_; }
    [[nodiscard]] double pointerStageY() const override { return pointerY_; }

    // The system clipboard (the platform's).
    [[nodiscard]] std::string clipboardText() const override;
    void setClipboardText(const std::string& text) override;

    [[nodiscard]] SceneNode* focus() const;
    void setFocus(SceneNode* node);

    // Settings the framework writes and reads back; only quality changes the frames.
    [[nodiscard]] int scaleMode() const { return scaleMode_; }
    void setScaleMode(int mode) { scaleMode_ = mode; }
    [[nodiscard]] int align() const { return align_; }
    void setAlign(int align) { align_ = align; }
    [[nodiscard]] int quality() const { return quality_; }
    void setQuality(int quality) { quality_ = quality; }
    [[nodiscard]] bool focusRect() const { return focusRect_; }
    void setFocusRect(bool on) { focusRect_ = on; }
    [[nodiscard]] int displayState() const { return displayState_; }
    void setDisplayState(int state);
    void setDisplayStateListener(std::function<void(int)> listener) {
        displayListener_ = std::move(listener);
    }

protected:
    void descendantChanged(SceneNode& node, bool inMask) override;

private:
    // Rows of the frame to redraw, as a few bands across its whole width:
    // cairo rasterizes a shape the same inside any clip that spans whole
    // rows, but not inside one that cuts it sideways.
    struct Band {
        int top;
        int bottom;
    };
    // The boxes the next frame redraws (empty: none).
    std::vector<Bounds> damagedBoxes();
    // Marks the rows a frame-pixel area covers; true when that added rows.
    bool addDamage(const Bounds& area);
    bool addRows(int top, int bottom);
    [[nodiscard]] int coveredRows() const;
    void widenForFilters(const Affine& base);
    [[nodiscard]] int frameWidth() const;
    [[nodiscard]] int frameHeight() const;
    void fillBackground(Surface& surface, const Bounds& box);
    // Draws `boxes` of the frame on the frame target; false when it refuses the frame.
    bool drawOnTarget(const std::vector<Bounds>& boxes, const RenderOptions& options);
    // Reads what the target drew since the last read into the frame surface.
    // Keeps `box` to read back later, overlapping ones as one; capUnread() then keeps
    // at most kMaxUnread of them.
    void noteUnread(const Bounds& box);
    void capUnread();
    void mergeCheapestUnread();
    void readBack() const;
    // Redraws the frame's rows in `bands` on `threads` threads; false when it can't.
    bool redrawBands(const std::vector<Bounds>& bands, const RenderOptions& options, int threads);
    // How many threads draw a frame that redraws `boxes` (`pixels` in all).
    [[nodiscard]] int threadsFor(const std::vector<Bounds>& boxes, double pixels) const;

    int width_;
    int height_;
    double scale_ = 1;
    double scaleX_ = 1;
    double scaleY_ = 1;
    bool fullDamage_ = true;
    bool partial_ = true;
    std::vector<Band> bands_;                          // sorted, apart
    std::vector<std::pair<SceneNode*, int>> changed_;  // node, id (to tell it still lives)
    std::uint64_t frameNumber_ = 1;
    std::uint64_t surfaceChanges_ = 0;
    std::uint64_t maskChanges_ = 0;
    int lastQuality_ = -1;
    std::uint32_t lastBackground_ = 0;
    double redrawn_ = 0;
    rt::Function handler_;
    std::optional<double> wakeDelay_;
    double wakeAt_ = 0;
    std::shared_ptr<Surface> frame_;
    Renderer::RowScratch scratch_;
    double workPerPixel_ = 0;  // seconds of one thread per pixel, last frame
    Presenter presenter_;
    FrameTarget* target_ = nullptr;
    mutable std::vector<Bounds> unread_;  // drawn on the target, not yet in frame_
    std::weak_ptr<SceneNode> focus_;
    int displayState_ = 0;
    std::function<void(int)> displayListener_;
    double pointerX_ = 0;
    double pointerY_ = 0;
    int scaleMode_ = 0;
    int align_ = 0;
    int quality_ = 2;
    bool focusRect_ = true;
};

}  // namespace limn::sdl

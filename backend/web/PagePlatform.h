#pragma once
// The page's platform (Platform.h): the stage shown on the page's canvas, fitted to
// it at the device pixel ratio (sharp on a phone), letterboxed like the desktop's
// window; the page's input (PageShell) fed to the stage in stage pixels; and the
// stage polled on the first animation frame at or after its wake request.
//
// The stage's frames are drawn straight on the page's canvas, which keeps its
// pixels between frames: a frame in which nothing changed draws nothing, a change
// redraws only its damaged boxes, and no pixels cross from the canvas to wasm
// unless the frame's pixels are asked for (StageNode::FrameTarget). Closing the frame
// (the back button on the first screen, or the program) leaves the page.
// WebAssembly builds only.

#include <memory>
#include <string>
#include <vector>

#include "backend/stage/MainFrame.h"
#include "backend/stage/Platform.h"
#include "backend/stage/StageNode.h"
#include "backend/stage/ViewFit.h"
#include "native/EventRecord.h"

namespace limn::web {

class PagePlatform final : public sdl::Platform, public sdl::StageNode::FrameTarget {
public:
    PagePlatform(sdl::MainFrame& frame, int flags, const std::string& title);
    ~PagePlatform() override;
    PagePlatform(const PagePlatform&) = delete;
    PagePlatform& operator=(const PagePlatform&) = delete;

    // Starts the page's loop; the first time (from the program's main) it goes back
    // to the browser without returning, so main's locals live on as on the desktop.
    // The program runs on in the page's frames.
    void run() override;
    [[nodiscard]] bool headless() const override { return false; }
    [[nodiscard]] const char* driver() const override { return "page"; }
    bool viewSize(int& width, int& height) const override;
    bool closeRequested() override { return false; }

    std::unique_ptr<sdl::Canvas> open(int width, int height) override;
    void read(sdl::Surface& frame, const sdl::Bounds& box) override;

private:
    void event(const native::EventRecord& record);
    void frame(double time);
    void layout();
    void present(sdl::Surface& frame, const std::vector<sdl::Bounds>& boxes);
    // Writes the boxes of a frame drawn into its surface to the canvas.
    void writeFrame(sdl::Surface& shown, const std::vector<sdl::Bounds>& boxes);

    sdl::MainFrame& frame_;  // owns this platform
    sdl::ViewFit fit_;
    bool presentAll_ = true;
    bool left_ = false;
};

}  // namespace limn::web

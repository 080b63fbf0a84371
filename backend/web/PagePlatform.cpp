#include "backend/web/PagePlatform.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "backend/base/Clock.h"
#include "backend/web/PageShell.h"
#include "backend/web/raster/CanvasCalls.h"
#include "backend/web/raster/WebCanvas.h"

// A new tab for the URL (a browser may block it outside a tap or a key).
EM_JS(void, limn_page_open_url, (const char* url),
      { window.open(UTF8ToString(url), '_blank', 'noopener'); });
// The system clipboard takes text only asynchronously, and only when the page may.
EM_JS(void, limn_page_copy_text, (const char* text), {
    try {
        if (navigator.clipboard)
            navigator.clipboard.writeText(UTF8ToString(text)).catch(function(){});
    } catch (e) {
    }
});

namespace limn::web {

using namespace native::codes;
using raster::kPageContext;

PagePlatform::PagePlatform(sdl::MainFrame& frame, int, const std::string&) : frame_(frame) {
    frame_.stage()->setPresenter(
        [this](sdl::Surface& shown, const std::vector<sdl::Bounds>& boxes) {
            present(shown, boxes);
        });
    frame_.stage()->setDisplayStateListener([](int) { PageShell::toggleFullScreen(); });
    frame_.stage()->setFrameTarget(this);
}

PagePlatform::~PagePlatform() {
    frame_.stage()->setFrameTarget(nullptr);
    frame_.stage()->setPresenter(nullptr);
    frame_.stage()->setDisplayStateListener(nullptr);
}

void PagePlatform::run() {
    PageShell::instance().start([this](const native::EventRecord& r) { event(r); },
                                [this](double time) { frame(time); });
    // The first frame is run from the program's main, which on the desktop goes on
    // only once the program has ended: what main keeps on its stack (often the
    // application itself, captured by reference by its callbacks) lives as long as
    // the program. So main is left without returning: its frame stays as it is and
    // the browser's animation frames run the program from here.
    static bool leftMain = false;
    if (leftMain) return;
    leftMain = true;
    emscripten_unwind_to_js_event_loop();
}

bool PagePlatform::viewSize(int& width, int& height) const {
    const auto& shell = PageShell::instance();
    width = static_cast<int>(std::lround(shell.width()));
    height = static_cast<int>(std::lround(shell.height()));
    return true;
}

void PagePlatform::layout() {
    int outW = 0;
    int outH = 0;
    limn_raster_canvas_size(kPageContext, &outW, &outH);
    auto& stage = *frame_.stage();
    fit_ = sdl::ViewFit::of(stage.stageWidth(), stage.stageHeight(), std::max(1, outW),
                            std::max(1, outH));
    stage.setOutputScale(fit_.scaleX, fit_.scaleY);
    presentAll_ = true;
}

void PagePlatform::event(const native::EventRecord& record) {
    if (!frame_.isOpen()) return;
    if (record.type == etResize) {
        layout();
        frame_.input().resize();
        // A canvas given a new size has lost its pixels: draw the frame again now.
        frame_.stage()->damageAll();
        frame_.stage()->render();
        return;
    }
    // CSS pixels to device pixels to stage pixels.
    const double ratio = PageShell::instance().pixelRatio();
    native::EventRecord inStage = record;
    inStage.x = (record.x * ratio - fit_.x) / fit_.scaleX;
    inStage.y = (record.y * ratio - fit_.y) / fit_.scaleY;
    frame_.input().feed(inStage);
}

void PagePlatform::frame(double) {
    if (!frame_.isOpen()) {
        if (!left_) PageShell::leave();
        left_ = true;
        return;
    }
    if (frame_.deadline() <= sdl::Clock::realNow()) frame_.servePoll();
}

void PagePlatform::present(sdl::Surface& shown, const std::vector<sdl::Bounds>& boxes) {
    if (shown.width() != fit_.w || shown.height() != fit_.h) {
        writeFrame(shown, boxes);
        return;
    }
    // The frame is on the canvas already; what is left is the letterbox around it.
    if (!presentAll_) return;
    presentAll_ = false;
    int outW = 0;
    int outH = 0;
    limn_raster_canvas_size(kPageContext, &outW, &outH);
    const int right = fit_.x + fit_.w;
    const int bottom = fit_.y + fit_.h;
    limn_raster_clear_rect(kPageContext, 0, 0, outW, fit_.y);
    limn_raster_clear_rect(kPageContext, 0, bottom, outW, outH - bottom);
    limn_raster_clear_rect(kPageContext, 0, fit_.y, fit_.x, fit_.h);
    limn_raster_clear_rect(kPageContext, right, fit_.y, outW - right, fit_.h);
}

void PagePlatform::writeFrame(sdl::Surface& shown, const std::vector<sdl::Bounds>& boxes) {
    const bool all = presentAll_ || boxes.empty();
    presentAll_ = false;
    if (all) {
        int outW = 0;
        int outH = 0;
        limn_raster_canvas_size(kPageContext, &outW, &outH);
        // The letterbox: black around the view.
        limn_raster_clear_rect(kPageContext, 0, 0, outW, outH);
        limn_raster_write(kPageContext, fit_.x, fit_.y, shown.width(), shown.height(), shown.row(0),
                          shown.stride());
        return;
    }
    for (const auto& box : boxes) {
        const int x0 = std::clamp(static_cast<int>(std::floor(box.x0)), 0, shown.width());
        const int y0 = std::clamp(static_cast<int>(std::floor(box.y0)), 0, shown.height());
        const int x1 = std::clamp(static_cast<int>(std::ceil(box.x1)), 0, shown.width());
        const int y1 = std::clamp(static_cast<int>(std::ceil(box.y1)), 0, shown.height());
        if (x1 <= x0 || y1 <= y0) continue;
        limn_raster_write(kPageContext, fit_.x + x0, fit_.y + y0, x1 - x0, y1 - y0,
                          shown.row(y0) + x0, shown.stride());
    }
}

std::unique_ptr<sdl::Canvas> PagePlatform::open(int width, int height) {
    // A frame not of the view's size (a replay keeping the recording's output
    // scale) is drawn into its surface and written to the canvas as it is.
    if (width != fit_.w || height != fit_.h) return nullptr;
    return raster::WebCanvas::pageBox(fit_.x, fit_.y, width, height);
}

void PagePlatform::read(sdl::Surface& frame, const sdl::Bounds& box) {
    const int x0 = std::clamp(static_cast<int>(std::floor(box.x0)), 0, frame.width());
    const int y0 = std::clamp(static_cast<int>(std::floor(box.y0)), 0, frame.height());
    const int x1 = std::clamp(static_cast<int>(std::ceil(box.x1)), 0, frame.width());
    const int y1 = std::clamp(static_cast<int>(std::ceil(box.y1)), 0, frame.height());
    if (x1 <= x0 || y1 <= y0) return;
    limn_raster_read(kPageContext, fit_.x + x0, fit_.y + y0, x1 - x0, y1 - y0, frame.row(y0) + x0,
                     frame.stride());
    // The frame is opaque, whatever the canvas keeps.
    for (int y = y0; y < y1; ++y) {
        std::uint32_t* row = frame.row(y);
        for (int x = x0; x < x1; ++x) row[x] |= 0xFF000000u;
    }
    frame.markDirty();
}

}  // namespace limn::web

namespace limn::sdl {

std::unique_ptr<Platform> openPlatform(MainFrame& frame, int flags, const std::string& title) {
    return std::make_unique<web::PagePlatform>(frame, flags, title);
}

namespace {

// What the program copied last: a page cannot read the system clipboard when asked
// (that is asynchronous and needs the user's leave), so pasting gives this.
std::string& copiedText() {
    static std::string text;
    return text;
}

}  // namespace

std::string platformClipboardText() {
    return copiedText();
}

void setPlatformClipboardText(const std::string& text) {
    copiedText() = text;
    limn_page_copy_text(text.c_str());
}

void openPlatformUrl(const std::string& url) {
    limn_page_open_url(url.c_str());
}

}  // namespace limn::sdl

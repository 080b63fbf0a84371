#pragma once
// The page a limn program runs in: its canvas (sized by the device pixel ratio),
// the requestAnimationFrame loop, and the page's input turned into the event records
// the desktop backend hands the stage (native/EventRecord.h): mouse and pen as
// mouse events, each finger as touch events with its own id, keys with the desktop's
// key codes, typed text as character events, the browser's back button as key 27,
// resizes. The JavaScript half is js/shell.js; the page template is page/shell.html.
// WebAssembly builds only.

#include <functional>
#include <string>

#include "native/EventRecord.h"

namespace limn::web {

class PageShell {
public:
    using EventHandler = std::function<void(const native::EventRecord&)>;
    // Called once per animation frame with the page's clock in milliseconds.
    using FrameHandler = std::function<void(double)>;

    static PageShell& instance();

    // Takes the page's canvas, listens to its input and starts the frame loop. The
    // handlers run on the program's thread, between frames.
    void start(EventHandler onEvent, FrameHandler onFrame);

    // The canvas size in CSS pixels and its device pixels per CSS pixel.
    [[nodiscard]] double width() const { return width_; }
    [[nodiscard]] double height() const { return height_; }
    [[nodiscard]] double pixelRatio() const { return pixelRatio_; }
    [[nodiscard]] bool hidden() const { return hidden_; }

    // Leaves the page the way the back button would (the device's back gesture
    // on the first screen).
    static void leave();
    static void toggleFullScreen();

    // Canvas 2D, in CSS pixels (scaled to device pixels by the shell).
    static void clear(unsigned rgb);
    static void fillRect(double x, double y, double width, double height, unsigned rgb);

    // Entry points for js/shell.js.
    void pointer(int kind, int id, double x, double y, int buttons, bool touch, bool primary);
    void key(bool down, const std::string& code, int modifiers);
    void text(const std::string& utf8);
    void resize(double width, double height, double pixelRatio);
    void back();
    void visibility(bool hidden);
    void frame(double time);

private:
    PageShell() = default;
    void send(const native::EventRecord& event);

    EventHandler onEvent_;
    FrameHandler onFrame_;
    double width_ = 0;
    double height_ = 0;
    double pixelRatio_ = 1;
    bool hidden_ = false;
};

}  // namespace limn::web

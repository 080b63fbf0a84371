#pragma once
// What a main frame needs of the system it runs on: a place to show the stage
// (a window, a page's canvas, or nothing), its events turned into StageInput calls,
// and a loop that polls the stage when its wake request falls due
// (MainFrame::deadline()). One implementation per backend: SDL's event wait on the
// desktop (backend/desktop/stage/SdlPlatform), animation frames in a page.

#include <memory>
#include <string>

namespace limn::sdl {

class MainFrame;

class Platform {
public:
    virtual ~Platform() = default;

    // Runs the frame's loop until the frame closes (a page's loop goes on on its
    // animation frames: this returns at once there).
    virtual void run() = 0;
    // Nothing is shown (offscreen, no display).
    [[nodiscard]] virtual bool headless() const = 0;
    // The name of what shows frames ("x11", "offscreen", "page"), or nullptr.
    [[nodiscard]] virtual const char* driver() const = 0;
    // The view's size in the system's own units (window points, CSS pixels);
    // false when headless.
    virtual bool viewSize(int& width, int& height) const = 0;
    // Serves the system's events while a replay drives the input: only a request
    // to close counts. True when one came.
    virtual bool closeRequested() = 0;
};

// The backend's platform for `frame`, its view opened for the stage (one
// definition per backend).
std::unique_ptr<Platform> openPlatform(MainFrame& frame, int flags, const std::string& title);

// The system's services beside the view, one definition per backend too: the
// clipboard's text (empty when it holds none) and opening a URL in the browser.
[[nodiscard]] std::string platformClipboardText();
void setPlatformClipboardText(const std::string& text);
void openPlatformUrl(const std::string& url);

}  // namespace limn::sdl

#pragma once
// The desktop's platform: an SDL window showing the stage, and the event loop that
// feeds the stage's input.
//
// The requested size is the device's screen. The window shows it scaled to
// fit (aspect kept, letterboxed) and rendered at the window's pixel size;
// pointer positions are mapped back to stage pixels. A full-screen request on
// a desktop opens a window of the device's shape scaled to a comfortable size;
// F11 toggles true full screen. With no display, or a video driver that does
// not start, the frame runs offscreen: nothing is shown, everything else works.
// SIGINT and SIGTERM (through SDL's handlers) end the loop like the window's
// close button, in every case.
//
// A frame is shown through the window's own surface where the platform gives
// one: only the rows that changed are copied and sent to the window (a whole
// frame after a resize, an expose or the window being shown again). Otherwise,
// and for vsync, it goes through SDL's renderer as a whole-window present.
// LIMN_PRESENT=full sends the whole frame every time, LIMN_PRESENT=renderer
// takes the renderer path (both for checking what a partial present shows).
//
// The loop sleeps in the OS until the stage's wake request is due or an event
// arrives (on X, in one wait on the window's connection), then polls the stage.
// Requests of zero or less are served at once, but a run of them is spaced by
// a precise sleep of at most 1 ms.

#include <SDL.h>

#include <string>
#include <string_view>
#include <vector>

#include "backend/stage/MainFrame.h"
#include "backend/stage/Platform.h"

namespace limn::sdl {

class SdlPlatform final : public Platform {
public:
    // Starts SDL video (offscreen when no display is available) and the window.
    SdlPlatform(MainFrame& frame, int flags, const std::string& title);
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    void run() override;
    [[nodiscard]] bool headless() const override { return window_ == nullptr; }
    [[nodiscard]] const char* driver() const override;
    bool viewSize(int& width, int& height) const override;
    bool closeRequested() override;

    [[nodiscard]] SDL_Window* window() const { return window_; }

private:
    [[nodiscard]] StageNode& stage() const { return *frame_.stage(); }
    void openWindow(int flags, const std::string& title);
    void closeWindow();
    bool waitEvent(SDL_Event& event);
    void handle(const SDL_Event& event);
    void handleWindow(const SDL_WindowEvent& event);
    void handleKey(const SDL_KeyboardEvent& event);
    void layout();
    // Uploads the changed boxes of the frame (all of it when none are given) and shows it.
    void present(Surface& frame, const std::vector<Bounds>& boxes);
    // The window-surface path; false when the surface went away.
    bool presentToSurface(Surface& frame, const std::vector<Bounds>& boxes);
    void presentWithRenderer(Surface& frame, const std::vector<Bounds>& boxes);
    // Why the window's surface can't show frames ("" when it can); `mode` is LIMN_PRESENT.
    [[nodiscard]] std::string surfaceUnusable(int flags, std::string_view mode);
    // Makes the renderer that shows frames instead of the window's surface.
    bool useRenderer(int flags, const std::string& why);
    void presentLastFrame();
    void toggleFullScreen();
    void setFullScreen(bool full);
    // Window coordinates (or normalised finger ones) to stage pixels.
    void toStage(double windowX, double windowY, double& x, double& y) const;
    [[nodiscard]] int buttonFlags() const;

    MainFrame& frame_;  // owns this platform
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Surface* surface_ = nullptr;  // the window's (not owned); null on the renderer path
    bool presentAll_ = true;          // the next present sends the whole window
    bool alwaysAll_ = false;
    std::vector<SDL_Rect> sentRows_;  // the rectangles of one present, kept for their capacity
    int textureW_ = 0, textureH_ = 0;
    int socket_ = -1;            // the window's X connection, waited on directly; -1 elsewhere
    SDL_Rect view_{0, 0, 0, 0};  // where the stage shows, in output pixels
    double outputPerWindow_ = 1;
    bool eventsStarted_ = false;
    bool videoStarted_ = false;
    bool leftDown_ = false, middleDown_ = false, rightDown_ = false;
};

}  // namespace limn::sdl

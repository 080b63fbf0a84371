#include "backend/desktop/stage/SdlPlatform.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>

#include "backend/base/Clock.h"
#include "backend/desktop/stage/KeyMap.h"
#include "backend/stage/LateWakeups.h"
#include "backend/stage/ViewFit.h"
#include "runtime/Log.h"

#include <poll.h>
// Last: it brings Xlib's macros along.
#include <SDL_syswm.h>

namespace limn::sdl {

// Event type codes and flag bits of the native event record.
using namespace native::codes;

namespace {

// How often an offscreen frame looks for pushed events while it sleeps.
constexpr double kOffscreenLook = 0.005;

bool isOffscreen(const char* driver) {
    return !driver || SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0;
}

// Where the display went, for the warning: SDL's reason and what DISPLAY says.
std::string whyNoDisplay(const std::string& sdlError) {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    std::string why = sdlError.empty() ? "no display server could be reached" : sdlError;
    if ((!display || !*display) && (!wayland || !*wayland)) {
        why += "; neither DISPLAY nor WAYLAND_DISPLAY is set";
    } else if (display && *display) {
        why += "; DISPLAY is \"" + std::string(display) + "\"";
    }
    return why;
}

// Starts SDL video. Without a usable display SDL itself, or this function,
// falls back to an offscreen driver; that is said unless it was asked for.
bool startVideo() {
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const bool offscreenAsked = asked && *asked && isOffscreen(asked);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        if (!offscreenAsked && isOffscreen(SDL_GetCurrentVideoDriver())) {
            rt::log::warn("no display (" + whyNoDisplay("") +
                          "); running offscreen: nothing will be shown");
        }
        return true;
    }
    const std::string why = whyNoDisplay(SDL_GetError());
    bool started = false;
    for (const char* driver : {"offscreen", "dummy"}) {
        // Above the environment's SDL_VIDEODRIVER, which named the driver that failed.
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, driver, SDL_HINT_OVERRIDE);
        started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        if (started) break;
    }
    // Only this start falls back; the next frame tries the asked-for driver again.
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    if (started) {
        rt::log::warn("no display (" + why + "); running offscreen: nothing will be shown");
    } else {
        rt::log::error("no video at all (" + why + "; offscreen: " + SDL_GetError() +
                       "); running without frames");
    }
    return started;
}

// Copies the window-pixel rectangle `r` of a frame placed at (x, y) into `target`.
void copyRows(const Surface& frame, const SDL_Rect& r, int x, int y, SDL_Surface& target) {
    auto* pixels = static_cast<std::uint8_t*>(target.pixels);
    const auto bytes = static_cast<std::size_t>(r.w) * sizeof(std::uint32_t);
    for (int row = r.y; row < r.y + r.h; ++row) {
        std::memcpy(pixels + static_cast<std::ptrdiff_t>(row) * target.pitch +
                        static_cast<std::ptrdiff_t>(r.x) * 4,
                    frame.row(row - y) + (r.x - x), bytes);
    }
}

// The X connection a window's events arrive on, or -1.
int eventSocket(SDL_Window* window) {
#if defined(LIMN_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
        return XConnectionNumber(info.info.x11.display);
#else
    (void)window;
#endif
    return -1;
}

// Sleeps until `socket` has input or `seconds` pass (to the microsecond).
void waitSocket(int socket, double seconds) {
    pollfd watched{socket, POLLIN, 0};
    const auto ns = static_cast<long long>(seconds * 1e9);
    const timespec wait{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    ppoll(&watched, 1, &wait, nullptr);
}

void sleepUntil(double realTime) {
    const double remaining = realTime - Clock::realNow();
    if (remaining > 0) std::this_thread::sleep_for(std::chrono::duration<double>(remaining));
}

}  // namespace

SdlPlatform::SdlPlatform(MainFrame& frame, int flags, const std::string& title) : frame_(frame) {
    // Events on their own first: the quit that SIGINT and SIGTERM become is
    // read even when no video driver starts.
    eventsStarted_ = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
    ignoreLateWakeups();
    videoStarted_ = startVideo();
    if (videoStarted_ && !isOffscreen(SDL_GetCurrentVideoDriver())) openWindow(flags, title);
    layout();
    stage().setDisplayStateListener([this](int state) { setFullScreen(state != 0); });
}

SdlPlatform::~SdlPlatform() {
    stage().setDisplayStateListener(nullptr);
    closeWindow();
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (eventsStarted_) SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

const char* SdlPlatform::driver() const {
    return videoStarted_ ? SDL_GetCurrentVideoDriver() : nullptr;
}

bool SdlPlatform::viewSize(int& width, int& height) const {
    if (!window_) return false;
    SDL_GetWindowSize(window_, &width, &height);
    return true;
}

bool SdlPlatform::closeRequested() {
    if (!window_) return false;
    bool closing = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        closing = closing || event.type == SDL_QUIT ||
                  (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
    }
    return closing;
}

void SdlPlatform::openWindow(int flags, const std::string& title) {
    const int w = stage().stageWidth(), h = stage().stageHeight();
    double scale = 1;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) {
        const double fit = std::min(0.9 * usable.w / w, 0.9 * usable.h / h);
        // A device-sized request is shown at a comfortable size; others only shrink to fit.
        scale = (flags & native::WindowFlags::FULLSCREEN) ? std::max(1.0, std::floor(fit * 4) / 4)
                                                          : std::min(1.0, fit);
    }
    Uint32 windowFlags = SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
    if (flags & native::WindowFlags::BORDERLESS && !(flags & native::WindowFlags::FULLSCREEN))
        windowFlags |= SDL_WINDOW_BORDERLESS;
    window_ =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         static_cast<int>(w * scale), static_cast<int>(h * scale), windowFlags);
    if (!window_) {
        rt::log::error(std::string("could not open a window: ") + SDL_GetError() +
                       "; running offscreen");
        return;
    }
    SDL_SetWindowMinimumSize(window_, std::max(1, w / 4), std::max(1, h / 4));
    // Software all the way: with no GPU, probing OpenGL for the window's
    // framebuffer only costs start-up time and CPU.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const char* set = std::getenv("LIMN_PRESENT");
    const std::string_view mode = set ? set : "";
    alwaysAll_ = mode == "full";
    const std::string why = surfaceUnusable(flags, mode);
    if (!why.empty() && !useRenderer(flags, why)) {
        closeWindow();
        return;
    }
    if (rt::log::enabled(rt::log::Level::Info)) {
        rt::log::info("window " + std::to_string(static_cast<int>(w * scale)) + " x " +
                      std::to_string(static_cast<int>(h * scale)) + " for a stage of " +
                      std::to_string(w) + " x " + std::to_string(h) + " on video driver " +
                      SDL_GetCurrentVideoDriver() + ", software rendering" +
                      (flags & native::WindowFlags::VSYNC ? ", vsync" : "") +
                      (surface_ ? ", changed rows sent to the window" : ""));
    }
    stage().setPresenter(
        [this](Surface& frame, const std::vector<Bounds>& boxes) { present(frame, boxes); });
    socket_ = eventSocket(window_);
}

std::string SdlPlatform::surfaceUnusable(int flags, std::string_view mode) {
    if (mode == "renderer") return "LIMN_PRESENT asks for it";
    if (flags & native::WindowFlags::VSYNC)
        return "vsync is asked for, and the window's surface has none";
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target)
        return std::string("the window has no surface of its own (") + SDL_GetError() + ")";
    // The frame's pixels go across as they are: 32-bit, alpha (if any) on top.
    const Uint32 format = target->format->format;
    if (format != SDL_PIXELFORMAT_RGB888 && format != SDL_PIXELFORMAT_ARGB8888)
        return std::string("the window's surface is ") + SDL_GetPixelFormatName(format);
    surface_ = target;
    return "";
}

bool SdlPlatform::useRenderer(int flags, const std::string& why) {
    surface_ = nullptr;
    presentAll_ = true;
    rt::log::info("frames go through SDL's renderer, whole windows at a time: " + why);
    Uint32 rendererFlags = SDL_RENDERER_SOFTWARE;
    if (flags & native::WindowFlags::VSYNC) rendererFlags |= SDL_RENDERER_PRESENTVSYNC;
    renderer_ = SDL_CreateRenderer(window_, -1, rendererFlags);
    if (!renderer_) {
        rt::log::error(std::string("could not make a renderer for the window: ") + SDL_GetError() +
                       "; running offscreen");
        return false;
    }
    return true;
}

void SdlPlatform::closeWindow() {
    stage().setPresenter(nullptr);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    surface_ = nullptr;
    socket_ = -1;
    renderer_ = nullptr;
    window_ = nullptr;
}

void SdlPlatform::layout() {
    const int w = stage().stageWidth(), h = stage().stageHeight();
    if (surface_) surface_ = SDL_GetWindowSurface(window_);
    if (window_ && !surface_ && !renderer_) {
        useRenderer(0, std::string("the window's surface went away (") + SDL_GetError() + ")");
    }
    presentAll_ = true;
    if (!renderer_ && !surface_) {
        view_ = {0, 0, w, h};
        outputPerWindow_ = 1;
        stage().setOutputScale(1);
        return;
    }
    int outW = w, outH = h, winW = w, winH = h;
    if (surface_) {
        outW = surface_->w;
        outH = surface_->h;
    } else {
        SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    }
    SDL_GetWindowSize(window_, &winW, &winH);
    outputPerWindow_ = winW > 0 ? static_cast<double>(outW) / winW : 1.0;
    const ViewFit fit = ViewFit::of(w, h, outW, outH);
    view_ = {fit.x, fit.y, fit.w, fit.h};
    stage().setOutputScale(fit.scaleX, fit.scaleY);
}

void SdlPlatform::present(Surface& frame, const std::vector<Bounds>& boxes) {
    if (surface_ && !presentToSurface(frame, boxes)) {
        if (!useRenderer(0, std::string("the window's surface went away (") + SDL_GetError() + ")"))
            return;
        layout();
    }
    if (renderer_) presentWithRenderer(frame, boxes);
}

bool SdlPlatform::presentToSurface(Surface& frame, const std::vector<Bounds>& boxes) {
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target) return false;
    // A new surface (after a resize) holds nothing yet.
    if (target != surface_) presentAll_ = true;
    surface_ = target;
    const bool all = presentAll_ || alwaysAll_ || boxes.empty();
    if (all) SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
    const SDL_Rect placed{view_.x, view_.y, frame.width(), frame.height()};
    const SDL_Rect window{0, 0, target->w, target->h};
    if (SDL_LockSurface(target) != 0) {
        presentAll_ = true;
        return true;
    }
    SDL_Rect shown;
    std::vector<SDL_Rect>& sent = sentRows_;
    sent.clear();
    if (SDL_IntersectRect(&placed, &window, &shown)) {
        const std::vector<Bounds> whole{Bounds::of(0, 0, frame.width(), frame.height())};
        for (const Bounds& b : all ? whole : boxes) {
            const SDL_Rect box{view_.x + static_cast<int>(b.x0), view_.y + static_cast<int>(b.y0),
                               static_cast<int>(b.x1 - b.x0), static_cast<int>(b.y1 - b.y0)};
            SDL_Rect r;
            if (!SDL_IntersectRect(&box, &shown, &r)) continue;
            copyRows(frame, r, view_.x, view_.y, *target);
            sent.push_back(r);
        }
    }
    SDL_UnlockSurface(target);
    const bool shownAll =
        all ? SDL_UpdateWindowSurface(window_) == 0
            : sent.empty() || SDL_UpdateWindowSurfaceRects(window_, sent.data(),
                                                           static_cast<int>(sent.size())) == 0;
    presentAll_ = !shownAll;
    return true;
}

void SdlPlatform::presentWithRenderer(Surface& frame, const std::vector<Bounds>& boxes) {
    bool all = boxes.empty();
    if (!texture_ || textureW_ != frame.width() || textureH_ != frame.height()) {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, frame.width(), frame.height());
        textureW_ = frame.width();
        textureH_ = frame.height();
        if (!texture_) return;
        all = true;
    }
    if (all) {
        SDL_UpdateTexture(texture_, nullptr, frame.row(0), frame.stride());
    } else {
        for (const Bounds& b : boxes) {
            const SDL_Rect r{static_cast<int>(b.x0), static_cast<int>(b.y0),
                             static_cast<int>(b.x1 - b.x0), static_cast<int>(b.y1 - b.y0)};
            SDL_UpdateTexture(texture_, &r, frame.row(r.y) + r.x, frame.stride());
        }
    }
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    const SDL_Rect dest{view_.x, view_.y, frame.width(), frame.height()};
    SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
    SDL_RenderPresent(renderer_);
}

void SdlPlatform::presentLastFrame() {
    presentAll_ = true;
    if (auto frame = stage().lastFrame()) present(*frame, {});
}

void SdlPlatform::toStage(double windowX, double windowY, double& x, double& y) const {
    x = (windowX * outputPerWindow_ - view_.x) / stage().outputScaleX();
    y = (windowY * outputPerWindow_ - view_.y) / stage().outputScaleY();
}

int SdlPlatform::buttonFlags() const {
    int flags = KeyMap::modifierFlags(static_cast<Uint16>(SDL_GetModState()));
    if (leftDown_) flags |= efLeftDown;
    if (middleDown_) flags |= efMiddleDown;
    if (rightDown_) flags |= efRightDown;
    return flags;
}

void SdlPlatform::run() {
    while (frame_.isOpen()) {
        SDL_Event event;
        if (waitEvent(event)) {
            handle(event);
        } else if (frame_.isOpen()) {
            frame_.servePoll();
        }
    }
    closeWindow();
}

bool SdlPlatform::waitEvent(SDL_Event& event) {
    while (frame_.isOpen()) {
        if (SDL_PollEvent(&event)) return true;
        const double remaining = frame_.deadline() - Clock::realNow();
        if (remaining <= 0) return false;
        if (!window_) {
            // Offscreen (or with no video at all) nothing can block on events;
            // only pushed ones and signals arrive, so look every few ms.
            sleepUntil(std::min(frame_.deadline(), Clock::realNow() + kOffscreenLook));
        } else if (socket_ >= 0) {
            // SDL_PollEvent above has read everything the connection held, so
            // one wait on it, to the due time itself, wakes for the next
            // event or on time (SDL's own wait counts whole milliseconds).
            waitSocket(socket_, std::min(remaining, 1.0));
        } else if (remaining > 0.002) {
            // One OS wait to within a millisecond of the due time, in its
            // millisecond steps, then a sleep to the due time itself: woken
            // on time, and no polling on the way.
            const double ms = std::min(std::floor(remaining * 1000.0) - 1, 1000.0);
            if (SDL_WaitEventTimeout(&event, static_cast<int>(ms))) return true;
        } else {
            sleepUntil(frame_.deadline());
        }
    }
    return false;
}

void SdlPlatform::handle(const SDL_Event& e) {
    double x = 0, y = 0;
    switch (e.type) {
        case SDL_QUIT:
            frame_.input().quit();
            frame_.close();
            break;
        case SDL_WINDOWEVENT:
            handleWindow(e.window);
            break;
        case SDL_MOUSEMOTION:
            toStage(e.motion.x, e.motion.y, x, y);
            frame_.input().mouseMove(x, y, buttonFlags());
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            if (e.button.button == SDL_BUTTON_LEFT) leftDown_ = down;
            if (e.button.button == SDL_BUTTON_MIDDLE) middleDown_ = down;
            if (e.button.button == SDL_BUTTON_RIGHT) rightDown_ = down;
            if (e.button.button != SDL_BUTTON_LEFT) break;
            toStage(e.button.x, e.button.y, x, y);
            if (down) {
                frame_.input().mouseDown(x, y, buttonFlags());
            } else {
                frame_.input().mouseUp(x, y, buttonFlags());
            }
            break;
        }
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP: {
            int winW = stage().stageWidth(), winH = stage().stageHeight();
            if (window_) SDL_GetWindowSize(window_, &winW, &winH);
            toStage(e.tfinger.x * winW, e.tfinger.y * winH, x, y);
            const int flags = KeyMap::modifierFlags(static_cast<Uint16>(SDL_GetModState()));
            if (e.type == SDL_FINGERDOWN)
                frame_.input().touchBegin(e.tfinger.fingerId, x, y, flags);
            if (e.type == SDL_FINGERMOTION)
                frame_.input().touchMove(e.tfinger.fingerId, x, y, flags);
            if (e.type == SDL_FINGERUP) frame_.input().touchEnd(e.tfinger.fingerId, x, y, flags);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            handleKey(e.key);
            break;
        case SDL_TEXTINPUT:
            frame_.input().text(e.text.text,
                                KeyMap::modifierFlags(static_cast<Uint16>(SDL_GetModState())));
            break;
        default:
            break;
    }
}

void SdlPlatform::handleWindow(const SDL_WindowEvent& e) {
    switch (e.event) {
        case SDL_WINDOWEVENT_CLOSE:
            frame_.input().quit();
            frame_.close();
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            layout();
            frame_.input().resize();
            presentLastFrame();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
            presentLastFrame();
            break;
        default:
            break;
    }
}

void SdlPlatform::handleKey(const SDL_KeyboardEvent& e) {
    const bool down = e.type == SDL_KEYDOWN;
    if (e.keysym.sym == SDLK_F11) {
        if (down && !e.repeat) toggleFullScreen();
        return;
    }
    int flags = KeyMap::modifierFlags(e.keysym.mod);
    if (KeyMap::isRight(e.keysym.sym)) flags |= efLocationRight;
    frame_.input().key(down, KeyMap::keyCode(e.keysym.sym),
                       KeyMap::charCode(e.keysym.sym, e.keysym.mod), flags);
}

void SdlPlatform::toggleFullScreen() {
    if (!window_) return;
    setFullScreen((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0);
}

void SdlPlatform::setFullScreen(bool full) {
    if (!window_) return;
    SDL_SetWindowFullscreen(window_, full ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    layout();
}

std::unique_ptr<Platform> openPlatform(MainFrame& frame, int flags, const std::string& title) {
    return std::make_unique<SdlPlatform>(frame, flags, title);
}

std::string platformClipboardText() {
    char* clip = SDL_GetClipboardText();
    if (!clip) return {};
    std::string text = clip;
    SDL_free(clip);
    return text;
}

void setPlatformClipboardText(const std::string& text) {
    SDL_SetClipboardText(text.c_str());
}

void openPlatformUrl(const std::string& url) {
    SDL_OpenURL(url.c_str());
}

}  // namespace limn::sdl

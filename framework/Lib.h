#pragma once
// The framework's static entry point: asks the backend for the main frame,
// builds the one Stage in it, then calls the application back. Also the
// process-wide stage and root clip, a millisecond clock, opening a URL and
// closing the application.
//
//   int main() {
//       limn::Lib::create(rt::function([] { limn::Lib::current()->addChild(makeGame()); }),
//                         320, 480, 60.0, 0xFFFFFF,
//                         limn::Lib::FULLSCREEN | limn::Lib::RESIZABLE | limn::Lib::HARDWARE);
//   }
//
// From C++, any callable and a plain window (no flags: a resizable window of
// exactly that size, titled with the program's name):
//
//   limn::Lib::create([] { limn::Lib::current()->addChild(makeGame()); }, 320, 480);
//   limn::Lib::create([] { ... }, {.width = 320, .height = 480, .title = "My game"});
//
// Before the backend has reported the frame there is no stage: stage() and
// current() throw "Error : stage can't be accessed until init is called".
// A later create() builds a new stage and a new root clip for it.

#include <concepts>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "native/WireConstants.h"
#include "runtime/Function.h"

namespace limn::display {
class ManagedStage;
class MovieClip;
class Stage;
}  // namespace limn::display

namespace limn::net {
class URLRequest;
}

namespace limn {

// The window flags (native::WindowFlags) are members: Lib::FULLSCREEN | Lib::VSYNC.
class Lib : public native::WindowFlags {
public:
    // Asks the backend for a main frame of width x height pixels. When the
    // backend reports the frame, the stage is built with the frame rate
    // (default 60), background colour 0xRRGGBB (default 0xFFFFFF) and
    // Lib::close as its quit hook, and then onLoaded() runs. Flags default to
    // FULLSCREEN | BORDERLESS | RESIZABLE | HARDWARE, the title to "Limn", and
    // `extra` (default empty) reaches the backend unchanged.
    //
    // When it returns depends on the backend: the desktop backend opens the
    // window, calls onLoaded and runs the whole frame loop inside this call,
    // returning only once the application has closed (so code after create()
    // in main() runs at exit); the recording backend returns at once.
    //
    // The desktop backend reads the flags as hints: FULLSCREEN asks for a
    // window scaled up to fill most of the screen (the stage's displayState
    // switches to real full screen), BORDERLESS drops the frame of a window
    // that is not FULLSCREEN, VSYNC waits for the display's refresh, windows
    // can always be resized whatever RESIZABLE says, and HARDWARE is ignored:
    // it always draws in software.
    static void create(rt::Function onLoaded, int width, int height,
                       std::optional<double> frameRate = std::nullopt,
                       std::optional<int> colour = std::nullopt,
                       std::optional<int> flags = std::nullopt,
                       std::optional<std::string> title = std::nullopt,
                       std::optional<std::string> extra = std::nullopt);
    // A window for the C++ face of create(); an empty title is the program's name.
    struct Window {
        int width = 0;
        int height = 0;
        double frameRate = 60.0;
        int color = 0xFFFFFF;
        int flags = RESIZABLE;
        std::string title{};
    };
    template <class F>
    requires(std::invocable<F&> && !std::same_as<std::decay_t<F>, rt::Function>) static void create(
        F&& onLoaded, int width, int height) {
        Window window;
        window.width = width;
        window.height = height;
        open(rt::function(std::forward<F>(onLoaded)), window);
    }
    template <class F>
    requires(std::invocable<F&> && !std::same_as<std::decay_t<F>, rt::Function>) static void create(
        F&& onLoaded, const Window& window) {
        open(rt::function(std::forward<F>(onLoaded)), window);
    }
    // create() with the window's settings spelt out.
    static void open(rt::Function onLoaded, const Window& window);
    // The running program's file name, without its folder ("limn" when unknown).
    [[nodiscard]] static std::string programName();

    // A stage fed by a host instead of a main frame; it becomes the one stage.
    static std::shared_ptr<display::ManagedStage> createManagedStage(int width, int height);

    static std::shared_ptr<display::Stage> limnGetStage();
    // The root clip, added to the stage on first request.
    static std::shared_ptr<display::MovieClip> limnGetCurrent();
    static std::shared_ptr<display::Stage> stage() { return limnGetStage(); }
    static std::shared_ptr<display::MovieClip> current() { return limnGetCurrent(); }
    // The stage, or null while there is none (where limnGetStage fails).
    [[nodiscard]] static std::shared_ptr<display::Stage> stageOrNull() { return limnStage; }

    // Whole milliseconds on the Timer clock.
    static int getTimer();
    static void getURL(const net::URLRequest& request);
    // Asks the backend to end the application; "limn_close" is looked up at each call.
    static void close();

private:
    friend struct LibProbe;  // tests

    static rt::Dynamic limnMainFrame;                        // set when the frame exists
    static std::shared_ptr<display::Stage> limnStage;        // the one stage
    static std::shared_ptr<display::MovieClip> limnCurrent;  // made on first request
    // Back to a fresh process's state, for tests (rt::resetProcessState).
    static const bool resetRegistered;
};

}  // namespace limn

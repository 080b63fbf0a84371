#include "framework/Lib.h"

#include <cerrno>
#include <climits>
#include <cmath>

#include "framework/Timer.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Stage.h"
#include "framework/net/URLRequest.h"
#include "native/Call.h"
#include "runtime/Error.h"
#include "runtime/Log.h"
#include "runtime/ProcessState.h"

namespace limn {

namespace {

const native::Call<native::wire::limn_create_main_frame> createMainFrame;
const native::Call<native::wire::limn_get_frame_stage> getFrameStage;
const native::Call<native::wire::limn_get_url> getUrl;

}  // namespace

rt::Dynamic Lib::limnMainFrame;
std::shared_ptr<display::Stage> Lib::limnStage;
std::shared_ptr<display::MovieClip> Lib::limnCurrent;

const bool Lib::resetRegistered = rt::registerReset(rt::ResetLayer::Framework, [] {
    limnCurrent = nullptr;
    limnStage = nullptr;
    limnMainFrame = rt::Dynamic();
});

void Lib::create(rt::Function onLoaded, int width, int height, std::optional<double> frameRate,
                 std::optional<int> colour, std::optional<int> flags,
                 std::optional<std::string> title, std::optional<std::string> extra) {
    const double rate = frameRate.value_or(60.0);
    const int background = colour.value_or(0xFFFFFF);
    auto onFrame = rt::function([onLoaded, width, height, rate, background](rt::Dynamic frame) {
        // A second create() gets a root clip of its own on its own stage.
        limnCurrent = nullptr;
        limnMainFrame = frame;
        auto stage = std::make_shared<display::Stage>(getFrameStage({.frame = limnMainFrame}),
                                                      width, height);
        limnStage = stage;
        stage->limnSetFrameRate(rate);
        stage->limnSetBG(background);
        stage->onQuit = rt::function<&Lib::close>();
        if (onLoaded) onLoaded();
    });
    createMainFrame({.onFrame = onFrame,
                     .width = width,
                     .height = height,
                     .flags = flags.value_or(FULLSCREEN | BORDERLESS | RESIZABLE | HARDWARE),
                     .title = title.value_or("Limn"),
                     .extra = extra.value_or("")});
}

void Lib::open(rt::Function onLoaded, const Window& window) {
    create(std::move(onLoaded), window.width, window.height, window.frameRate, window.color,
           window.flags, window.title.empty() ? programName() : window.title);
}

std::string Lib::programName() {
    // glibc's record of argv[0] without its folder.
    const char* name = program_invocation_short_name;
    return name != nullptr && *name != '\0' ? name : "limn";
}

std::shared_ptr<display::ManagedStage> Lib::createManagedStage(int width, int height) {
    auto stage = std::make_shared<display::ManagedStage>(width, height);
    limnStage = stage;
    return stage;
}

std::shared_ptr<display::Stage> Lib::limnGetStage() {
    if (!limnStage) {
        rt::log::error(
            "there is no stage yet: Lib::create(onLoaded, ...) builds it and then calls "
            "onLoaded, so reach Lib::stage() and Lib::current() from there (a host or a test "
            "makes one with Lib::createManagedStage)");
        throw rt::Error("Error : stage can't be accessed until init is called");
    }
    return limnStage;
}

std::shared_ptr<display::MovieClip> Lib::limnGetCurrent() {
    if (limnCurrent) return limnCurrent;
    // The stage first: a clip made without one would never be added later.
    auto stage = limnGetStage();
    limnCurrent = std::make_shared<display::MovieClip>();
    stage->addChild(limnCurrent);
    return limnCurrent;
}

int Lib::getTimer() {
    const double ms = std::trunc(Timer::stamp() * 1000.0);
    // Out-of-range values have no int; hold them at the ends of the range.
    if (std::isnan(ms)) return 0;
    if (ms <= INT_MIN) return INT_MIN;
    if (ms >= INT_MAX) return INT_MAX;
    return static_cast<int>(ms);
}

void Lib::getURL(const net::URLRequest& request) {
    getUrl({.url = request.url});
}

void Lib::close() {
    const native::Call<native::wire::limn_close> closeApp;
    closeApp();
}

}  // namespace limn

#include "backend/testing/Game.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "backend/base/Clock.h"
#include "backend/primitives/Primitives.h"
#include "backend/stage/MainFrame.h"
#include "framework/Lib.h"
#include "framework/display/Stage.h"
#include "native/EventRecord.h"
#include "runtime/ProcessState.h"

namespace limn::testing {

namespace {

// A hair over the period, so that the clock rounded to whole microseconds
// never shows a frame as not yet due.
constexpr double kClockSlack = 1e-6;

sdl::MainFrame& frame() {
    sdl::MainFrame* running = sdl::MainFrame::running();
    if (!running) throw std::logic_error("limn::testing::Game: the program opened no main frame");
    return *running;
}

bool updatingGoldens() {
    const char* update = std::getenv("LIMN_UPDATE_GOLDENS");
    return update && *update && std::string(update) != "0";
}

// NAME.png -> NAME<suffix>.png, beside it.
std::string beside(const std::filesystem::path& golden, const std::string& suffix) {
    std::filesystem::path out = golden;
    out.replace_filename(golden.stem().string() + suffix + ".png");
    return out.string();
}

}  // namespace

Game::Game(const std::function<void()>& entry, GameOptions options) : options_(std::move(options)) {
    rt::resetProcessState();
    // Offscreen and silent, unless the environment chose otherwise.
    for (const auto& [name, driver] :
         {std::pair{"SDL_VIDEODRIVER", "offscreen"}, std::pair{"SDL_AUDIODRIVER", "dummy"}}) {
        if (std::getenv(name)) continue;
        setenv(name, driver, 0);
        driversSet_.emplace_back(name);
    }
    clockBefore_ = sdl::Clock::now();
    sdl::Clock::set(0);
    sdl::SessionOptions session;
    session.path = options_.recordTo;
    session.hosted = true;
    session.seed = options_.seed;
    sdl::Session::record(std::move(session));
    sdl::registerModule();
    entry();
    (void)frame();
    if (auto stage = Lib::stageOrNull()) period_ = 1.0 / std::max(1.0, stage->limnGetFrameRate());
    step();
}

Game::~Game() {
    (void)sdl::Session::end();
    rt::resetProcessState();
    // The real clock again, from where it was: the test's own time never happened.
    sdl::Clock::set(clockBefore_);
    sdl::Clock::useReal();
    for (const std::string& name : driversSet_) unsetenv(name.c_str());
}

sdl::StageInput* Game::input() const {
    sdl::MainFrame* running = sdl::MainFrame::running();
    return running && running->isOpen() ? &running->input() : nullptr;
}

void Game::step(int frames) {
    for (int i = 0; i < frames; ++i) {
        if (const sdl::Session* session = sdl::Session::active()) {
            soundMark_ = session->report().sounds.size();
        }
        sdl::Clock::advance(period_ + kClockSlack);
        if (sdl::StageInput* in = input()) in->poll();
    }
}

void Game::advance(double seconds) {
    const double until = sdl::Clock::now() + seconds;
    do {
        step();
    } while (sdl::Clock::now() < until);
}

void Game::tap(double x, double y) {
    sdl::StageInput* in = input();
    if (!in) return;
    in->mouseMove(x, y, 0);
    in->mouseDown(x, y, native::codes::efLeftDown);
    in->mouseUp(x, y, 0);
}

void Game::press(int keyCode, int charCode) {
    if (sdl::StageInput* in = input()) (void)in->key(true, keyCode, charCode, 0);
    if (sdl::StageInput* in = input()) (void)in->key(false, keyCode, charCode, 0);
}

void Game::type(const std::string& utf8) {
    if (sdl::StageInput* in = input()) in->text(utf8, 0);
}

void Game::drag(double fromX, double fromY, double toX, double toY, int frames) {
    sdl::StageInput* in = input();
    if (!in) return;
    frames = std::max(1, frames);
    in->mouseMove(fromX, fromY, 0);
    in->mouseDown(fromX, fromY, native::codes::efLeftDown);
    for (int i = 1; i <= frames; ++i) {
        const double t = static_cast<double>(i) / frames;
        if (sdl::StageInput* moving = input()) {
            moving->mouseMove(fromX + (toX - fromX) * t, fromY + (toY - fromY) * t,
                              native::codes::efLeftDown);
        }
        step();
    }
    if (sdl::StageInput* done = input()) done->mouseUp(toX, toY, 0);
}

void Game::resize(int width, int height) {
    sdl::MainFrame& main = frame();
    const auto& stage = main.stage();
    const double scale =
        std::max(0.01, std::min(static_cast<double>(width) / stage->stageWidth(),
                                static_cast<double>(height) / stage->stageHeight()));
    stage->setOutputScale(scale);
    if (sdl::StageInput* in = input()) in->resize();
}

void Game::visit(
    const std::function<bool(const std::shared_ptr<display::DisplayObject>&)>& f) const {
    auto stage = Lib::stageOrNull();
    if (!stage) return;
    std::vector<std::shared_ptr<display::DisplayObject>> pending{stage};
    while (!pending.empty()) {
        const std::shared_ptr<display::DisplayObject> object = pending.back();
        pending.pop_back();
        if (f(object)) return;
        auto container = std::dynamic_pointer_cast<display::DisplayObjectContainer>(object);
        if (!container) continue;
        const auto& children = container->children();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if (*it) pending.push_back(*it);
        }
    }
}

std::shared_ptr<display::DisplayObject> Game::find(const std::string& name) const {
    std::shared_ptr<display::DisplayObject> found;
    visit([&](const std::shared_ptr<display::DisplayObject>& object) {
        if (object->limnGetName() != name) return false;
        found = object;
        return true;
    });
    return found;
}

Picture Game::snapshot() const {
    sdl::MainFrame* running = sdl::MainFrame::running();
    if (!running) return {};
    const auto last = running->stage()->lastFrame();
    return last ? Picture::of(*last) : Picture{};
}

FrameCheck Game::expectFrameMatches(const std::string& golden, int tolerance) const {
    std::filesystem::path path(golden);
    if (path.is_relative() && !options_.goldenFolder.empty()) {
        path = std::filesystem::path(options_.goldenFolder) / path;
    }
    const Picture actual = snapshot();
    if (actual.width == 0) return {false, "no frame has been rendered yet"};
    // The golden's folder: where a new golden or the pictures of a failure go.
    std::error_code ignored;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
    if (updatingGoldens()) {
        if (!actual.save(path.string())) return {false, "cannot write golden " + path.string()};
        return {true, "golden written: " + path.string()};
    }
    const std::optional<Picture> expected = Picture::load(path.string());
    const std::string actualPath = beside(path, ".actual");
    if (!expected) {
        (void)actual.save(actualPath);
        return {false, "no golden picture " + path.string() + " (the frame is in " + actualPath +
                           "; LIMN_UPDATE_GOLDENS=1 writes the goldens)"};
    }
    const sdl::FrameDifference d = sdl::compareFrames(actual, *expected, tolerance);
    if (d.sameSize && d.differing == 0) return {true, "the frame matches " + path.string()};
    const std::string diffPath = beside(path, ".diff");
    (void)actual.save(actualPath);
    (void)sdl::differencePicture(actual, *expected, tolerance).save(diffPath);
    std::string message = "the frame differs from " + path.string() + ": ";
    if (!d.sameSize) {
        message += "it is " + std::to_string(actual.width) + "x" + std::to_string(actual.height) +
                   " where the golden is " + std::to_string(expected->width) + "x" +
                   std::to_string(expected->height);
    } else {
        message += std::to_string(d.differing) + " pixels off by more than " +
                   std::to_string(tolerance) + " (at most " + std::to_string(d.largest) +
                   "), the first at (" + std::to_string(d.firstX) + ", " +
                   std::to_string(d.firstY) + ")";
    }
    return {false, message + "; the frame: " + actualPath + ", the difference in red: " + diffPath};
}

std::vector<SoundRequest> Game::sounds() const {
    const sdl::Session* session = sdl::Session::active();
    if (!session) return {};
    const auto& all = session->report().sounds;
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(soundMark_, all.size())), all.end()};
}

double Game::time() const {
    return sdl::Clock::now();
}

std::int64_t Game::frames() const {
    const sdl::Session* session = sdl::Session::active();
    return session ? session->report().frames : 0;
}

bool Game::open() const {
    return input() != nullptr;
}

FrameCheck replayMatches(const std::function<void()>& entry, const std::string& recording,
                         const std::string& diffFolder) {
    rt::resetProcessState();
    sdl::SessionOptions options;
    options.path = recording;
    options.diffFolder = diffFolder;
    sdl::Session::replay(std::move(options));
    sdl::registerModule();
    if (sdl::Session::active()->report().error.empty()) entry();
    const sdl::SessionReport report = sdl::Session::end();
    rt::resetProcessState();
    sdl::Clock::useReal();
    const std::string replay = "the replay of " + recording;
    if (!report.error.empty()) return {false, replay + " failed: " + report.error};
    if (report.divergedAt >= 0) {
        std::string message = replay + " diverged at frame " + std::to_string(report.divergedAt) +
                              ": " + report.divergence;
        const std::filesystem::path drawn =
            std::filesystem::path(diffFolder) / ("frame-" + std::to_string(report.divergedAt));
        if (!diffFolder.empty() && std::filesystem::exists(drawn.string() + ".png")) {
            message += "; the frame as drawn now: " + drawn.string() + ".png";
            if (std::filesystem::exists(drawn.string() + "-diff.png")) {
                message +=
                    ", what changed in it since the frame before, in red: " + drawn.string() +
                    "-diff.png";
            }
        }
        return {false, message};
    }
    if (report.cutShort) return {false, replay + ": the recording has no end mark (cut short)"};
    return {true, replay + ": " + std::to_string(report.frames) + " frames, as recorded"};
}

}  // namespace limn::testing

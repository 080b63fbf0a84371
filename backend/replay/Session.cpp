#include "backend/replay/Session.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "backend/replay/Recorder.h"
#include "backend/replay/Replayer.h"
#include "runtime/Log.h"

namespace limn::sdl {

namespace {

std::unique_ptr<Session>& slot() {
    static std::unique_ptr<Session> session;
    return session;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<double> times(const std::string& list) {
    std::vector<double> out;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        char* end = nullptr;
        const double t = std::strtod(item.c_str(), &end);
        if (end != item.c_str()) out.push_back(t);
    }
    return out;
}

void start(std::unique_ptr<Session> session, const char* what) {
    (void)Session::end();
    const SessionReport& report = session->report();
    if (!report.error.empty()) rt::log::error(std::string(what) + ": " + report.error);
    slot() = std::move(session);
}

}  // namespace

Session::Session(SessionOptions options)
    : options_(std::move(options)),
      capture_(options_.captureFolder, options_.captureEvery, options_.captureTimes) {}

void Session::record(SessionOptions options) {
    start(std::make_unique<Recorder>(std::move(options)), "record");
}

void Session::replay(SessionOptions options) {
    start(std::make_unique<Replayer>(std::move(options)), "replay");
}

bool Session::startFromEnvironment() {
    if (active()) return true;
    const std::string recordPath = environment("LIMN_RECORD");
    const std::string replayPath = environment("LIMN_REPLAY");
    if (recordPath.empty() && replayPath.empty()) return false;
    SessionOptions options;
    options.announce = true;
    options.captureFolder = environment("LIMN_CAPTURE");
    options.captureEvery = std::atoi(environment("LIMN_CAPTURE_EVERY").c_str());
    options.captureTimes = times(environment("LIMN_CAPTURE_AT"));
    if (!options.captureFolder.empty() && options.captureEvery <= 0 &&
        options.captureTimes.empty()) {
        options.captureEvery = 60;
    }
    if (!replayPath.empty()) {
        if (!recordPath.empty()) {
            rt::log::warn("LIMN_RECORD and LIMN_REPLAY are both set; replaying");
        }
        options.path = replayPath;
        options.speed = std::atof(environment("LIMN_REPLAY_SPEED").c_str());
        options.diffFolder = environment("LIMN_REPLAY_DIFF");
        replay(std::move(options));
    } else {
        options.path = recordPath;
        record(std::move(options));
    }
    return true;
}

Session* Session::active() {
    return slot().get();
}

SessionReport Session::end() {
    std::unique_ptr<Session> session = std::move(slot());
    if (!session) return {};
    session->finish();
    SessionReport report = session->report_;
    report.captured = session->capture_.written();
    return report;
}

int Session::endProcess(int status) {
    const bool replaying = dynamic_cast<Replayer*>(active()) != nullptr;
    const SessionReport report = end();
    if (replaying && (!report.ok() || report.cutShort)) return 1;
    return status;
}

void Session::afterRender(StageNode& stage) {
    if (!watches(stage)) return;
    ++report_.frames;
    frameRendered(stage);
    capture_.frameRendered(stage, report_.frames, static_cast<double>(clockMicros_) / 1e6);
    if (frameObserver_) frameObserver_(report_.frames);
}

void Session::soundLoaded(const void* sound, const std::string& path) {
    if (!finished_ && sound) soundNames_[sound] = path;
}

void Session::soundRequested(const void* sound, double start, int loops, double volume,
                             double pan) {
    if (finished_) return;
    SoundRequest request;
    auto it = soundNames_.find(sound);
    if (it != soundNames_.end()) request.name = it->second;
    request.start = start;
    request.loops = loops;
    request.volume = volume;
    request.pan = pan;
    report_.sounds.push_back(request);
    soundPlayed(request);
}

}  // namespace limn::sdl

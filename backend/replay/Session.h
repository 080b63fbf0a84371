#pragma once
// Record and replay of a whole run of a limn program. Everything a program
// receives from outside reaches it through the backend: the input the main
// frame hands the stage, the clock readings, the random seed, the state of
// sound channels. A recording keeps all of it, plus the sound requests and
// frames for checking; a replay feeds it back in, offscreen and as fast as it
// goes (or paced like the recording at `speed` > 0) and reports the first
// frame where the program did something else.
//
// A session starts before the backend module is registered: the primitives it
// watches are wrapped then. registerModule() starts one from the environment:
//   LIMN_RECORD=file          record to file
//   LIMN_REPLAY=file          replay file (LIMN_REPLAY_SPEED=1: in a window, real time)
//   LIMN_CAPTURE=dir/         with either: frames as PNG, every LIMN_CAPTURE_EVERY=N
//                             frames (60 by default) or at LIMN_CAPTURE_AT=t1,t2 seconds
// or from code:
//   limn::sdl::Session::record({.path = "play.limnrec"});
//   limn::sdl::registerModule();
//   Game::main();
//   const limn::sdl::SessionReport report = limn::sdl::Session::end();

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "backend/replay/FrameCapture.h"
#include "backend/replay/RecordFormat.h"
#include "backend/stage/MainFrame.h"

namespace limn::sdl {

struct SessionOptions {
    std::string path;
    // Replay: 0 runs offscreen as fast as it can; 1 paces frames like the
    // recording (in a window where there is a display), 2 twice as fast...
    double speed = 0;
    // Record: keep a checksum of every frame so a replay can compare pixels.
    bool checksums = true;
    // Either: frames written as PNG (see FrameCapture); no folder, none.
    std::string captureFolder;
    int captureEvery = 0;
    std::vector<double> captureTimes;
    // Record: drives the main frame instead of its own loop (scripted input
    // through frame.input()); none runs the live loop.
    std::function<void(MainFrame&)> driver;
    // Print a line on standard error when the session ends (and on faults).
    bool announce = false;
    // Replay: where the first frame whose pixels differ is written as PNG
    // (frame-N.png), with a picture of how it differs from the frame before,
    // the last one known to be as recorded (frame-N-diff.png); "" for none.
    std::string diffFolder;
    // Record: the random seed of the session (by default a fresh one).
    std::optional<std::uint64_t> seed;
    // Record: the program's entry returns once the main frame opens, and its
    // host drives it through frame.input() until Session::end(). No path: the
    // session keeps its report (frames, sounds) and writes no file.
    bool hosted = false;
};

struct SessionReport {
    std::string error;                  // the file could not be read or written
    std::int64_t frames = 0;            // frames rendered by the main frame's stage
    std::int64_t divergedAt = -1;       // replay: the first frame that differed, -1 for none
    std::string divergence;             // replay: what differed there
    bool cutShort = false;              // replay: the recording has no end mark
    bool pixelsChecked = true;          // replay: false when another raster drew the recording
    std::vector<SoundRequest> sounds;   // in the order the program made them
    std::vector<std::string> captured;  // PNG files written

    [[nodiscard]] bool ok() const { return error.empty() && divergedAt < 0; }
};

class Session {
public:
    virtual ~Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Start a session (ending any active one). A recording that can't be
    // created runs the program live; a replay that can't be read runs nothing.
    // Both say why in the report.
    static void record(SessionOptions options);
    static void replay(SessionOptions options);
    // Starts what LIMN_RECORD / LIMN_REPLAY ask for, unless a session is
    // active; true when one is active afterwards.
    static bool startFromEnvironment();
    [[nodiscard]] static Session* active();
    // Finishes the active session and returns its report (empty for none).
    static SessionReport end();
    // Finishes the active session for a program about to end with `status`:
    // returns `status`, or 1 when a replay failed (a recording that can't be
    // read, has no end mark, or that the program diverged from), so that a
    // recording can stand as a check in a script.
    static int endProcess(int status);

    // What the backend's primitives tell the session.
    virtual void frameOpened(MainFrame& frame, int flags, const std::string& title) = 0;
    // Runs the opened frame until it closes; then the session is finished.
    virtual void runFrame(MainFrame& frame) = 0;
    // A clock reading (seconds) the program takes; returns the one it sees.
    virtual double clock(double live) = 0;
    virtual void beforeRender(StageNode& stage) = 0;
    void afterRender(StageNode& stage);
    void soundLoaded(const void* sound, const std::string& path);
    void soundRequested(const void* sound, double start, int loops, double volume, double pan);
    // A channel state (Complete as 0 or 1) the program asks for; returns the one it sees.
    virtual double query(QueryKind kind, double live) = 0;

    // Called after each frame the session sees, with its number (from 1): what
    // a program's host checks beyond pixels, frame by frame. Empty for none.
    void setFrameObserver(std::function<void(std::int64_t frame)> observer) {
        frameObserver_ = std::move(observer);
    }

    [[nodiscard]] const SessionReport& report() const { return report_; }
    [[nodiscard]] bool finished() const { return finished_; }

protected:
    explicit Session(SessionOptions options);
    virtual void frameRendered(StageNode& stage) = 0;
    virtual void soundPlayed(const SoundRequest& request) = 0;
    // Ends the session's work; hooks pass everything through afterwards.
    virtual void finish() = 0;
    [[nodiscard]] bool watches(const StageNode& stage) const {
        return !finished_ && &stage == stage_;
    }

    SessionOptions options_;
    SessionReport report_;
    StageNode* stage_ = nullptr;    // the main frame's stage, while it runs (not owned)
    std::int64_t clockMicros_ = 0;  // the latest clock reading the program saw
    bool finished_ = false;

private:
    FrameCapture capture_;
    std::function<void(std::int64_t)> frameObserver_;
    std::unordered_map<const void*, std::string> soundNames_;  // keys never dereferenced
};

}  // namespace limn::sdl

#pragma once
// Plays a limn program in a test: its entry point runs on the real backend,
// offscreen, with a fixed random seed and a clock in the test's hands. The
// program opens its main frame and returns; the test then moves it on frame
// by frame, gives it input, finds its display objects, reads its frames and
// the sounds it asked for, and compares frames with golden pictures.
//
//   limn::testing::Game game([] { MyGame::main(); });
//   game.advance(3.5);                       // 3.5 s of the program's clock
//   game.tap(160, 240);                      // stage pixels
//   EXPECT_EQ(game.find<TextField>("score")->limnGetText(), "1");
//   const auto match = game.expectFrameMatches("golden/title.png", 2);
//   EXPECT_TRUE(match) << match;
//
// Only one Game lives at a time (a program's statics are the process's).
// LIMN_UPDATE_GOLDENS=1 in the environment makes expectFrameMatches write the
// goldens instead of comparing. Nothing here needs GoogleTest: checks return
// a FrameCheck that converts to bool and prints its message.

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "backend/replay/FramePicture.h"
#include "backend/replay/Session.h"
#include "framework/display/DisplayObject.h"
#include "framework/display/DisplayObjectContainer.h"

namespace limn::testing {

using Picture = sdl::FramePicture;
using SoundRequest = sdl::SoundRequest;

struct GameOptions {
    std::uint64_t seed = 1;
    // Where relative golden paths are found (and written); "" for the working folder.
    std::string goldenFolder;
    // Also record the session to this file, for a replay test; "" records nothing.
    std::string recordTo;
};

// The result of a frame check: true when it holds; prints what failed and
// where the pictures of the failure were written.
class FrameCheck {
public:
    FrameCheck(bool ok, std::string message) : ok_(ok), message_(std::move(message)) {}
    explicit operator bool() const { return ok_; }
    [[nodiscard]] const std::string& message() const { return message_; }
    friend std::ostream& operator<<(std::ostream& out, const FrameCheck& check) {
        return out << check.message_;
    }

private:
    bool ok_;
    std::string message_;
};

class Game {
public:
    // Runs `entry` (the program's main, which opens the main frame) and
    // renders its first frame.
    explicit Game(const std::function<void()>& entry, GameOptions options = {});
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Frames of the stage's frame rate: the clock moves on one period, then the stage polls.
    void step(int frames = 1);
    // Frames until the clock has moved on by `seconds` (at least one).
    void advance(double seconds);
    // Input, in stage pixels; each is handed to the stage as the window would.
    void tap(double x, double y);
    void press(int keyCode, int charCode = 0);
    void type(const std::string& utf8);
    // Press at the first point, `frames` frames of moves to the last, release there.
    void drag(double fromX, double fromY, double toX, double toY, int frames = 8);
    // The window is now `width` x `height` output pixels; the stage shows scaled to fit.
    void resize(int width, int height);

    // The first display object on the stage with that name (depth first), or nullptr.
    [[nodiscard]] std::shared_ptr<display::DisplayObject> find(const std::string& name) const;
    template <class T>
    [[nodiscard]] std::shared_ptr<T> find(const std::string& name) const {
        return std::dynamic_pointer_cast<T>(find(name));
    }
    // Every display object on the stage of type T, depth first.
    template <class T>
    [[nodiscard]] std::vector<std::shared_ptr<T>> findAll() const {
        std::vector<std::shared_ptr<T>> found;
        visit([&found](const std::shared_ptr<display::DisplayObject>& object) {
            if (auto typed = std::dynamic_pointer_cast<T>(object)) found.push_back(typed);
            return false;
        });
        return found;
    }

    // The last frame rendered (empty before the first).
    [[nodiscard]] Picture snapshot() const;
    // Compares the last frame with a golden PNG, channels off by at most
    // `tolerance` (0..255) counting as equal. On a difference, writes the
    // frame as NAME.actual.png and a picture of the difference as
    // NAME.diff.png next to the golden.
    [[nodiscard]] FrameCheck expectFrameMatches(const std::string& golden, int tolerance = 0) const;

    // The sounds asked for since the last step began (input after it included).
    [[nodiscard]] std::vector<SoundRequest> sounds() const;
    [[nodiscard]] double time() const;          // the program's clock, in seconds
    [[nodiscard]] std::int64_t frames() const;  // frames rendered so far
    [[nodiscard]] bool open() const;            // false once the program closed its frame
    [[nodiscard]] double framePeriod() const { return period_; }

private:
    void visit(const std::function<bool(const std::shared_ptr<display::DisplayObject>&)>& f) const;
    [[nodiscard]] sdl::StageInput* input() const;

    GameOptions options_;
    double period_ = 1.0 / 60.0;
    std::size_t soundMark_ = 0;
    double clockBefore_ = 0;               // the process's clock when the game started
    std::vector<std::string> driversSet_;  // environment variables to unset at the end
};

// Replays `recording` against `entry` as built now, offscreen and as fast as
// it goes (no Game may be alive). Holds when the program did everything as
// recorded; otherwise the message names the first frame that differs, and with
// a `diffFolder` the frame as drawn now and what changed in it are written there.
[[nodiscard]] FrameCheck replayMatches(const std::function<void()>& entry,
                                       const std::string& recording,
                                       const std::string& diffFolder = "");

}  // namespace limn::testing

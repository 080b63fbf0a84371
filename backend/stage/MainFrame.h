#pragma once
// The application's main frame: the stage, the input that feeds its handler, the
// wake rules, and the platform that shows it and runs the loop (Platform.h: an
// SDL window on the desktop, the canvas of a page in a browser).
//
// run() polls the stage at once when the application asked for no wake yet (which
// starts its frame loop), then hands the loop to the platform: it sleeps until the
// stage's wake request is due (deadline()) or an event arrives, and calls
// servePoll() when the request falls due.

#include <memory>
#include <string>

#include "backend/stage/Platform.h"
#include "backend/stage/StageInput.h"
#include "backend/stage/StageNode.h"
#include "backend/stage/WakeSchedule.h"
#include "runtime/Dynamic.h"

namespace limn::sdl {

class MainFrame final : public rt::NativeObject {
public:
    // Opens the platform's view of a stage of `width` x `height` pixels.
    MainFrame(int width, int height, int flags, const std::string& title);
    ~MainFrame() override;
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    static MainFrame* from(const rt::Dynamic& handle) { return handle.handleAs<MainFrame>(); }
    // The frame being run (from its construction on), or nullptr.
    [[nodiscard]] static MainFrame* running();

    [[nodiscard]] const std::shared_ptr<StageNode>& stage() const { return stage_; }
    // The input the loop feeds; a session records or replays through it.
    [[nodiscard]] StageInput& input() { return input_; }
    [[nodiscard]] Platform& platform() { return *platform_; }
    [[nodiscard]] bool headless() const { return platform_->headless(); }
    [[nodiscard]] const char* videoDriver() const { return platform_->driver(); }
    [[nodiscard]] bool isOpen() const { return open_; }

    // Runs until close() (also when called before run()), the window's close
    // button or a quit event.
    void run();
    void close() { open_ = false; }

    // For the platform's loop: when the stage is next polled (real time,
    // WakeSchedule::kNever for no request), and the poll itself.
    [[nodiscard]] double deadline() const { return wakes_.deadline(*stage_); }
    void servePoll();

private:
    std::shared_ptr<StageNode> stage_;
    StageInput input_;
    WakeSchedule wakes_;
    bool open_ = true;
    std::unique_ptr<Platform> platform_;  // last: it is opened on the stage and input above
};

}  // namespace limn::sdl

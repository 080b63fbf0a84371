#include "backend/stage/MainFrame.h"

#include "backend/base/Clock.h"

namespace limn::sdl {

namespace {

MainFrame* current = nullptr;

}  // namespace

MainFrame::MainFrame(int width, int height, int flags, const std::string& title)
    : stage_(std::make_shared<StageNode>(width, height)), input_(*stage_) {
    // The frame is the running one from the start: the application may close
    // it from its start-up callback, before the loop runs.
    current = this;
    platform_ = openPlatform(*this, flags, title);
}

MainFrame::~MainFrame() {
    if (current == this) current = nullptr;
    platform_.reset();
}

MainFrame* MainFrame::running() {
    return current;
}

void MainFrame::run() {
    // An application that asked for no wake yet is polled at once, which
    // starts its frame loop.
    if (open_ && stage_->hasHandler() && !stage_->wakeDelay()) servePoll();
    platform_->run();
}

void MainFrame::servePoll() {
    wakes_.polled(*stage_, Clock::realNow());
    input_.poll();
}

}  // namespace limn::sdl

#pragma once
// Base of the tests that run the game from its entry point under a recording
// or replaying session: a scratch folder, the game's exit turned into a test
// failure, and everything the session and the game leave behind undone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "backend/base/Clock.h"
#include "backend/primitives/Primitives.h"
#include "backend/replay/Session.h"
#include "game/burrowbop/Burrowbop.h"
#include "runtime/ProcessState.h"

namespace burrowbop_test {

class GameSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        folder_ = std::filesystem::temp_directory_path() /
                  ("limn-game-session-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        using com::quillfern::burrowbop::Burrowbop;
        savedExit_ = Burrowbop::exitProcess;
        Burrowbop::exitProcess = [](int) { ADD_FAILURE() << "the game asked to exit"; };
    }
    void TearDown() override {
        (void)limn::sdl::Session::end();
        limn::sdl::registerModule();
        com::quillfern::burrowbop::Burrowbop::exitProcess = savedExit_;
        rt::resetProcessState();
        limn::sdl::Clock::useReal();
        std::filesystem::remove_all(folder_);
    }

    std::filesystem::path folder_;
    std::function<void(int)> savedExit_;
};

}  // namespace burrowbop_test

// How fast a game test runs: Burrowbop's logo, title and whole 61-second round
// (a mole hit every 20 frames) played through limn::testing, in frames per
// second of this process's CPU time, and as a multiple of the real time the
// same frames take on a device (the game's 31 frames per second). The second
// line is the same play with the session recorded (what a replay test keeps).
//
//   ./build/bench/bench_game_testing [ROUNDS]
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "framework/Lib.h"
#include "framework/display/MovieClip.h"
#include "game/burrowbop/Burrowbop.h"
#include "game/burrowbop/Mole.h"
#include "testing.h"

namespace {

using com::quillfern::burrowbop::Burrowbop;

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

std::shared_ptr<Burrowbop> theGame() {
    return std::dynamic_pointer_cast<Burrowbop>(limn::Lib::current()->getChildAt(0));
}

struct Figures {
    long long frames = 0;
    double cpu = 0;
    int points = 0;
};

// One round from the entry point to the result picture.
Figures playRound(const std::string& recordTo) {
    limn::testing::GameOptions options;
    options.recordTo = recordTo;
    const double start = cpuSeconds();
    limn::testing::Game game([] { Burrowbop::main(); }, options);
    while (theGame()->currentState != Burrowbop::STATE_TITLE) game.step();
    game.advance(0.5);
    while (theGame()->currentState == Burrowbop::STATE_TITLE) {
        game.tap(160, 300);
        game.advance(0.5);
    }
    for (int i = 0; theGame()->currentState == Burrowbop::STATE_GAME; ++i) {
        if (i % 20 == 0) {
            for (const auto& mole : theGame()->moles) {
                if (!mole->whackable) continue;
                game.tap(mole->limnGetX(), mole->limnGetY());
                break;
            }
        }
        game.step();
    }
    game.advance(1);
    Figures figures;
    figures.frames = game.frames();
    figures.points = theGame()->points;
    figures.cpu = cpuSeconds() - start;
    return figures;
}

void report(const char* what, const Figures& f) {
    const double fps = static_cast<double>(f.frames) / f.cpu;
    std::printf("%-28s %6lld frames  %7.3f s CPU  %8.0f frames/s  %6.1fx real time  (%d points)\n",
                what, f.frames, f.cpu, fps, fps / 31.0, f.points);
}

}  // namespace

int main(int argc, char** argv) {
    if (chdir(GAME_DATA_DIR) != 0) {
        std::fprintf(stderr, "No game data in %s\n", GAME_DATA_DIR);
        return 1;
    }
    Burrowbop::exitProcess = [](int) {};
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string recording = "/tmp/bench-game-testing-" + std::to_string(getpid());
    for (int i = 0; i < rounds; ++i) {
        report("round through limn::testing", playRound(""));
        report("the same, recorded", playRound(recording));
    }
    std::remove(recording.c_str());
    return 0;
}

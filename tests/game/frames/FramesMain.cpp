// Test main for playing the game on the real backend: module "limn" is the
// SDL backend (offscreen, no window), and the game's pictures and sounds are
// read from the folder the asset generator wrote.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "backend/primitives/Primitives.h"

// fontconfig keeps its font sets through encoded offsets, which the leak
// checker can't follow: what it reports there is reachable, not lost.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (chdir(GAME_DATA_DIR) != 0) {
        std::fprintf(stderr, "No game data in %s\n", GAME_DATA_DIR);
        return 1;
    }
    // No sound device is needed to check what is played.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    limn::sdl::registerModule();
    return RUN_ALL_TESTS();
}

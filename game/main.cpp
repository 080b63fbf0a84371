// The process entry: the real backend, every primitive resolved, then the game.
// An error that escapes is printed and the process still ends with status 0.
#include <cstdio>
#include <exception>

#include "backend/primitives/Primitives.h"
#include "game/burrowbop/Burrowbop.h"

int main() {
    try {
        // Static initialisation has run by now; the backend registers module
        // "limn" and resolves every declared primitive against it.
        limn::sdl::registerModule();
        com::quillfern::burrowbop::Burrowbop::main();
    } catch (const std::exception& error) {
        std::printf("Error : %s\n", error.what());
    } catch (...) {
        std::printf("Error : %s\n", "unknown error");
    }
    return 0;
}

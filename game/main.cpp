// The process entry: the real backend, every primitive resolved, then the game.
// An error that escapes is printed on standard output and the process ends
// with status 1.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "backend/primitives/Primitives.h"
#include "backend/replay/Session.h"
#include "framework/Version.h"
#include "game/burrowbop/Burrowbop.h"
#include "game/burrowbop/Entry.h"

namespace {

void printUsage(std::FILE* to) {
    std::fprintf(to,
                 "Usage: burrowbop [--help] [--version]\n"
                 "Tap the moles while they are up. Run it from the folder that holds its\n"
                 "images/ and sounds/ (the build's game/data). Escape goes back to the title\n"
                 "and quits from there; F11 toggles full screen.\n"
                 "LIMN_LOG=error|warn|info|debug sets how much limn says on standard error\n"
                 "(default: warnings only).\n");
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("burrowbop (limn %s)\n", limn::versionString());
            return 0;
        }
        std::fprintf(stderr, "burrowbop: unexpected argument \"%s\"\n", argv[i]);
        printUsage(stderr);
        return 2;
    }
    // Quitting from the title ends the process at once; a session being
    // recorded gets its end mark first, and a failed replay says so in the status.
    com::quillfern::burrowbop::Burrowbop::exitProcess = [](int status) {
        status = limn::sdl::Session::endProcess(status);
        std::fflush(nullptr);
        std::_Exit(status);
    };
    const int failed = com::quillfern::burrowbop::runEntry([] {
        // Static initialisation has run by now; the backend registers module
        // "limn" and resolves every declared primitive against it.
        limn::sdl::registerModule();
        com::quillfern::burrowbop::Burrowbop::main();
    });
    if (failed) return failed;
    // The window closed (or SIGINT or SIGTERM arrived): the same for a session.
    return limn::sdl::Session::endProcess(0);
}

#pragma once
// The command line every example shares: --help (or -h) prints what the
// program shows and how to run it, --version prints the limn release, and any
// other argument is refused unless the program takes it.
//
//   int main(int argc, char** argv) {
//       if (auto done = examples::commandLine(argc, argv, kAbout)) return *done;
//       ...
//   }
#include <cctype>
#include <cstdio>
#include <optional>
#include <string_view>

#include "framework/Version.h"

namespace examples {

struct About {
    const char* name;           // the program, as it is run
    const char* summary;        // one line: what it shows
    const char* operands = "";  // the arguments it takes, as shown in the usage line ("[N]")
    int maxOperands = 0;        // how many of them it accepts
    bool window = true;         // false for console programs
};

inline void printUsage(std::FILE* to, const About& about) {
    std::fprintf(to, "Usage: %s [--help] [--version]%s%s\n%s\n\n", about.name,
                 *about.operands ? " " : "", about.operands, about.summary);
    if (about.window) {
        std::fprintf(to,
                     "Escape or the window's close button ends it; LIMN_EXAMPLE_SECONDS=n ends it\n"
                     "after n seconds.\n");
    }
    std::fprintf(to,
                 "LIMN_LOG=error|warn|info|debug sets how much limn says on standard error\n"
                 "(default: warnings only).\n");
}

// The exit status when the program should end now (help, version, a bad
// argument), nothing when it should go on with its operands.
inline std::optional<int> commandLine(int argc, char** argv, const About& about) {
    int operands = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout, about);
            return 0;
        }
        if (arg == "--version") {
            std::printf("%s (limn %s)\n", about.name, limn::versionString());
            return 0;
        }
        if ((arg.size() > 1 && arg[0] == '-' &&
             !std::isdigit(static_cast<unsigned char>(arg[1]))) ||
            ++operands > about.maxOperands) {
            std::fprintf(stderr, "%s: unexpected argument \"%s\"\n", about.name, argv[i]);
            printUsage(stderr, about);
            return 2;
        }
    }
    return std::nullopt;
}

}  // namespace examples

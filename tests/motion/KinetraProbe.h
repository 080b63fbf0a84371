#pragma once
// The tween engine's per-target lists, for tests: private to Kinetra.

#include <map>
#include <string>

#include "motion/Kinetra.h"

namespace com::quillfern::motion {

struct KinetraProbe {
    static std::map<std::string, Kinetra::Library>& libraries() { return Kinetra::targetLibraries; }
};

}  // namespace com::quillfern::motion

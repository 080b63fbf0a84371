#include "runtime/ProcessState.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace rt {

namespace {

// Built on first use: owners register while statics are being initialised.
std::vector<std::pair<ResetLayer, ResetStep>>& steps() {
    static std::vector<std::pair<ResetLayer, ResetStep>> all;
    return all;
}

}  // namespace

bool registerReset(ResetLayer layer, ResetStep step) {
    steps().emplace_back(layer, step);
    return true;
}

void resetProcessState() {
    auto ordered = steps();
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [layer, step] : ordered) step();
}

}  // namespace rt

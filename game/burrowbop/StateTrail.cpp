#include "game/burrowbop/StateTrail.h"

#include "framework/Lib.h"
#include "framework/display/MovieClip.h"
#include "game/burrowbop/Burrowbop.h"

namespace com::quillfern::burrowbop {

std::string StateTrail::now() {
    if (!limn::Lib::stageOrNull()) return "-";
    const auto root = limn::Lib::current();
    if (root->limnGetNumChildren() == 0) return "-";
    const auto game = std::dynamic_pointer_cast<Burrowbop>(root->getChildAt(0));
    if (!game) return "-";
    const std::string state = game->currentState.empty() ? "-" : game->currentState;
    return state + " " + std::to_string(game->points);
}

void StateTrail::frame(std::int64_t frame) {
    std::string state = now();
    if (!text_.empty() && state == last_) return;
    text_ += std::to_string(frame) + " " + state + "\n";
    last_ = std::move(state);
}

}  // namespace com::quillfern::burrowbop

#pragma once
// One mole popping out of one hole for a fixed number of frames.
//
// Made by create(): the picture fades in over 0.4 s; one mole in five is an
// alpha mole ("images/Mole.png", hides on its 50th step, done after its 99th),
// the others common ("images/Mole2.png", 70th and 119th). The round steps it
// once per frame, places it (x, y, position) and listens for presses on it; an
// invisible 50 x 50 square from (-8, -6) is its hit area. hide(true) swaps the
// picture for a cloud puff that fades over 1 s; hide() fades the picture out.
// Either makes it unwhackable. `destroy` tells the round to drop it; the mole
// never detaches itself.
//
// `whackable`, `alphaMole` and `hide` are reachable by name.

#include <memory>

#include "framework/display/Sprite.h"

namespace com::quillfern::burrowbop {

class Mole final : public limn::display::Sprite {
    struct Token {
        explicit Token() = default;
    };

public:
    RT_DECLARE_CLASS

    static constexpr double ALPHA_CHANCE = 0.2;
    static constexpr int ALPHA_HIDE_FRAME = 50;
    static constexpr int ALPHA_LAST_FRAME = 99;
    static constexpr int COMMON_HIDE_FRAME = 70;
    static constexpr int COMMON_LAST_FRAME = 119;

    // A new mole, constructed (a Sprite first, then construct()).
    static std::shared_ptr<Mole> create();
    explicit Mole(Token);

    // Picks the kind, shows the picture fading in, draws the hit area and sets the flags.
    void construct();
    void hide(bool whacked = false);
    void step();

    bool alphaMole = false;
    bool whackable = false;
    bool destroy = false;
    int position = 0;      // hole index, written by the round
    int currentFrame = 0;  // steps so far
    std::shared_ptr<limn::display::DisplayObject> Graphic;
    std::shared_ptr<limn::display::DisplayObject> Cloud;
};

}  // namespace com::quillfern::burrowbop

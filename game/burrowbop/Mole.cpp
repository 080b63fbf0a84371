#include "game/burrowbop/Mole.h"

#include "framework/display/Graphics.h"
#include "game/Utils.h"
#include "motion/Kinetra.h"
#include "motion/easing/Quad.h"
#include "runtime/Random.h"

namespace com::quillfern::burrowbop {

using motion::Kinetra;

const rt::ClassInfo& Mole::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("com.quillfern.burrowbop.Mole", &limn::display::Sprite::staticClass())
            .field<&Mole::alphaMole>("alphaMole")
            .field<&Mole::whackable>("whackable")
            .field<&Mole::destroy>("destroy")
            .field<&Mole::position>("position")
            .field<&Mole::currentFrame>("currentFrame")
            .method<&Mole::construct>("construct")
            .method<&Mole::hide>("hide")
            .method<&Mole::step>("step");
    return info;
}

std::shared_ptr<Mole> Mole::create() {
    auto mole = std::make_shared<Mole>(Token());
    mole->construct();
    return mole;
}

Mole::Mole(Token) {}

void Mole::construct() {
    if (rt::random() < ALPHA_CHANCE) {
        Graphic = Utils::loadGraphic("images/Mole.png");
        alphaMole = true;
    } else {
        Graphic = Utils::loadGraphic("images/Mole2.png");
        alphaMole = false;
    }
    addChild(Graphic);
    Graphic->limnSetAlpha(0);
    Kinetra::tween(Graphic, 0.4, rt::props({{"alpha", 1}}));
    // An invisible square wider than the picture, so a press near the mole counts.
    auto graphics = limnGetGraphics();
    graphics->beginFill(0x000000, 0);
    graphics->drawRect(-8, -6, 50, 50);
    whackable = true;
    destroy = false;
    currentFrame = 0;
}

void Mole::hide(bool whacked) {
    if (whacked) {
        Cloud = Utils::loadGraphic("images/Cloud.png");
        Cloud->limnSetX(-17);
        Cloud->limnSetY(-4);
        addChild(Cloud);
        Graphic->limnSetVisible(false);
        Kinetra::tween(Cloud, 1, rt::props({{"alpha", 0}}))->ease(motion::easing::Quad::easeOut());
    } else {
        Kinetra::tween(Graphic, 0.4, rt::props({{"alpha", 0}}));
    }
    whackable = false;
}

void Mole::step() {
    currentFrame += 1;
    const int hideFrame = alphaMole ? ALPHA_HIDE_FRAME : COMMON_HIDE_FRAME;
    const int lastFrame = alphaMole ? ALPHA_LAST_FRAME : COMMON_LAST_FRAME;
    if (currentFrame == hideFrame) {
        hide();
    } else if (currentFrame > lastFrame) {
        destroy = true;
    }
}

}  // namespace com::quillfern::burrowbop

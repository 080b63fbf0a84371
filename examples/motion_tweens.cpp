// Tweens: Kinetra moves a property of an object from where it is to a target
// value over some seconds, along an easing curve. Six balls run back and forth
// forever (repeat + reflect), five with their own curves and one fading; the
// square below hops in steps, each started from the previous step's onComplete.
// Run: ./build/examples/motion_tweens   (Escape or the window's button closes it)
#include <cstdio>

#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "motion/Kinetra.h"
#include "motion/easing/Back.h"
#include "motion/easing/Bounce.h"
#include "motion/easing/Linear.h"
#include "motion/easing/Quad.h"

using namespace limn;
using com::quillfern::motion::Kinetra;
namespace easing = com::quillfern::motion::easing;

namespace {

// A ball on a faint track from x = 40 to x = 280.
std::shared_ptr<display::Sprite> ball(double y, int colour) {
    auto track = std::make_shared<display::Sprite>();
    track->graphics()->lineStyle(2, 0xD8DED8);
    track->graphics()->moveTo(40, y);
    track->graphics()->lineTo(280, y);
    Lib::current()->addChild(track);
    auto b = std::make_shared<display::Sprite>();
    b->graphics()->beginFill(colour);
    b->graphics()->drawCircle(0, 0, 16);
    b->setX(40);
    b->setY(y);
    Lib::current()->addChild(b);
    return b;
}

// Back and forth for ever: repeat() with no count runs again without end, and
// reflect() plays every other run backwards. Without ease() the curve is Expo.easeOut.
void swing(double y, int colour, std::shared_ptr<easing::IEasing> (*curve)()) {
    auto tween = Kinetra::tween(ball(y, colour), 1.5, {{"x", 280}});
    if (curve) tween->ease(curve);
    tween->repeat()->reflect();
}

// One step of the square: a quarter turn and a move, then the next step.
void hop(const std::shared_ptr<display::Sprite>& square, int step) {
    const double x = step % 2 ? 250 : 70;
    Kinetra::tween(square, 0.8, {{"x", x}, {"rotation", step * 90}})
        ->ease(easing::Quad::easeInOut)
        ->delay(0.2)
        ->onComplete([square, step] {
            std::printf("step %d done\n", step);
            hop(square, step + 1);
        });
}

void start() {
    examples::addExits();
    // tween(target, seconds, {property: end value}) starts at once and returns the
    // actuator, whose options chain.
    // Every family has easeIn, easeOut and easeInOut (docs/easing-curves.png shows them all).
    swing(40, 0xE63946, easing::Linear::easeNone);
    swing(90, 0xF4A261, easing::Quad::easeInOut);
    swing(140, 0xE9C46A, easing::Back::easeOut);
    swing(190, 0x2A9D8F, easing::Bounce::easeOut);
    swing(240, 0x457B9D, nullptr);
    // Any number-valued property tweens: this one fades as it goes.
    Kinetra::tween(ball(290, 0x6D597A), 1.0, {{"alpha", 0.1}, {"x", 160}})->repeat()->reflect();

    auto square = std::make_shared<display::Sprite>();
    square->graphics()->beginFill(0x1D3557);
    square->graphics()->drawRect(-25, -25, 50, 50);
    square->setX(70);
    square->setY(390);
    Lib::current()->addChild(square);
    hop(square, 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (auto done = examples::commandLine(
            argc, argv,
            {"motion_tweens",
             "Balls tweened along different easing curves, and a chain of tweens."}))
        return *done;
    Lib::create(start, {.width = 320, .height = 460, .color = 0xF1FAEE, .title = "motion tweens"});
    return 0;
}

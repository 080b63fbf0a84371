// A game of one's own on limn, built outside this repository: one include for the
// framework and the backend, one for the tweens. A ball swings across the window.
// Linking the backend is enough: it registers itself.
// Run: ./hello [seconds]   (closes itself after that many seconds when given)
#include <cstdlib>

#include <limn/limn.h>
#include <limn/motion/Kinetra.h>

using com::quillfern::motion::Kinetra;

namespace {

void start(double seconds) {
    auto ball = std::make_shared<limn::display::Sprite>();
    ball->graphics()->beginFill(0x2A9D8F);
    ball->graphics()->drawCircle(0, 0, 24);
    ball->setX(40);
    ball->setY(240);
    limn::Lib::current()->addChild(ball);
    Kinetra::tween(ball, 1.0, {{"x", 280}})->repeat()->reflect();
    if (seconds > 0)
        limn::Timer::delay([] { limn::Lib::close(); }, static_cast<int>(seconds * 1000));
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 0.0;
    limn::Lib::create([seconds] { start(seconds); },
                      {.width = 320, .height = 480, .color = 0xF1FAEE, .title = "hello limn"});
    return 0;
}

// A game of one's own on limn, built outside this repository: one include for the
// framework and the backend, one for the tweens. A ball swings across the window.
// Run: ./hello [seconds]   (closes itself after that many seconds when given)
#include <cstdlib>

#include <limn/limn.h>
#include <limn/motion/Kinetra.h>

using com::quillfern::motion::Kinetra;

namespace {

void start(double seconds) {
    auto ball = std::make_shared<limn::display::Sprite>();
    ball->limnGetGraphics()->beginFill(0x2A9D8F);
    ball->limnGetGraphics()->drawCircle(0, 0, 24);
    ball->limnSetX(40);
    ball->limnSetY(240);
    limn::Lib::current()->addChild(ball);
    Kinetra::tween(ball, 1.0, rt::props({{"x", 280}}))->repeat()->reflect();

    if (seconds > 0)
        limn::Timer::delay(rt::function([] { limn::Lib::close(); }),
                           static_cast<int>(seconds * 1000));
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 0.0;
    limn::sdl::registerModule();
    limn::Lib::create(rt::function([seconds] { start(seconds); }), 320, 480, 60.0, 0xF1FAEE,
                      limn::Lib::RESIZABLE, "hello limn");
    return 0;
}

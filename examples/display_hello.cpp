// Hello, display list: a gradient card that turns every frame, a picture made
// pixel by pixel, and a circle that fades in and out when clicked. Runs in a
// window, or offscreen where there is no display (close it with the window's
// button or Escape; offscreen it stops by itself after three seconds).
#include <cmath>
#include <memory>

#include "backend/sdl/MainFrame.h"
#include "backend/sdl/Primitives.h"
#include "framework/Lib.h"
#include "framework/display/Bitmap.h"
#include "framework/display/BitmapData.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "framework/display/Stage.h"
#include "framework/events/Event.h"
#include "framework/events/KeyboardEvent.h"
#include "framework/events/MouseEvent.h"
#include "framework/geom/Matrix.h"
#include "runtime/Function.h"

using namespace limn;

namespace {

std::shared_ptr<display::Sprite> gradientCard() {
    auto card = std::make_shared<display::Sprite>();
    auto g = card->limnGetGraphics();
    auto box = std::make_shared<geom::Matrix>();
    box->createGradientBox(160, 100, 0.0, -80.0, -50.0);
    g->beginGradientFill(display::GradientType::LINEAR, rt::array({0xFF8A00, 0xE52E71}),
                         rt::array({1.0, 1.0}), rt::array({0, 255}), box);
    g->lineStyle(3.0, 0x402020);
    g->drawRoundRect(-80, -50, 160, 100, 24);
    g->endFill();
    card->limnSetX(160);
    card->limnSetY(140);
    return card;
}

std::shared_ptr<display::Bitmap> checkerPicture() {
    auto pixels = std::make_shared<display::BitmapData>(64, 64, true, 0u);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool dark = ((x / 8) + (y / 8)) % 2 == 0;
            pixels->setPixel32(x, y, dark ? 0xFF203040u : 0x80A0C0E0u);
        }
    }
    auto picture = std::make_shared<display::Bitmap>(pixels);
    picture->limnSetX(128);
    picture->limnSetY(250);
    return picture;
}

std::shared_ptr<display::Sprite> fadingCircle() {
    auto circle = std::make_shared<display::Sprite>();
    auto g = circle->limnGetGraphics();
    g->beginFill(0x2A9D8F);
    g->drawCircle(0, 0, 40);
    g->endFill();
    circle->limnSetX(160);
    circle->limnSetY(400);
    return circle;
}

void start() {
    auto root = Lib::current();
    auto card = gradientCard();
    auto circle = fadingCircle();
    root->addChild(card);
    root->addChild(checkerPicture());
    root->addChild(circle);

    const int started = Lib::getTimer();
    auto stage = Lib::stage();
    stage->addEventListener(events::Event::ENTER_FRAME, rt::function([card, started](rt::Dynamic) {
                                const int elapsed = Lib::getTimer() - started;
                                card->limnSetRotation(elapsed * 0.09);
                                if (sdl::MainFrame::running() &&
                                    sdl::MainFrame::running()->headless() && elapsed > 3000) {
                                    Lib::close();
                                }
                            }));
    circle->addEventListener(events::MouseEvent::CLICK, rt::function([circle](rt::Dynamic) {
                                 circle->limnSetAlpha(circle->limnGetAlpha() > 0.5 ? 0.3 : 1.0);
                             }));
    stage->addEventListener(events::KeyboardEvent::KEY_DOWN, rt::function([](rt::Dynamic e) {
                                if (auto key = e.as<events::KeyboardEvent>();
                                    key && key->keyCode == 27)
                                    Lib::close();
                            }));
}

}  // namespace

int main() {
    sdl::registerModule();
    Lib::create(rt::function(start), 320, 480, 60.0, 0xF4F1DE, Lib::RESIZABLE, "display hello");
    return 0;
}

// Hello, display list: the first program to read. A sprite with a filled
// rectangle and a circle, a gradient card that turns every frame and a picture
// made pixel by pixel; a click on the panel fades it in and out.
// Run: ./build/examples/display_hello   (Escape or the window's button closes it)
#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/display/Bitmap.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "framework/events/MouseEvent.h"

using namespace limn;

namespace {

// A sprite draws with its `graphics`: choose a fill (and a line), draw shapes, end the fill.
std::shared_ptr<display::Sprite> panel() {
    auto sprite = std::make_shared<display::Sprite>();
    auto g = sprite->graphics();
    g->lineStyle(2.0, 0x3D405B);
    g->beginFill(0xE9E4D4);
    g->drawRect(20, 20, 280, 440);
    g->lineStyle();  // no line from here on
    g->beginFill(0x2A9D8F);
    g->drawCircle(160, 390, 40);
    g->endFill();
    return sprite;
}

// A gradient takes colours, alphas, ratios (0..255) and a box to span. The
// card's pivot is its centre: x and y place the centre, and turning the sprite
// turns it about its centre.
std::shared_ptr<display::Sprite> gradientCard() {
    auto card = std::make_shared<display::Sprite>();
    auto span = std::make_shared<geom::Matrix>();
    span->createGradientBox(160, 100);
    auto g = card->graphics();
    g->beginGradientFill(display::GradientType::LINEAR, {0xFF8A00, 0xE52E71}, {1.0, 1.0}, {0, 255},
                         span);
    g->drawRoundRect(0, 0, 160, 100, 24);
    g->endFill();
    card->setPivot(80, 50);
    card->setX(160);
    card->setY(130);
    return card;
}

// Pixels are 0xAARRGGBB; a Bitmap shows a BitmapData with its top-left at (x, y).
std::shared_ptr<display::Bitmap> checkerPicture() {
    auto pixels = std::make_shared<display::BitmapData>(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            pixels->setPixel32(x, y, (x / 8 + y / 8) % 2 ? 0x80A0C0E0u : 0xFF203040u);
    auto picture = std::make_shared<display::Bitmap>(pixels);
    picture->setX(128);
    picture->setY(240);
    return picture;
}

// Runs once the window and the stage exist: build the scene, wire the events.
void start() {
    examples::addExits();
    auto card = gradientCard();
    auto box = panel();
    Lib::current()->addChild(box);
    Lib::current()->addChild(card);
    Lib::current()->addChild(checkerPicture());

    // "enterFrame" comes once per frame: the place for animation.
    Lib::stage()->on(events::Event::ENTER_FRAME,
                     [card] { card->setRotation(Lib::getTimer() * 0.09); });
    // The event says whose listener runs; capturing `box` here would make it own itself.
    auto fade = [](events::MouseEvent& click) {
        auto clicked = click.currentTarget.as<display::Sprite>();
        clicked->setAlpha(clicked->alpha() > 0.75 ? 0.5 : 1.0);
    };
    box->on(events::MouseEvent::CLICK, fade);
}

}  // namespace

int main(int argc, char** argv) {
    if (auto done = examples::commandLine(
            argc, argv,
            {"display_hello",
             "Vector drawing, a gradient, a bitmap made pixel by pixel; a click fades the panel."}))
        return *done;
    Lib::create(start, {.width = 320, .height = 480, .color = 0xF4F1DE, .title = "display hello"});
    return 0;
}

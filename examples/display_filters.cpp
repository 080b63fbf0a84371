// Filters and masks. A filter changes how an object is drawn without touching
// its drawing: here a drop shadow under a card (and a stronger one, inside, on
// the second card). A mask limits an object to the shape of another: the
// striped picture shows only where the moving circle is. The mask itself is
// not drawn; it only has to be on the display list somewhere.
// Run: ./build/examples/display_filters   (Escape or the window's button closes it)
#include <cmath>

#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "framework/display/Stage.h"
#include "framework/filters/DropShadowFilter.h"

using namespace limn;

namespace {

constexpr int kWidth = 480, kHeight = 320;

std::shared_ptr<display::Sprite> card(double x, double y, int colour) {
    auto sprite = std::make_shared<display::Sprite>();
    auto g = sprite->graphics();
    g->beginFill(colour);
    g->drawRoundRect(0, 0, 160, 100, 16);
    g->endFill();
    sprite->setX(x);
    sprite->setY(y);
    Lib::current()->addChild(sprite);
    return sprite;
}

// Setting `filters` copies the list: change a filter, then set the list again.
void addShadows() {
    auto outer = card(30, 30, 0xF4A261);
    // distance 6 px at 45 degrees, black at half opacity, blurred 8 px each way.
    outer->setFilters(display::DisplayObject::FilterArray{
        std::make_shared<filters::DropShadowFilter>(6.0, 45.0, 0x000000, 0.5, 8.0, 8.0)});

    auto inner = card(30, 170, 0x2A9D8F);
    auto shadow =
        std::make_shared<filters::DropShadowFilter>(4.0, 135.0, 0x000000, 0.8, 6.0, 6.0, 1.5);
    shadow->inner = true;  // inside the shape, as if pressed in
    inner->setFilters(display::DisplayObject::FilterArray{shadow});
}

// Diagonal stripes filling the right half, shown only through the mask.
std::shared_ptr<display::Sprite> stripes() {
    auto sprite = std::make_shared<display::Sprite>();
    auto g = sprite->graphics();
    for (int i = 0; i < 24; ++i) {
        g->beginFill(i % 2 ? 0x264653 : 0xE9C46A);
        g->moveTo(220 + i * 20, 0);
        g->lineTo(240 + i * 20, 0);
        g->lineTo(140 + i * 20, kHeight);
        g->lineTo(120 + i * 20, kHeight);
        g->endFill();
    }
    Lib::current()->addChild(sprite);
    return sprite;
}

void start() {
    examples::addExits();
    addShadows();
    auto picture = stripes();
    auto hole = std::make_shared<display::Sprite>();
    hole->graphics()->beginFill(0);  // any fill: only the shape counts
    hole->graphics()->drawCircle(0, 0, 70);
    hole->graphics()->endFill();
    Lib::current()->addChild(hole);
    picture->setMask(hole);

    // The mask is a display object like any other: move it and the view follows.
    auto move = [hole] {
        const double t = Lib::getTimer() / 1000.0;
        hole->setX(340 + 60 * std::cos(t));
        hole->setY(160 + 60 * std::sin(t * 1.3));
    };
    move();
    Lib::stage()->on(events::Event::ENTER_FRAME, move);
}

}  // namespace

int main(int argc, char** argv) {
    const examples::About about{"display_filters",
                                "Drop shadows (outer and inner) and a moving mask."};
    if (auto done = examples::commandLine(argc, argv, about)) return *done;
    Lib::create(
        start, {.width = kWidth, .height = kHeight, .color = 0xFAF3E0, .title = "display filters"});
    return 0;
}

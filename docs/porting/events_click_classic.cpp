// Events: click a tile to change its colour. The board that holds the tiles
// listens too, once in the capture phase (before the tile hears the click) and
// once in the bubble phase (after it), and highlights the tile that was clicked.
// The order is printed on the console.
// Run: ./build/examples/events_click   (Escape or the window's button closes it)
#include <cstdio>

#include "backend/primitives/Primitives.h"
#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "framework/events/MouseEvent.h"

using namespace limn;
using Click = std::shared_ptr<events::MouseEvent>;

namespace {

const int kColours[6] = {0xE63946, 0xF4A261, 0x2A9D8F, 0x457B9D, 0xE9C46A, 0x6D597A};

void paint(display::Sprite& sprite, int colour) {
    auto g = sprite.limnGetGraphics();
    g->clear();
    g->beginFill(colour);
    g->drawRoundRect(0, 0, 120, 120, 16);
    g->endFill();
}

std::shared_ptr<display::Sprite> tile(int n) {
    auto t = std::make_shared<display::Sprite>();
    paint(*t, kColours[n]);
    t->limnSetName("tile " + std::to_string(n));
    t->limnSetX(20 + (n % 2) * 150);
    t->limnSetY(20 + (n / 2) * 150);
    // The tile's own listener (target phase). The lambda keeps a counter, not the
    // tile: a listener that held its own sprite would keep it alive for ever.
    auto count = std::make_shared<int>(n);
    auto recolour = [count](const Click& e) {
        auto self = e->currentTarget.as<display::Sprite>();
        paint(*self, kColours[++*count % 6]);
        std::printf("  target:  %s changes colour\n", self->limnGetName().c_str());
    };
    t->addEventListener(events::MouseEvent::CLICK, rt::function(recolour));
    return t;
}

void start() {
    examples::addExits();
    auto board = std::make_shared<display::Sprite>();
    // A highlight drawn under the tiles (a slightly larger dark square); the bubble listener moves
    // it to the clicked one.
    auto highlight = std::make_shared<display::Sprite>();
    highlight->limnGetGraphics()->beginFill(0x1D3557);
    highlight->limnGetGraphics()->drawRoundRect(-6, -6, 132, 132, 20);
    highlight->limnSetVisible(false);
    board->addChild(highlight);
    for (int n = 0; n < 4; ++n) board->addChild(tile(n));
    Lib::current()->addChild(board);

    // useCapture = true: runs on the way down, before the tile's listener.
    auto capture = [](const Click&) { std::printf("click\n  capture: the board sees it first\n"); };
    board->addEventListener(events::MouseEvent::CLICK, rt::function(capture), true);
    // The default, bubble phase: runs on the way back up, after the tile's listener.
    // `target` is the object clicked; `currentTarget` would be the board.
    auto bubble = [highlight](const Click& e) {
        auto clicked = e->target.as<display::Sprite>();
        if (!clicked || clicked == highlight) return;
        highlight->limnSetX(clicked->limnGetX());
        highlight->limnSetY(clicked->limnGetY());
        highlight->limnSetVisible(true);
        std::printf("  bubble:  the board highlights %s\n", clicked->limnGetName().c_str());
    };
    board->addEventListener(events::MouseEvent::CLICK, rt::function(bubble));
}

}  // namespace

int main(int argc, char** argv) {
    if (auto done = examples::commandLine(
            argc, argv,
            {"events_click",
             "Click a tile to change its colour; the capture and bubble phases are printed."}))
        return *done;
    sdl::registerModule();
    Lib::create(rt::function(start), 310, 310, 60.0, 0xF1FAEE, Lib::RESIZABLE, "events click");
    return 0;
}

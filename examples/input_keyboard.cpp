// Keyboard: the stage hears "keyDown" and "keyUp" for every key (the object with
// the focus hears them first). Hold the arrow keys to move the ship; Shift
// makes it faster. Keys held are remembered between the two events, and the
// ship moves once per frame, so its speed does not depend on key repeat.
// Run: ./build/examples/input_keyboard   (Escape or the window's button closes it)
#include <algorithm>
#include <set>
#include <string>

#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "framework/display/Stage.h"
#include "framework/events/KeyboardEvent.h"
#include "framework/text/TextField.h"
#include "framework/text/TextFormat.h"
#include "framework/ui/Keyboard.h"

using namespace limn;
using ui::Keyboard;

namespace {

constexpr int kWidth = 400, kHeight = 300;
constexpr double kSpeed = 3;  // pixels per frame

std::set<int> held;  // key codes down now
std::shared_ptr<display::Sprite> ship;
std::shared_ptr<text::TextField> status;

// A triangle pointing up, drawn around (0, 0) so that x and y are its centre.
std::shared_ptr<display::Sprite> makeShip() {
    auto sprite = std::make_shared<display::Sprite>();
    auto g = sprite->graphics();
    g->lineStyle(2, 0x1D3557);
    g->beginFill(0xE76F51);
    g->moveTo(0, -18);
    g->lineTo(14, 14);
    g->lineTo(-14, 14);
    g->lineTo(0, -18);
    g->endFill();
    sprite->setX(kWidth / 2.0);
    sprite->setY(kHeight / 2.0);
    return sprite;
}

void onKeyDown(events::KeyboardEvent& key) {
    held.insert(key.keyCode);
    status->setText("keyDown: keyCode " + std::to_string(key.keyCode) + ", charCode " +
                    std::to_string(key.charCode) + (key.shiftKey ? ", Shift" : ""));
}

void onKeyUp(events::KeyboardEvent& key) {
    held.erase(key.keyCode);
}

void moveShip() {
    const double step = held.contains(Keyboard::SHIFT) ? 2 * kSpeed : kSpeed;
    double dx = 0, dy = 0;
    if (held.contains(Keyboard::LEFT)) dx -= step;
    if (held.contains(Keyboard::RIGHT)) dx += step;
    if (held.contains(Keyboard::UP)) dy -= step;
    if (held.contains(Keyboard::DOWN)) dy += step;
    ship->setX(std::clamp(ship->x() + dx, 16.0, kWidth - 16.0));
    ship->setY(std::clamp(ship->y() + dy, 40.0, kHeight - 16.0));
}

void start() {
    examples::addExits();
    ship = makeShip();
    Lib::current()->addChild(ship);
    status = std::make_shared<text::TextField>();
    status->setDefaultTextFormat(
        text::TextFormat::make({.font = "DejaVu Sans", .size = 13, .color = 0x1D3557}));
    status->setWidth(kWidth - 20);
    status->setHeight(22);
    status->setX(10);
    status->setY(6);
    status->setText("Hold the arrow keys (Shift: faster)");
    Lib::current()->addChild(status);

    auto stage = Lib::stage();
    stage->on(events::KeyboardEvent::KEY_DOWN, onKeyDown);
    stage->on(events::KeyboardEvent::KEY_UP, onKeyUp);
    stage->on(events::Event::ENTER_FRAME, moveShip);
}

}  // namespace

int main(int argc, char** argv) {
    const examples::About about{"input_keyboard", "Move a ship with the arrow keys."};
    if (auto done = examples::commandLine(argc, argv, about)) return *done;
    Lib::create(start,
                {.width = kWidth, .height = kHeight, .color = 0xF1FAEE, .title = "input keyboard"});
    return 0;
}

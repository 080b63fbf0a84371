// Star catch: a star drifts about on tweens; click it to score (with a sound). Type your
// name in the field at the bottom; the score line shows it. Escape quits.
// Run: ./build/examples/star_catch
#include <cstdlib>
#include <memory>
#include <string>

#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "limn.h"
#include "motion/Kinetra.h"
#include "motion/easing/Quad.h"

using namespace limn;
using com::quillfern::motion::Kinetra;
using com::quillfern::motion::easing::Quad;

namespace {

struct StarCatch {
    std::shared_ptr<display::Sprite> star;  // made in start(), once the window exists
    std::shared_ptr<media::Sound> ding;
    std::shared_ptr<text::TextField> score;
    std::shared_ptr<text::TextField> name;
    int points = 0;

    void show() { score->setText(name->text() + ": " + std::to_string(points)); }

    // One leg of the drift to a random place; the next starts when it ends.
    void drift() {
        Kinetra::tween(star, 1.4,
                       {{"x", 60 + std::rand() % 360},
                        {"y", 90 + std::rand() % 190},
                        {"rotation", std::rand() % 360 - 180}})
            ->ease(Quad::easeInOut)
            ->onComplete([this] { drift(); });
    }

    void caught() {
        ++points;
        show();
        ding->play();
        Kinetra::tween(star, 0.12, {{"scaleX", 1.4}, {"scaleY", 1.4}})->reflect()->repeat(1);
    }

    void start() {
        examples::addExits();
        star = display::Sprite::fromFile(EXAMPLE_ASSETS "/star.png", true);  // centred
        ding = media::Sound::fromFile(EXAMPLE_ASSETS "/ding.wav");
        score =
            text::TextField::withText("", {.font = "DejaVu Sans", .size = 20, .color = 0x264653});
        name = text::TextField::withText("player", {.font = "DejaVu Sans", .size = 18});
        auto root = Lib::current();
        score->setX(16);
        score->setY(12);
        name->setType(text::TextFieldType::INPUT);
        name->setAutoSize(text::TextFieldAutoSize::NONE);
        name->setBorder(true);
        name->setBackground(true);
        name->setX(16);
        name->setY(318);
        name->setWidth(200);
        name->setHeight(28);
        name->on(events::Event::CHANGE, [this] { show(); });
        star->setX(240);
        star->setY(180);
        star->on(events::MouseEvent::CLICK, [this](events::MouseEvent&) { caught(); });
        root->addChild(score);
        root->addChild(name);
        root->addChild(star);
        Lib::stage()->setFocus(name);
        show();
        drift();
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (auto done = examples::commandLine(
            argc, argv, {"star_catch", "Click the drifting star to score; type your name below."}))
        return *done;
    StarCatch game;
    Lib::create([&game] { game.start(); }, 480, 360);
    return 0;
}

// Timers: Timer::create(ms) calls its `run` every period until stop();
// Timer::delay(f, ms) calls f once. Timers run on the program's one thread,
// between frames, so they may touch display objects freely. Below: a counter
// that ticks every second, a bar that grows ten times a second and stops
// itself when full, and a message that appears once after three seconds.
// Run: ./build/examples/events_timers   (Escape or the window's button closes it)
#include <memory>
#include <string>

#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/Timer.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Shape.h"
#include "framework/text/TextField.h"
#include "framework/text/TextFormat.h"

using namespace limn;

namespace {

constexpr int kWidth = 360, kHeight = 200;

std::shared_ptr<text::TextField> line(double y, const std::string& words) {
    auto field = std::make_shared<text::TextField>();
    field->setDefaultTextFormat(
        text::TextFormat::make({.font = "DejaVu Sans", .size = 16, .color = 0x22223B}));
    field->setX(20);
    field->setY(y);
    field->setWidth(kWidth - 40);
    field->setHeight(26);
    field->setText(words);
    Lib::current()->addChild(field);
    return field;
}

void start() {
    examples::addExits();
    auto seconds = line(20, "Seconds: 0");
    auto later = line(130, "(a message in three seconds)");
    auto bar = std::make_shared<display::Shape>();
    bar->setX(20);
    bar->setY(70);
    Lib::current()->addChild(bar);

    // Every second. The running list keeps the timer alive: no need to hold it.
    auto count = std::make_shared<int>(0);
    Timer::every(1000,
                 [seconds, count] { seconds->setText("Seconds: " + std::to_string(++*count)); });

    // Ten times a second until the bar is full; the timer then stops itself.
    // A lambda can't name the timer it is given to, so it keeps a weak link, filled in after.
    auto width = std::make_shared<double>(0);
    auto self = std::make_shared<std::weak_ptr<Timer>>();
    *self = Timer::every(100, [bar, width, self] {
        *width += 8;
        auto g = bar->graphics();
        g->clear();
        g->beginFill(*width < kWidth - 40 ? 0x4A4E69 : 0x2A9D8F);
        g->drawRect(0, 0, *width, 30);
        g->endFill();
        if (*width >= kWidth - 40) {
            if (auto timer = self->lock()) timer->stop();
        }
    });

    // Once, after three seconds.
    Timer::delay([later] { later->setText("Three seconds have passed."); }, 3000);
}

}  // namespace

int main(int argc, char** argv) {
    const examples::About about{
        "events_timers", "Repeating timers, a timer that stops itself and a one-shot delay."};
    if (auto done = examples::commandLine(argc, argv, about)) return *done;
    Lib::create(start, {.width = kWidth,
                        .height = kHeight,
                        .frameRate = 30.0,
                        .color = 0xF2E9E4,
                        .title = "events timers"});
    return 0;
}
